#pragma once
// Fails the running test when a modal dialog opens: nothing in a calculator window may block
// the engineer with a box, and a test must never hang on one. Every GUI test runs under one
// (see gui_test_main.h); a test that expects a box and answers it says so with
// ModalWatchdog::Expected while the box may show.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

class ModalWatchdog : public QObject {
public:
    ModalWatchdog() {
        timer_.setInterval(50);
        QObject::connect(&timer_, &QTimer::timeout, [] {
            if (expected_ > 0) return;
            if (QWidget* modal = QApplication::activeModalWidget()) {
                const QString title = modal->windowTitle();
                modal->close();
                QFAIL(qPrintable("a modal dialog opened: " + title));
            }
        });
        timer_.start();
    }

    // While one lives, a modal box is the test's own to answer.
    class Expected {
    public:
        Expected() { ++expected_; }
        ~Expected() { --expected_; }
        Expected(const Expected&) = delete;
        Expected& operator=(const Expected&) = delete;
    };

private:
    inline static int expected_ = 0;
    QTimer timer_;
};
