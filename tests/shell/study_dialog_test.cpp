// The 参数分析 dialog of a calculator window: its entries, a study whose points are the window's
// own runs, failed points as gaps with their cause, a grid, cancelling a long study while the
// windows stay usable, the read-out, the clipboard and the exported CSV, PNG and SVG files as
// independent readers see them.
#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QMouseEvent>
#include <QSplitter>
#include <QProcess>
#include <QProgressBar>
#include <QRegularExpression>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QLegend>
#include <QScreen>
#include <set>
#include <QValueAxis>
#include <QXmlStreamReader>

#include "model/window_registry.h"
#include "model/window_settings.h"
#include "fake_printer.h"
#include "gui_test_main.h"
#include "shell/calc_window.h"
#include "shell/main_window.h"
#include "report_pages/report_pages.h"
#include "shell/program_setup.h"
#include "shell/study_chart.h"
#include "model/field_role.h"
#include "shell/study_dialog.h"
#include "shell/study_report_link.h"
#include "shell/study_setup.h"
#include "shell/screen_fit.h"

using namespace pylora;

namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

// The window run by hand: these texts typed, then its run button pressed.
CalcForm runByHand(const char* formName, const std::vector<std::pair<std::string, std::string>>& typed) {
    CalcForm window(*findWindow(formName), Services{});
    for (const auto& [control, text] : typed) window.form().type(control, text);
    window.press(window.definition().defaultRunButton());
    return window;
}

void setRange(StudyVariableEditor& editor, const char* control, const char* from, const char* to, int spacing,
              const char* spacingValue) {
    editor.choose(control);
    editor.rangeChoice()->setChecked(true);
    editor.fromEdit()->setText(from);
    editor.toEdit()->setText(to);
    editor.spacingChooser()->setCurrentIndex(spacing);
    editor.spacingEdit()->setText(spacingValue);
}

void setList(StudyVariableEditor& editor, const char* control, const char* values) {
    editor.choose(control);
    editor.listChoice()->setChecked(true);
    editor.listEdit()->setText(values);
}

QString cell(const QTableView* table, int row, int column) {
    return table->model()->index(row, column).data().toString();
}

// The words of an SVG drawing, read by an XML reader; "not XML" when it is none, and "no lines"
// when it draws no line.
QString svgText(const QByteArray& svg) {
    QXmlStreamReader xml(svg);
    QString text;
    int lines = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && (xml.name() == QLatin1String("path") || xml.name() == QLatin1String("polyline")))
            ++lines;
        if (xml.isCharacters()) text += xml.text();
    }
    if (xml.hasError()) return "not XML: " + xml.errorString();
    return lines > 0 ? text : "no lines";
}

QStringList headings(const QTableView* table) {
    QStringList list;
    for (int c = 0; c < table->model()->columnCount(); ++c)
        list << table->model()->headerData(c, Qt::Horizontal).toString();
    return list;
}

}  // namespace

class StudyDialogTest : public QObject {
    Q_OBJECT

    FakePrinter printer;
    QPointer<CalcWindow> window;
    QTemporaryDir folder;

    StudyDialog* openOn(const char* formName) {
        window = new CalcWindow(*findWindow(formName), Services{}, printer);
        window->show();
        if (!QTest::qWaitForWindowExposed(window)) return nullptr;
        StudyDialog* dialog = openParameterStudy(*window);
        return QTest::qWaitForWindowExposed(dialog) ? dialog : nullptr;
    }

    // Starts the study as set and waits for it to end.
    static bool runStudy(StudyDialog& dialog) {
        QSignalSpy finished(&dialog, &StudyDialog::studyFinished);
        if (!dialog.start()) return false;
        return finished.wait(60000);
    }

    // The design pressure from 2 to 10 MPa in steps of 0.5, the straight and bend arc walls.
    StudyDialog* pressureStudy() {
        StudyDialog* dialog = openOn("壁厚计算");
        if (!dialog) return nullptr;
        setRange(dialog->firstInput(), "Text2", "2", "10", StudyVariableEditor::kByStep, "0.5");
        dialog->chooseResults({"Text6", "Text7"});
        return runStudy(*dialog) ? dialog : nullptr;
    }

private slots:
    void initTestCase() {
        setUpProgram(*static_cast<QApplication*>(QCoreApplication::instance()));
        QVERIFY(folder.isValid());
    }

