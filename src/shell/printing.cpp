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

#include "shell/calc_window.h"
#include "shell/report_export.h"

namespace pylora {
namespace {

QSize contentSize(QWidget& window) {
    if (auto* source = dynamic_cast<PageSource*>(&window)) return source->pageContentSize();
    return window.size();
}

// The window's name as a page or a dialog gives it: a calculation's without the mark of a change.
QString nameOf(const QWidget& window) {
    if (const auto* calculation = qobject_cast<const CalcWindow*>(&window)) return calculation->caseTitle();
    return window.windowTitle();
}

// A dialog's title names the window it prints.
QString titleFor(const QString& action, const QWidget& window) {
    return action + QStringLiteral(" — ") + nameOf(window);
}

// The heading's lines and the page number, in a small type of their own; returns the area left
// for the window.
QRect paintHeading(QPainter& painter, const QRect& page, const PageHeading& heading) {
    QFont font = QApplication::font();
    font.setPointSizeF(9);
    painter.setFont(font);
    const int line = painter.fontMetrics().height();
    const QRect top(page.left(), page.top(), page.width(), line);
    QFont bold = font;
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(top, Qt::AlignLeft | Qt::AlignVCenter, heading.title);
    painter.setFont(font);
    painter.drawText(top, Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("工程名称：") + heading.projectName);
    painter.drawText(top, Qt::AlignRight | Qt::AlignVCenter, heading.date);
    int y = top.bottom() + line / 3;
    painter.drawLine(page.left(), y, page.right(), y);
    y += line / 2;
    if (!heading.warning.isEmpty()) {
        const QRect room(page.left(), y, page.width(), page.height() / 4);
        painter.save();
        painter.setPen(QColor(0xb0, 0, 0));
        QRect used;
        painter.drawText(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, heading.warning, &used);
        painter.restore();
        y = used.bottom() + line / 2;
    }
    const QRect footer(page.left(), page.bottom() - line, page.width(), line);
    painter.drawText(footer, Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("第 1 页 共 1 页"));
    const int footerLine = footer.top() - line / 3;
    painter.drawLine(page.left(), footerLine, page.right(), footerLine);
    return QRect(QPoint(page.left(), y), QPoint(page.right(), footerLine - line / 2));
}

}  // namespace

PageHeading pageHeadingFor(QWidget& window) {
    const ProjectInfo project = rememberedProject();
    const auto* source = dynamic_cast<const PageSource*>(&window);
    return {nameOf(window), QString::fromStdString(project.projectName), QString::fromStdString(project.date),
            source ? source->pageWarning() : QString()};
}

QPageLayout::Orientation orientationFor(const QSize& window) {
    return window.width() > window.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
}

void paintWindowPage(QWidget& window, QPrinter& printer) {
    const QSize size = contentSize(window);
    QPainter painter(&printer);
    const QRect page = paintHeading(painter, painter.viewport(), pageHeadingFor(window));
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
    printer.setDocName(nameOf(window));
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
