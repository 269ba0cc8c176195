// The 工程 panel: calculations added from the active window, reordered, removed and retitled,
// the project fields typed, the "*" of a changed project, saving and opening the book again, a
// chapter opened in its window with its inputs, the question before a changed project goes, and
// the book exported as one PDF. Every question is answered here, never a dialog.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "files/recovery_store.h"
#include "fake_printer.h"
#include "gui_test_main.h"
#include "shell/calc_window.h"
#include "shell/main_window.h"
#include "shell/project_panel.h"
#include "test_services.h"

using namespace pylora;

class ProjectPanelTest : public QObject {
    Q_OBJECT

    FakePrinter printer;
    QTemporaryDir folder;
    QString told;
    QStringList restoreOffered;  // what the question after a crash named
    int closeQuestions = 0;
    CloseAnswer closeAnswer = CloseAnswer::Discard;
    CloseAnswer windowCloseAnswer = CloseAnswer::Discard;  // a calculator window's question

    QString file(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }
    std::filesystem::path recovery() const { return std::filesystem::path(folder.filePath("recovery").toStdString()); }

    MainWindow* makeMain() {
        const Services services = testServicesWithGroundFile();
        auto* main = new MainWindow(services, printer);
        CaseQuestions questions;
        questions.projectSavePath = [this](QWidget*, const QString&) { return file("穿越.pylora-project"); };
        questions.projectOpenPath = [this](QWidget*) { return file("穿越.pylora-project"); };
        questions.bookExportPath = [this](QWidget*, const QString&) { return file("穿越.pdf"); };
        questions.saveProjectBeforeClosing = [this](QWidget*, const QString&) {
            ++closeQuestions;
            return closeAnswer;
        };
        questions.saveBeforeClosing = [this](QWidget*, const QString&) { return windowCloseAnswer; };
        questions.tell = [this](QWidget*, const QString& message) { told = message; };
        questions.restoreAfterCrash = [this](QWidget*, const QStringList& unsaved) {
            restoreOffered = unsaved;
            return true;
        };
        main->setCaseQuestions(questions);
        main->keepForRecovery(recovery());
        return main;
    }

    static void type(QWidget* parent, const char* field, const QString& text) {
        auto* edit = parent->findChild<QLineEdit*>(field);
        QVERIFY(edit);
        edit->selectAll();
        edit->insert(text);  // as typed with an input method: an edit, as keys would make
    }
    static void typeIn(CalcWindow* window, const char* field, const char* text) {
        auto* edit = qobject_cast<QLineEdit*>(window->widgetFor(field));
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    static void click(ProjectPanel* panel, const char* button) { QTest::mouseClick(panel->findChild<QPushButton*>(button), Qt::LeftButton); }

    static QStringList titles(ProjectPanel* panel) {
        QStringList shown;
        auto* list = panel->findChild<QListWidget*>("project_chapters");
        for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
        return shown;
    }
    static void select(ProjectPanel* panel, int row) { panel->findChild<QListWidget*>("project_chapters")->setCurrentRow(row); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        told.clear();
        closeQuestions = 0;
        closeAnswer = CloseAnswer::Discard;
        windowCloseAnswer = CloseAnswer::Discard;
    }
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets()) w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void theFileMenuHasTheProjectEntries() {
        MainWindow* main = makeMain();
        const std::pair<const char*, const char*> entries[] = {{"project_new", "新建工程"},
                                                               {"project_open", "打开工程…"},
                                                               {"project_save", "保存工程"},
                                                               {"project_save_as", "工程另存为…"},
                                                               {"project_export", "导出工程计算书…"}};
        for (const auto& [name, caption] : entries) {
            QAction* entry = main->findChild<QAction*>(name);
            QVERIFY2(entry, name);
            QCOMPARE(entry->text(), QString::fromUtf8(caption));
        }
        main->findChild<QAction*>("project_new")->trigger();
        QVERIFY(main->projectPanel()->isVisible());
    }

