#include "pages/parameterrules.h"

#include "link/textroutines.h"
#include "platform/basic.h"
#include "session/messagetables.h"

#include <cmath>

ParamEditorKind parameterEditorKind(int row) {
    using K = ParamEditorKind;
    if (row <= 0 || row == 80 || row == 81 || row > 83)
        return K::Untouched;
    if (row == 1)
        return K::DateTime;
    if (row == 11)
        return K::NoneHidePanel;
    if ((row >= 18 && row <= 21) || row == 32 || row == 38 || row == 44 || row == 49 || row == 56 || row == 58 ||
        row == 78 || row == 79)
        return K::Text;
    if ((row >= 3 && row <= 10) || (row >= 13 && row <= 17) || (row >= 22 && row <= 27) || (row >= 29 && row <= 31) ||
        row == 33 || (row >= 35 && row <= 37) || row == 39 || (row >= 41 && row <= 43) || row == 45 || row == 46 ||
        row == 48 || (row >= 51 && row <= 55) || row == 57 || row == 59 || row == 60)
        return K::Choice;
    return K::None;
}

QStringList parameterChoiceItems(int row, const MessageTables& texts, bool qm2, bool configFlag0) {
    auto cfg = [&](int k) { return MessageTables::at(texts.CfgText, k); };
    auto msg = [&](int k) { return MessageTables::at(texts.MsgText, k); };
    auto cfgList = [&](std::initializer_list<int> ks) {
        QStringList l;
        for (int k : ks)
            l << cfg(k);
        return l;
    };
    QStringList items;
    switch (row) {
    case 3:
        return cfgList({2, 3});
    case 4:
        return cfgList({4, 5});
    case 5:
        return cfgList({6, 7, 8});
    case 6:
        items = cfgList({6, 9});
        if (!configFlag0)
            items << cfg(10);
        return items;
    case 7:
        items = cfgList({6, 11});
        if (!configFlag0)
            items << cfg(12) << cfg(13);
        return items;
    case 8:
        items = cfgList({6, 14});
        if (qm2)
            items << cfg(15);
        return items;
    case 9:
        items << QStringLiteral("0- ±0.3e") << QStringLiteral("1- ±0.5e");
        if (!configFlag0) {
            items << QStringLiteral("2- ±1.0e") << QStringLiteral("3- ±2.0e");
            // The fifth item takes the code 4 in front of the language text's wording.
            if (!cfg(16).isEmpty())
                items << QStringLiteral("4") + cfg(16).mid(1);
        }
        return items;
    case 10:
        return {msg(14), msg(15), msg(16)};
    case 13:
        for (int k = 0; k < 10; ++k)
            items << ZeroPad(2, QString::number(k));
        return items;
    case 14:
        return cfgList({17, 18, 19, 20, 21});
    case 15:
    case 16:
    case 17:
        return cfgList({6, 22, 23, 24, 25, 26});
    case 22:
        return cfgList({30, 31});
    case 23:
        return cfgList({28, 32, 33});
    case 24:
        return cfgList({34, 35});
    case 25:
        return cfgList({28, 29});
    case 26:
        return cfgList({6, 36, 37, 38});
    case 27:
        return {msg(17), msg(18)};
    case 29:
    case 35:
        return cfgList({6, 40, 41, 42});
    case 41:
    case 48:
        return cfgList({6, 40, 41, 42, 43});
    case 30:
    case 36:
    case 42:
        return {QStringLiteral("0-1200"), QStringLiteral("1-2400"),  QStringLiteral("2-4800"),
                QStringLiteral("3-9600"), QStringLiteral("4-19200"), QStringLiteral("5-38400"),
                QStringLiteral("6-57600")};
    case 31:
    case 43:
        return cfgList({44, 45});
    case 37:
        return cfgList({44, 45, 46});
    case 33:
    case 39:
    case 46:
        return {QStringLiteral("0- 8 bit,NONE parity"), QStringLiteral("1- 7 bit,ODD parity"),
                QStringLiteral("2- 7 bit,EVEN parity")};
    case 45:
        return cfgList({47, 48, 49});
    case 51:
        items = cfgList({50, 51});
        if (qm2)
            items << msg(2) << cfg(52);
        return items;
    case 52:
        return cfgList({6, 53});
    case 53:
    case 59:
        return cfgList({6, 39});
    case 54:
    case 55:
        return cfgList({6, 54, 55, 56});
    case 57:
        return cfgList({57, 58, 59});
    case 60:
        for (int k = 1; k <= 9; ++k)
            items << QString::number(k);
        return items;
    default:
        return {};
    }
}

