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
    if (QFontDatabase::hasFamily("Noto Sans CJK SC")) {
        QFont font("Noto Sans CJK SC");
        font.setPointSize(10);
        QApplication::setFont(font);
    }
    const QLocale locale = dialogLocale(QLocale::system());
    auto* translator = new QTranslator(&app);
    if (translator->load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;  // no translation installed: Qt's own English texts
}

}  // namespace pylora
