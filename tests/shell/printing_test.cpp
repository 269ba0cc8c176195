// Prints the wall-thickness window through the system's default printer. CI makes a PDF
// printer the default and names the folder its files arrive in (PYLORA_PRINT_OUTPUT_DIR).
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QPrinter>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QStandardPaths>
#include <QTest>

#include "model/window_registry.h"
#include "fake_printer.h"
#include "gui_test_main.h"
#include "shell/calc_window.h"
#include "shell/printing.h"
#include "shell/program_setup.h"
#include "shell/report_export.h"

using namespace pylora;

class PrintingTest : public QObject {
    Q_OBJECT

    // A PDF written since `since`: the printer names its files after the document and
    // overwrites an older file of the same name.
    static QString newPdf(const QDir& dir, const QDateTime& since) {
        for (const QFileInfo& file : dir.entryInfoList({"*.pdf"}, QDir::Files, QDir::Time))
            if (file.lastModified() >= since) return file.filePath();
        return {};
    }

private slots:
    void printsOnePageToTheDefaultPrinter() {
        const QString folder = qEnvironmentVariable("PYLORA_PRINT_OUTPUT_DIR");
        if (folder.isEmpty()) QSKIP("no PDF printer set up (PYLORA_PRINT_OUTPUT_DIR)");
        QDir dir(folder);
        const QDateTime started = QDateTime::currentDateTime().addSecs(-1);

        SystemPrinter printer;
        CalcWindow window(*findWindow("壁厚计算"), Services{}, printer);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        window.press("Command1");
        window.press("Command2");
        QVERIFY2(window.statusText().startsWith("已发送到打印机 "), qPrintable(window.statusText()));

        QElapsedTimer waited;
        waited.start();
        QString arrived;
        while (arrived.isEmpty() && waited.elapsed() < 90000) {
            QTest::qWait(500);
            arrived = newPdf(dir, started);
        }
        QVERIFY2(!arrived.isEmpty(), "no PDF arrived from the default printer");
        QTest::qWait(1000);  // the file is complete once the printer has closed it
        const QString info = run("pdfinfo", {arrived});
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(info));
    }

    static QString run(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(30000)) return {};
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    // The page itself is turned, not its content: a landscape page is wider than tall with no
    // rotation for the viewer to undo.
    static void checkPageShape(const QString& info, bool landscape) {
        const QRegularExpressionMatch size = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(info);
        QVERIFY2(size.hasMatch(), qPrintable(info));
        QCOMPARE(size.captured(1).toDouble() > size.captured(2).toDouble(), landscape);
        const QRegularExpressionMatch rotation = QRegularExpression("Page rot:\\s+(\\d+)").match(info);
        QVERIFY(!rotation.hasMatch() || rotation.captured(1) == "0");
    }

    // The window's page as a PDF file (as print to file or the preview makes it); its text.
    static QString printedText(CalcWindow& window, QString* info = nullptr) {
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageOrientation(orientationFor(window.pageContentSize()));
        const QString path = QDir::temp().filePath("pylora-page-test.pdf");
        printer.setOutputFileName(path);
        paintWindowPage(window, printer);
        if (info) *info = run("pdfinfo", {path});
        const QString text = run("pdftotext", {path, "-"});
        // Set PYLORA_PAGE_DIR to keep the last page of each window for a look.
        if (const QString kept = qEnvironmentVariable("PYLORA_PAGE_DIR"); !kept.isEmpty()) {
            QFile::remove(kept + '/' + window.windowTitle() + ".pdf");
            QFile::copy(path, kept + '/' + window.windowTitle() + ".pdf");
        }
        QFile::remove(path);
        return text;
    }

    static QString withoutBlanks(QString text) { return text.remove(QRegularExpression("\\s")); }

    void initTestCase() {
        setUpProgram(*static_cast<QApplication*>(QCoreApplication::instance()));
        QStandardPaths::setTestModeEnabled(true);  // the remembered project goes to a test settings file
        ProjectInfo project = rememberedProject();
        project.projectName = "西气东输三线";
        rememberProject(project);
    }

    // One page shaped like the window, every text of its body searchable, under a heading of
    // title, project and date, above the page number; without the buttons and the status line.
    void thePageHoldsTheWholeWindowScaledToFit() {
        FakePrinter unused;
        CalcWindow window(*findWindow("壁厚计算"), Services{}, unused);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        window.showInformation("状态行的文字");
        QString info;
        const QString text = withoutBlanks(printedText(window, &info));
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(info));
        checkPageShape(info, window.pageContentSize().width() > window.pageContentSize().height());
        // Drawn at the printer's resolution: the texts of the window are text on the page.
        const QString date = QDate::currentDate().toString("yyyy年M月d日");
        for (const QString& expected : {QString("输气管道壁厚计算"), QString("管道的设计压力（MPa）"),
                                        QString("输气管道外径(毫米)"), QString("壁厚计算"),
                                        QString("工程名称：西气东输三线"), date, QString("第1页共1页")})
            QVERIFY2(text.contains(expected), qPrintable(expected + " not in " + text));
        for (const char* left : {"开始计算", "打印输出", "状态行的文字", "灰色显示的结果"})
            QVERIFY2(!text.contains(left), left);
    }

    // Results that do not belong to the inputs shown are printed grey as on screen, under a line
    // saying so; a failed run's message is printed too. A good run again: no such lines.
    void resultsOfOtherInputsArePrintedAsSuch() {
        FakePrinter unused;
        CalcWindow window(*findWindow("壁厚计算"), Services{}, unused);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        window.press("Command1");
        QVERIFY(window.pageWarning().isEmpty());

        auto* pressure = qobject_cast<QLineEdit*>(window.widgetFor("Text2"));
        QTest::keyClicks(pressure, "5");  // an input edited after the run
        QVERIFY(window.isStale("Text6"));
        QString text = withoutBlanks(printedText(window));
        QVERIFY2(text.contains("灰色显示的结果不是当前输入的计算结果"), qPrintable(text));

        window.model().form().type("Text5", "0.5");  // the bend factor's divisor is zero
        window.press("Command1");
        text = withoutBlanks(printedText(window));
        QVERIFY2(text.contains(withoutBlanks(window.statusText())), qPrintable(window.statusText() + " not in " + text));
        QVERIFY2(text.contains("灰色显示的结果不是当前输入的计算结果"), qPrintable(text));

        window.model().form().type("Text5", "5.0");
        window.press("Command1");
        QVERIFY(window.pageWarning().isEmpty());
        QVERIFY(!withoutBlanks(printedText(window)).contains("计算中止"));
    }

    // The keyboard focus and a selected text are the engineer's work, not the page's: the page is
    // the same with them or without, and they are there again after printing.
    void focusAndSelectionAreNotPrinted() {
        FakePrinter unused;
        CalcWindow window(*findWindow("壁厚计算"), Services{}, unused);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.press("Command1");
        auto page = [&window] {
            QImage image(window.pageContentSize(), QImage::Format_RGB32);
            QPainter painter(&image);
            window.paintPageContent(painter);
            return image;
        };
        if (QWidget* focused = window.focusWidget()) focused->clearFocus();
        const QImage plain = page();
        auto* pressure = qobject_cast<QLineEdit*>(window.widgetFor("Text2"));
        pressure->setFocus();
        pressure->setSelection(0, 2);
        QVERIFY(page() == plain);
        QVERIFY(pressure->hasFocus());
        QCOMPARE(pressure->selectionStart(), 0);
        QCOMPARE(pressure->selectedText(), pressure->text().left(2));
    }
};

PYLORA_GUI_TEST_MAIN(PrintingTest)
#include "printing_test.moc"
