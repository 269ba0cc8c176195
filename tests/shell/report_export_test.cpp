// The calculation report written by the desktop program: PDF pages whose text a checker can
// search (inputs, results, verdicts, signature block, page numbers), fonts embedded, and the
// editable document; the export entry of every calculator window and its remembered fields.
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "documents/report.h"
#include "model/window_registry.h"
#include "model/window_settings.h"
#include "fake_printer.h"
#include "gui_test_main.h"
#include "shell/calc_window.h"
#include "shell/default_names.h"
#include "shell/path_text.h"
#include "shell/report_export.h"
#include "test_services.h"

using namespace pylora;

namespace {

QString runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString withoutBlanks(QString text) { return text.remove(QRegularExpression("\\s")); }

// The characters a report font must extract as themselves (one glyph shared by two characters
// comes back as the rarer one: 胶 as 㬵, 米 as the radical ⽶).
const QString kCharacters = QStringLiteral("底胶压力米气℃");

const ProjectInfo kProject{"西部管道二期工程", "XB-2026-015", "施工图设计", "李工", "王工", "赵工", "2026年12月10日"};

// A window with the engineer's settings applied ("List1=φ108" chooses, "Text1=…" types,
// "Option1(0)" selects) and its run button pressed.
CalcForm runWindow(const char* formName, const QStringList& settings) {
    CalcForm window(*findWindow(formName), testServices());
    for (const QString& setting : settings) applyShortSetting(window.form(), setting.toStdString());
    window.press(window.definition().defaultRunButton());
    return window;
}

void expectFontsEmbedded(const QString& pdf) {
    const QString fonts = runTool("pdffonts", {pdf});
    const QStringList lines = fonts.split('\n', Qt::SkipEmptyParts).mid(2);
    QVERIFY2(!lines.isEmpty(), qPrintable(fonts));
    for (const QString& line : lines) {
        // name, type, encoding, emb, sub, uni, object, generation
        const QStringList columns = line.split(' ', Qt::SkipEmptyParts);
        QVERIFY2(columns.size() >= 7 && columns.at(columns.size() - 5) == "yes", qPrintable("not embedded: " + line));
    }
}

}  // namespace

class ReportExportTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    // Set PYLORA_REPORT_DIR to keep the PDFs for a look at the pages.
    QString pathFor(const QString& name) const {
        const QString kept = qEnvironmentVariable("PYLORA_REPORT_DIR");
        return (kept.isEmpty() ? folder_.path() : kept) + '/' + name;
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);  // remembered fields go to a test settings file
        QSettings().clear();
    }

    void pdfHoldsTheWholeCalculation_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("wall thickness: codes, inputs, formulas with values, results")
            << "壁厚计算" << QStringList{"Text2=0.3"}
            << QStringList{"输气管道壁厚计算计算书", "《输气管道工程设计规范》GB 50251-2003", "管道的设计压力", "0.3", "MPa",
                           "式中", "代入数值", "直管段计算壁厚", "0.75", "0.792", "0.871", "弯头系数"};
        QTest::newRow("profile with its sketch on a page of its own: open-cut crossing")
            << "穿越断面" << QStringList{} << QStringList{"附图1"};
    }

    void pdfHoldsTheWholeCalculation() {
        QFETCH(QString, form);
        QFETCH(QStringList, settings);
        QFETCH(QStringList, expected);
        const CalcForm window = runWindow(qPrintable(form), settings);
        QVERIFY2(!window.record().failure, window.record().failure ? window.record().failure->what() : "");
        const QString pdf = pathFor(form + ".pdf");
        const QString problem = writeReport(window, kProject, ReportFormat::Pdf, pdf);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));

        // Read as a checker's search reads it: a caption wrapped in its cell is still one text.
        const QString text = withoutBlanks(runTool("pdftotext", {pdf, "-"}));
        QVERIFY2(!text.isEmpty(), "pdftotext read no text");
        const QStringList signature{"计算书", "工程名称", "西部管道二期工程", "工程编号", "XB-2026-015", "设计阶段",
                                    "施工图设计", "计算", "李工", "校核", "王工", "审核", "赵工", "日期",
                                    "2026年12月10日", "第1页共", "Pylora"};
        for (const QString& part : expected + signature)
            QVERIFY2(text.contains(withoutBlanks(part)), qPrintable(form + ": no \"" + part + "\" in\n" + text));
        expectFontsEmbedded(pdf);
    }

    // A long calculation runs over several pages: every 式中 line is printed once, wherever the
    // page breaks fall. Keeping each picture's paragraph whole once lost the text of the
    // paragraphs after it, and a line moved to the next page came back as text on both.
    void everyTermLineIsPrintedOnce_data() {
        QTest::addColumn<QString>("form");
        QTest::newRow("stability: ten formulas over four pages") << "稳定计算";
        QTest::newRow("elastic laying: the longest list of terms") << "弹性敷设参数计算";
    }

    void everyTermLineIsPrintedOnce() {
        QFETCH(QString, form);
        const CalcForm window = runWindow(qPrintable(form), {});
        QVERIFY2(!window.record().failure, window.record().failure ? window.record().failure->what() : "");
        const Report report = buildReport(window);
        qsizetype terms = 0;
        for (const ReportStep& step : report.steps) terms += static_cast<qsizetype>(step.terms.size());
        QVERIFY(terms > 20);
        const QString pdf = pathFor(form + "-terms.pdf");
        const QString problem = writeReport(window, kProject, ReportFormat::Pdf, pdf);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        const QString text = runTool("pdftotext", {pdf, "-"});
        QVERIFY2(text.count(QStringLiteral(" — ")) == terms,
                 qPrintable(QStringLiteral("%1 term lines in the PDF, %2 in the report")
                                .arg(text.count(QStringLiteral(" — ")))
                                .arg(terms)));
    }

    // The characters whose glyphs other characters share in the usual CJK fonts extract as
    // themselves: typed into an input, they come back from the PDF's text unchanged.
    void everyCharacterExtractsAsItself() {
        CalcForm window = runWindow("壁厚计算", {});
        const QString pdf = pathFor("characters.pdf");
        ProjectInfo project = kProject;
        project.projectName = kCharacters.toStdString();
        QVERIFY(writeReport(window, project, ReportFormat::Pdf, pdf).isEmpty());
        const QString text = withoutBlanks(runTool("pdftotext", {pdf, "-"}));
        QVERIFY2(text.contains(kCharacters), qPrintable(text));
        QVERIFY2(!text.contains(QStringLiteral("㬵")) && !text.contains(QStringLiteral("⽶")), qPrintable(text));
    }

    // A formula is drawn with its text as text in an embedded serif face, not as the outlines
    // of its glyphs: the PDF reads back the formula's letters and the values put into it, and
    // names the face among its embedded fonts.
    void formulasAreTextInAnEmbeddedFont() {
        const CalcForm window = runWindow("壁厚计算", {});
        const QString pdf = pathFor("formulas.pdf");
        QVERIFY(writeReport(window, kProject, ReportFormat::Pdf, pdf).isEmpty());
        const QString text = withoutBlanks(runTool("pdftotext", {pdf, "-"}));
        for (const QString part : {"P·D", "2·σs·F·t", "3.92·720", "2·360·0.40·1.00", "=9.8mm"})
            QVERIFY2(text.contains(part), qPrintable("no \"" + part + "\" in\n" + text));
        const QString fonts = runTool("pdffonts", {pdf});
        QVERIFY2(fonts.contains("Serif"), qPrintable(fonts));
        expectFontsEmbedded(pdf);
    }

    void failedRunIsStatedAndItsResultsAreNotShown() {
        CalcForm window = runWindow("壁厚计算", {});
        window.form().type("Text5", "0.5");  // the bend factor's divisor is zero
        QVERIFY(window.press("Command1"));
        const QString pdf = pathFor("failed.pdf");
        QVERIFY(writeReport(window, kProject, ReportFormat::Pdf, pdf).isEmpty());
        const QString text = withoutBlanks(runTool("pdftotext", {pdf, "-"}));
        QVERIFY2(text.contains("计算中止"), qPrintable(text));
        QVERIFY2(text.contains("不给出计算结果"), qPrintable(text));
        QVERIFY2(!text.contains("9.8mm"), qPrintable(text));  // the straight pipe written before the failure
    }

    // The editable document, as LibreOffice reads it: converted to PDF, its pages hold the texts,
    // the running header and the page numbers; its pictures are images inside it.
    void editableDocumentOpensInAWordProcessor() {
        const CalcForm window = runWindow("壁厚计算", {"Text2=0.3"});
        const QString docx = pathFor("壁厚计算.docx");
        QVERIFY(writeReport(window, kProject, ReportFormat::Docx, docx).isEmpty());
        const QString files = runTool("unzip", {"-l", docx});
        QVERIFY2(files.count("word/media/") >= 8, qPrintable(files));  // four formulas, each with its values
        QVERIFY2(files.contains("word/header1.xml") && files.contains("word/footer1.xml"), qPrintable(files));

        QTemporaryDir out;
        QProcess office;
        office.start("soffice", {"-env:UserInstallation=file://" + out.path() + "/profile", "--headless",
                                 "--convert-to", "pdf", "--outdir", out.path(), docx});
        QVERIFY(office.waitForFinished(120000));
        const QString pdf = out.path() + "/壁厚计算.pdf";
        QVERIFY2(QFile::exists(pdf), office.readAllStandardError().constData());
        const QString text = withoutBlanks(runTool("pdftotext", {pdf, "-"}));
        for (const QString part : {"输气管道壁厚计算计算书", "工程名称：西部管道二期工程", "一、计算依据", "管道的设计压力",
                                    "0.3", "0.75", "第1页共", "计算", "李工", "2026年12月10日", "施工图设计"})
            QVERIFY2(text.contains(withoutBlanks(part)), qPrintable("no \"" + part + "\" in\n" + text));
        if (!qEnvironmentVariable("PYLORA_REPORT_DIR").isEmpty()) QFile::copy(pdf, pathFor("壁厚计算.docx.pdf"));
    }

    // pylora-cli writes what the file's name says, PDF and DOCX through pylora-report beside it;
    // a name it cannot write is refused with exit status 2 and one line.
    void runnerWritesEachFormatItsFileNames() {
        const QString cli = QCoreApplication::applicationDirPath() + "/pylora-cli";
        for (const QString& suffix : {QStringLiteral("pdf"), QStringLiteral("docx"), QStringLiteral("html"), QStringLiteral("json")}) {
            const QString file = pathFor("runner." + suffix);
            QProcess process;
            process.start(cli, {"report", "壁厚计算", "--set", "Text2=0.3", "--design-stage", "初步设计", "-o", file});
            QVERIFY(process.waitForFinished(60000));
            QCOMPARE(process.exitCode(), 0);
            QVERIFY2(QFileInfo(file).size() > 1000, qPrintable(file));
        }
        QCOMPARE(withoutBlanks(runTool("pdftotext", {pathFor("runner.pdf"), "-"})).contains("初步设计"), true);
        QProcess refused;
        refused.start(cli, {"report", "壁厚计算", "-o", pathFor("runner.xyz")});
        QVERIFY(refused.waitForFinished(60000));
        QCOMPARE(refused.exitCode(), 2);
        QCOMPARE(refused.readAllStandardError().count('\n'), 1);
        QVERIFY(!QFile::exists(pathFor("runner.xyz")));
    }

    void everyWindowOffersTheExportByKeyAndContextMenu() {
        FakePrinter printer;
        for (const FormDefinition* definition : allWindows()) {
            CalcWindow window(*definition, testServices(), printer);
            window.setAttribute(Qt::WA_DeleteOnClose, false);
            QAction* action = window.findChild<QAction*>("exportReport");
            QVERIFY2(action, qPrintable(QString::fromStdString(definition->formName())));
            QCOMPARE(action->text(), QString("导出计算书…"));
            QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
            QVERIFY(window.actions().contains(action));
            QCOMPARE(window.contextMenuPolicy(), Qt::ActionsContextMenu);
        }
    }

    void projectFieldsAreRememberedForTheNextReport() {
        {
            ReportExportDialog dialog(pathFor("x.pdf"));
            dialog.projectField(0)->setText("川气东送");
            dialog.projectField(3)->setText("陈工");
            dialog.accept();
        }
        ReportExportDialog again(pathFor("y.pdf"));
        QCOMPARE(again.projectField(0)->text(), QString("川气东送"));
        QCOMPARE(again.projectField(3)->text(), QString("陈工"));
        QVERIFY2(again.projectField(6)->text().contains("年"), "the date is today's");
        QCOMPARE(again.project().projectName, std::string("川气东送"));
    }

    // A fresh account has no documents folder: it is made; where it cannot be, the home folder
    // is offered. The folder of the last report is offered while it exists.
    void theReportIsOfferedInTheDocumentsFolderOrTheLastOne() {
        QSettings().remove("report/folder");
        QTemporaryDir home;
        const QString documents = home.path() + "/文档";
        QCOMPARE(lastFolder(documents, home.path()), documents);
        QVERIFY(QFileInfo(documents).isDir());
        QFile blocker(home.path() + "/file");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        QCOMPARE(lastFolder(home.path() + "/file/文档", home.path()), home.path());

        const QString last = home.path() + "/报告";
        QVERIFY(QDir().mkpath(last));
        rememberFolder(last);
        QCOMPARE(lastFolder(documents, home.path()), last);
        QVERIFY(QDir(last).removeRecursively());
        QCOMPARE(lastFolder(documents, home.path()), documents);  // gone since: not offered
        QSettings().remove("report/folder");

    }

    // Offered names come from the window's name and the case's, clean: no refused character,
    // no stray blank, no word twice, no bracket left unmatched.
    void offeredNamesAreClean() {
        struct Case {
            QStringList names;
            const char* what;
            const char* suffix;
            const char* offered;
        };
        const Case cases[] = {
            {{"输气管道壁厚计算"}, "计算书", "pdf", "输气管道壁厚计算_计算书_20261210.pdf"},
            {{"壁厚计算", "西气东输 壁厚 K12"}, "计算书", "pdf", "壁厚计算_西气东输 壁厚 K12_计算书_20261210.pdf"},
            {{"A/B: 计算", "  甲  乙 "}, "计算书", "docx", "A_B_ 计算_甲 乙_计算书_20261210.docx"},
            {{"大开挖穿越纵断面"}, "纵断面", "dxf", "大开挖穿越纵断面_20261210.dxf"},
            {{"定向钻穿越(输入地面标高）"}, "纵断面", "csv", "定向钻穿越（输入地面标高）_纵断面_20261210.csv"},
            {{"长度)两端(铰接"}, "参数分析", "csv", "长度两端铰接_参数分析_20261210.csv"},
            {{"壁厚计算", ""}, "参数分析", "png", "壁厚计算_参数分析_20261210.png"},
        };
        for (const Case& c : cases)
            QCOMPARE(documentFileName(c.names, c.what, QDate(2026, 12, 10), c.suffix), QString(c.offered));
    }

    // A window's exports are offered beside its saved case (or its chapter's project), whatever
    // folder was used last; an unsaved window's in the folder used last. The name holds the window's title and the case's
    // name once each, whether or not the case has changed since it was saved.
    void anExportIsOfferedBesideItsCaseElseInTheLastFolder() {
        QTemporaryDir cases, last;
        const QString day = QDate::currentDate().toString("yyyyMMdd");
        FakePrinter printer;
        CalcWindow window(*findWindow("壁厚计算"), testServices(), printer);
        rememberFolder(last.path());
        QCOMPARE(offeredExportPath(window, "计算书", "pdf"),
                 QDir::toNativeSeparators(last.path() + "/壁厚计算_计算书_" + day + ".pdf"));

        struct Case {
            const char* saved;  // the case file's name
            const char* offered;
        };
        const Case named[] = {
            {"西气东输 K12.pylora", "壁厚计算_西气东输 K12_计算书_"},
            {"复核(二.pylora", "壁厚计算_复核二_计算书_"},
            {"壁厚计算.pylora", "壁厚计算_计算书_"},  // the name a first save offers
            {"壁厚计算 K12.pylora", "壁厚计算 K12_计算书_"},
        };
        for (const Case& c : named) {
            QVERIFY(window.saveCaseTo(pathOf(cases.filePath(QString::fromUtf8(c.saved)))));
            rememberFolder(last.path());  // another folder used since
            window.widgetFor("Text2")->setFocus();
            QTest::keyClick(window.widgetFor("Text2"), Qt::Key_1);  // changed since saved
            QVERIFY(window.windowTitle().endsWith(" *"));
            const QString offered = offeredExportPath(window, "计算书", "pdf");
            QCOMPARE(offered, QDir::toNativeSeparators(cases.path() + '/' + QString::fromUtf8(c.offered) + day + ".pdf"));
        }

        // A chapter of a project: beside the project's file once it has one.
        CalcWindow chapter(*findWindow("壁厚计算"), testServices(), printer);
        std::filesystem::path book;
        chapter.holdChapter({"K12 (复核)", [](const CaseFile&) { return true; }, [&book] { return book; }});
        QCOMPARE(offeredExportPath(chapter, "计算书", "pdf"),
                 QDir::toNativeSeparators(last.path() + "/壁厚计算_K12 （复核）_计算书_" + day + ".pdf"));
        book = pathOf(cases.filePath("西部管道.pylora-project"));
        QCOMPARE(offeredExportPath(chapter, "计算书", "pdf"),
                 QDir::toNativeSeparators(cases.path() + "/壁厚计算_K12 （复核）_计算书_" + day + ".pdf"));
    }

    // A name that cannot be written: the dialog says why, as the system says it, writes nothing
    // and stays open; a good name then writes and closes it, and its folder is remembered.
    void aFailedWriteNamesTheCauseAndKeepsTheDialogOpen_data() {
        QTest::addColumn<QString>("name");  // in the test's folder
        QTest::addColumn<QString>("cause");
        QTest::newRow("folder missing") << "没有的文件夹/a.pdf" << "目录不存在";
        QTest::newRow("a file where a folder should be") << "file/a.pdf" << "不是文件夹";
        QTest::newRow("a folder of that name") << "folder.pdf" << "已有同名的文件夹";
    }

    void aFailedWriteNamesTheCauseAndKeepsTheDialogOpen() {
        QFETCH(QString, name);
        QFETCH(QString, cause);
        QTemporaryDir dir;
        QFile file(dir.filePath("file"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(QDir(dir.path()).mkdir("folder.pdf"));
        QStringList written;
        ReportExportDialog dialog(dir.filePath("x.pdf"), [&](ReportFormat, const QString& path, const ProjectInfo&) {
            written << path;
            return QString();
        });
        dialog.show();
        dialog.setPath(dir.filePath(name));
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        QVERIFY(dialog.isVisible());
        QVERIFY2(dialog.problem().contains(cause), qPrintable(dialog.problem()));
        QVERIFY2(dialog.problem().contains(QDir::toNativeSeparators(dir.filePath(name))), qPrintable(dialog.problem()));
        QVERIFY(written.isEmpty());

        dialog.setPath(dir.filePath("好.pdf"));
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(written, QStringList{dir.filePath("好.pdf")});
        QCOMPARE(QSettings().value("report/folder").toString(), dir.path());
        QSettings().remove("report/folder");
    }

    // The file's extension decides its format; a name without one gets the chosen format's, and
    // choosing a format changes the extension. An extension of no format is refused.
    void theFormatFollowsTheNamesExtension_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("chosen");  // the format chosen in the list: 0 PDF, 1 DOCX, 2 HTML
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("format");
        QTest::newRow("docx typed, PDF chosen") << "a.docx" << 0 << "a.docx" << int(ReportFormat::Docx);
        QTest::newRow("HTML in capitals") << "a.HTML" << 0 << "a.HTML" << int(ReportFormat::Html);
        QTest::newRow("htm") << "a.htm" << 1 << "a.htm" << int(ReportFormat::Html);
        QTest::newRow("no extension") << "report" << 1 << "report.docx" << int(ReportFormat::Docx);
        QTest::newRow("odt refused") << "a.odt" << 0 << "" << -1;
    }

    void theFormatFollowsTheNamesExtension() {
        QFETCH(QString, typed);
        QFETCH(int, chosen);
        QFETCH(QString, file);
        QFETCH(int, format);
        QTemporaryDir dir;
        QStringList written;
        ReportFormat writtenAs{};
        ReportExportDialog dialog(dir.filePath("x.pdf"), [&](ReportFormat as, const QString& path, const ProjectInfo&) {
            written << path;
            writtenAs = as;
            return QString();
        });
        dialog.show();
        dialog.formatChooser()->setCurrentIndex(chosen);
        auto* path = dialog.findChild<QLineEdit*>("path");
        path->clear();
        QTest::keyClicks(path, typed);  // relative: in the offered folder
        dialog.accept();
        if (format < 0) {
            QVERIFY(dialog.isVisible());
            QVERIFY2(dialog.problem().contains(".odt"), qPrintable(dialog.problem()));
            QVERIFY(written.isEmpty());
            return;
        }
        QCOMPARE(written, QStringList{dir.filePath(file)});
        QCOMPARE(int(writtenAs), format);
        QCOMPARE(dialog.formatChooser()->currentIndex(), format);
    }

    void choosingAFormatChangesTheExtension() {
        ReportExportDialog dialog("/tmp/报告/a.odt");
        for (const auto& [index, expected] : {std::pair{1, "/tmp/报告/a.docx"}, {2, "/tmp/报告/a.html"}, {0, "/tmp/报告/a.pdf"}}) {
            dialog.formatChooser()->setCurrentIndex(index);
            QCOMPARE(dialog.path(), QString(expected));
        }
    }

    // Ctrl+E opens the export wherever the cursor is: in an input field too, whose own editing
    // keys would otherwise take it. The name offered is the window's title and today's date.
    void ctrlEExportsFromAnInputField() {
        rememberFolder(folder_.path());  // not the account's documents folder
        FakePrinter printer;
        CalcWindow window(*findWindow("壁厚计算"), testServices(), printer);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* pressure = qobject_cast<QLineEdit*>(window.widgetFor("Text2"));
        pressure->setFocus();
        QVERIFY(pressure->hasFocus());
        QString offered;
        QTimer::singleShot(0, [&offered] {
            auto* dialog = dynamic_cast<ReportExportDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            offered = dialog->path();
            dialog->reject();
        });
        QTest::keyClick(pressure, Qt::Key_E, Qt::ControlModifier);
        QVERIFY2(!offered.isEmpty(), "Ctrl+E in an input field opened no export");
        QCOMPARE(QFileInfo(offered).fileName(), "壁厚计算_计算书_" + QDate::currentDate().toString("yyyyMMdd") + ".pdf");
        QCOMPARE(QFileInfo(offered).absolutePath(), folder_.path());
        QSettings().remove("report/folder");
    }
};

PYLORA_GUI_TEST_MAIN(ReportExportTest)
#include "report_export_test.moc"
