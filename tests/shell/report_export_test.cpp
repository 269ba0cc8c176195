// The calculation report written by the desktop program: PDF pages whose text a checker can
// search (inputs, results, verdicts, signature block, page numbers), fonts embedded, and the
// editable document; the export entry of every calculator window and its remembered fields.
#include <QAction>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "core/window_registry.h"
#include "fake_printer.h"
#include "modal_watchdog.h"
#include "shell/calc_window.h"
#include "shell/report_export.h"

using namespace pylora;

namespace {

Services testServices() {
    Services services;
    services.databaseFolder = PYLORA_DATABASE_DIR;
    return services;
}

QString runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString withoutBlanks(QString text) { return text.remove(QRegularExpression("\\s")); }

const ProjectInfo kProject{"西部管道二期工程", "XB-2026-015", "李工", "王工", "赵工", "2026年12月10日"};

// A window with the engineer's settings applied ("List1=φ108" chooses, "Text1=…" types,
// "Option1(0)" selects) and its run button pressed.
CalcForm runWindow(const char* formName, const QStringList& settings) {
    CalcForm window(*findWindow(formName), testServices());
    for (const QString& setting : settings) {
        const auto eq = setting.indexOf('=');
        const std::string name = setting.left(eq).toStdString();
        const std::string value = setting.mid(eq + 1).toStdString();
        if (eq < 0) {
            window.form().select(name);
        } else if (window.form().control(name).kind == ControlKind::ListBox) {
            window.form().choose(name, value);
        } else {
            window.form().type(name, value);
        }
    }
    window.press(window.definition().defaultRunButton());
    return window;
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
        QTest::newRow("solve for one: end pressure of a transmission line")
            << "水力计算" << QStringList{}
            << QStringList{"长输管道水力计算", "潘汉德尔公式", "输气管的外径(米)", "0.72", "终点压力(兆帕)",
                           "输气管终点压力(绝)(MPa)", "2.728", "MPa"};
        QTest::newRow("verdict: highway crossing strength")
            << "公路穿越强度校核" << QStringList{}
            << QStringList{"管道平均直径(米)", "0.325", "外载作用下管子产生的拉应力(KN/m2)", "-1179.7880859375",
                           "144117.647058824", "满足强度要求", "结论"};
        QTest::newRow("database: welding materials")
            << "焊接材料" << QStringList{"List1=φ108", "List2=6mm"}
            << QStringList{"管线外径(mm)", "φ108", "6mm", "E4315(J427)", "电焊条(Kg) 每个焊口材料消耗指标", "187.5"};
        QTest::newRow("profile with its sketch: open-cut crossing")
            << "穿越断面" << QStringList{}
            << QStringList{"桩点里程", "管底标高", "开挖量（方）", "19.5", "里程（米）", "高程（米）"};
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
        const QStringList signature{"计算书", "工程名称", "西部管道二期工程", "工程编号", "XB-2026-015", "计算", "李工",
                                    "校核", "王工", "审核", "赵工", "日期", "2026年12月10日", "第1页共"};
        for (const QString& part : expected + signature)
            QVERIFY2(text.contains(withoutBlanks(part)), qPrintable(form + ": no \"" + part + "\" in\n" + text));

        const QString fonts = runTool("pdffonts", {pdf});
        const QStringList lines = fonts.split('\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY2(!lines.isEmpty(), qPrintable(fonts));
        for (const QString& line : lines) {
            // name, type, encoding, emb, sub, uni, object, generation
            const QStringList columns = line.split(' ', Qt::SkipEmptyParts);
            QVERIFY2(columns.size() >= 7 && columns.at(columns.size() - 5) == "yes", qPrintable("not embedded: " + line));
        }
    }

    void failedRunIsStatedAndItsResultsAreNotShown() {
        CalcForm window = runWindow("公路穿越强度校核", {});
        window.form().type("Text8", "0");  // a wall of no thickness: the stresses divide by it
        QVERIFY(window.press("Command1"));
        const QString pdf = pathFor("failed.pdf");
        QVERIFY(writeReport(window, kProject, ReportFormat::Pdf, pdf).isEmpty());
        const QString text = withoutBlanks(runTool("pdftotext", {pdf, "-"}));
        QVERIFY2(text.contains("计算中止"), qPrintable(text));
        QVERIFY2(text.contains("不给出计算结果"), qPrintable(text));
        QVERIFY2(!text.contains("满足强度要求"), qPrintable(text));
        QVERIFY2(!text.contains("21.938"), qPrintable(text));  // the normal force written before the failure
    }

    void editableDocumentHoldsTheTextsAndPictures() {
        const CalcForm window = runWindow("公路穿越强度校核", {});
        const QString odt = pathFor("report.odt");
        QVERIFY(writeReport(window, kProject, ReportFormat::Odf, odt).isEmpty());
        const QString content = runTool("unzip", {"-p", odt, "content.xml"});
        for (const char* part : {"公路穿越强度校核", "满足强度要求", "外载作用下管子产生的压应力(KN/m2)", "西部管道二期工程", "校核"})
            QVERIFY2(content.contains(QString::fromUtf8(part)), part);
        const QString files = runTool("unzip", {"-l", odt});
        QVERIFY2(files.count("Pictures/") >= 4, qPrintable(files));  // the four formula pictures
    }

    void everyWindowOffersTheExportByKeyAndContextMenu() {
        ModalWatchdog watchdog;
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
            dialog.projectField(2)->setText("陈工");
            dialog.accept();
        }
        ReportExportDialog again(pathFor("y.pdf"));
        QCOMPARE(again.projectField(0)->text(), QString("川气东送"));
        QCOMPARE(again.projectField(2)->text(), QString("陈工"));
        QVERIFY2(again.projectField(5)->text().contains("年"), "the date is today's");
        QCOMPARE(again.project().projectName, std::string("川气东送"));
    }
};

QTEST_MAIN(ReportExportTest)
#include "report_export_test.moc"