    void cleanup() {
        if (window) window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void entriesOpenOneDialogPerWindow() {
        StudyDialog* dialog = openOn("壁厚计算");
        QVERIFY(dialog);
        QAction* entry = window->findChild<QAction*>("parameterStudy");
        QVERIFY(entry);
        QCOMPARE(entry->text(), QString("参数分析…"));
        QVERIFY(window->actions().contains(entry));  // the context menu shows the window's actions
        entry->trigger();
        QCOMPARE(window->findChildren<StudyDialog*>().size(), 1);

        // The 工具 menu's entry acts on the calculator window that was active last.
        MainWindow main(Services{}, printer);
        CalcWindow* other = main.showWindow("水力计算");
        QVERIFY(other);
        QVERIFY(QTest::qWaitForWindowExposed(other));
        main.findChild<QAction*>("MENU_TOOL_STUDY")->trigger();
        QVERIFY(other->findChild<StudyDialog*>());
        other->close();
    }

    void offersTheEditableInputsAndTheResultsByMeaning() {
        StudyDialog* dialog = openOn("壁厚计算");
        QVERIFY(dialog);
        QStringList inputs;
        const QComboBox* chooser = dialog->firstInput().fieldChooser();
        for (int i = 0; i < chooser->count(); ++i) inputs << chooser->itemText(i);
        QCOMPARE(inputs, QStringList({"D 输气管道外径 (mm)", "P 管道的设计压力 (MPa)", "n 弯头的曲率半径R与DN之比",
                                      "σ_s 管材的最低屈服强度 (MPa)", "F 设计系数", "t 温度折减系数"}));
        QStringList results;
        for (int i = 0; i < dialog->resultList()->count(); ++i) results << dialog->resultList()->item(i)->text();
        QCOMPARE(results, QStringList({"δ 直管段计算壁厚 (mm)", "δ_b 弯头圆弧最小壁厚 (mm)", "δ_w 煨制弯头直管段厚 (mm)"}));
        // A range is offered around the field's present value.
        dialog->firstInput().choose("Text2");
        QCOMPARE(dialog->firstInput().fromEdit()->text(), QString("1.96"));
        QCOMPARE(dialog->firstInput().toEdit()->text(), QString("5.88"));
    }

    // A solve-for-one window: the quantity solved for is no input to vary, neither when the
    // dialog opens nor after the engineer chose another unknown with the dialog open.
    void theUnknownIsNeverOfferedAsTheVariedInput() {
        const std::pair<const char*, const char*> unknowns[] = {{"Solve(2)", "P2"}, {"Solve(1)", "P1"}, {"Solve(0)", "Q"}};
        window = new CalcWindow(*findWindow("输气流量公式"), Services{}, printer);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        for (const auto& [option, unknown] : unknowns) {
            qobject_cast<QAbstractButton*>(window->widgetFor(option))->click();
            StudyDialog* dialog = openParameterStudy(*window);
            const QComboBox* chooser = dialog->firstInput().fieldChooser();
            QVERIFY2(chooser->findData(QString(unknown)) < 0, unknown);
            QVERIFY2(dialog->firstInput().control() != unknown, unknown);
            QVERIFY(roleIn(window->model().form(), dialog->firstInput().control()) == FieldRole::Input);
            bool offeredAsResult = false;
            for (int i = 0; i < dialog->resultList()->count(); ++i)
                offeredAsResult |= dialog->resultList()->item(i)->data(Qt::UserRole).toString() == unknown;
            QVERIFY2(offeredAsResult, unknown);
        }
    }

    void pointsEqualTheWindowRunByHand() {
        StudyDialog* dialog = pressureStudy();
        QVERIFY(dialog);
        const QTableView* table = dialog->table();
        QCOMPARE(headings(table), QStringList({"P 管道的设计压力 (MPa)", "δ 直管段计算壁厚 (mm)", "δ_b 弯头圆弧最小壁厚 (mm)",
                                               "失败原因"}));
        QCOMPARE(table->model()->rowCount(), 17);
        // The window's numbers as a spreadsheet reads them: "5." in the window is 5 in the table.
        const QRegularExpression number(QStringLiteral("^-?(0|[1-9][0-9]*)(\\.[0-9]+)?$"));
        for (const int row : {0, 7}) {
            const CalcForm byHand = runByHand("壁厚计算", {{"Text2", cell(table, row, 0).toStdString()}});
            for (const auto& [column, field] : {std::pair{1, "Text6"}, {2, "Text7"}}) {
                QVERIFY2(number.match(cell(table, row, column)).hasMatch(), qPrintable(cell(table, row, column)));
                QCOMPARE(cell(table, row, column).toDouble(), qt(byHand.form().text(field)).trimmed().toDouble());
            }
            QCOMPARE(cell(table, row, 3), QString());
        }
        QCOMPARE(cell(table, 7, 0), QString("5.5"));
        // The window's own fields were not touched by the study.
        QCOMPARE(qt(window->model().form().text("Text2")), QString("3.92"));

        QChart* chart = dialog->chart()->chart();
        QCOMPARE(dialog->chart()->curveNames(), QStringList({"δ 直管段计算壁厚", "δ_b 弯头圆弧最小壁厚"}));
        const QString xTitle = chart->axes(Qt::Horizontal).front()->titleText();
        QVERIFY2(xTitle.contains("管道的设计压力") && xTitle.contains("MPa"), qPrintable(xTitle));
        const QString yTitle = chart->axes(Qt::Vertical).front()->titleText();
        QVERIFY2(yTitle.contains("δ<sub>b</sub>") && yTitle.contains("mm"), qPrintable(yTitle));
        QVERIFY(chart->legend()->isVisible());
    }

    // Twelve curves (three results, four design factors): no two drawn alike, and the legend
    // draws each as a piece of its line.
    void manyCurvesStayDistinct() {
        StudyDialog* dialog = openOn("壁厚计算");
        QVERIFY(dialog);
        setRange(dialog->firstInput(), "Text2", "2", "6", StudyVariableEditor::kByPoints, "5");
        dialog->secondInputBox()->setChecked(true);
        setList(dialog->secondInput(), "Text4", "0.3, 0.4, 0.5, 0.6");
        dialog->chooseResults({"Text6", "Text7", "Text10"});
        QVERIFY(runStudy(*dialog));
        QCOMPARE(dialog->chart()->curveNames().size(), 12);
        std::set<std::pair<QRgb, int>> looks;
        for (QAbstractSeries* series : dialog->chart()->chart()->series()) {
            const QPen pen = qobject_cast<QLineSeries*>(series)->pen();
            looks.insert({pen.color().rgb(), int(pen.style())});
        }
        QCOMPARE(int(looks.size()), 12);
        QCOMPARE(dialog->chart()->chart()->legend()->markerShape(), QLegend::MarkerShapeFromSeries);
    }

    // While a new study runs, the last one's table and plot are gone and cannot be exported or
    // added to the 计算书 as if they were the new one's.
    void aRunningStudyShowsNoOldResults() {
        StudyDialog* dialog = pressureStudy();
        QVERIFY(dialog);
        QVERIFY(dialog->findChild<QPushButton*>("export")->isEnabled());
        setRange(dialog->firstInput(), "Text2", "1", "100", StudyVariableEditor::kByPoints, "1000000");
        QSignalSpy finished(dialog, &StudyDialog::studyFinished);
        QVERIFY(dialog->start());
        QCOMPARE(dialog->table()->model()->rowCount(), 0);
        QVERIFY(dialog->chart()->curveNames().isEmpty());
        QVERIFY(!dialog->study());
        for (const char* name : {"copy", "export", "addToReport"})
            QVERIFY2(!dialog->findChild<QPushButton*>(name)->isEnabled(), name);
        dialog->cancel();
        QVERIFY(finished.wait(60000));
    }

    // On a laptop (1366 x 768 less the panel: 1366 x 688) the dialog fits with its title bar, and
    // can be made that small.
    void theDialogFitsALaptopScreen() {
        StudyDialog* dialog = openOn("壁厚计算");
        QVERIFY(dialog);
        const QSize client = QSize(1366, 768 - 80) - kWindowDecoration;
        QVERIFY2(dialog->minimumSizeHint().height() <= client.height() && dialog->minimumSizeHint().width() <= client.width(),
                 qPrintable(QString("%1 x %2").arg(dialog->minimumSizeHint().width()).arg(dialog->minimumSizeHint().height())));
        // It opens no larger than the screen's free area, where its smallest size allows.
        const QSize free = (dialog->screen()->availableGeometry().size() - kWindowDecoration).expandedTo(dialog->minimumSizeHint());
        QVERIFY2(dialog->height() <= free.height() && dialog->width() <= free.width(),
                 qPrintable(QString("%1 x %2").arg(dialog->width()).arg(dialog->height())));
    }

    void failedPointsShowTheirCauseAndBreakTheCurve() {
        StudyDialog* dialog = openOn("壁厚计算");
        QVERIFY(dialog);
        setList(dialog->firstInput(), "Text2", "3, 4, 4.5x, 6, 7");
        dialog->chooseResults({"Text6"});
        QVERIFY(runStudy(*dialog));
        const QTableView* table = dialog->table();
        QCOMPARE(table->model()->rowCount(), 5);
        QCOMPARE(cell(table, 2, 0), QString("4.5x"));
        QCOMPARE(cell(table, 2, 1), QString());
        QCOMPARE(cell(table, 2, 2), QString("计算中止：「管道的设计压力（MPa） 」不是有效数字"));
        QCOMPARE(cell(table, 3, 2), QString());
        QCOMPARE(dialog->chart()->pieceCount(0), 2);
        QVERIFY2(dialog->statusText().contains("1 点计算中止"), qPrintable(dialog->statusText()));
    }

    void gridDrawsACurvePerValueOfTheSecondInput() {
        StudyDialog* dialog = openOn("壁厚计算");
        QVERIFY(dialog);
        setRange(dialog->firstInput(), "Text2", "2", "6", StudyVariableEditor::kByPoints, "5");
        dialog->secondInputBox()->setChecked(true);
        // n = 0.5 divides by zero in the bend factor: the whole curve fails.
        setList(dialog->secondInput(), "Text5", "0.5, 3, 5");
        dialog->chooseResults({"Text7"});
        QVERIFY(runStudy(*dialog));
        const QTableView* table = dialog->table();
        QCOMPARE(table->model()->rowCount(), 15);
        // The second input varies slowest.
        QCOMPARE(cell(table, 0, 1), QString("0.5"));
        QCOMPARE(cell(table, 5, 0), QString("2"));
        QCOMPARE(cell(table, 5, 1), QString("3"));
        QVERIFY2(cell(table, 0, 3).startsWith("计算中止"), qPrintable(cell(table, 0, 3)));
        for (const int row : {5, 14}) {
            const CalcForm byHand = runByHand(
                "壁厚计算", {{"Text2", cell(table, row, 0).toStdString()}, {"Text5", cell(table, row, 1).toStdString()}});
            QCOMPARE(cell(table, row, 2), qt(byHand.form().text("Text7")));
        }
        QCOMPARE(dialog->chart()->curveNames(), QStringList({"n = 0.5（无结果）", "n = 3", "n = 5"}));
        QCOMPARE(dialog->chart()->pieceCount(0), 0);
        QCOMPARE(dialog->chart()->pieceCount(2), 1);
    }

    void rangesAreReadAndMistakesSaidBeforeAnythingRuns() {
        StudyDialog* dialog = openOn("壁厚计算");
        QVERIFY(dialog);
        struct Case {
            const char* from;
            const char* to;
            int spacing;
            const char* spacingValue;
            const char* said;
        };
        const Case cases[] = {
            {"2", "x", StudyVariableEditor::kByStep, "1", "「终点」不是有效数字"},
            {"2", "10", StudyVariableEditor::kByStep, "0", "步长不能为零"},
            {"2", "10", StudyVariableEditor::kByPoints, "2.5", "点数须为"},
        };
        for (const Case& c : cases) {
            setRange(dialog->firstInput(), "Text2", c.from, c.to, c.spacing, c.spacingValue);
            QVERIFY(!dialog->start());
            QVERIFY2(dialog->problem().contains(c.said), qPrintable(dialog->problem()));
            QVERIFY(!dialog->isRunning());
        }
        // A logarithmic range by a factor: 1, 10, 100.
        setRange(dialog->firstInput(), "Text2", "1", "100", StudyVariableEditor::kByStep, "10");
        dialog->firstInput().logarithmicCheck()->setChecked(true);
        QCOMPARE(dialog->firstInput().spacingChooser()->currentText(), QString("倍数"));
        const RangeTexts texts(*dialog->firstInput().variable().range);
        QCOMPARE(texts.size(), std::size_t(3));
        QCOMPARE(texts[0] + " " + texts[1] + " " + texts[2], std::string("1 10 100"));
        dialog->firstInput().logarithmicCheck()->setChecked(false);

        setRange(dialog->firstInput(), "Text2", "2", "10", StudyVariableEditor::kByPoints, "3");
        dialog->chooseResults({});
        QVERIFY(!dialog->start());
        QVERIFY2(!dialog->problem().isEmpty(), "no result chosen");
    }

    void cancelStopsALongStudyAndTheWindowStaysUsable() {
        StudyDialog* dialog = openOn("壁厚计算");
        QVERIFY(dialog);
        setRange(dialog->firstInput(), "Text2", "1", "100", StudyVariableEditor::kByPoints, "1000000");
        dialog->chooseResults({"Text6"});
        QSignalSpy finished(dialog, &StudyDialog::studyFinished);
        QVERIFY(dialog->start());
        QTRY_VERIFY_WITH_TIMEOUT(dialog->progressBar()->value() > 0, 20000);
        // The window computes by hand while the study runs.
        window->press("Command1");
        QVERIFY(dialog->isRunning());
        QCOMPARE(qt(window->model().form().text("Text6")), QString("9.8"));
        QVERIFY(dialog->cancelButton()->isEnabled());
        QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
        QVERIFY(finished.wait(20000));
        QVERIFY(dialog->study());
        QVERIFY(dialog->study()->cancelled);
        QVERIFY(dialog->study()->points.size() < 1000000);
        QCOMPARE(dialog->table()->model()->rowCount(), int(dialog->study()->points.size()));
        QVERIFY2(dialog->statusText().startsWith("已取消"), qPrintable(dialog->statusText()));
        QVERIFY(dialog->startButton()->isEnabled());
    }

    void closingTheWindowStopsItsStudy() {
        StudyDialog* dialog = openOn("壁厚计算");
        QVERIFY(dialog);
        setRange(dialog->firstInput(), "Text2", "1", "100", StudyVariableEditor::kByPoints, "1000000");
        QVERIFY(dialog->start());
        QPointer<StudyDialog> watched(dialog);
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!watched);
    }

