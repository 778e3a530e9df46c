#include "calibration/setupchoices.h"

#include <gtest/gtest.h>

namespace {

QString capacity(int code) {
    return QStringLiteral("%1 - %2 Kg").arg(code).arg(code * 10);
}

// Three tables told apart by their rows and divisions: the normal table offers every code with
// two divisions, the single-range table codes 10..30 with one, the two-range table codes 20..40
// with three (two from code 35 on).
struct Tables {
    DefinitionTable n{}, m1{}, m2{};
    Tables() {
        for (int j = 0; j <= 85; ++j) {
            n[j] = {capacity(j), QStringLiteral("3 - 0.001 Kg"), QStringLiteral("4 - 0.002 Kg")};
            if (j >= 10 && j <= 30)
                m1[j] = {capacity(j), QStringLiteral("5 - 0.005 Kg")};
            if (j >= 20 && j <= 40)
                m2[j] = {capacity(j), QStringLiteral("6 - 0.01 Kg"), j < 35 ? QStringLiteral("7 - 0.02 Kg") : QString(),
                         QStringLiteral("8 - 0.05 Kg")};
        }
    }
};

QStringList capacitiesOf(const DefinitionTable& t, int from = 0) {
    QStringList out;
    for (int j = from; j <= 85; ++j)
        if (!t[j][0].isEmpty())
            out << t[j][0];
    return out;
}

QStringList divisionsOf(const DefinitionTable& t, int row) {
    QStringList out;
    for (int k = 1; k < 8; ++k)
        if (!t[row][k].isEmpty())
            out << t[row][k];
    return out;
}

QStringList companions(const QStringList& entries) {
    QStringList out;
    for (const QString& e : entries)
        out << SetupChoices::bo(e);
    return out;
}

void fill(SetupChoices& c) {
    c.fillRangeAndMetrological(QStringLiteral("0- Single"), QStringLiteral("1- Dual"), QStringLiteral("0- Normal"),
                               QStringLiteral("1- Metrological"));
}

} // namespace

TEST(SetupChoices, RefillChainsEndInTheChosenTablesEntries) {
    const Tables t;
    struct Case {
        int metrological, range;
        const DefinitionTable* table;
        int capacity;
    };
    for (const Case& k : {Case{0, 0, &t.n, 12}, Case{0, 1, &t.n, 12}, Case{1, 0, &t.m1, 25}, Case{1, 1, &t.m2, 25}}) {
        SCOPED_TRACE(testing::Message() << "metrological " << k.metrological << " range " << k.range);
        SetupChoices c(t.n, t.m1, t.m2);
        fill(c);
        const QStringList builtInDivisions = c.list(2).entries;
        ASSERT_TRUE(c.chooseIndex(5, k.metrological));
        ASSERT_TRUE(c.chooseIndex(0, k.range));
        const bool dual = k.range == 1;

        // A range-mode choice refills both capacity lists from its table, chooses none and leaves
        // the division lists alone; range 2 is usable only with two ranges.
        const QStringList all = capacitiesOf(*k.table);
        for (int i : {1, 3}) {
            EXPECT_EQ(c.list(i).entries, all);
            EXPECT_EQ(c.companion(i).entries, companions(all));
            EXPECT_EQ(c.list(i).index, -1);
        }
        EXPECT_EQ(c.list(2).entries, builtInDivisions);
        for (int i : {3, 4}) {
            EXPECT_EQ(c.isEnabled(i), dual);
            EXPECT_EQ(c.isCompanionEnabled(i), dual);
        }

        ASSERT_TRUE(c.chooseCode(1, k.capacity));
        const QStringList divisions = divisionsOf(*k.table, k.capacity);
        ASSERT_FALSE(divisions.isEmpty());
        EXPECT_EQ(c.list(2).entries, divisions);
        EXPECT_EQ(c.companion(2).entries, companions(divisions));
        EXPECT_EQ(c.list(2).index, -1);
        EXPECT_EQ(c.companion(1).entries.value(c.companion(1).index), SetupChoices::bo(capacity(k.capacity)));
        if (dual) {
            // Range 2 offers only the capacities above range 1's, none chosen yet.
            EXPECT_EQ(c.list(3).entries, capacitiesOf(*k.table, k.capacity + 1));
            EXPECT_EQ(c.list(3).index, -1);
        } else {
            EXPECT_EQ(c.text(3), capacity(k.capacity));
            EXPECT_EQ(c.companion(3).entries.value(c.companion(3).index), SetupChoices::bo(capacity(k.capacity)));
            EXPECT_EQ(c.list(4).entries, divisions);
        }

        ASSERT_TRUE(c.chooseCode(2, SetupChoices::entryCode(divisions.last())));
        if (dual) {
            EXPECT_EQ(c.list(4).index, -1); // range 2's division is its own choice
            const int second = k.table == &t.m2 ? 36 : k.capacity + 5;
            ASSERT_TRUE(c.chooseCode(3, second));
            EXPECT_EQ(c.list(4).entries, divisionsOf(*k.table, second));
            EXPECT_EQ(c.text(2), divisions.last()); // range 1 keeps its division
        } else {
            EXPECT_EQ(c.text(4), divisions.last());
        }
    }
}