    void chaptersAreAddedReorderedRemovedRetitledSavedAndOpenedAgain() {
        MainWindow* main = makeMain();
        ProjectPanel* panel = main->projectPanel();
        click(panel, "project_add");
        QVERIFY2(told.contains("没有打开的计算窗口"), qPrintable(told));

        CalcWindow* wall = main->showWindow("壁厚计算");
        typeIn(wall, "Text5", "0.5");
        QTest::mouseClick(qobject_cast<QPushButton*>(wall->widgetFor("Command1")), Qt::LeftButton);
        click(panel, "project_add");
        main->showWindow("土壤荷载计算");
        click(panel, "project_add");
        main->showWindow("汽车荷载计算");
        click(panel, "project_add");
        QCOMPARE(titles(panel), QStringList({"壁厚计算", "土壤荷载计算", "汽车荷载计算"}));
        QVERIFY(panel->windowTitle().endsWith(" *"));

        select(panel, 2);
        click(panel, "project_up");  // 汽车荷载 before 土壤荷载
        select(panel, 0);
        click(panel, "project_remove");  // 壁厚 goes …
        QCOMPARE(titles(panel), QStringList({"汽车荷载计算", "土壤荷载计算"}));
        main->showWindow("壁厚计算");
        click(panel, "project_add");  // … and comes back last, with its inputs
        auto* list = panel->findChild<QListWidget*>("project_chapters");
        list->item(1)->setText("管顶土壤荷载（K12+300）");  // as the engineer's edit of the item ends
        QCOMPARE(panel->book().chapters[1].title, std::string("管顶土壤荷载（K12+300）"));
        list->item(0)->setText("  ");  // a chapter keeps a title
        QCOMPARE(titles(panel).first(), QString("汽车荷载计算"));

        type(panel, "project_name", "西气东输三线");
        type(panel, "project_checked_by", "王强");
        type(panel, "project_title", "公路穿越计算书");
        main->findChild<QAction*>("project_save")->trigger();
        QVERIFY(QFile::exists(file("穿越.pylora-project")));
        QCOMPARE(panel->windowTitle(), QString("工程 — 穿越.pylora-project"));
        const QStringList saved = titles(panel);
        QCOMPARE(saved, QStringList({"汽车荷载计算", "管顶土壤荷载（K12+300）", "壁厚计算"}));

        MainWindow* again = makeMain();
        again->findChild<QAction*>("project_open")->trigger();
        ProjectPanel* opened = again->projectPanel();
        QCOMPARE(titles(opened), saved);
        QCOMPARE(opened->findChild<QLineEdit*>("project_name")->text(), QString("西气东输三线"));
        QCOMPARE(opened->findChild<QLineEdit*>("project_checked_by")->text(), QString("王强"));
        QCOMPARE(opened->findChild<QLineEdit*>("project_title")->text(), QString("公路穿越计算书"));
        QVERIFY(!opened->isModified());

        select(opened, 2);
        click(opened, "project_open_chapter");
        CalcWindow* reopened = again->openWindow("壁厚计算");
        QVERIFY(reopened);
        QCOMPARE(QString::fromStdString(reopened->model().form().text("Text5")), QString("0.5"));
        QVERIFY(!reopened->model().form().text("Text6").empty());  // its steps pressed again
    }

    static std::string input(const BookChapter& chapter, const std::string& control) {
        for (const auto& [name, text] : chapter.calculation.inputs)
            if (name == control) return text;
        return {};
    }
    static void run(CalcWindow* window) { QTest::mouseClick(qobject_cast<QPushButton*>(window->widgetFor("Command1")), Qt::LeftButton); }