    void readOutNamesTheNearestPoint() {
        StudyDialog* dialog = pressureStudy();
        QVERIFY(dialog);
        StudyChart* view = dialog->chart();
        auto* series = qobject_cast<QLineSeries*>(view->chart()->series().front());
        QVERIFY(series);
        // A little off the point P = 5.5 on the first curve.
        const QPointF at = view->chart()->mapToPosition(series->at(7), series);
        const QPoint place = view->mapFromScene(view->chart()->mapToScene(at)) + QPoint(3, 2);
        QMouseEvent move(QEvent::MouseMove, place, view->viewport()->mapToGlobal(place), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &move);
        const CalcForm byHand = runByHand("壁厚计算", {{"Text2", "5.5"}});
        QCOMPARE(view->readOut(), "δ 直管段计算壁厚：P = 5.5 MPa，δ = " + qt(byHand.form().text("Text6")) + " mm");
        QCOMPARE(dialog->findChild<QLabel*>("readOut")->text(), view->readOut());
        QCOMPARE(view->readOutAt(QPoint(1, 1)), QString());  // outside the plot
    }

    // The read-out of the points at either edge of the plot, the plot as narrow as it goes: shown
    // whole (wrapped when it must, never cut), below the plot and no wider than it.
    void readOutAtThePlotsEdgesIsReadWhole() {
        StudyDialog* dialog = pressureStudy();
        QVERIFY(dialog);
        dialog->show();
        dialog->findChild<QSplitter*>()->setSizes({10000, 1});  // the table takes all it can
        QApplication::processEvents();
        StudyChart* view = dialog->chart();
        auto* series = qobject_cast<QLineSeries*>(view->chart()->series().front());
        QVERIFY(series);
        auto* readOut = dialog->findChild<QLabel*>("readOut");
        QWidget* plot = readOut->parentWidget();
        for (const int point : {0, int(series->count()) - 1}) {
            const QPointF at = view->chart()->mapToPosition(series->at(point), series);
            const QPointF inward = at + QPointF(point == 0 ? 2 : -2, 0);  // within the plot area
            const QPoint place = view->mapFromScene(view->chart()->mapToScene(inward));
            QMouseEvent move(QEvent::MouseMove, place, view->viewport()->mapToGlobal(place), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(view->viewport(), &move);
            QApplication::processEvents();
            const QString text = view->readOut();
            QVERIFY2(text.startsWith("δ 直管段计算壁厚：P = "), qPrintable(text));
            QCOMPARE(readOut->text(), text);
            QVERIFY(readOut->isVisible());
            QVERIFY2(plot->rect().contains(readOut->geometry()), qPrintable(text));
            QVERIFY(readOut->width() <= view->width());
            const QRect room = readOut->contentsRect();
            const QRect needed = readOut->fontMetrics().boundingRect(QRect(room.topLeft(), QSize(room.width(), 1000)),
                                                                     Qt::TextWordWrap, text);
            QVERIFY2(readOut->wordWrap() && needed.height() <= room.height(), qPrintable(text + " is cut"));
        }
    }

    void copiesTheTableAsTabSeparatedText() {
        StudyDialog* dialog = pressureStudy();
        QVERIFY(dialog);
        QTest::mouseClick(dialog->findChild<QPushButton*>("copy"), Qt::LeftButton);
        const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 18);
        QCOMPARE(lines[0], QString("P 管道的设计压力 (MPa)\tδ 直管段计算壁厚 (mm)\tδ_b 弯头圆弧最小壁厚 (mm)\t失败原因"));
        for (int row = 0; row < 17; ++row) {
            const QStringList cells = lines[row + 1].split('\t');
            QCOMPARE(cells.size(), 4);
            for (int c = 0; c < 3; ++c) QCOMPARE(cells[c], cell(dialog->table(), row, c));
        }
    }

