#pragma once
// A printer service for tests: records what was asked of it.
#include <QString>
#include <optional>
#include <vector>

#include "shell/printing.h"

class FakePrinter : public pylora::WindowPrinter {
public:
    std::optional<QString> answer;  // what printToDefault reports, e.g. no default printer
    std::vector<QString> printed, previewed, dialogPrinted;
    int setups = 0;

    std::optional<QString> printToDefault(QWidget& window) override {
        printed.push_back(window.windowTitle());
        return answer;
    }
    void preview(QWidget& window) override { previewed.push_back(window.windowTitle()); }
    void setup(QWidget*) override { ++setups; }
    void printWithDialog(QWidget& window) override { dialogPrinted.push_back(window.windowTitle()); }
};