    // A chapter opened from the book is held by its window: 更新章节, 保存计算 and the question
    // before the window closes write it back in place, wherever it has been moved; the book
    // gains no copy.
    void anOpenedChapterIsWrittenBackInPlace() {
        MainWindow* main = makeMain();
        ProjectPanel* panel = main->projectPanel();
        for (const char* form : {"壁厚计算", "土壤荷载计算", "汽车荷载计算"}) {
            main->showWindow(form);
            click(panel, "project_add");
        }
        select(panel, 0);
        click(panel, "project_open_chapter");
        CalcWindow* chapter = main->lastActiveWindow();
        QVERIFY(chapter->holdsChapter());
        QVERIFY2(chapter->windowTitle().contains("工程章节「壁厚计算」"), qPrintable(chapter->windowTitle()));
        QVERIFY2(chapter->statusText().startsWith("已打开工程章节「壁厚计算」"), qPrintable(chapter->statusText()));

        typeIn(chapter, "Text5", "0.6");
        run(chapter);
        click(panel, "project_update");
        QCOMPARE(titles(panel), QStringList({"壁厚计算", "土壤荷载计算", "汽车荷载计算"}));
        QCOMPARE(input(panel->book().chapters[0], "Text5"), std::string("0.6"));
        QVERIFY(!chapter->isModified());
        QVERIFY(panel->isModified());

        click(panel, "project_open_chapter");  // open already: brought forward, not opened twice
        QCOMPARE(main->lastActiveWindow(), chapter);

        select(panel, 0);
        click(panel, "project_down");  // the window follows its chapter to row 1
        typeIn(chapter, "Text5", "0.55");
        main->findChild<QAction*>("file_save")->trigger();  // 文件 → 保存计算, as Ctrl+S
        QCOMPARE(input(panel->book().chapters[1], "Text5"), std::string("0.55"));

        typeIn(chapter, "Text5", "0.5");
        windowCloseAnswer = CloseAnswer::Save;
        QVERIFY(chapter->close());
        QCOMPARE(input(panel->book().chapters[1], "Text5"), std::string("0.5"));
        QCOMPARE(panel->book().chapters.size(), std::size_t(3));

        told.clear();
        main->showWindow("土壤荷载计算");  // not opened from the book: nothing to update
        click(panel, "project_update");
        QVERIFY2(told.contains("不是从工程打开的章节"), qPrintable(told));
        QCOMPARE(panel->book().chapters.size(), std::size_t(3));
    }

    // 移除 takes the chapter out at once, and 撤销移除 puts it back where it was; a window that
    // held it keeps its calculation but no longer writes to the book.
    void aRemovedChapterCanBePutBack() {
        MainWindow* main = makeMain();
        ProjectPanel* panel = main->projectPanel();
        for (const char* form : {"壁厚计算", "土壤荷载计算", "汽车荷载计算"}) {
            main->showWindow(form);
            click(panel, "project_add");
        }
        auto* undo = panel->findChild<QPushButton*>("project_undo_remove");
        QVERIFY(!undo->isEnabled());
        select(panel, 1);
        click(panel, "project_open_chapter");
        CalcWindow* held = main->lastActiveWindow();
        QVERIFY(held->holdsChapter());
        click(panel, "project_remove");
        QCOMPARE(titles(panel), QStringList({"壁厚计算", "汽车荷载计算"}));
        QVERIFY(!held->holdsChapter());
        QVERIFY(undo->isEnabled());
        click(panel, "project_undo_remove");
        QCOMPARE(titles(panel), QStringList({"壁厚计算", "土壤荷载计算", "汽车荷载计算"}));
        QCOMPARE(panel->book().chapters[1].calculation.formName, std::string("土壤荷载计算"));
        QVERIFY(!undo->isEnabled());
    }

    void aChangedProjectIsOfferedForSavingBeforeItGoes() {
        MainWindow* main = makeMain();
        main->show();
        ProjectPanel* panel = main->projectPanel();
        type(panel, "project_name", "西气东输三线");
        closeAnswer = CloseAnswer::Cancel;
        QVERIFY(!main->close());
        QVERIFY(!panel->newProject());
        QCOMPARE(closeQuestions, 2);
        QCOMPARE(panel->book().project.projectName, std::string("西气东输三线"));
        closeAnswer = CloseAnswer::Save;
        QVERIFY(main->close());
        QVERIFY(QFile::exists(file("穿越.pylora-project")));
        QVERIFY(!panel->isModified());
    }

