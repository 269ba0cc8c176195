#include "shell/program_setup.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace pylora {

QLocale dialogLocale(const QLocale& system) {
    if (system.language() == QLocale::C || system.language() == QLocale::English)
        return QLocale(QLocale::Chinese, QLocale::China);
    return system;
}

void setUpProgram(QApplication& app) {
    // WenQuanYi Zen Hei first: it draws ℃, and its ideographs that look like Kangxi radicals
    // are glyphs of their own, so a printed page's 力, 入, 米 are found again when searched.
    for (const char* family : {"WenQuanYi Zen Hei", "Noto Sans CJK SC"}) {
        if (!QFontDatabase::hasFamily(family)) continue;
        QFont font(family);
        font.setPointSize(10);
        QApplication::setFont(font);
        break;
    }
    const QLocale locale = dialogLocale(QLocale::system());
    auto* translator = new QTranslator(&app);
    if (translator->load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;  // no translation installed: Qt's own English texts
}

}  // namespace pylora
