#pragma once
// A printer service for tests: records what was asked of it.
#include <QString>
#include <optional>
#include <vector>

#include "shell/printing.h"

class FakePrinter : public pylora::WindowPrinter {
public:
    pylora::PrintReport answer{true, "已发送到打印机 测试"};  // what printToDefault reports
    std::vector<QString> printed, previewed, dialogPrinted;
    int setups = 0;

    pylora::PrintReport printToDefault(QWidget& window) override {
        printed.push_back(window.windowTitle());
        return answer;
    }
    void preview(QWidget& window) override { previewed.push_back(window.windowTitle()); }
    void setup(QWidget*) override { ++setups; }
    void printWithDialog(QWidget& window) override { dialogPrinted.push_back(window.windowTitle()); }
};
