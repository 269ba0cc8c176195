#pragma once
// Fails the running test when a modal dialog opens: nothing in a calculator window may block
// the engineer with a box, and a test must never hang on one.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

class ModalWatchdog : public QObject {
public:
    ModalWatchdog() {
        timer_.setInterval(50);
        QObject::connect(&timer_, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                const QString title = modal->windowTitle();
                modal->close();
                QFAIL(qPrintable("a modal dialog opened: " + title));
            }
        });
        timer_.start();
    }

private:
    QTimer timer_;
};
