#include "shell/report_export.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QBuffer>
#include <QRawFont>
#include <QRegularExpression>
#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextObjectInterface>
#include <map>

#include "shell/calc_window.h"
#include "shell/sketch_canvas.h"

namespace pylora {
namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

const QString kFontFamily = QStringLiteral("Noto Sans CJK SC");

// The report's font. Without shaping Latin runs keep the font's plain glyphs: shaped, a digit
// after a letter ("XB-2026", "m2") takes an alternate glyph that no character maps to, and
// the PDF's text could no longer be searched for it.
QFont reportFont(double points) {
    QFont font(kFontFamily);
    font.setPointSizeF(points);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// Draws the report's pictures where the page holds <img src="picture:…"> or "sketch:…": the
// formula drawings through the SVG renderer and the sketch through the sketch painter, both as
// vector paths and text on whatever device the document is painted on.
class ReportPictures : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    ReportPictures(const Report& report, QObject* parent) : QObject(parent), report_(report) {
        for (const ReportPicture& picture : report.formulas)
            if (picture.svg) svgs_[QStringLiteral("picture:") + qt(picture.control)] = QByteArray::fromStdString(picture.content);
        for (const ReportSketch& sketch : report.sketches) sketches_[QStringLiteral("sketch:") + qt(sketch.control)] = &sketch.sketch;
    }

    QSizeF intrinsicSize(QTextDocument* document, int, const QTextFormat& format) override {
        const QTextImageFormat image = format.toImageFormat();
        // Sizes are written in pixels of a 96-dpi screen; the page may have more dots an inch.
        const QPaintDevice* device = document->documentLayout()->paintDevice();
        const double scale = device ? device->logicalDpiX() / 96.0 : 1.0;
        return QSizeF(image.width(), image.height()) * scale;
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat& format) override {
        const QString name = format.toImageFormat().name();
        if (auto svg = svgs_.find(name); svg != svgs_.end()) {
            QSvgRenderer renderer(svg->second);
            renderer.render(painter, rect);
        } else if (auto sketch = sketches_.find(name); sketch != sketches_.end()) {
            painter->save();
            painter->setFont(reportFont(9));
            QPalette palette;
            palette.setColor(QPalette::WindowText, Qt::black);
            paintSketch(*painter, *sketch->second, rect, palette);
            painter->restore();
        }
    }

    // The same pictures as images, for the editable document, whose writer stores pictures as
    // images (an ODF text document's own drawings cannot be written through Qt).
    void addImages(QTextDocument& document) const {
        constexpr double kDotsPerPixel = 3.0;  // 288 dpi: sharp when printed
        for (const ReportPicture& picture : report_.formulas) {
            if (!picture.svg) continue;
            QImage image(QSize(int(picture.width * kDotsPerPixel), int(picture.height * kDotsPerPixel)), QImage::Format_ARGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            QSvgRenderer(QByteArray::fromStdString(picture.content)).render(&painter);
            document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("picture:") + qt(picture.control)), image);
        }
        for (const ReportSketch& sketch : report_.sketches) {
            const double width = 640 * kDotsPerPixel;
            QImage image(QSize(int(width), int(width * sketch.sketch.height() / std::max(1.0, sketch.sketch.width()))),
                         QImage::Format_ARGB32);
            image.fill(Qt::white);
            image.setDotsPerMeterX(int(96 * kDotsPerPixel / 0.0254));
            image.setDotsPerMeterY(image.dotsPerMeterX());
            QPainter painter(&image);
            painter.setFont(reportFont(9));
            paintSketch(painter, sketch.sketch, QRectF(image.rect()), QPalette());
            document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("sketch:") + qt(sketch.control)), image);
        }
    }

private:
    const Report& report_;
    std::map<QString, QByteArray> svgs_;
    std::map<QString, const Sketch*> sketches_;
};

