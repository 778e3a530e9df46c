#include "support/windowfixture.h"

#include "support/programfolder.h"

WindowFixture::WindowFixture(SimIndicator::Model deviceModel)
    : store(std::make_unique<QtSettingsStore>(m_dir.filePath(QStringLiteral("settings.ini")))), indicator(deviceModel),
      port(indicator, clock) {
    makeProgramFolder(m_dir.path());
    program = std::make_unique<Program>(port, clock, dialogs, *store, folder());
}

bool WindowFixture::start(const QString& chosenModel) {
    program->session.ModelName = chosenModel;
    return program->app.Form_Load();
}
