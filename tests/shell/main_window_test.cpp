#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <QTest>

#include <optional>

#include "fake_printer.h"
#include "gui_test_main.h"
#include "shell/calc_window.h"
#include "shell/main_window.h"

using namespace pylora;

class MainWindowTest : public QObject {
    Q_OBJECT

    FakePrinter printer;

    MainWindow* makeMain() { return new MainWindow(Services{}, printer); }

    static QAction* findAction(QWidget* main, const char* name) {
        return main->findChild<QAction*>(name);
    }

private slots:
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets()) w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void showsTitleClientAreaAndMenus() {
        MainWindow* main = makeMain();
        main->show();
        QCOMPARE(main->windowTitle(), QString("Pylora"));
        QCOMPARE(main->centralWidget()->size(), QSize(654, 494));
        QWidget* picture = main->findChild<QWidget*>("Image1");
        QVERIFY(picture);
        QCOMPARE(picture->geometry(), QRect(8, 8, 640, 480));
        QStringList captions;
        for (QAction* a : main->menuBar()->actions()) captions << a->text();
        QCOMPARE(captions, (QStringList{"文件(&F)", "线路提料选型(&B)", "线路相关计算(&L)", "穿越设计计算(&C)", "跨越设计计算(&K)",
                                        "工具(&T)", "打印(&P)", "帮助(&H)"}));
        QCOMPARE(findAction(main, "MENU_CHUAN_DING2")->text(), QString("定向钻穿越纵断面计算（二） "));
        QCOMPARE(findAction(main, "MENU_print_print")->text(), QString("打印 "));
        // The two entries that open nothing are grey; every other entry acts.
        const QStringList openNothing{"menu_KUA_BU", "menu_KUA_LINE"};
        for (QAction* a : main->findChildren<QAction*>()) {
            // The 文件 menu's entries are the program's own, with the usual keys.
            const QString owner = a->parent() ? a->parent()->objectName() : QString();
            if (a->objectName().startsWith("file_") || owner.startsWith("file_") || owner == "menu_file") continue;
            QCOMPARE(a->isEnabled(), !openNothing.contains(a->objectName()));
            QVERIFY(a->shortcut().isEmpty());
            QVERIFY(!a->isCheckable());
        }
    }

    void aWindowExistsOnceAndKeepsItsTexts() {
        MainWindow* main = makeMain();
        main->show();
        findAction(main, "menu_LINE_BI")->trigger();
        CalcWindow* first = main->openWindow("壁厚计算");
        QVERIFY(first);
        QCOMPARE(first->windowTitle(), QString("壁厚计算"));
        auto* pressure = qobject_cast<QLineEdit*>(first->widgetFor("Text2"));
        pressure->selectAll();
        QTest::keyClicks(pressure, "6.3");
        findAction(main, "menu_LINE_BI")->trigger();
        QCOMPARE(main->openWindow("壁厚计算"), first);
        QCOMPARE(first->model().form().text("Text2"), std::string("6.3"));
        int count = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<CalcWindow*>(w) && w->isVisible()) ++count;
        QCOMPARE(count, 1);
    }

    void aClosedWindowReopensWithItsDefaults() {
        MainWindow* main = makeMain();
        main->show();
        CalcWindow* window = main->showWindow("壁厚计算");
        window->model().form().type("Text2", "6.3");
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!main->openWindow("壁厚计算"));
        CalcWindow* again = main->showWindow("壁厚计算");
        QCOMPARE(again->model().form().text("Text2"), std::string("3.92"));
    }

    void closingTheMainWindowLeavesCalculatorsOpen() {
        MainWindow* main = makeMain();
        main->show();
        QPointer<CalcWindow> window = main->showWindow("坐标转换");
        main->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window);
        QVERIFY(window->isVisible());
        window->press("Command1");
        QCOMPARE(window->model().form().text("Text11"), std::string(" "));
    }

    void entriesWithoutWindowsDoNothing() {
        MainWindow* main = makeMain();
        main->show();
        const int before = QApplication::topLevelWidgets().size();
        for (const char* name : {"menu_KUA_BU", "menu_KUA_LINE"}) findAction(main, name)->trigger();
        QCOMPARE(QApplication::topLevelWidgets().size(), before);
    }

    void printMenuActsOnTheLastActiveWindow() {
        MainWindow* main = makeMain();
        main->show();
        // No calculator window yet: the entries say so in a box, and print nothing.
        auto expected = std::make_optional<ModalWatchdog::Expected>();  // this box is expected
        for (const char* entry : {"MENU_print_pre", "MENU_print_print"}) {
            QString said;
            QTimer answer;
            answer.setSingleShot(true);
            QObject::connect(&answer, &QTimer::timeout, [&said] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    said = box->text();
                    box->accept();
                }
            });
            answer.start(50);
            findAction(main, entry)->trigger();
            QCOMPARE(said, MainWindow::kNothingToPrint);
        }
        QVERIFY(printer.previewed.empty());
        QVERIFY(printer.dialogPrinted.empty());
        expected.reset();
        main->showWindow("坐标转换");
        main->showWindow("壁厚计算");
        findAction(main, "MENU_print_pre")->trigger();
        findAction(main, "MENU_print_pr")->trigger();
        findAction(main, "MENU_print_print")->trigger();
        QCOMPARE(printer.previewed, std::vector<QString>{"壁厚计算"});
        QCOMPARE(printer.setups, 1);
        QCOMPARE(printer.dialogPrinted, std::vector<QString>{"壁厚计算"});
    }
};

PYLORA_GUI_TEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
