#pragma once
// The files a parameter study is exported to: the table as CSV, the plot as PNG or SVG. Each is
// written whole or not at all (a temporary file in the same folder, renamed over the target).
#include <QString>

#include "studies/parameter_study.h"

namespace pylora {

class StudyChart;

enum class StudyFileKind { Csv, Png, Svg };

// The kind a file name asks for by its extension; none for another extension.
std::optional<StudyFileKind> studyFileKind(const QString& path);

// Each returns an empty text when written, else why not, in the engineer's words.
QString writeStudyCsv(const StudyResult& study, const QString& path);
// The PNG is drawn for print: 2400 pixels wide at 300 dpi, under the title.
QString writeStudyPng(StudyChart& chart, const QString& title, const QString& path);
QString writeStudySvg(StudyChart& chart, const QString& title, const QString& path);
QString writeStudyFile(const StudyResult& study, StudyChart& chart, const QString& title, const QString& path);

}  // namespace pylora
