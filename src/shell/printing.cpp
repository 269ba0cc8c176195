#include "shell/printing.h"

#include <QApplication>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPicture>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QWidget>

namespace pylora {
namespace {

QSize contentSize(QWidget& window) {
    if (auto* source = dynamic_cast<PageSource*>(&window)) return source->pageContentSize();
    return window.size();
}

// A dialog's title names the window it prints.
QString titleFor(const QString& action, const QWidget& window) {
    return action + QStringLiteral(" — ") + window.windowTitle();
}

}  // namespace

QPageLayout::Orientation orientationFor(const QSize& window) {
    return window.width() > window.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
}

void paintWindowPage(QWidget& window, QPrinter& printer) {
    const QSize size = contentSize(window);
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    // The widgets draw themselves through the printer's painter: text stays text, pictures
    // stay vector drawings, at whatever resolution the printer has.
    const double scale = std::min(double(page.width()) / size.width(), double(page.height()) / size.height());
    painter.translate(page.x() + (page.width() - size.width() * scale) / 2, page.y());
    painter.scale(scale, scale);
    // Recorded as drawing commands first: Qt hands a widget drawn straight onto a printer a
    // screen-resolution bitmap of itself, while a recorded picture plays back as vectors. The
    // printers work in screen units (their output is vector text and lines all the same), so
    // the picture's fonts play back at the size they were recorded.
    QPicture picture;
    {
        QPainter recorder(&picture);
        if (auto* source = dynamic_cast<PageSource*>(&window))
            source->paintPageContent(recorder);
        else
            window.render(&recorder, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    painter.drawPicture(0, 0, picture);
}

void SystemPrinter::prepare(QPrinter& printer, QWidget& window) const {
    printer.setDocName(window.windowTitle());
    if (chosenLayout_) {
        printer.setPrinterName(chosenPrinter_);
        printer.setPageLayout(*chosenLayout_);
    } else {
        printer.setPageOrientation(orientationFor(contentSize(window)));
    }
}

PrintReport SystemPrinter::printToDefault(QWidget& window) {
    const QPrinterInfo info = chosenLayout_ ? QPrinterInfo::printerInfo(chosenPrinter_) : QPrinterInfo::defaultPrinter();
    if (info.isNull()) return {false, QStringLiteral("未找到默认打印机")};
    QPrinter printer(info, QPrinter::ScreenResolution);
    prepare(printer, window);
    paintWindowPage(window, printer);
    return {true, QStringLiteral("已发送到打印机 ") + printer.printerName()};
}

void SystemPrinter::preview(QWidget& window) {
    QPrinter printer(QPrinter::ScreenResolution);
    prepare(printer, window);
    QPrintPreviewDialog dialog(&printer, &window);
    dialog.setWindowTitle(titleFor(QStringLiteral("打印预览"), window));
    // Large enough to read the page: most of the screen, the whole page in view.
    if (QScreen* screen = window.screen()) dialog.resize(screen->availableGeometry().size() * 0.85);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &window,
                     [&window](QPrinter* p) { paintWindowPage(window, *p); });
    dialog.exec();
}

void SystemPrinter::setup(QWidget* parent) {
    QPrinter printer(QPrinter::ScreenResolution);
    if (chosenLayout_) {
        printer.setPrinterName(chosenPrinter_);
        printer.setPageLayout(*chosenLayout_);
    }
    QPageSetupDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("打印设置"));
    if (dialog.exec() != QDialog::Accepted) return;
    chosenLayout_ = printer.pageLayout();
    chosenPrinter_ = printer.printerName();
}

void SystemPrinter::printWithDialog(QWidget& window) {
    QPrinter printer(QPrinter::ScreenResolution);
    prepare(printer, window);
    QPrintDialog dialog(&printer, &window);
    dialog.setWindowTitle(titleFor(QStringLiteral("打印"), window));
    if (dialog.exec() == QDialog::Accepted) paintWindowPage(window, printer);
}

}  // namespace pylora
