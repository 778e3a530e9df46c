#include "calibration/setupchoices.h"

#include "calibration/setupcodes.h"

namespace {
constexpr int kLastCapacityCode = CapacityCodeCount - 1; // 85: row 86 is never offered
} // namespace

SetupChoices::SetupChoices(const DefinitionTable& normal, const DefinitionTable& singleRange,
                           const DefinitionTable& twoRange)
    : m_normal(normal), m_singleRange(singleRange), m_twoRange(twoRange) {
    reset();
}

void SetupChoices::reset() {
    for (List& l : m_lists)
        clear(l);
    for (List& l : m_companions)
        clear(l);
    for (int code = 0; code <= kLastCapacityCode; ++code) {
        const QString entry = builtInCapacityEntry(code);
        for (int i : {1, 3}) {
            add(m_lists[i], entry);
            add(m_companions[i], bo(entry));
        }
    }
    for (int code = FirstDivisionCode; code <= LastDivisionCode; ++code) {
        const QString entry = builtInDivisionEntry(code);
        for (int i : {2, 4}) {
            add(m_lists[i], entry);
            add(m_companions[i], bo(entry));
        }
    }
}

int SetupChoices::entryCode(const QString& entry) {
    int code = 0;
    qsizetype i = 0;
    while (i < entry.size() && entry[i] == u' ')
        ++i;
    for (; i < entry.size() && entry[i] >= u'0' && entry[i] <= u'9'; ++i) {
        code = code * 10 + (entry[i].unicode() - u'0');
        if (code > 100000)
            break; // far beyond any code; stays out of range
    }
    return code;
}

QString SetupChoices::bo(const QString& entry) {
    if (entry.size() < 4)
        return QString();
    return entry.mid(4).trimmed();
}

bool SetupChoices::singleRange() const {
    return entryCode(text(0)) == 0;
}

// Both refill rules read the two codes the same way; with no choice made yet a list counts as code
// 0 (single range, not metrological).
const DefinitionTable& SetupChoices::divisionTable() const {
    if (entryCode(text(5)) != 1)
        return m_normal;
    return singleRange() ? m_singleRange : m_twoRange;
}

const DefinitionTable& SetupChoices::capacityTable() const {
    return divisionTable();
}

QString SetupChoices::cell(const DefinitionTable& t, int row, int col) {
    if (row < 0 || row >= int(t.size()) || col < 0 || col >= int(t[0].size()))
        return QString();
    return t[std::size_t(row)][std::size_t(col)];
}

void SetupChoices::clear(List& l) {
    l.entries.clear();
    l.index = -1;
    ++l.revision;
}

void SetupChoices::add(List& l, const QString& entry) {
    l.entries.append(entry);
    ++l.revision;
}

void SetupChoices::choose(List& l, int position) {
    l.index = position;
    ++l.revision;
}

void SetupChoices::fillRangeAndMetrological(const QString& single, const QString& dual, const QString& normal,
                                            const QString& metrological) {
    auto fill = [this](List& l, const QString& a, const QString& b) {
        const int keep = l.entries.size() == 2 ? l.index : -1;
        l.entries = {a, b};
        l.index = keep;
        ++l.revision;
    };
    fill(m_lists[0], single, dual);
    fill(m_lists[5], normal, metrological);
}

bool SetupChoices::choosePosition(int i, int position) {
    if (i < 0 || i >= ListCount || position < 0 || position >= m_lists[i].entries.size())
        return false;
    choose(m_lists[i], position);
    Combo4_Click(i);
    return true;
}

bool SetupChoices::chooseText(int i, const QString& text) {
    if (i < 0 || i >= ListCount)
        return false;
    return choosePosition(i, int(m_lists[i].entries.indexOf(text)));
}

bool SetupChoices::Combo44_Click(int i, int position) {
    if (i < 1 || i > 4 || position < 0 || position >= m_companions[i].entries.size())
        return false;
    choose(m_companions[i], position);
    return choosePosition(i, position);
}

