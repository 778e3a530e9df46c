#pragma once

#include <QString>
#include <QVector>

// The texts every other routine shows, each taken from a fixed line of the language file: element
// k of a table whose first line is F is line F + k. Elements start empty and are only ever
// overwritten by a load, so a shorter file leaves the texts of a longer earlier one in place.
struct MessageTables {
    struct Range {
        int firstLine;
        int lastLine; // last line that fills the table
        int size;     // elements the table has room for
    };
    static constexpr Range kGridHeadText{75, 77, 3};
    static constexpr Range kGridText{78, 174, 101};
    static constexpr Range kCfgText{175, 234, 61};
    static constexpr Range kStatusText{235, 252, 18};
    static constexpr Range kStepText{253, 271, 19};
    static constexpr Range kSpareText{272, 279, 8};
    static constexpr Range kNoticeText{281, 300, 20};
    static constexpr Range kWriteText{303, 306, 5};
    static constexpr Range kErrorText{309, 313, 5};
    static constexpr Range kDayNames{314, 320, 7};
    static constexpr Range kMsgText{321, 354, 34};
    static constexpr Range kCalibText{355, 365, 11};
    static constexpr Range kModelText{366, 367, 2};
    static constexpr Range kExtraText{368, 418, 51};
    static constexpr int kClearBoxTitleLine = 57;
    static constexpr int kLastLine = 418;

    QVector<QString> GridHeadText = QVector<QString>(kGridHeadText.size);
    QVector<QString> GridText = QVector<QString>(kGridText.size);
    QVector<QString> CfgText = QVector<QString>(kCfgText.size);
    QVector<QString> StatusText = QVector<QString>(kStatusText.size);
    QVector<QString> StepText = QVector<QString>(kStepText.size);
    QVector<QString> SpareText = QVector<QString>(kSpareText.size);
    QVector<QString> NoticeText = QVector<QString>(kNoticeText.size);
    QVector<QString> WriteText = QVector<QString>(kWriteText.size);
    QVector<QString> ErrorText = QVector<QString>(kErrorText.size);
    QVector<QString> DayNames = QVector<QString>(kDayNames.size);
    QVector<QString> MsgText = QVector<QString>(kMsgText.size);
    QVector<QString> CalibText = QVector<QString>(kCalibText.size);
    QVector<QString> ModelText = QVector<QString>(kModelText.size);
    QVector<QString> ExtraText = QVector<QString>(kExtraText.size);
    QString ClearBoxTitle;

    // Element k of a table, or "" when k is out of its range.
    static QString at(const QVector<QString>& table, int k) {
        return (k >= 0 && k < table.size()) ? table[k] : QString();
    }
};
