// Prints the wall-thickness window through the system's default printer. CI makes a PDF
// printer the default and names the folder its files arrive in (PYLORA_PRINT_OUTPUT_DIR).
#include <QDateTime>
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
        QVERIFY2(window.statusText().isEmpty(), qPrintable(window.statusText()));

        QElapsedTimer waited;
        waited.start();
        QString arrived;
        while (arrived.isEmpty() && waited.elapsed() < 90000) {
            QTest::qWait(500);
            arrived = newPdf(dir, started);
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