int parameterChoicePosition(int row, const QString& cellText) {
    if (row == 13)
        return int(basic::Val(basic::Left(cellText, 2)));
    const int first = int(basic::Val(basic::Left(cellText, 1)));
    return (row == 51 || row == 60) ? first - 1 : first;
}

std::optional<int> placementMaxLength(int row) {
    switch (row) {
    case 18:
    case 20:
    case 56:
    case 78:
    case 79:
        return 6;
    case 19:
    case 32:
    case 38:
    case 44:
    case 49:
    case 58:
        return 2;
    default:
        return std::nullopt;
    }
}

bool isDecimalRow(int row) {
    return decimalRowIndex(row) >= 0;
}

int decimalRowIndex(int row) {
    switch (row) {
    case 18:
        return 0;
    case 20:
        return 1;
    case 56:
        return 2;
    default:
        return -1;
    }
}

std::optional<int> wholeNumberRowMaximum(int row) {
    switch (row) {
    case 19:
    case 32:
    case 38:
    case 44:
    case 49:
    case 58:
        return 255;
    case 78:
    case 79:
        return 65535;
    default:
        return std::nullopt;
    }
}

namespace {

struct Skip {
    int row;
    int adjust;
    enum When { Always, NotQM2, QM2 } when = Always;
};

// The adjustment added once to the row a move reaches: section rows are passed over, and rows
// of the second model when the first is served.
constexpr Skip kComboNext[] = {
    {2, 1},
    {11, 2},
    {12, 1},
    {14, 1, Skip::NotQM2},
    {18, 4, Skip::NotQM2},
    {27, 2, Skip::NotQM2},
    {28, 1},
    {34, 1},
    {40, 1},
    {47, 1},
    {50, 1},
    {52, 1, Skip::NotQM2},
    {54, 2, Skip::NotQM2},
    {61, 2},
    {77, 1},
};
constexpr Skip kComboPrevious[] = {
    {2, -1},
    {12, -2},
    {14, -1, Skip::NotQM2},
    {21, -4, Skip::NotQM2},
    {22, -1},
    {28, -2, Skip::NotQM2},
    {28, -1, Skip::QM2},
    {34, -1},
    {40, -1},
    {47, -1},
    {50, -1},
    {52, -1, Skip::NotQM2},
    {61, -1},
    {77, -1},
};
constexpr Skip kTextNext[] = {
    {2, 1}, {12, 1}, {22, 1}, {28, 1}, {34, 1}, {40, 1}, {47, 1}, {50, 1}, {61, 1}, {77, 1}, {80, 2},
};
constexpr Skip kTextUp[] = {
    {2, -1}, {12, -1}, {28, -1}, {34, -1}, {40, -1}, {47, -1}, {50, -1}, {61, -1}, {77, -1}, {81, -2},
};
constexpr Skip kTextShiftPrevious[] = {
    {2, -1},  {12, -1}, {28, -1}, {34, -1}, {40, -1}, {47, -1}, {50, -1}, {55, -2, Skip::NotQM2},
    {61, -1}, {77, -1}, {81, -2},
};

template <size_t N> int adjustment(const Skip (&table)[N], int row, bool qm2) {
    for (const Skip& s : table) {
        if (s.row != row)
            continue;
        if (s.when == Skip::Always || (s.when == Skip::NotQM2 && !qm2) || (s.when == Skip::QM2 && qm2))
            return s.adjust;
    }
    return 0;
}

} // namespace

std::optional<int> parameterMoveTarget(int row, ParamMove move, bool qm2, int lastRow) {
    const bool next = move == ParamMove::ComboNext || move == ParamMove::TextNext;
    if (next ? row >= lastRow : row <= 1)
        return std::nullopt;
    const int reached = next ? row + 1 : row - 1;
    switch (move) {
    case ParamMove::ComboNext:
        return reached + adjustment(kComboNext, reached, qm2);
    case ParamMove::ComboPrevious:
        return reached + adjustment(kComboPrevious, reached, qm2);
    case ParamMove::TextNext:
        return reached + adjustment(kTextNext, reached, qm2);
    case ParamMove::TextUp:
        return reached + adjustment(kTextUp, reached, qm2);
    case ParamMove::TextShiftPrevious:
        return reached + adjustment(kTextShiftPrevious, reached, qm2);
    }
    return reached;
}

double decimalFactor(const QString& divisionDecimals) {
    return std::pow(10.0, double(divisionDecimals.size()));
}

int decimalsOf(const QString& text) {
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == u'.' || text[i] == u',')
            return int(text.size()) - i - 1;
    }
    return 0;
}