    void aDamagedProjectIsToldAndTheOpenOneStays() {
        MainWindow* main = makeMain();
        ProjectPanel* panel = main->projectPanel();
        main->showWindow("土壤荷载计算");
        click(panel, "project_add");
        QFile cut(file("穿越.pylora-project"));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write("{\"format\": \"pylora-project\", \"format_version\": 1, \"calcul");
        cut.close();
        closeAnswer = CloseAnswer::Discard;
        QVERIFY(!panel->openProject(file("穿越.pylora-project").toStdString()));
        QVERIFY2(told.startsWith("工程文件 ") && told.contains("文件不完整"), qPrintable(told));
        QCOMPARE(titles(panel), QStringList({"土壤荷载计算"}));
    }

    void aChangedProjectIsKeptAndRestoredAfterACrash() {
        MainWindow* main = makeMain();
        ProjectPanel* panel = main->projectPanel();
        main->showWindow("土壤荷载计算");
        click(panel, "project_add");
        main->findChild<QAction*>("project_save_as")->trigger();  // a file of its own, then changed
        type(panel, "project_approved_by", "张华");
        const auto copy = projectRecoveryFile(recovery());
        QVERIFY(!std::filesystem::exists(copy));  // not on every keystroke
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(copy), 5000);
        // A crashed program's copy: the same file under the id of a process that has ended.
        const auto left = recovery() / "999999-工程.pylora-project";
        std::filesystem::copy_file(copy, left);
        QVERIFY(main->close());  // the question answered "discard"

        MainWindow* again = makeMain();
        QCOMPARE(again->offerRecovery(), 1);
        QCOMPARE(restoreOffered, QStringList({"工程「穿越.pylora-project」"}));
        ProjectPanel* restored = again->projectPanel();
        QCOMPARE(restored->findChild<QLineEdit*>("project_approved_by")->text(), QString("张华"));
        QCOMPARE(titles(restored), QStringList({"土壤荷载计算"}));
        QCOMPARE(restored->windowTitle(), QString("工程 — 穿越.pylora-project *"));
        QVERIFY(!std::filesystem::exists(left));
        QVERIFY(restored->saveProject());  // to the file it came from
        QCOMPARE(loadBook(file("穿越.pylora-project").toStdString()).project.approvedBy, std::string("张华"));
    }

    void theBookIsExportedAsOnePdf() {
        MainWindow* main = makeMain();
        ProjectPanel* panel = main->projectPanel();
        main->findChild<QAction*>("project_export")->trigger();
        QVERIFY2(told.contains("工程中还没有计算"), qPrintable(told));
        main->showWindow("土壤荷载计算");
        click(panel, "project_add");
        main->showWindow("汽车荷载计算");
        click(panel, "project_add");
        type(panel, "project_name", "西气东输三线");
        told.clear();
        main->findChild<QAction*>("project_export")->trigger();
        QVERIFY2(told.isEmpty(), qPrintable(told));
        QProcess pdftotext;
        pdftotext.start("pdftotext", {file("穿越.pdf"), "-"});
        QVERIFY(pdftotext.waitForFinished(30000));
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput()).remove(' ');
        for (const char* expected : {"西气东输三线", "目录", "第1章土壤荷载计算", "第2章汽车荷载计算", "计算结论汇总"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);

        // A chapter that fails again: the book is written, and the engineer told which one.
        CalcWindow* wall = main->showWindow("壁厚计算");
        typeIn(wall, "Text2", "0");
        QTest::mouseClick(qobject_cast<QPushButton*>(wall->widgetFor("Command1")), Qt::LeftButton);
        click(panel, "project_add");
        QVERIFY(QFile::remove(file("穿越.pdf")));
        main->findChild<QAction*>("project_export")->trigger();
        QVERIFY(QFile::exists(file("穿越.pdf")));
        QVERIFY2(told.startsWith("计算书已导出，但以下计算未完成") && told.contains("第3章 壁厚计算"), qPrintable(told));
    }
};

PYLORA_GUI_TEST_MAIN(ProjectPanelTest)
#include "project_panel_test.moc"
