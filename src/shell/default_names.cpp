#include "shell/default_names.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

#include "shell/calc_window.h"
#include "shell/path_text.h"

namespace pylora {
namespace {

const char* const kFolderKey = "report/folder";  // where the engineer last saved or exported

}  // namespace

QString cleanName(const QString& text) {
    QString name = text;
    static const QRegularExpression refused(QStringLiteral("[\\\\/:*?\"<>|]"));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    name.replace(refused, QStringLiteral("_"));
    name.replace(blanks, QStringLiteral(" "));
    name.replace('(', QChar(0xFF08)).replace(')', QChar(0xFF09));
    // A closing bracket without its opening one goes, then each opening one left open.
    QString matched;
    std::vector<qsizetype> open;
    for (const QChar ch : name) {
        if (ch == QChar(0xFF09) && open.empty()) continue;
        if (ch == QChar(0xFF08)) open.push_back(matched.size());
        if (ch == QChar(0xFF09)) open.pop_back();
        matched += ch;
    }
    for (auto at = open.rbegin(); at != open.rend(); ++at) matched.remove(*at, 1);
    return matched.trimmed();
}

QString documentFileName(const QStringList& names, const QString& what, const QDate& day, const QString& suffix) {
    QStringList parts;
    for (const QString& name : names)
        if (const QString clean = cleanName(name); !clean.isEmpty()) parts << clean;
    if (parts.isEmpty() || !parts.last().endsWith(what)) parts << what;
    parts << day.toString(QStringLiteral("yyyyMMdd"));
    return parts.join('_') + '.' + suffix;
}

QString lastFolder(const QString& documents, const QString& home) {
    const QString last = QSettings().value(QLatin1String(kFolderKey)).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
    if (!documents.isEmpty() && QDir().mkpath(documents)) return documents;
    return home;
}

QString lastFolder() {
    return lastFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), QDir::homePath());
}

void rememberFolder(const QString& fileOrFolder) {
    const QFileInfo info(fileOrFolder);
    QSettings().setValue(QLatin1String(kFolderKey), info.isDir() ? info.absoluteFilePath() : info.absolutePath());
}

QString offeredFolder(const std::filesystem::path& savedIn) {
    if (!savedIn.empty()) return QFileInfo(qtPathText(savedIn)).absolutePath();
    return lastFolder();
}

QStringList calculationNames(const CalcWindow& window) {
    const QString title = QString::fromStdString(window.definitionTitle());
    QString caseName;
    if (!window.caseFile().empty())
        caseName = qtPathText(window.caseFile().stem());
    else if (window.holdsChapter())
        caseName = window.chapterTitle();
    // A case named after its window ("壁厚计算", the name its first save offers, or
    // "壁厚计算 K12") does not repeat the window's name.
    if (caseName.contains(title)) return {caseName};
    if (title.contains(caseName)) return {title};
    return {title, caseName};
}

QString offeredExportPath(const CalcWindow& window, const QString& what, const QString& suffix) {
    const QString name = documentFileName(calculationNames(window), what, QDate::currentDate(), suffix);
    return QDir::toNativeSeparators(QDir(offeredFolder(window.savedIn())).filePath(name));
}

}  // namespace pylora
