// A parameter study in the 计算书's pages: after the conclusion, its table and its chart drawn
// as a vector picture, read back from the PDF by pdftotext and drawn again by pdftoppm.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

#include "documents/study_report.h"
#include "model/window_registry.h"
#include "gui_test_main.h"
#include "report_pages/report_pages.h"

using namespace pylora;

namespace {

QString pdfText(const QString& pdf) {
    QProcess process;
    process.start("pdftotext", {pdf, "-"});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput()).remove(QRegularExpression("\\s"));
}

// A chart as a plotting library writes it: sized in millimetres, its pixels in the view box.
const char* const kChart =
    R"(<svg width="160mm" height="100mm" viewBox="0 0 600 375" xmlns="http://www.w3.org/2000/svg">)"
    R"(<rect x="50" y="20" width="530" height="310" fill="none" stroke="black"/>)"
    R"(<polyline points="50,330 300,180 580,20" fill="none" stroke="#1f77b4" stroke-width="2"/></svg>)";

}  // namespace

class StudyReportPagesTest : public QObject {
    Q_OBJECT

    static Report reportWithStudy() {
        CalcForm window(*findWindow("壁厚计算"), Services{});
        window.press("Command1");
        Report report = buildReport(window);
        const StudyResult study = runStudy(window, {{{"Text2", {"2", "4.5", "x"}}}, {"Text6", "Text10"}, {}});
        addStudy(report, studyReportSection(study, "设计压力对壁厚的影响", kChart));
        return report;
    }

private slots:
    void pdfShowsTheStudyAfterTheConclusion() {
        const Report report = reportWithStudy();
        QTemporaryDir folder;
        const QString kept = qEnvironmentVariable("PYLORA_REPORT_DIR");
        const QString pdf = (kept.isEmpty() ? folder.path() : kept) + "/study.pdf";
        const QString problem = writeReportFile(report, ProjectInfo{}, ReportFormat::Pdf, pdf);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        const QString text = pdfText(pdf);
        const int section = text.indexOf("六、参数分析");
        QVERIFY2(section > text.indexOf("五、结论"), qPrintable(text));
        for (const QString part : {"设计压力对壁厚的影响", "序号", "失败原因", "4.5", "计算中止"})
            QVERIFY2(text.indexOf(part, section) > 0, qPrintable("no \"" + part + "\" after the section in\n" + text));

        // The chart's curve is on the pages, as the rasteriser of another program draws them.
        QProcess raster;
        raster.start("pdftoppm", {"-png", "-r", "50", pdf, folder.path() + "/page"});
        QVERIFY(raster.waitForFinished(60000));
        int curve = 0;
        for (const QString& page : QDir(folder.path()).entryList({"page*.png"})) {
            const QImage image(folder.path() + "/" + page);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    curve += std::abs(c.red() - 0x1f) < 40 && std::abs(c.green() - 0x77) < 40 && std::abs(c.blue() - 0xb4) < 40;
                }
        }
        QVERIFY2(curve > 100, qPrintable(QString::number(curve)));
    }

    // The editable document as a word processor reads it: the section, its table, the chart a
    // picture inside the file.
    void editableDocumentHoldsTheStudy() {
        QTemporaryDir folder;
        const QString docx = folder.path() + "/study.docx";
        const QString problem = writeReportFile(reportWithStudy(), ProjectInfo{}, ReportFormat::Docx, docx);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QProcess office;
        office.start("soffice", {"-env:UserInstallation=file://" + folder.path() + "/profile", "--headless",
                                 "--convert-to", "pdf", "--outdir", folder.path(), docx});
        QVERIFY(office.waitForFinished(120000));
        const QString text = pdfText(folder.path() + "/study.pdf");
        const int section = text.indexOf("六、参数分析");
        QVERIFY2(section > text.indexOf("五、结论"), qPrintable(text));
        for (const QString part : {"设计压力对壁厚的影响", "失败原因", "4.5", "11.25", "计算中止"})
            QVERIFY2(text.indexOf(part, section) > 0, qPrintable("no \"" + part + "\" after the section in\n" + text));
        if (!qEnvironmentVariable("PYLORA_REPORT_DIR").isEmpty())
            QFile::copy(folder.path() + "/study.pdf", qEnvironmentVariable("PYLORA_REPORT_DIR") + "/study.docx.pdf");

        // The chart is one more picture in the file than the report without the study has.
        Report plain = reportWithStudy();
        plain.studies.clear();
        const QString plainDocx = folder.path() + "/plain.docx";
        QVERIFY(writeReportFile(plain, ProjectInfo{}, ReportFormat::Docx, plainDocx).isEmpty());
        const auto pictures = [](const QString& file) {
            QProcess unzip;
            unzip.start("unzip", {"-l", file});
            unzip.waitForFinished(60000);
            return QString::fromUtf8(unzip.readAllStandardOutput()).count("word/media/");
        };
        QCOMPARE(pictures(docx), pictures(plainDocx) + 1);
    }
};

PYLORA_GUI_TEST_MAIN(StudyReportPagesTest)
#include "study_report_pages_test.moc"
