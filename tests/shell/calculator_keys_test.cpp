// The desk calculator worked from the keyboard: keys typed into its window press the buttons
// that answer to them, mixed freely with mouse clicks.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "model/window_registry.h"
#include "fake_printer.h"
#include "gui_test_main.h"
#include "shell/calc_window.h"

using namespace pylora;

class CalculatorKeysTest : public QObject {
    Q_OBJECT

    FakePrinter printer;
    CalcWindow* window = nullptr;

    QString display() const { return qobject_cast<QLineEdit*>(window->widgetFor("Text1"))->text(); }

    // Keys go where the engineer's keys go: to the widget that has the focus.
    QWidget* target() const {
        QWidget* focus = QApplication::focusWidget();
        return focus && focus->window() == window ? focus : window;
    }
    void type(const QString& keys) {
        for (QChar key : keys) QTest::keyClick(target(), key.toLatin1());
    }

private slots:
    void init() {
        window = new CalcWindow(*findWindow("计算器"), Services{}, printer);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    void cleanup() {
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void keysOfTheKeypad_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::newRow("12.5+3=") << "12.5+3=" << "15.5";
        QTest::newRow("5+3*2=") << "5+3*2=" << "16";
        QTest::newRow("9-4/2=") << "9-4/2=" << "2.5";
        QTest::newRow("0.1+0.2=") << "0.1+0.2=" << "0.3";
    }
    void keysOfTheKeypad() {
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QCOMPARE(display(), QString("0."));
        type(keys);
        QCOMPARE(display(), shown);
    }

    void enterAndReturnCompleteTheOperation() {
        type("7*6");
        QTest::keyClick(target(), Qt::Key_Return);
        QCOMPARE(display(), QString("42"));
        type("+1");
        QTest::keyClick(target(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(display(), QString("43"));
    }

    void escapeAndDeleteClear() {
        type("12+");
        QTest::keyClick(target(), Qt::Key_Escape);
        QCOMPARE(display(), QString("0."));
        type("3=");
        QCOMPARE(display(), QString("3"));  // nothing was pending after 清除
        type("4+");
        QTest::keyClick(target(), Qt::Key_Delete);
        QCOMPARE(display(), QString("0."));
    }

    void keypadDigitsCount() {
        for (Qt::Key key : {Qt::Key_8, Qt::Key_Plus, Qt::Key_2, Qt::Key_Equal})
            QTest::keyClick(target(), key, Qt::KeypadModifier);
        QCOMPARE(display(), QString("10"));
    }

    void keysAndClicksMix() {
        QTest::mouseClick(qobject_cast<QPushButton*>(window->widgetFor("Command1(9)")), Qt::LeftButton);
        type("*");
        QTest::mouseClick(qobject_cast<QPushButton*>(window->widgetFor("Command1(9)")), Qt::LeftButton);
        QTest::keyClick(target(), Qt::Key_Return);  // "=", though the clicked key may hold the focus
        QCOMPARE(display(), QString("81"));
    }

    void keysTypedIntoTheDisplayWorkTheCalculator() {
        window->widgetFor("Text1")->setFocus();
        type("2+2");
        QTest::keyClick(target(), Qt::Key_Return);
        QCOMPARE(display(), QString("4"));
        QTest::keyClick(target(), Qt::Key_Delete);
        QCOMPARE(display(), QString("0."));
    }

    void aFailedKeyIsReportedAndLaterKeysGoOn() {
        type("5/0=");
        QCOMPARE(window->statusText(), QString("计算中止：由「输入的数」得到的除数为零"));
        QCOMPARE(display(), QString("0"));
        type("2=");
        QCOMPARE(display(), QString("2.5"));
        QVERIFY(window->statusText().isEmpty());
    }
};

PYLORA_GUI_TEST_MAIN(CalculatorKeysTest)
#include "calculator_keys_test.moc"