    void exportsCsvPngAndSvg() {
        StudyDialog* dialog = pressureStudy();
        QVERIFY(dialog);
        if (qEnvironmentVariableIsSet("PYLORA_STUDY_DIR")) {
            dialog->exportTo(qEnvironmentVariable("PYLORA_STUDY_DIR") + "/study.svg");
            dialog->exportTo(qEnvironmentVariable("PYLORA_STUDY_DIR") + "/study.png");
            dialog->grab().save(qEnvironmentVariable("PYLORA_STUDY_DIR") + "/dialog.png");
        }
        const QString csv = folder.filePath("壁厚.csv"), png = folder.filePath("壁厚.png"), svg = folder.filePath("壁厚.svg");
        for (const QString& path : {csv, png, svg}) QCOMPARE(dialog->exportTo(path), QString());

        QFile csvFile(csv);
        QVERIFY(csvFile.open(QIODevice::ReadOnly));
        const QByteArray bytes = csvFile.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList rows = QString::fromUtf8(bytes.mid(3)).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 18);
        QCOMPARE(rows[0], QString("P 管道的设计压力 (MPa),δ 直管段计算壁厚 (mm),δ_b 弯头圆弧最小壁厚 (mm),失败原因"));
        QCOMPARE(rows[8].split(',').mid(0, 3),
                 QStringList({cell(dialog->table(), 7, 0), cell(dialog->table(), 7, 1), cell(dialog->table(), 7, 2)}));

