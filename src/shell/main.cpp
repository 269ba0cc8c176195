#include <QApplication>
#include <QIcon>
#include <filesystem>

#include "files/recovery_store.h"
#include "files/data_locations.h"
#include "model/version.h"
#include "shell/main_window.h"
#include "shell/printing.h"
#include "shell/program_setup.h"
#include "shell/start_hooks.h"
#include "shell/user_settings.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    pylora::useProgramSettings();
    QApplication::setApplicationVersion(pylora::kProgramVersion);
    QApplication::setDesktopFileName("cn.pylora.Pylora");
    QApplication::setWindowIcon(QIcon(":/pylora/pylora.svg"));
    pylora::setUpProgram(app);

    const pylora::Services services = pylora::programServices(QCoreApplication::applicationFilePath().toStdString());
    pylora::SystemPrinter printer;
    auto* main = new pylora::MainWindow(services, printer);
    main->setWindowIcon(QApplication::windowIcon());
    main->setCaseQuestions(pylora::dialogQuestions());
    const std::filesystem::path recovery = pylora::recoveryFolder();
    main->keepForRecovery(recovery);
    main->show();
    main->offerRecovery();
    pylora::openFromCommandLine(*main, QApplication::arguments().mid(1));
    if (qEnvironmentVariableIsSet("PYLORA_TYPE_AT_START"))
        pylora::typeAtStart(*main, qEnvironmentVariable("PYLORA_TYPE_AT_START"));
    // The program ends when its last window closes, the main window or a calculator window.
    const int status = app.exec();
    // A clean exit: nothing to recover at the next start.
    for (const auto& copy : pylora::ownRecoveryFiles(recovery)) {
        std::error_code ignored;
        std::filesystem::remove(copy, ignored);
    }
    return status;
}
