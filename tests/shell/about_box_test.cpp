#include "model/version.h"
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "fake_printer.h"
#include "gui_test_main.h"
#include "shell/about_box.h"
#include "shell/main_window.h"

using namespace pylora;

class AboutBoxTest : public QObject {
    Q_OBJECT

    FakePrinter printer;

    static QString labelText(QWidget* box, const char* name) { return box->findChild<QLabel*>(name)->text(); }

    // Presses "系统信息(&S)..." and returns the text of the message box it shows (empty when none).
    static QString messageAfterSystemInfo(AboutBox* box) {
        const ModalWatchdog::Expected expected;
        QString message;
        QTimer answer;  // ends with this function, so it never fires into a later test
        answer.setSingleShot(true);
        QObject::connect(&answer, &QTimer::timeout, [&message] {
            if (auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                message = shown->text();
                shown->accept();
            }
        });
        answer.start(100);
        QTest::mouseClick(box->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        return message;
    }

private slots:
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets()) w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void theMenuEntryShowsTheBoxWithTitleVersionAndDescription() {
        MainWindow main(Services{}, printer);
        main.show();
        main.findChild<QAction*>("MENU_help_about")->trigger();
        AboutBox* box = main.aboutBox();
        QVERIFY(box);
        QVERIFY(box->isVisible());
        QVERIFY(!box->isModal());
        QVERIFY(!box->parent());
        QCOMPARE(box->windowTitle(), QString("关于 Pylora"));
        QCOMPARE(labelText(box, "lblTitle"), QString("Pylora"));
        QCOMPARE(labelText(box, "lblVersion"), QString("版本 ") + pylora::kProgramVersion);
        QVERIFY(labelText(box, "lblLicence").contains("GPL-3.0-or-later"));
        QVERIFY(labelText(box, "lblDescription").startsWith("         本软件仅适合"));
        QVERIFY(labelText(box, "lblDescription").endsWith("谢谢使用！"));
        QCOMPARE(box->findChild<QPushButton*>("cmdSysInfo")->text(), QString("系统信息(&S)..."));
        main.findChild<QAction*>("MENU_help_about")->trigger();
        QCOMPARE(main.aboutBox(), box);
        // With PYLORA_SCREENSHOT_DIR set, the box is kept there for a look at what the user sees.
        if (const QString folder = qEnvironmentVariable("PYLORA_SCREENSHOT_DIR"); !folder.isEmpty())
            QVERIFY(box->grab().save(folder + "/帮助.png"));
    }

    void okAndEscCloseTheBoxAndTheNextChoiceCreatesItAfresh() {
        MainWindow main(Services{}, printer);
        for (auto close : {+[](AboutBox* b) { QTest::mouseClick(b->findChild<QPushButton*>("cmdOK"), Qt::LeftButton); },
                           +[](AboutBox* b) { QTest::keyClick(b, Qt::Key_Escape); }}) {
            QPointer<AboutBox> box = main.showAboutBox();
            close(box);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!box);
            QVERIFY(!main.aboutBox());
        }
        QVERIFY(main.showAboutBox()->isVisible());
    }

    void withoutASystemInformationProgramTheBoxSaysSoAndStaysOpen() {
        auto* box = new AboutBox({"/nonexistent/pylora-system-information"});
        box->show();
        QCOMPARE(messageAfterSystemInfo(box), QString("此时系统信息不可用"));
        QVERIFY(box->isVisible());
    }

    void anInstalledProgramIsStartedWithoutAMessage() {
        auto* box = new AboutBox({"/nonexistent/pylora-system-information", "true"});
        box->show();
        QCOMPARE(messageAfterSystemInfo(box), QString());
    }
};

PYLORA_GUI_TEST_MAIN(AboutBoxTest)
#include "about_box_test.moc"