        // For print: 2400 pixels wide at 300 dpi, the plot's proportions, a title over it.
        const QImage picture(png);
        QVERIFY(!picture.isNull());
        QCOMPARE(picture.width(), 2400);
        QCOMPARE(std::lround(picture.dotsPerMeterX() * 0.0254), 300L);
        const QSize shown = dialog->chart()->size();
        QVERIFY(std::abs(picture.height() - 2400.0 * shown.height() / shown.width()) < 4);
        const QImage untitled = dialog->chart()->printImage({});
        const int band = picture.height() / 12;
        QVERIFY2(picture.copy(0, 0, picture.width(), band) != untitled.copy(0, 0, untitled.width(), band), "no title");
        // The curves are drawn: pixels of the first curve's colour.
        const QColor firstCurve = qobject_cast<QLineSeries*>(dialog->chart()->chart()->series().front())->color();
        int curvePixels = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) curvePixels += picture.pixelColor(x, y) == firstCurve;
        QVERIFY2(curvePixels > 50, qPrintable(QString::number(curvePixels)));

        QFile svgFile(svg);
        QVERIFY(svgFile.open(QIODevice::ReadOnly));
        const QString text = svgText(svgFile.readAll());
        for (const char* words : {"管道的设计压力", "MPa", "直管段计算壁厚"}) QVERIFY2(text.contains(words), words);

        // A name without a known extension, or a folder that is not there: said, nothing written.
        QVERIFY(dialog->exportTo(folder.filePath("壁厚.xls")).contains(".csv、.png 或 .svg"));
        QVERIFY(dialog->exportTo(folder.filePath("无此文件夹/壁厚.csv")).contains("目录不存在"));
        QVERIFY(!QFile::exists(folder.filePath("壁厚.xls")));
    }

    void longStudiesAreDrawnThinnedWithTheirEnds() {
        StudyDialog* dialog = openOn("壁厚计算");
        QVERIFY(dialog);
        setRange(dialog->firstInput(), "Text2", "1", "100", StudyVariableEditor::kByPoints, "20001");
        dialog->chooseResults({"Text6"});
        QVERIFY(runStudy(*dialog));
        QCOMPARE(dialog->table()->model()->rowCount(), 20001);
        auto* series = qobject_cast<QLineSeries*>(dialog->chart()->chart()->series().front());
        QVERIFY2(series->count() > 1000 && series->count() < 5000, qPrintable(QString::number(series->count())));
        QCOMPARE(series->at(0), QPointF(1, 2.5));
        QCOMPARE(series->at(series->count() - 1), QPointF(100, 250));
    }

    void addedStudiesAreInTheReport() {
        StudyDialog* dialog = pressureStudy();
        QVERIFY(dialog);
        QTest::mouseClick(dialog->findChild<QPushButton*>("addToReport"), Qt::LeftButton);
        const std::vector<AddedStudy> added = studiesInReport(*window);
        QCOMPARE(added.size(), std::size_t(1));
        QCOMPARE(added[0].caption, std::string("管道的设计压力对直管段计算壁厚、弯头圆弧最小壁厚的影响"));

        // The 计算书 as the export writes it, read back by an independent reader.
        const QString pdf = qEnvironmentVariableIsSet("PYLORA_STUDY_DIR") ? qEnvironmentVariable("PYLORA_STUDY_DIR") + "/计算书.pdf"
                                                                       : folder.filePath("计算书.pdf");
        QCOMPARE(writeReportFile(reportWithStudies(*window), ProjectInfo{}, ReportFormat::Pdf, pdf), QString());
        QProcess reader;
        reader.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(reader.waitForFinished(60000));
        const QString text = QString::fromUtf8(reader.readAllStandardOutput());
        const QString row8 = cell(dialog->table(), 7, 0) + ".*" + cell(dialog->table(), 7, 1) + ".*" +
                             cell(dialog->table(), 7, 2);
        for (const QString& expected : {QString("六、参数分析"), qt(added[0].caption), row8})
            QVERIFY2(text.contains(QRegularExpression(expected)), qPrintable(expected));
        // The figure is a vector drawing with its axes named.
        const QString figureText = svgText(QByteArray::fromStdString(added[0].plotSvg));
        for (const char* words : {"管道的设计压力", "MPa", "直管段计算壁厚"}) QVERIFY2(figureText.contains(words), words);
        // Inputs changed after the study was added: its section says which, so that its curves
        // are not read as those of the calculation the 计算书 now shows; the varied input is no
        // such difference.
        window->model().form().type("Text2", "7.5");
        QCOMPARE(reportWithStudies(*window).studies.at(0).caption, added[0].caption);
        window->model().form().type("Text1", "1016");
        QCOMPARE(reportWithStudies(*window).studies.at(0).caption,
                 added[0].caption + "（本分析按加入计算书时的输入计算，与上文不同的有：输气管道外径）");
        CalcWindow other(*findWindow("壁厚计算"), Services{}, printer);  // the studies belong to their window
        QVERIFY(reportWithStudies(other).studies.empty());
    }
};

PYLORA_GUI_TEST_MAIN(StudyDialogTest)
#include "study_dialog_test.moc"
