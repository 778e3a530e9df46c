#include "calibration/calibrationprocs.h"

#include "app/context.h"
#include "app/mainwidgets.h"
#include "app/session.h"

#include <QSignalBlocker>

namespace {

void fillTwo(QComboBox* combo, const QString& first, const QString& second) {
    if (!combo)
        return;
    const QSignalBlocker block(combo);
    if (combo->count() != 2) {
        combo->clear();
        combo->addItem(first);
        combo->addItem(second);
        // Filled, not chosen: nothing is chosen until the set-up has been read, and a calibration
        // refuses to start on an empty choice.
        combo->setCurrentIndex(-1);
        return;
    }
    combo->setItemText(0, first);
    combo->setItemText(1, second);
}

} // namespace

void CalibrationProcs::ComboKalibDoldur() {
    if (!m_ctx.w)
        return;
    const MessageTables& t = m_ctx.session.messages;
    fillTwo(m_ctx.w->Combo4[0], MessageTables::at(t.CalibText, 5), MessageTables::at(t.CalibText, 6));
    fillTwo(m_ctx.w->Combo4[5], MessageTables::at(t.CalibText, 7), MessageTables::at(t.CalibText, 8));
}
