#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>

#include "report_pages/report_pages.h"

namespace pylora {

QString reportFontFamily() {
    static const QString family = [] {
        const QString file = QDir(QCoreApplication::applicationDirPath())
                                 .filePath(QStringLiteral("../share/pylora/fonts/PyloraReportHei.ttf"));
        const int id = QFontDatabase::addApplicationFont(file);
        const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? QString() : families.first();
    }();
    return family;
}

}  // namespace pylora
