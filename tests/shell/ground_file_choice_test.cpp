// The drilling window with a surveyed ground line says which file it read, and the engineer
// chooses another through its context menu; the choice is remembered for the next windows.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "model/window_registry.h"
#include "fake_printer.h"
#include "gui_test_main.h"
#include "shell/calc_window.h"
#include "shell/ground_file_choice.h"
#include "shell/sketch_canvas.h"
#include "shell/program_setup.h"
#include "test_services.h"

using namespace pylora;

class GroundFileChoiceTest : public QObject {
    Q_OBJECT

    FakePrinter printer;
    QTemporaryDir folder_;

    static Services services() {
        const Services services = testServices();
        return services;
    }

    static QAction* action(QWidget& window, const char* name) {
        for (QAction* a : window.actions())
            if (a->objectName() == name) return a;
        return nullptr;
    }

    static void runBothSteps(CalcWindow& window) {
        window.press("Command1");
        window.press("Command3");
    }

private slots:
    void initTestCase() {
        setUpProgram(*static_cast<QApplication*>(QCoreApplication::instance()));
        QStandardPaths::setTestModeEnabled(true);
        QSettings().clear();
    }

    void theStatusLineNamesTheSampleAndItsRecords() {
        CalcWindow window(*findWindow("定向钻穿越地面数据"), services(), printer);
        runBothSteps(window);
        const QString sample = QString::fromStdString((std::filesystem::path(PYLORA_DATABASE_DIR) / "1.TXT").string());
        QCOMPARE(window.statusText(), QStringLiteral("地面数据文件：") + sample + QStringLiteral("（示例数据），共 29 个地面点"));
    }

    void aChosenFileIsReadRememberedAndItsNotesShown() {
        const QString path = folder_.filePath("survey.csv");
        std::ofstream(path.toStdString()) << "0,310\n150,300\n140,301\n260,310\n";
        {
            CalcWindow window(*findWindow("定向钻穿越地面数据"), services(), printer);
            QVERIFY(action(window, "chooseGroundDataFile"));
            QCOMPARE(action(window, "chooseGroundDataFile")->text(), QStringLiteral("选择地面数据文件…"));
            chooseGroundDataFile(window, path);
            runBothSteps(window);
            QVERIFY2(window.statusText().startsWith(QStringLiteral("地面数据文件：") + path + QStringLiteral("，共 4 个地面点\n注意：")),
                     qPrintable(window.statusText()));
        }
        CalcWindow later(*findWindow("定向钻穿越地面数据"), services(), printer);
        runBothSteps(later);
        QVERIFY2(later.statusText().contains(path), qPrintable(later.statusText()));

        action(later, "defaultGroundDataFile")->trigger();  // back to the user's own survey, else the sample
        runBothSteps(later);
        QVERIFY2(later.statusText().contains(QStringLiteral("（示例数据）")), qPrintable(later.statusText()));
        QVERIFY(!QSettings().contains("groundDataFile"));
    }

    // The file the next run reads is in sight from the start, with a button to choose another; a
    // chosen file shows at once and greys the sketch of the old ground; a heading line is
    // skipped and said; a failed run greys the sketch too.
    void theFileIsInSightAndTheOldGroundGreyed() {
        QSettings().remove("groundDataFile");
        CalcWindow window(*findWindow("定向钻穿越地面数据"), services(), printer);
        auto* shown = window.findChild<QLabel*>("groundDataFile");
        QVERIFY(shown);
        QVERIFY2(shown->text().endsWith("1.TXT（示例数据）"), qPrintable(shown->text()));
        QVERIFY(window.findChild<QPushButton*>("chooseGroundDataFileButton"));
        runBothSteps(window);
        auto* sketch = dynamic_cast<SketchCanvas*>(window.widgetFor("Picture1"));
        QVERIFY2(sketch && !sketch->isOutdated(), qPrintable(sketch->toolTip()));

        const QString path = folder_.filePath("heading.csv");
        std::ofstream(path.toStdString()) << "里程,地面高程\n0,310\n150,300\n260,310\n";
        chooseGroundDataFile(window, path);
        QCOMPARE(shown->text(), QStringLiteral("地面数据文件：") + path);
        QVERIFY(sketch->isOutdated());
        runBothSteps(window);
        QVERIFY2(window.statusText().contains("第1行「里程,地面高程」不是数据，作为表头跳过"), qPrintable(window.statusText()));
        QVERIFY2(window.statusText().contains("共 3 个地面点"), qPrintable(window.statusText()));
        QVERIFY(!sketch->isOutdated());

        std::ofstream(path.toStdString()) << "0,310\n150,abc\n";
        runBothSteps(window);
        QVERIFY2(window.statusText().contains("abc"), qPrintable(window.statusText()));
        QVERIFY(sketch->isOutdated());
        chooseGroundDataFile(window, {});
    }

    void windowsThatReadNoFileOfferNoChoice() {
        CalcWindow window(*findWindow("定向钻穿越"), services(), printer);
        QVERIFY(!action(window, "chooseGroundDataFile"));
        runBothSteps(window);
        QVERIFY(window.statusText().isEmpty());
    }
};

PYLORA_GUI_TEST_MAIN(GroundFileChoiceTest)
#include "ground_file_choice_test.moc"
