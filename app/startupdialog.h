#pragma once

#include "session/mainwidgets.h"

#include <QDialog>

struct Session;

// The start-up dialog Form1: the technician chooses the indicator model on it. Shown modeless
// while start-up runs; choosing a model sets ModelName and hides the model panel.
class StartupDialog : public QDialog {
    Q_OBJECT
public:
    // Heights of the model panel and of its frame shape, in twips.
    static constexpr int kPanelCompact = 2180;
    static constexpr int kPanelExpanded = 3100;
    static constexpr int kShapeCompact = 2150;
    static constexpr int kShapeExpanded = 3075;

    explicit StartupDialog(Session& session, QWidget* parent = nullptr);

    StartupWidgets& widgets() { return m_w; }

    void Form_Load();
    void Command1_Click();
    void SSCommand6_Click(int index);

    // Shows the brand picture in place of the brand label (or the label again).
    void showBrandPicture(bool picture);

    // Closing by the program (start-up done) is not the user closing the dialog.
    void unload();

signals:
    void modelChosen();
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fitToPanel();

    Session& m_session;
    StartupWidgets m_w;
    bool m_unloading = false;
};
