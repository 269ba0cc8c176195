// Prints the wall-thickness window through the system's default printer. CI makes a PDF
// printer the default and names the folder its files arrive in (PYLORA_PRINT_OUTPUT_DIR).
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QPrinter>
#include <QTest>

#include "core/window_registry.h"
#include "fake_printer.h"
#include "shell/calc_window.h"
#include "shell/printing.h"

using namespace pylora;

class PrintingTest : public QObject {
    Q_OBJECT

    static QStringList pdfs(const QDir& dir) { return dir.entryList({"*.pdf"}, QDir::Files, QDir::Time); }

private slots:
    void printsOnePageToTheDefaultPrinter() {
        const QString folder = qEnvironmentVariable("PYLORA_PRINT_OUTPUT_DIR");
        if (folder.isEmpty()) QSKIP("no PDF printer set up (PYLORA_PRINT_OUTPUT_DIR)");
        QDir dir(folder);
        const QStringList before = pdfs(dir);

        SystemPrinter printer;
        CalcWindow window(*findWindow("壁厚计算"), Services{}, printer);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        window.press("Command1");
        window.press("Command2");
        QVERIFY2(window.statusText().isEmpty(), qPrintable(window.statusText()));

        QElapsedTimer waited;
        waited.start();
        QString arrived;
        while (arrived.isEmpty() && waited.elapsed() < 90000) {
            QTest::qWait(500);
            for (const QString& name : pdfs(dir))
                if (!before.contains(name)) arrived = dir.filePath(name);
        }
        QVERIFY2(!arrived.isEmpty(), "no PDF arrived from the default printer");
        QTest::qWait(1000);  // the file is complete once the printer has closed it
        QProcess info;
        info.start("pdfinfo", {arrived});
        QVERIFY(info.waitForFinished(30000));
        const QString text = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(text.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(text));
    }

    void thePageHoldsTheWholeWindowScaledToFit() {
        FakePrinter unused;
        CalcWindow window(*findWindow("壁厚计算"), Services{}, unused);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString path = QDir::temp().filePath("pylora-page-test.pdf");
        printer.setOutputFileName(path);
        paintWindowPage(window, printer);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray pdf = file.readAll();
        QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), qsizetype(1));
        file.remove();
    }
};

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
