// Crash recovery with the real program: pylora started offscreen, a field typed, the recovery
// copy awaited, the program killed (SIGKILL: no clean exit, as a crash or a power cut); the next
// start, answering "restore", brings the typed input back in its window.
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <signal.h>

#include "files/recovery_store.h"
#include "fake_printer.h"
#include "gui_test_main.h"
#include "shell/calc_window.h"
#include "shell/main_window.h"
#include "test_services.h"

using namespace pylora;

class CrashRecoveryTest : public QObject {
    Q_OBJECT

    FakePrinter printer;
    QTemporaryDir home;

private slots:
    void inputsTypedBeforeAKillComeBack() {
        const QString state = home.filePath("state");
        const std::filesystem::path folder = std::filesystem::path(state.toStdString()) / "pylora" / "recovery";
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_STATE_HOME", state);
        environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
        environment.insert("XDG_DATA_HOME", home.filePath("data"));
        environment.insert("PYLORA_TYPE_AT_START", "壁厚计算:Text5=0.9");
        program.setProcessEnvironment(environment);
        program.start(PYLORA_PROGRAM, {});
        QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));
        const std::filesystem::path copy =
            folder / std::filesystem::u8path(std::to_string(program.processId()) + "-壁厚计算.pylora");
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(copy), 20000);
        ::kill(static_cast<pid_t>(program.processId()), SIGKILL);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::CrashExit);
        QVERIFY2(std::filesystem::exists(copy), "no clean exit: the copy stays");

        // The next start, as main() makes it, with the question answered "restore".
        const Services services = testServices();
        auto* main = new MainWindow(services, printer);
        CaseQuestions questions;
        int asked = 0;
        questions.restoreAfterCrash = [&asked](QWidget*, const QStringList& unsaved) {
            ++asked;
            return unsaved == QStringList{"壁厚计算"};
        };
        main->setCaseQuestions(questions);
        main->keepForRecovery(folder);
        QCOMPARE(main->offerRecovery(), 1);
        QCOMPARE(asked, 1);
        CalcWindow* restored = main->openWindow("壁厚计算");
        QVERIFY(restored);
        QCOMPARE(QString::fromStdString(restored->model().form().text("Text5")), QString("0.9"));
        QVERIFY(restored->isModified());  // still unsaved
        QVERIFY(!std::filesystem::exists(copy));
        main->close();
        restored->closeWithoutAsking();
    }
};

PYLORA_GUI_TEST_MAIN(CrashRecoveryTest)
#include "crash_recovery_test.moc"
