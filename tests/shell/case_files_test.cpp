// The "文件(&F)" menu: save, open, the title that names the file and marks changes, the question
// before a changed window closes (answered here, never a dialog), and crash recovery.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <fstream>

#include "files/recovery_store.h"
#include "fake_printer.h"
#include "gui_test_main.h"
#include "shell/calc_window.h"
#include "shell/main_window.h"
#include "test_services.h"

using namespace pylora;

class CaseFilesTest : public QObject {
    Q_OBJECT

    FakePrinter printer;
    QTemporaryDir folder;
    QString told;
    QStringList restoreOffered;  // what the question after a crash named
    int closeQuestions = 0;
    QString closeTitle;  // the window the question named
    CloseAnswer closeAnswer = CloseAnswer::Discard;
    QList<QStringList> quitQuestions;  // what the one question before quitting listed, each time

    std::filesystem::path file(const char* name) const { return std::filesystem::path(folder.path().toStdString()) / name; }

    MainWindow* makeMain() {
        const Services services = testServices();
        auto* main = new MainWindow(services, printer);
        CaseQuestions questions;
        questions.savePath = [this](QWidget*, const QString&) { return QString::fromStdString(file("asked.pylora").string()); };
        questions.saveBeforeClosing = [this](QWidget*, const QString& title) {
            closeTitle = title;
            ++closeQuestions;
            return closeAnswer;
        };
        questions.saveAllBeforeQuitting = [this](QWidget*, const QStringList& unsaved) {
            quitQuestions << unsaved;
            return closeAnswer;
        };
        questions.restoreAfterCrash = [this](QWidget*, const QStringList& unsaved) {
            restoreOffered = unsaved;
            return true;
        };
        questions.tell = [this](QWidget*, const QString& message) { told = message; };
        main->setCaseQuestions(questions);
        main->keepForRecovery(file("recovery"));
        return main;
    }

