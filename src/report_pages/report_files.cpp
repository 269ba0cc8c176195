// Every format of the 计算书 from the one report: PDF and DOCX laid out here, HTML from the core.
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include "files/atomic_file.h"
#include "documents/report_docx.h"
#include "report_pages/report_pages.h"
#include "report_pages/streamed_file.h"

namespace pylora {

QString writeReportPdf(const Report& report, const ProjectInfo& project, const QString& path);
QString writeBookPdf(const BookDocument& book, const QString& path);

namespace {

// A picture as PNG at 300 dpi, on white: sharp when printed, shown by every word processor.
std::string pngOf(const ReportPicture& picture) {
    constexpr double kDotsPerPixel = 300.0 / 96.0;
    QImage image(QSize(std::max(1, int(picture.width * kDotsPerPixel)), std::max(1, int(picture.height * kDotsPerPixel))),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(int(300 / 0.0254));
    image.setDotsPerMeterY(int(300 / 0.0254));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer(QByteArray::fromStdString(picture.svg)).render(&painter);
    painter.end();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data().toStdString();
}

}  // namespace

QString writeReportBytes(const std::string& bytes, const QString& path) {
    const auto failure = writeFileAtomically(path.toStdString(), bytes);
    return failure ? writeFailureText(path, *failure) : QString();
}

QString writeReportFile(const Report& report, const ProjectInfo& project, ReportFormat format, const QString& path) {
    switch (format) {
        case ReportFormat::Pdf: return writeReportPdf(report, project, path);
        case ReportFormat::Docx: return writeReportBytes(reportDocx(report, project, pngOf), path);
        case ReportFormat::Html: return writeReportBytes(reportHtml(report, project), path);
    }
    return QStringLiteral("未知的文件格式");
}

QString writeBookFile(const BookDocument& book, ReportFormat format, const QString& path) {
    switch (format) {
        case ReportFormat::Pdf: return writeBookPdf(book, path);
        case ReportFormat::Docx: return writeReportBytes(bookDocx(book, pngOf), path);
        case ReportFormat::Html: break;
    }
    return QStringLiteral("工程计算书只能导出为 PDF 或 DOCX");
}

}  // namespace pylora