// The report as a text document, its pictures drawn by `pictures`.
void fillDocument(QTextDocument& document, const Report& report, const ProjectInfo& project) {
    document.setDefaultFont(reportFont(10));
    document.setHtml(qt(reportHtml(report, project, PictureStyle::Reference)));
    // A picture's paragraph (its caption and the picture) is never parted by a page break.
    QTextBlockFormat whole;
    whole.setNonBreakableLines(true);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!block.text().contains(QChar::ObjectReplacementCharacter)) continue;
        QTextCursor cursor(block);
        cursor.mergeBlockFormat(whole);
    }
}

// The PDF's table from glyphs to characters (ToUnicode) names, for a glyph that several characters
// share, the lowest of them. The CJK font draws each radical (⼯ U+2F2F) with the glyph of its
// ideograph (工 U+5DE5), so "工程" would be extracted and searched as "⼯程". Those entries are
// turned back into the ideographs, which is what the report's texts hold. The table is written
// uncompressed and each code keeps its four hex digits, so no offset in the file moves.
void repairTextExtraction(QByteArray& pdf) {
    static const QRegularExpression radical(QStringLiteral("<(2[EF][0-9A-F]{2})>"));
    std::map<quint32, quint32> glyphToIdeograph;  // filled on the first radical found
    const QRawFont font = QRawFont::fromFont(QFont(kFontFamily));
    auto ideographFor = [&](quint32 code) -> quint32 {
        if (glyphToIdeograph.empty()) {
            QString ideographs;
            for (char32_t c = 0x4E00; c <= 0x9FFF; ++c) ideographs += QChar(char16_t(c));
            const QList<quint32> glyphs = font.glyphIndexesForString(ideographs);
            for (int i = glyphs.size() - 1; i >= 0; --i)
                if (glyphs[i]) glyphToIdeograph[glyphs[i]] = 0x4E00 + i;
        }
        const QList<quint32> glyph = font.glyphIndexesForString(QString(QChar(char16_t(code))));
        auto it = glyph.isEmpty() ? glyphToIdeograph.end() : glyphToIdeograph.find(glyph.first());
        return it == glyphToIdeograph.end() ? code : it->second;
    };
    for (qsizetype from = 0; (from = pdf.indexOf("beginbf", from)) >= 0;) {
        const qsizetype to = pdf.indexOf("endbf", from);
        if (to < 0) break;
        const QString table = QString::fromLatin1(pdf.mid(from, to - from));
        for (auto match = radical.globalMatch(table); match.hasNext();) {
            const QRegularExpressionMatch m = match.next();
            const quint32 code = m.captured(1).toUInt(nullptr, 16);
            if (code < 0x2E80 || code > 0x2FDF) continue;
            const QByteArray replacement = QByteArray::number(ideographFor(code), 16).toUpper().rightJustified(4, '0');
            pdf.replace(from + m.capturedStart(1), 4, replacement);
        }
        from = to;
    }
}

double millimetres(double mm, int dpi) { return mm / 25.4 * dpi; }

// One A4 page's margins: wide on the left for binding, room above and below for the running
// header (report and project) and the page number.
struct PageFrame {
    double left = 25, top = 25, right = 15, bottom = 20;  // mm
};

void paintRunningHeader(QPainter& painter, const QRectF& body, const Report& report, const ProjectInfo& project,
                        int page, int pages, int dpi) {
    painter.save();
    painter.setFont(reportFont(9));
    painter.setPen(Qt::black);
    const double line = millimetres(6, dpi);
    const QRectF header(body.left(), body.top() - millimetres(12, dpi), body.width(), line);
    painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter, qt(report.title) + QStringLiteral(" 计算书"));
    QString projectText;
    if (!project.projectName.empty()) projectText += QStringLiteral("工程名称：") + qt(project.projectName);
    if (!project.projectNumber.empty())
        projectText += (projectText.isEmpty() ? QString() : QStringLiteral("    ")) + QStringLiteral("工程编号：") + qt(project.projectNumber);
    painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter, projectText);
    painter.setPen(QPen(Qt::black, millimetres(0.25, dpi)));
    painter.drawLine(QPointF(body.left(), header.bottom()), QPointF(body.right(), header.bottom()));
    const QRectF footer(body.left(), body.bottom() + millimetres(5, dpi), body.width(), line);
    painter.drawText(footer, Qt::AlignCenter, QStringLiteral("第 %1 页 共 %2 页").arg(page).arg(pages));
    painter.restore();
}

