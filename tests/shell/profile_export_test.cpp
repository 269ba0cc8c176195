// The profile exports of the desktop program: entries and a button on the four profile windows
// only, Ctrl+D opening the drawing's dialog with the window's own exaggeration, the files the
// dialog writes, and a calculation without a profile refused in the status line.
#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "cad/profile_drawing.h"
#include "model/window_registry.h"
#include "fake_printer.h"
#include "gui_test_main.h"
#include "shell/calc_window.h"
#include "shell/default_names.h"
#include "shell/profile_export.h"
#include "shell/report_export.h"
#include "test_services.h"

using namespace pylora;

namespace {

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class ProfileExportTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings().clear();
        rememberFolder(folder_.path());
    }

    void onlyProfileWindowsOfferTheExports() {
        FakePrinter printer;
        const char* const profiles[] = {"穿越断面", "定向钻穿越", "定向钻穿越地面数据", "弹性敷设参数计算"};
        for (const FormDefinition* definition : allWindows()) {
            CalcWindow window(*definition, testServices(), printer);
            window.setAttribute(Qt::WA_DeleteOnClose, false);
            const bool profile = std::find_if(std::begin(profiles), std::end(profiles), [&](const char* name) {
                                     return definition->formName() == name;
                                 }) != std::end(profiles);
            auto* dxf = window.findChild<QAction*>("exportProfileDxf");
            QCOMPARE(bool(dxf), profile);
            QCOMPARE(bool(window.findChild<QAction*>("exportProfileCsv")), profile);
            QCOMPARE(bool(window.findChild<QPushButton*>("exportProfileButton")), profile);
            if (dxf) {
                QCOMPARE(dxf->text(), QStringLiteral("导出纵断面图 (DXF)…"));
                QCOMPARE(dxf->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
            }
        }
    }

    // Before the drawing step has run there is nothing to export: the status line says so.
    void aCalculationWithoutProfileIsRefused() {
        FakePrinter printer;
        CalcWindow window(*findWindow("弹性敷设参数计算"), testServices(), printer);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.press("Command1");
        window.findChild<QAction*>("exportProfileDxf")->trigger();  // no dialog: the watchdog would fail
        QCOMPARE(window.statusText(), QStringLiteral("请先完成「第二步计算」，再导出纵断面"));
    }

    // Ctrl+D offers the window's own exaggeration; the dialog writes the drawing with the one chosen.
    void ctrlDWritesTheDrawingWithTheChosenExaggeration() {
        FakePrinter printer;
        CalcWindow window(*findWindow("弹性敷设参数计算"), testServices(), printer);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.press("Command1");
        window.press("Command3");
        const double own = profileDrawing(window.model())->defaultExaggeration;
        const QString path = folder_.filePath("弹性.dxf");
        double offered = 0;
        QString problem = "not shown";
        QTimer::singleShot(0, [&] {
            auto* dialog = dynamic_cast<ProfileExportDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            offered = dialog->exaggeration();
            dialog->pathField()->setText(path);
            dialog->exaggerationField()->setValue(1);
            dialog->accept();
            problem = dialog->problem();
        });
        QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(offered, own);
        QCOMPARE(problem, QString());
        const QByteArray dxf = contentsOf(path);
        QVERIFY(dxf.contains("AC1015"));
        QVERIFY(dxf.contains("\nARC\n"));  // at equal scales the bend is a true arc
        QVERIFY(window.statusText().contains(QStringLiteral("纵断面图已导出")));
    }

    // A file that cannot be written keeps the dialog open with the reason, the earlier file as it was.
    void aFailedWriteIsShownAndKeepsTheEarlierFile() {
        CalcForm model(*findWindow("穿越断面"), testServices());
        QVERIFY(!model.press("Command1"));
        ProfileExportDialog dialog(model, folder_.filePath("没有的目录/断面.dxf"));
        dialog.accept();
        QVERIFY(dialog.problem().contains(QStringLiteral("目录不存在")));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));

        const QString csv = folder_.filePath("断面.csv");
        QVERIFY(writeProfileCsv(model, csv).isEmpty());
        QVERIFY(contentsOf(csv).startsWith("\xEF\xBB\xBF桩号,里程 (m),地面标高 (m),管底标高 (m)"));
    }
};

PYLORA_GUI_TEST_MAIN(ProfileExportTest)
#include "profile_export_test.moc"