TEST(SetupChoices, RangeTwoDivisionsAreTakenFromRangeOnesColumns) {
    // In single range the mirrored range 2 reads the same row; what range 2's list holds after a
    // range-1 capacity is entry k of range 2's row wherever range 1's row has an entry k.
    Tables t;
    t.m2[30][2].clear();
    SetupChoices c(t.n, t.m1, t.m2);
    fill(c);
    c.chooseIndex(5, 1);
    c.chooseIndex(0, 1);
    ASSERT_TRUE(c.chooseCode(1, 22));
    ASSERT_TRUE(c.chooseCode(3, 30));
    EXPECT_EQ(c.list(4).entries, QStringList({QStringLiteral("6 - 0.01 Kg"), QStringLiteral("8 - 0.05 Kg")}));
    // Choosing range 1's capacity again takes range 2's column entries at range 1's columns.
    c.setEnabled(4, false); // keep range 2's capacity as chosen
    ASSERT_TRUE(c.chooseCode(1, 22));
    EXPECT_EQ(c.list(4).entries,
              QStringList({QStringLiteral("6 - 0.01 Kg"), QString(), QStringLiteral("8 - 0.05 Kg")}));
}

TEST(SetupChoices, ALockedSetupKeepsRangeTwoAsItWas) {
    const Tables t;
    SetupChoices c(t.n, t.m1, t.m2);
    fill(c);
    for (int i = 0; i < SetupChoices::ListCount; ++i)
        c.setEnabled(i, false);
    for (int i = 1; i <= 4; ++i)
        c.setCompanionEnabled(i, false);
    // Read from the indicator while locked: two ranges chosen by code leave range 2 disabled, and
    // range 2's capacity list is not cut down, so any code can be found in it.
    ASSERT_TRUE(c.chooseIndex(0, 1));
    EXPECT_FALSE(c.isEnabled(3));
    EXPECT_FALSE(c.isCompanionEnabled(4));
    ASSERT_TRUE(c.chooseCode(1, 40));
    EXPECT_TRUE(c.chooseCode(3, 12));
}

TEST(SetupChoices, CompanionsFollowAndLeadTheirCodeLists) {
    Tables t;
    // An entry whose own code is not a capacity code can never be found again: it is not offered.
    t.n[50][0] = QStringLiteral("99 - 1 Kg");
    SetupChoices c(t.n, t.m1, t.m2);
    fill(c);
    c.chooseIndex(5, 0);
    c.chooseIndex(0, 0);
    EXPECT_FALSE(c.list(1).entries.contains(QStringLiteral("99 - 1 Kg")));
    EXPECT_FALSE(c.chooseCode(1, 99));

    // The user's choice in a companion chooses the code entry at the same place and runs its handler.
    const int position = int(c.companion(1).entries.indexOf(SetupChoices::bo(capacity(7))));
    ASSERT_TRUE(c.Combo44_Click(1, position));
    EXPECT_EQ(c.text(1), capacity(7));
    EXPECT_EQ(c.text(3), capacity(7));
    EXPECT_EQ(c.list(2).entries, divisionsOf(t.n, 7));

    // A code no entry carries leaves the choice as it was.
    ASSERT_TRUE(c.chooseCode(2, 4));
    EXPECT_FALSE(c.chooseCode(2, 9));
    EXPECT_EQ(c.text(2), QStringLiteral("4 - 0.002 Kg"));
    EXPECT_EQ(c.companion(2).entries.value(c.companion(2).index), QStringLiteral("0.002 Kg"));

    EXPECT_EQ(SetupChoices::bo(QStringLiteral("12 - 24 Kg")), QStringLiteral("24 Kg"));
    EXPECT_EQ(SetupChoices::bo(QStringLiteral("3 - 0.001")), QStringLiteral("0.001"));
    EXPECT_EQ(SetupChoices::bo(QStringLiteral("1 - ")), QString());
}

TEST(SetupChoices, LanguageTextsReplaceTheTwoShortListsInPlace) {
    const Tables t;
    SetupChoices c(t.n, t.m1, t.m2);
    fill(c);
    EXPECT_EQ(c.list(0).index, -1); // filled, nothing chosen
    c.chooseIndex(0, 1);
    c.fillRangeAndMetrological(QStringLiteral("0- Tek"), QStringLiteral("1- Çift"), QStringLiteral("0- A"),
                               QStringLiteral("1- B"));
    EXPECT_EQ(c.text(0), QStringLiteral("1- Çift"));
    EXPECT_EQ(c.list(5).entries.size(), 2);
    EXPECT_EQ(c.list(5).index, -1);
}
