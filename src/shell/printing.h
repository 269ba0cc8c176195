#pragma once
// Printing a calculator window as one page, drawn at the printer's resolution (vector text and
// pictures), scaled to fit. Passed to the windows explicitly, so tests can put their own in its
// place.
#include <QPageLayout>
#include <QString>
#include <optional>

class QWidget;
class QPainter;
class QPrinter;

namespace pylora {

// What a print button leaves in the status line.
struct PrintReport {
    bool sent = false;
    QString message;  // "已发送到打印机 …" or why nothing was printed
};

class WindowPrinter {
public:
    virtual ~WindowPrinter() = default;
    // Prints on the system's default printer (or the one chosen in 打印设置) without a dialog.
    virtual PrintReport printToDefault(QWidget& window) = 0;
    virtual void preview(QWidget& window) = 0;
    virtual void setup(QWidget* parent) = 0;
    virtual void printWithDialog(QWidget& window) = 0;
};

// A window whose page holds more than its visible part (a body scrolled on a small screen), or
// less (no buttons, no status line).
class PageSource {
public:
    virtual ~PageSource() = default;
    virtual QSize pageContentSize() const = 0;
    virtual void paintPageContent(QPainter& painter) = 0;
    // A line printed above the window when some results it shows do not belong to the inputs it
    // shows (a failed run, inputs changed since); empty when all are current.
    virtual QString pageWarning() const { return {}; }
};

// The lines printed around a window: its title, the project (工程名称 as remembered for the
// 计算书), the date, any warning, and the page number below.
struct PageHeading {
    QString title;
    QString projectName;
    QString date;
    QString warning;
};
PageHeading pageHeadingFor(QWidget& window);

class SystemPrinter : public WindowPrinter {
public:
    PrintReport printToDefault(QWidget& window) override;
    void preview(QWidget& window) override;
    void setup(QWidget* parent) override;
    void printWithDialog(QWidget& window) override;

private:
    // Prepares a printer for this window: the set-up chosen in 打印设置 if any, else the default
    // printer with the page turned to the window's shape.
    void prepare(QPrinter& printer, QWidget& window) const;

    // What 打印设置 chose; it holds for every later print until the program is closed.
    std::optional<QPageLayout> chosenLayout_;
    QString chosenPrinter_;
};

// Paints the window on the printer's page below its heading and above the page number, centred
// and scaled to fit, at printer resolution.
void paintWindowPage(QWidget& window, QPrinter& printer);

// The page orientation that shows a window of this size largest.
QPageLayout::Orientation orientationFor(const QSize& window);

}  // namespace pylora
