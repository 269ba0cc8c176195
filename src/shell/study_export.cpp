#include "shell/study_export.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <string_view>

#include "files/atomic_file.h"
#include "shell/report_export.h"
#include "shell/study_chart.h"
#include "shell/study_table_model.h"

namespace pylora {
namespace {

QString cannotWrite(const QString& path, const QString& cause) {
    return QStringLiteral("无法写入文件 %1：%2").arg(QDir::toNativeSeparators(path), cause);
}

QString writeText(const QString& path, std::string_view bytes) {
    if (const auto failure = writeFileAtomically(QFile::encodeName(path).toStdString(), bytes))
        return cannotWrite(path, QString::fromStdString(failure->reasonInWords()));
    return {};
}

}  // namespace

std::optional<StudyFileKind> studyFileKind(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "csv") return StudyFileKind::Csv;
    if (suffix == "png") return StudyFileKind::Png;
    if (suffix == "svg") return StudyFileKind::Svg;
    return std::nullopt;
}

QString writeStudyCsv(const StudyResult& study, const QString& path) { return writeText(path, studyCsv(study)); }

QString writeStudySvg(StudyChart& chart, const QString& title, const QString& path) {
    const QByteArray drawing = chart.svg(title);
    return writeText(path, std::string_view(drawing.constData(), std::size_t(drawing.size())));
}

QString writeStudyPng(StudyChart& chart, const QString& title, const QString& path) {
    QSaveFile file(path);  // a temporary file beside the target, renamed over it on commit
    if (!file.open(QIODevice::WriteOnly) || !chart.printImage(title).save(&file, "PNG") || !file.commit())
    {
        const QString cause = whyNotWritable(path);
        return cannotWrite(path, cause.isEmpty() ? file.errorString() : cause);
    }
    return {};
}

QString writeStudyFile(const StudyResult& study, StudyChart& chart, const QString& title, const QString& path) {
    switch (studyFileKind(path).value_or(StudyFileKind::Csv)) {
        case StudyFileKind::Csv: return writeStudyCsv(study, path);
        case StudyFileKind::Png: return writeStudyPng(chart, title, path);
        case StudyFileKind::Svg: return writeStudySvg(chart, title, path);
    }
    return {};
}

}  // namespace pylora
