#pragma once
// Printing a calculator window: an image of its client area as one page, scaled to fit.
// Passed to the windows explicitly, so tests can put their own in its place.
#include <QString>
#include <memory>
#include <optional>

class QWidget;
class QPrinter;

namespace pylora {

class WindowPrinter {
public:
    virtual ~WindowPrinter() = default;
    // Prints on the system's default printer without a dialog; a message when it cannot.
    virtual std::optional<QString> printToDefault(QWidget& window) = 0;
    virtual void preview(QWidget& window) = 0;
    virtual void setup(QWidget* parent) = 0;
    virtual void printWithDialog(QWidget& window) = 0;
};

class SystemPrinter : public WindowPrinter {
public:
    SystemPrinter();
    ~SystemPrinter() override;
    std::optional<QString> printToDefault(QWidget& window) override;
    void preview(QWidget& window) override;
    void setup(QWidget* parent) override;
    void printWithDialog(QWidget& window) override;

private:
    std::unique_ptr<QPrinter> configured_;  // what "打印设置" chose, used by the dialog print
};

// Paints the window's image on the printer's page, centred and scaled to fit.
void paintWindowPage(QWidget& window, QPrinter& printer);

}  // namespace pylora