    static void type(CalcWindow* window, const char* field, const char* text) {
        auto* edit = qobject_cast<QLineEdit*>(window->widgetFor(field));
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }  // recent files: not the tester's
    void init() {
        told.clear();
        closeQuestions = 0;
        closeAnswer = CloseAnswer::Discard;
        quitQuestions.clear();
    }
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets()) w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void fileMenuComesFirstWithItsEntries() {
        MainWindow* main = makeMain();
        QCOMPARE(main->menuBar()->actions().first()->text(), QString("文件(&F)"));
        QCOMPARE(main->findChild<QAction*>("file_open")->text(), QString("打开计算…"));
        QCOMPARE(main->findChild<QAction*>("file_open")->shortcut(), QKeySequence(QKeySequence::Open));
        QCOMPARE(main->findChild<QAction*>("file_save")->text(), QString("保存计算"));
        QCOMPARE(main->findChild<QAction*>("file_save")->shortcut(), QKeySequence(QKeySequence::Save));
        QCOMPARE(main->findChild<QAction*>("file_save_as")->text(), QString("另存为…"));
        QVERIFY(main->findChild<QMenu*>("file_recent"));
    }

    void savedCaseOpensWithItsInputsResultsAndName() {
        MainWindow* main = makeMain();
        CalcWindow* window = main->showWindow("壁厚计算");
        type(window, "Text2", "6.3");
        QVERIFY(window->windowTitle().endsWith(" *"));
        window->pressDefaultRun();
        const QString result = QString::fromStdString(window->model().form().text("Text6"));
        QVERIFY(window->saveCaseTo(file("壁厚.pylora")));
        QCOMPARE(window->windowTitle(), QString::fromStdString(window->model().definition().title()) + " — 壁厚.pylora");
        window->close();
        QCOMPARE(closeQuestions, 0);  // saved: nothing to ask
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        CalcWindow* opened = main->openCaseFile(file("壁厚.pylora"));
        QVERIFY(opened);
        QCOMPARE(QString::fromStdString(opened->model().form().text("Text2")), QString("6.3"));
        QCOMPARE(QString::fromStdString(opened->model().form().text("Text6")), result);
        QVERIFY(!opened->isModified());
        QVERIFY(opened->statusText().contains("相同"));
        QCOMPARE(main->recentCaseFiles().first(), QString::fromStdString(file("壁厚.pylora").string()));
    }

    // An input changed after the run and saved without running: the case keeps the input, and
    // reopened, nothing is recomputed, so the results shown are greyed and the status says why.
    void inputsChangedAfterTheRunOpenWithStaleResults() {
        MainWindow* main = makeMain();
        CalcWindow* window = main->showWindow("壁厚计算");
        window->pressDefaultRun();
        type(window, "Text2", "5");
        QVERIFY(window->saveCaseTo(file("改动.pylora")));
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        CalcWindow* opened = main->openCaseFile(file("改动.pylora"));
        QVERIFY(opened);
        QCOMPARE(QString::fromStdString(opened->model().form().text("Text2")), QString("5"));
        for (const char* result : {"Text6", "Text7", "Text10"}) QVERIFY2(opened->isStale(result), result);
        QVERIFY(!opened->statusText().contains("相同"));
        QVERIFY(opened->statusText().contains("尚未计算"));
        opened->pressDefaultRun();
        QVERIFY(!opened->isStale("Text6"));
    }

    // A result a fresh window opens with (R = 10.2) belongs to its default inputs: an edit before
    // any run greys it.
    void anEditBeforeAnyRunGreysTheResultsTheWindowOpenedWith() {
        MainWindow* main = makeMain();
        CalcWindow* window = main->showWindow("管架发送道相关计算");
        QVERIFY(!window->isStale("Text5"));
        type(window, "Text1", "20");
        QVERIFY(window->isStale("Text5"));
    }

    // Two cases of one calculation side by side: a case opens in a window of its own when the
    // form's window holds another case or unsaved changes, which stay as they were; the menu
    // entry still brings the form's one window forward, and a case open already is not opened
    // twice. Each window keeps its own recovery copy, and quitting names both.
    void aSecondCaseOpensBesideTheFirst() {
        MainWindow* main = makeMain();
        CalcWindow* writer = main->showWindow("壁厚计算");
        type(writer, "Text2", "6.3");
        writer->pressDefaultRun();
        QVERIFY(writer->saveCaseTo(file("甲.pylora")));
        type(writer, "Text2", "7");
        writer->pressDefaultRun();
        QVERIFY(writer->saveCaseTo(file("乙.pylora")));
        writer->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        CalcWindow* first = main->openCaseFile(file("甲.pylora"));
        CalcWindow* second = main->openCaseFile(file("乙.pylora"));
        QVERIFY(first && second && first != second);
        QVERIFY(first->isVisible() && second->isVisible());
        QCOMPARE(QString::fromStdString(first->model().form().text("Text2")), QString("6.3"));
        QCOMPARE(QString::fromStdString(second->model().form().text("Text2")), QString("7"));
        QCOMPARE(main->openCaseFile(file("甲.pylora")), first);
        QCOMPARE(main->showWindow("壁厚计算"), first);
        QCOMPARE(main->calcWindows().size(), std::size_t(2));

        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        CalcWindow* typed = main->showWindow("壁厚计算");
        type(typed, "Text5", "0.7");
        CalcWindow* beside = main->openCaseFile(file("甲.pylora"));
        QVERIFY(beside != typed);
        QCOMPARE(closeQuestions, 0);  // nothing of the engineer's was in the way
        QCOMPARE(QString::fromStdString(typed->model().form().text("Text5")), QString("0.7"));

        type(beside, "Text5", "0.6");
        typed->writeRecoveryCopy();
        beside->writeRecoveryCopy();
        QCOMPARE(ownRecoveryFiles(file("recovery")).size(), std::size_t(2));
        closeAnswer = CloseAnswer::Discard;
        QVERIFY(main->quit());
        QCOMPARE(quitQuestions.size(), 1);
        QCOMPARE(quitQuestions.first().size(), 2);
        QVERIFY(!typed->isVisible() && !second->isVisible());
    }

    void aFileThatIsNoCaseIsToldAndChangesNothing() {
        MainWindow* main = makeMain();
        CalcWindow* window = main->showWindow("壁厚计算");
        type(window, "Text5", "0.7");
        std::ofstream(file("bad.pylora")) << "{\"format\": \"pylora-case\", \"format_version\": 1, \"form\": \"壁厚计算\"";
        QVERIFY(!main->openCaseFile(file("bad.pylora")));
        QVERIFY(told.contains("bad.pylora"));
        QCOMPARE(main->openWindow("壁厚计算"), window);
        QCOMPARE(QString::fromStdString(window->model().form().text("Text5")), QString("0.7"));
    }

    void closingAChangedWindowAsks() {
        MainWindow* main = makeMain();
        CalcWindow* window = main->showWindow("壁厚计算");
        type(window, "Text5", "0.8");
        closeAnswer = CloseAnswer::Cancel;
        QVERIFY(!window->close());
        QCOMPARE(closeQuestions, 1);
        QCOMPARE(closeTitle, QString::fromStdString(window->model().definition().title()));  // no change mark
        closeAnswer = CloseAnswer::Save;
        QVERIFY(window->close());
        QVERIFY(std::filesystem::exists(file("asked.pylora")));
    }

    // Quitting asks once about every unsaved window, names each without the change mark, and
    // takes every window with it; cancel keeps all, save all writes each.
    void quittingAsksOnceAboutEverythingUnsavedThenClosesAll() {
        MainWindow* main = makeMain();
        main->show();
        QAction* quit = main->findChild<QAction*>("file_quit");
        QVERIFY(quit);
        QCOMPARE(quit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
        QCOMPARE(quit->shortcutContext(), Qt::ApplicationShortcut);  // from a calculator window too
        CalcWindow* saved = main->showWindow("壁厚计算");
        type(saved, "Text5", "0.8");
        QVERIFY(saved->saveCaseTo(file("壁厚 K12.pylora")));
        type(saved, "Text5", "0.7");
        CalcWindow* fresh = main->showWindow("土壤荷载计算");
        for (QLineEdit* edit : fresh->findChildren<QLineEdit*>())
            if (edit->isEnabled() && !edit->isReadOnly() && edit->isVisible()) {
                QTest::keyClicks(edit, "2");
                break;
            }
        QVERIFY(fresh->isModified());
        CalcWindow* untouched = main->showWindow("计算器");
        QVERIFY(untouched && !untouched->isModified());

        closeAnswer = CloseAnswer::Cancel;
        quit->trigger();
        QCOMPARE(quitQuestions.size(), 1);
        QCOMPARE(closeQuestions, 0);  // no second question per window
        const QStringList expected = {QString::fromStdString(saved->model().definition().title()) + " — 壁厚 K12.pylora",
                                      QString::fromStdString(fresh->model().definition().title())};
        QStringList listed = quitQuestions.first();
        listed.sort();
        QStringList sorted = expected;
        sorted.sort();
        QCOMPARE(listed, sorted);
        QVERIFY(main->isVisible() && saved->isVisible() && fresh->isVisible() && untouched->isVisible());

        closeAnswer = CloseAnswer::Save;
        quit->trigger();
        QCOMPARE(quitQuestions.size(), 2);
        QCOMPARE(closeQuestions, 0);
        QVERIFY(std::filesystem::exists(file("asked.pylora")));  // the unnamed one asked for its name
        const CaseFile written = loadCase(file("壁厚 K12.pylora"));
        QVERIFY(std::find(written.inputs.begin(), written.inputs.end(),
                          std::pair<std::string, std::string>("Text5", "0.7")) != written.inputs.end());
        QVERIFY(!main->isVisible() && !saved->isVisible() && !fresh->isVisible() && !untouched->isVisible());
    }

    void quittingWithoutChangesAsksNothing() {
        MainWindow* main = makeMain();
        main->show();
        CalcWindow* window = main->showWindow("壁厚计算");
        QVERIFY(main->quit());
        QVERIFY(quitQuestions.isEmpty());
        QVERIFY(!window->isVisible());
    }

    void changedInputsAreKeptAndRestoredAfterACrash() {
        MainWindow* main = makeMain();
        CalcWindow* window = main->showWindow("壁厚计算");
        window->pressDefaultRun();
        type(window, "Text5", "0.9");
        QVERIFY(window->isStale("Text7"));  // δ_b of n = 5
        const auto copy = recoveryFile(file("recovery"), "壁厚计算");
        QVERIFY(!std::filesystem::exists(copy));  // not on every keystroke
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(copy), 5000);
        // A crashed program's copy: the same file under the id of a process that has ended.
        const auto left = file("recovery") / "999999-壁厚计算.pylora";
        std::filesystem::copy_file(copy, left);
        window->close();
        QVERIFY(!std::filesystem::exists(copy));  // closed: its copy goes

        QCOMPARE(main->offerRecovery(), 1);
        CalcWindow* restored = main->openWindow("壁厚计算");
        QVERIFY(restored);
        QCOMPARE(QString::fromStdString(restored->model().form().text("Text5")), QString("0.9"));
        QVERIFY(restored->isModified());
        QVERIFY(restored->isStale("Text7"));  // greyed before the crash, and still not of n = 0.9
        QVERIFY(!std::filesystem::exists(left));
    }

    // The question after a crash names each calculation it would restore, by its window and
    // its case file, and counts only calculations.
    void theRecoveryQuestionNamesEachCalculation() {
        MainWindow* main = makeMain();
        CalcWindow* wall = main->showWindow("壁厚计算");
        QVERIFY(wall->saveCaseTo(file("甲.pylora")));
        type(wall, "Text5", "0.7");
        CalcWindow* soil = main->showWindow("土壤荷载计算");
        for (QLineEdit* edit : soil->findChildren<QLineEdit*>())
            if (edit->isEnabled() && !edit->isReadOnly() && edit->isVisible()) {
                QTest::keyClicks(edit, "2");
                break;
            }
        for (CalcWindow* window : {wall, soil}) window->writeRecoveryCopy();
        for (const auto& copy : ownRecoveryFiles(file("recovery"))) {  // as a crashed program left them
            const std::string name = copy.filename().string();
            std::filesystem::copy_file(copy, file("recovery") / ("999997" + name.substr(name.find('-'))));
        }
        closeAnswer = CloseAnswer::Discard;
        QVERIFY(main->quit());

        MainWindow* again = makeMain();
        QCOMPARE(again->offerRecovery(), 2);
        restoreOffered.sort();
        QCOMPARE(restoreOffered, QStringList({"土壤荷载计算", "壁厚计算 — 甲.pylora"}));
    }

    void anUnreadableCopyIsToldOnceAndMovedAside() {
        MainWindow* main = makeMain();
        std::filesystem::create_directories(file("recovery"));
        const auto left = file("recovery") / "999998-壁厚计算.pylora";
        std::ofstream(left) << "{\"format\": \"pylora-case\", \"format_ver";  // cut off by the power failing
        QCOMPARE(main->offerRecovery(), 0);
        QVERIFY2(told.contains("999998-壁厚计算.pylora"), qPrintable(told));
        QVERIFY2(told.contains(QString::fromStdString(damagedRecoveryFile(left).string())), qPrintable(told));
        QVERIFY(!std::filesystem::exists(left));
        QVERIFY(std::filesystem::exists(damagedRecoveryFile(left)));  // kept for a later version
        told.clear();
        QCOMPARE(main->offerRecovery(), 0);
        QVERIFY2(told.isEmpty(), "told once only");
    }
};

PYLORA_GUI_TEST_MAIN(CaseFilesTest)
#include "case_files_test.moc"
