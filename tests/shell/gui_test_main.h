#pragma once
// The main of every GUI test, in place of QTEST_MAIN: the same start, with the whole run under
// the modal-dialog watchdog, so that no test hangs on a box or passes by one it did not expect.
// tests/shell/CMakeLists.txt refuses a GUI test without it.
#include <QApplication>
#include <QTest>

#include "modal_watchdog.h"

template <class Test>
class UnderModalWatchdog : public Test {
    ModalWatchdog watchdog_;  // made after the application, with the test object
};

#define PYLORA_GUI_TEST_MAIN(TestObject) QTEST_MAIN(UnderModalWatchdog<TestObject>)
