#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include "model/window_registry.h"
#include "drawn_look.h"
#include "fake_printer.h"
#include "gui_test_main.h"
#include "shell/calc_window.h"
#include "shell/program_setup.h"
#include "test_services.h"

using namespace pylora;

class CalcWindowTest : public QObject {
    Q_OBJECT

    FakePrinter printer;
    CalcWindow* window = nullptr;
    const QColor kRedFrame{0xe0, 0x00, 0x00};

    QLineEdit* field(const char* name) { return qobject_cast<QLineEdit*>(window->widgetFor(name)); }

    void click(const char* button) {
        QTest::mouseClick(qobject_cast<QPushButton*>(window->widgetFor(button)), Qt::LeftButton);
    }

    void retype(const char* name, const QString& text) {
        QLineEdit* edit = field(name);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

private slots:
    void initTestCase() { setUpProgram(*static_cast<QApplication*>(QCoreApplication::instance())); }

    void init() {
        printer = FakePrinter{};
        window = new CalcWindow(*findWindow("壁厚计算"), Services{}, printer);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    void cleanup() {
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void rendersCaptionsFramesAndDefaults() {
        QCOMPARE(window->windowTitle(), QString("壁厚计算"));
        QStringList frames;
        for (auto* box : window->findChildren<QGroupBox*>()) frames << box->title();
        for (const char* caption : {"直管段壁厚计算公式", "弯头壁厚计算公式", "输入参数", "输出结果"})
            QVERIFY2(frames.contains(caption), caption);
        QStringList captions;
        for (auto* label : window->findChildren<QLabel*>()) captions << label->text();
        for (const char* caption : {"输气管道壁厚计算", "管道的设计压力（MPa） ", "煨制弯头直管段厚（mm）"})
            QVERIFY2(captions.contains(caption), caption);
        QCOMPARE(field("Text1")->text(), QString("720"));
        QCOMPARE(field("Text6")->text(), QString(" "));
        QCOMPARE(qobject_cast<QPushButton*>(window->widgetFor("Command1"))->text(), QString("开始计算"));
    }

    void aRunShowsItsResultsAtOnce() {
        click("Command1");
        QCOMPARE(field("Text6")->text(), QString("9.8"));
        QCOMPARE(field("Text7")->text(), QString("10.344"));
        QCOMPARE(field("Text10")->text(), QString("11.378"));
        QVERIFY(window->statusText().isEmpty());
    }

    void aFailedRunNamesTheFieldAndKeepsWhatWasTyped() {
        retype("Text5", "0.5");
        click("Command1");
        // A bend radius of half the diameter is refused before anything is written.
        QCOMPARE(window->statusText(), QString("计算中止：「弯头的曲率半径R为几倍DN」应大于 0.5"));
        QCOMPARE(field("Text5")->text(), QString("0.5"));
        QCOMPARE(field("Text6")->text(), QString(" "));
        QCOMPARE(field("Text7")->text(), QString(" "));
        QCOMPARE(frameColour(field("Text5")), kRedFrame);
        QVERIFY(frameColour(field("Text1")) != kRedFrame);

        retype("Text5", "5");  // editing the field takes its red frame away
        QVERIFY(frameColour(field("Text5")) != kRedFrame);
        click("Command1");  // the next run clears the status line
        QVERIFY(window->statusText().isEmpty());
        QCOMPARE(field("Text10")->text(), QString("11.378"));
    }

    void theCursorStartsInTheFirstInputSoEnterRuns() {
        QApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(field("Text1")));
        QTest::keyClick(field("Text1"), Qt::Key_Return);
        QCOMPARE(field("Text6")->text(), QString("9.8"));
    }

    // Editing an input greys at once the results computed from it; editing it back does not
    // make them current again, only a run does.
    void anEditedInputGreysItsResultsAtOnce() {
        click("Command1");
        QVERIFY(!window->isStale("Text6"));
        retype("Text2", "4");
        for (const char* result : {"Text6", "Text7", "Text10"}) QVERIFY2(window->isStale(result), result);
        QVERIFY(!window->isStale("Text2"));
        click("Command1");
        for (const char* result : {"Text6", "Text7", "Text10"}) QVERIFY2(!window->isStale(result), result);
    }

    // A zero pressure is no design pressure: the failure frames the pressure. The frame belongs
    // to the failed run: the next successful one takes it away, however the text was changed.
    void aZeroResultFramesItsInputUntilTheNextGoodRun() {
        retype("Text2", "0");
        click("Command1");
        QCOMPARE(window->statusText(), QString("计算中止：「管道的设计压力（MPa）」应大于 0"));
        QCOMPARE(frameColour(field("Text2")), kRedFrame);
        QVERIFY(frameColour(field("Text6")) != kRedFrame);
        window->model().form().type("Text2", "3.92");  // changed without an edit of the field
        click("Command1");
        QVERIFY(frameColour(field("Text2")) != kRedFrame);
    }

    void textThatIsNotANumberIsNamedByItsLabel() {
        retype("Text2", "3.92MPa");
        click("Command1");
        QCOMPARE(window->statusText(), QString("计算中止：「管道的设计压力（MPa） 」不是有效数字"));
        QCOMPARE(field("Text6")->text(), QString(" "));
        QCOMPARE(field("Text2")->text(), QString("3.92MPa"));
    }

    void printingWithoutDefaultPrinterSaysSo() {
        printer.answer = {false, "未找到默认打印机"};
        click("Command2");
        QCOMPARE(printer.printed, std::vector<QString>{"壁厚计算"});
        QCOMPARE(window->statusText(), QString("未找到默认打印机"));
        QCOMPARE(field("Text6")->text(), QString(" "));
    }

    // A run that leaves a result blank on purpose says so in the status line, not as a failure.
    void aResultLeftBlankIsSaidInTheStatusLine() {
        CalcWindow* form = new CalcWindow(*findWindow("管架发送道相关计算"), Services{}, printer);
        form->show();
        QTest::mouseClick(qobject_cast<QPushButton*>(form->widgetFor("Command1")), Qt::LeftButton);
        QCOMPARE(qobject_cast<QLineEdit*>(form->widgetFor("Text34"))->text(), QString("47742.08"));
        QCOMPARE(qobject_cast<QLineEdit*>(form->widgetFor("Text10"))->text(), QString(" "));
        QCOMPARE(form->statusText(),
                 QString("「拖管时单位长度管线结构最小质量Mmin，（Kg）」需水中浮力与水流力，本窗口不计算"));
        form->close();
    }

    // A unit list picked on the desktop converts the numbers it governs at once, the solved
    // value and the comparison table included, and back again; a list is as wide as its items.
    void pickingAUnitConvertsTheNumbersShown() {
        window->close();
        window = new CalcWindow(*findWindow("输气流量公式"), Services{}, printer);
        window->show();
        click("Command1");
        QCOMPARE(field("Q")->text(), QString("4784.305"));
        auto* pressures = qobject_cast<QListWidget*>(window->widgetFor("PUnit"));
        pressures->setCurrentRow(0);  // Pa
        QCOMPARE(field("P1")->text(), QString("10000000"));
        QCOMPARE(field("P2")->text(), QString("8000000"));
        auto* flows = qobject_cast<QListWidget*>(window->widgetFor("QUnit"));
        flows->setCurrentRow(0);  // m³/s
        QCOMPARE(field("Q")->text(), QString("553.7390"));
        QCOMPARE(field("Compare(0)")->text(), QString("553.7390"));
        flows->setCurrentRow(3);  // 10⁴m³/d
        pressures->setCurrentRow(2);  // MPa
        QCOMPARE(field("Q")->text(), QString("4784.305"));
        QCOMPARE(field("P1")->text(), QString("10"));
        QVERIFY(flows->width() >= flows->fontMetrics().horizontalAdvance(QString("10⁸m³/a")));
    }

    // Every window opens, runs from its defaults and renders. With PYLORA_SCREENSHOT_DIR set,
    // the pictures are kept there for a look at what the engineer sees.
    void everyWindowRunsAndRenders() {
        const QString folder = qEnvironmentVariable("PYLORA_SCREENSHOT_DIR");
        const Services services = testServices();
        for (const FormDefinition* definition : allWindows()) {
            CalcWindow* other = new CalcWindow(*definition, services, printer);
            other->show();
            if (!definition->defaultRunButton().empty()) other->press(definition->defaultRunButton());
            for (int settle = 0; settle < 3; ++settle) QApplication::processEvents();  // wrapped captions take their height
            const QPixmap picture = other->grab();
            QVERIFY2(!picture.isNull(), definition->formName().c_str());
            if (!folder.isEmpty()) {
                // The whole window as printed, whether or not its body scrolls on this screen.
                QImage page(other->pageContentSize(), QImage::Format_RGB32);
                QPainter painter(&page);
                other->paintPageContent(painter);
                painter.end();
                page.save(folder + "/" + QString::fromStdString(definition->formName()) + ".png");
            }
            other->close();
        }
    }

    // A range the window's note states: outside it the status line warns and the results stand;
    // a prescribed formula's note and its 参考值 stand in the result's tooltip.
    void validityWarningAndNotesBesideTheResults() {
        window->close();
        window = new CalcWindow(*findWindow("公路穿越稳定性校核"), Services{}, printer);
        window->show();
        click("Command1");
        QVERIFY2(window->statusText().contains("径厚比"), qPrintable(window->statusText()));
        QCOMPARE(field("Text16")->text(), QString("满足稳定性要求"));
        retype("Text8", "0.001");
        click("Command1");
        QVERIFY(window->statusText().isEmpty());

        window->close();
        window = new CalcWindow(*findWindow("穿越管线壁厚稳定校核"), Services{}, printer);
        window->show();
        click("Command1");
        QCOMPARE(field("Text6")->text(), QString("6.71"));
        QVERIFY2(field("Text6")->toolTip().contains("参考值：δ′ = 610"), qPrintable(field("Text6")->toolTip()));
        QVERIFY(field("Text6")->toolTip().contains("= 4.366 mm"));
        // The note stays through what redraws the field: a wider window, a new text.
        window->resize(window->width() + 40, window->height());
        field("Text6")->setText("6.7");
        QApplication::processEvents();
        QVERIFY2(field("Text6")->toolTip().contains("参考值：δ′ = 610"), qPrintable(field("Text6")->toolTip()));
    }
};

PYLORA_GUI_TEST_MAIN(CalcWindowTest)
#include "calc_window_test.moc"
