#pragma once
// The names and folders offered before the engineer chooses, in one place, so that a case, its
// 计算书, its drawings, a study's files and the project book are named alike.
//
// A file is named by the window's name and the case's (its file's or its chapter's), then what
// it holds and the day: "输气管道壁厚计算_西气东输 壁厚 K12_计算书_20261210.pdf". It is offered
// in the folder of the saved case or project it comes from, else in the folder used last (while
// it exists), else the documents folder (made when missing), else the home folder.
#include <QDate>
#include <QString>
#include <QStringList>
#include <filesystem>

namespace pylora {

class CalcWindow;

// A name a file may carry: no character a file system refuses, one blank between words, ASCII
// brackets as the full-width ones the names around them use, and no bracket left unmatched.
QString cleanName(const QString& text);
// The names joined by "_", then what the file holds (left out when the last name ends with it
// already: "大开挖穿越纵断面", not "…纵断面_纵断面") and the day.
QString documentFileName(const QStringList& names, const QString& what, const QDate& day, const QString& suffix);

QString lastFolder(const QString& documents, const QString& home);
QString lastFolder();
// Remembers the folder of a file (or a folder) the engineer chose.
void rememberFolder(const QString& fileOrFolder);
// The folder of a file the work was saved in; none: the folder used last.
QString offeredFolder(const std::filesystem::path& savedIn);

// The window's name and its case's, as names of its files are made from; one of them when it
// holds the other.
QStringList calculationNames(const CalcWindow& window);
// A file of the window's calculation: "<window>_<case>_<what>_<day>.<suffix>" in its case's
// folder (or its chapter's project's), else the folder used last.
QString offeredExportPath(const CalcWindow& window, const QString& what, const QString& suffix);

}  // namespace pylora