QString writePdf(const Report& report, const ProjectInfo& project, const QString& path) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    constexpr int kDpi = 600;
    writer.setResolution(kDpi);
    QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    layout.setMode(QPageLayout::FullPageMode);  // the margins are laid out here, header and footer in them
    writer.setPageLayout(layout);
    writer.setTitle(qt(report.title) + QStringLiteral(" 计算书"));
    writer.setCreator(QStringLiteral("Pylora"));

    const PageFrame frame;
    const QSizeF paper = layout.fullRectPixels(kDpi).size();
    const QRectF body(millimetres(frame.left, kDpi), millimetres(frame.top, kDpi),
                      paper.width() - millimetres(frame.left + frame.right, kDpi),
                      paper.height() - millimetres(frame.top + frame.bottom, kDpi));

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&writer);
    auto* pictures = new ReportPictures(report, &document);
    document.documentLayout()->registerHandler(QTextFormat::ImageObject, pictures);
    fillDocument(document, report, project);
    document.setDocumentMargin(0);
    document.setPageSize(body.size());

    QPainter painter;
    if (!painter.begin(&writer)) return QStringLiteral("无法生成 PDF");
    const int pages = document.pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0) writer.newPage();
        painter.save();
        painter.translate(body.left(), body.top() - page * body.height());
        const QRectF shown(0, page * body.height(), body.width(), body.height());
        painter.setClipRect(shown);
        document.drawContents(&painter, shown);
        painter.restore();
        paintRunningHeader(painter, body, report, project, page + 1, pages, kDpi);
    }
    painter.end();
    QByteArray pdf = buffer.data();
    repairTextExtraction(pdf);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(pdf) != pdf.size() || !file.flush())
        return QStringLiteral("无法写入文件 %1").arg(path);
    return {};
}

QString writeOdf(const Report& report, const ProjectInfo& project, const QString& path) {
    QTextDocument document;
    ReportPictures pictures(report, nullptr);
    pictures.addImages(document);
    fillDocument(document, report, project);
    QTextDocumentWriter writer(path, "odf");
    return writer.write(&document) ? QString() : QStringLiteral("无法写入文件 %1").arg(path);
}

QString writeHtml(const Report& report, const ProjectInfo& project, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return QStringLiteral("无法写入文件 %1").arg(path);
    file.write(QByteArray::fromStdString(reportHtml(report, project)));
    return file.flush() ? QString() : QStringLiteral("无法写入文件 %1").arg(path);
}

struct FormatInfo {
    ReportFormat format;
    const char* caption;
    const char* suffix;
};

const FormatInfo kFormats[] = {
    {ReportFormat::Pdf, "PDF 文件 (*.pdf)", "pdf"},
    {ReportFormat::Odf, "ODF 文本文档，可用 WPS、Word 编辑 (*.odt)", "odt"},
    {ReportFormat::Html, "网页 (*.html)", "html"},
};

// The project fields in the dialog's order, with their settings keys.
const char* const kFieldCaptions[] = {"工程名称", "工程编号", "计算", "校核", "审核", "日期"};
const char* const kFieldKeys[] = {"projectName", "projectNumber", "calculatedBy", "checkedBy", "approvedBy"};

std::string* fieldOf(ProjectInfo& project, int index) {
    std::string* fields[] = {&project.projectName, &project.projectNumber, &project.calculatedBy,
                             &project.checkedBy, &project.approvedBy, &project.date};
    return fields[index];
}

QString today() { return QDate::currentDate().toString(QStringLiteral("yyyy年M月d日")); }

}  // namespace

QString writeReport(const CalcForm& window, const ProjectInfo& project, ReportFormat format, const QString& path) {
    const Report report = buildReport(window);
    switch (format) {
        case ReportFormat::Pdf: return writePdf(report, project, path);
        case ReportFormat::Odf: return writeOdf(report, project, path);
        case ReportFormat::Html: return writeHtml(report, project, path);
    }
    return {};
}

