#pragma once

#include "session/session.h"

#include <QString>
#include <QStringList>

#include <array>

// The calibration page's six set-up lists as data: range mode (0), capacity and division of
// range 1 (1, 2) and range 2 (3, 4), metrological choice (5), and the companions of lists 1..4
// that show the same entries without their codes. A capacity or division entry reads
// code " - " value; its companion text is the entry from its fifth character on, trimmed.
//
// The handlers are the lists' click handlers: choosing an entry (by the user or by code) runs the
// handler of its list, filling or clearing a list does not. They refill the capacity and division
// lists from the definition tables and mirror range 1 into range 2 in single-range mode. Their
// enabled-state tests read the enabled flags kept here; the combo boxes only show this model.
class SetupChoices {
public:
    static constexpr int ListCount = 6;

    struct List {
        QStringList entries;
        int index = -1; // entry chosen, -1 for none
        bool enabled = true;
        quint64 revision = 0; // moves whenever the entries change

        QString text() const { return index >= 0 && index < entries.size() ? entries[index] : QString(); }
    };

    SetupChoices(const DefinitionTable& normal, const DefinitionTable& singleRange, const DefinitionTable& twoRange);

    // The built-in capacity and division entries, no choice anywhere; range-mode and metrological
    // lists empty until fillRangeAndMetrological.
    void reset();

    const List& list(int i) const { return m_lists[i]; }           // Combo4(i), 0..5
    const List& companion(int i) const { return m_companions[i]; } // Combo44(i), 1..4
    QString text(int i) const { return m_lists[i].text(); }

    // Code of an entry: the value of its leading digits, 0 when there are none.
    static int entryCode(const QString& entry);
    // The companion text of an entry: "" for fewer than four characters, else the entry without its
    // first four characters, trimmed.
    static QString bo(const QString& entry);

    bool singleRange() const; // the range-mode code is 0 (also when nothing is chosen)

    // Range-mode and metrological lists: exactly these two entries each. A later call replaces the
    // texts in place and keeps the choice.
    void fillRangeAndMetrological(const QString& single, const QString& dual, const QString& normal,
                                  const QString& metrological);

    // Choosing: the entry at a position of Combo4(i), or the first entry equal to a text; each runs
    // the list's handler. False (and nothing changes) when there is no such entry.
    bool choosePosition(int i, int position);
    bool chooseText(int i, const QString& text);
    // The user's choice in a companion: Combo4(i) takes the entry at the same position.
    bool Combo44_Click(int i, int position);

    // Set-up read from the indicator: the first entry of Combo4(i) (1..4) with the code, then
    // bombo(i); false when no entry carries it (the list keeps its choice). Range mode and
    // metrological choice are chosen by position, provided a non-empty entry is there.
    bool chooseCode(int i, int code);
    bool chooseIndex(int i, int index);

    // The companion shows the choice of its code list.
    void bombo(int i);

    void Combo4_Click(int index);

    void setEnabled(int i, bool enabled);
    void setCompanionEnabled(int i, bool enabled);
    bool isEnabled(int i) const { return m_lists[i].enabled; }
    bool isCompanionEnabled(int i) const { return m_companions[i].enabled; }

private:
    const DefinitionTable& divisionTable() const;
    const DefinitionTable& capacityTable() const;
    static QString cell(const DefinitionTable& t, int row, int col);
    void clear(List& l);
    void add(List& l, const QString& entry);
    void choose(List& l, int position);
    void fillCapacities(List& l, List& companion, int fromCode);

    const DefinitionTable& m_normal;
    const DefinitionTable& m_singleRange;
    const DefinitionTable& m_twoRange;
    std::array<List, ListCount> m_lists;
    std::array<List, 5> m_companions; // [0] unused
};
