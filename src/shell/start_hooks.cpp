#include "shell/start_hooks.h"

#include <QLineEdit>

#include "files/project_book.h"
#include "shell/calc_window.h"
#include "shell/main_window.h"
#include "shell/path_text.h"
#include "shell/project_panel.h"

namespace pylora {
namespace {

}  // namespace

void openFromCommandLine(MainWindow& main, const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument.endsWith(QString::fromUtf8(kBookExtension))) {
            if (main.projectPanel()->openProject(pathOf(argument))) main.projectPanel()->show();
        } else if (argument.endsWith(QString::fromUtf8(kCaseExtension))) {
            main.openCaseFile(pathOf(argument));
        }
    }
}

void typeAtStart(MainWindow& main, const QString& request) {
    const qsizetype colon = request.indexOf(':'), equals = request.indexOf('=');
    if (colon <= 0 || equals <= colon + 1) return;
    CalcWindow* window = main.showWindow(request.left(colon).toStdString());
    if (!window) return;
    auto* edit = qobject_cast<QLineEdit*>(window->widgetFor(request.mid(colon + 1, equals - colon - 1).toStdString()));
    if (!edit) return;
    edit->selectAll();
    edit->insert(request.mid(equals + 1));  // an edit, as typing makes: the window keeps a recovery copy
}

}  // namespace pylora
