#include "shell/printing.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

namespace pylora {

void paintWindowPage(QWidget& window, QPrinter& printer) {
    const QPixmap image = window.grab();
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x() + (page.width() - size.width()) / 2, page.y(), size.width(), size.height());
    painter.setWindow(image.rect());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(0, 0, image);
}

SystemPrinter::SystemPrinter() = default;
SystemPrinter::~SystemPrinter() = default;

std::optional<QString> SystemPrinter::printToDefault(QWidget& window) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return QStringLiteral("未找到默认打印机");
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(window.windowTitle());
    printer.setPageOrientation(window.width() > window.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    paintWindowPage(window, printer);
    return std::nullopt;
}

void SystemPrinter::preview(QWidget& window) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, &window);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &window,
                     [&window](QPrinter* p) { paintWindowPage(window, *p); });
    dialog.exec();
}

void SystemPrinter::setup(QWidget* parent) {
    if (!configured_) configured_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPageSetupDialog dialog(configured_.get(), parent);
    dialog.exec();
}

void SystemPrinter::printWithDialog(QWidget& window) {
    if (!configured_) configured_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(configured_.get(), &window);
    if (dialog.exec() == QDialog::Accepted) paintWindowPage(window, *configured_);
}

}  // namespace pylora