bool SetupChoices::chooseCode(int i, int code) {
    if (i < 1 || i > 4)
        return false;
    const QStringList& entries = m_lists[i].entries;
    for (int k = 0; k < entries.size(); ++k) {
        if (!entries[k].isEmpty() && entryCode(entries[k]) == code) {
            choosePosition(i, k);
            bombo(i);
            return true;
        }
    }
    return false;
}

bool SetupChoices::chooseIndex(int i, int index) {
    if (i != 0 && i != 5)
        return false;
    if (index < 0 || index >= m_lists[i].entries.size() || m_lists[i].entries[index].isEmpty())
        return false;
    return choosePosition(i, index);
}

void SetupChoices::bombo(int i) {
    if (i < 1 || i > 4)
        return;
    // Only the companion moves: its own handler would choose the same entry of the code list again.
    const QString shown = bo(text(i));
    List& k = m_companions[i];
    choose(k, shown.isEmpty() ? -1 : int(k.entries.indexOf(shown)));
}

void SetupChoices::fillCapacities(List& l, List& companion, int fromCode) {
    const DefinitionTable& t = capacityTable();
    for (int j = fromCode; j <= kLastCapacityCode; ++j) {
        const QString entry = cell(t, j, 0);
        // An entry whose own code lies outside the codes could never be looked up again.
        if (entry.isEmpty() || !isCapacityCode(entryCode(entry)))
            continue;
        add(l, entry);
        add(companion, bo(entry));
    }
}

void SetupChoices::Combo4_Click(int index) {
    List* C = m_lists.data();
    List* K = m_companions.data();
    switch (index) {
    case 0:
        if (singleRange()) {
            for (int i : {3, 4}) {
                C[i].enabled = false;
                K[i].enabled = false;
            }
        } else if (C[0].enabled) {
            // While the page keeps the set-up locked, range 2 stays as it was.
            for (int i : {3, 4}) {
                C[i].enabled = true;
                K[i].enabled = true;
            }
        }
        Combo4_Click(5);
        break;
    case 1: {
        if (singleRange()) {
            chooseText(3, text(1));
            bombo(3);
        }
        clear(C[2]);
        clear(C[4]);
        clear(K[2]);
        clear(K[4]);
        for (int k = 1; k <= 7; ++k) {
            const DefinitionTable& t = divisionTable();
            const int r1 = entryCode(text(1));
            const int r2 = entryCode(text(3));
            const QString d1 = cell(t, r1, k);
            if (d1.isEmpty())
                continue;
            const QString d2 = cell(t, r2, k);
            add(C[2], d1);
            add(C[4], d2);
            add(K[2], bo(d1));
            add(K[4], bo(d2));
        }
        // Two ranges in use: range 2 offers only the capacities above range 1's, chosen afresh.
        if (C[4].enabled) {
            clear(C[3]);
            clear(K[3]);
            fillCapacities(C[3], K[3], entryCode(text(1)) + 1);
        }
        break;
    }
    case 2:
        if (singleRange()) {
            chooseText(4, text(2));
            bombo(4);
        }
        break;
    case 3: {
        clear(C[4]);
        clear(K[4]);
        const DefinitionTable& t = divisionTable();
        const int r2 = entryCode(text(3));
        for (int k = 1; k <= 7; ++k) {
            const QString d = cell(t, r2, k);
            if (d.isEmpty())
                continue;
            add(C[4], d);
            add(K[4], bo(d));
        }
        break;
    }
    case 4:
        break;
    case 5:
        for (int i : {1, 3}) {
            clear(C[i]);
            clear(K[i]);
        }
        {
            // Both capacity lists get the same entries; neither is chosen.
            fillCapacities(C[1], K[1], 0);
            C[3].entries = C[1].entries;
            K[3].entries = K[1].entries;
            ++C[3].revision;
            ++K[3].revision;
        }
        break;
    default:
        break;
    }
}

void SetupChoices::setEnabled(int i, bool enabled) {
    if (i >= 0 && i < ListCount)
        m_lists[i].enabled = enabled;
}

void SetupChoices::setCompanionEnabled(int i, bool enabled) {
    if (i >= 1 && i <= 4)
        m_companions[i].enabled = enabled;
}