ProjectInfo rememberedProject() {
    QSettings settings;
    settings.beginGroup(QStringLiteral("report"));
    ProjectInfo project;
    for (int i = 0; i < 5; ++i) *fieldOf(project, i) = settings.value(kFieldKeys[i]).toString().toStdString();
    project.date = today().toStdString();  // a report is dated the day it is made
    return project;
}

void rememberProject(const ProjectInfo& project) {
    QSettings settings;
    settings.beginGroup(QStringLiteral("report"));
    ProjectInfo copy = project;
    for (int i = 0; i < 5; ++i) settings.setValue(kFieldKeys[i], qt(*fieldOf(copy, i)));
}

ReportExportDialog::ReportExportDialog(const QString& suggestedPath, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("导出计算书"));
    auto* form = new QFormLayout(this);
    path_ = new QLineEdit(suggestedPath);
    path_->setMinimumWidth(fontMetrics().horizontalAdvance('0') * 48);
    auto* browseButton = new QPushButton(QStringLiteral("浏览…"));
    connect(browseButton, &QPushButton::clicked, this, &ReportExportDialog::browse);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path_, 1);
    pathRow->addWidget(browseButton);
    form->addRow(QStringLiteral("文件名："), pathRow);
    format_ = new QComboBox;
    for (const FormatInfo& info : kFormats) format_->addItem(QString::fromUtf8(info.caption));
    form->addRow(QStringLiteral("格式："), format_);
    connect(format_, &QComboBox::currentIndexChanged, this, &ReportExportDialog::matchSuffixToFormat);

    ProjectInfo project = rememberedProject();
    for (int i = 0; i < 6; ++i) {
        fields_[i] = new QLineEdit(qt(*fieldOf(project, i)));
        fields_[i]->setObjectName(QString::fromUtf8(kFieldCaptions[i]));
        form->addRow(QString::fromUtf8(kFieldCaptions[i]) + QStringLiteral("："), fields_[i]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("导出"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

QString ReportExportDialog::path() const { return path_->text().trimmed(); }
void ReportExportDialog::setPath(const QString& path) { path_->setText(path); }
ReportFormat ReportExportDialog::format() const { return kFormats[std::max(0, format_->currentIndex())].format; }

ProjectInfo ReportExportDialog::project() const {
    ProjectInfo project;
    for (int i = 0; i < 6; ++i) *fieldOf(project, i) = fields_[i]->text().trimmed().toStdString();
    return project;
}

void ReportExportDialog::matchSuffixToFormat() {
    const QFileInfo file(path());
    if (path().isEmpty()) return;
    path_->setText(QDir(file.path()).filePath(file.completeBaseName() + '.' + kFormats[format_->currentIndex()].suffix));
}

void ReportExportDialog::browse() {
    const FormatInfo& info = kFormats[format_->currentIndex()];
    const QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("导出计算书"), path(), QString::fromUtf8(info.caption));
    if (!chosen.isEmpty()) path_->setText(chosen);
    matchSuffixToFormat();
}

void ReportExportDialog::accept() {
    if (path().isEmpty()) {
        path_->setFocus();
        return;
    }
    rememberProject(project());
    QDialog::accept();
}

void exportReport(CalcWindow& window) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    ReportExportDialog dialog(QDir(folder).filePath(qt(window.formName()) + QStringLiteral("计算书.pdf")), &window);
    if (dialog.exec() != QDialog::Accepted) return;
    const QString problem = writeReport(window.model(), dialog.project(), dialog.format(), dialog.path());
    if (!problem.isEmpty()) QMessageBox::warning(&window, QStringLiteral("导出计算书"), problem);
}

void addReportExport(CalcWindow& window) {
    auto* action = new QAction(QStringLiteral("导出计算书…"), &window);
    action->setObjectName(QStringLiteral("exportReport"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, &window, [&window] { exportReport(window); });
    window.addAction(action);
    window.setContextMenuPolicy(Qt::ActionsContextMenu);
}

}  // namespace pylora

#include "report_export.moc"
