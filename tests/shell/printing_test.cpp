// Prints the wall-thickness window through the system's default printer. CI makes a PDF
// printer the default and names the folder its files arrive in (PYLORA_PRINT_OUTPUT_DIR).
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QPrinter>
#include <QTest>

#include "core/window_registry.h"
#include "fake_printer.h"
#include "gui_test_main.h"
#include "shell/calc_window.h"
#include "shell/printing.h"
#include "shell/program_setup.h"

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

    // The page as a PDF file (print to file, the preview's PDF): shaped like the window, every
    // text of the window searchable.
    void thePageHoldsTheWholeWindowScaledToFit() {
        setUpProgram(*static_cast<QApplication*>(QCoreApplication::instance()));
        FakePrinter unused;
        CalcWindow window(*findWindow("壁厚计算"), Services{}, unused);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageOrientation(orientationFor(window.pageContentSize()));
        const QString path = QDir::temp().filePath("pylora-page-test.pdf");
        printer.setOutputFileName(path);
        paintWindowPage(window, printer);
        const QString info = run("pdfinfo", {path});
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(info));
        checkPageShape(info, window.pageContentSize().width() > window.pageContentSize().height());
        // Drawn at the printer's resolution: the texts of the window are text on the page.
        const QString text = run("pdftotext", {path, "-"});
        for (const char* expected : {"输气管道壁厚计算", "管道的设计压力（MPa）", "输气管道外径(毫米)", "开始计算"})
            QVERIFY2(text.contains(expected), expected);
        QFile::remove(path);
    }
};

PYLORA_GUI_TEST_MAIN(PrintingTest)
#include "printing_test.moc"
