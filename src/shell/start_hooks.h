#pragma once
// What the command line asks of the program at its start: case files (.pylora) to open in
// their windows, a project book (.pylora-project) to open in the 工程 panel; and, for the tests
// that drive the real program from outside (the crash-recovery test kills it), texts typed into
// a window as the engineer would type them, named by PYLORA_TYPE_AT_START="FORM:CONTROL=TEXT".
#include <QStringList>

namespace pylora {

class MainWindow;

void openFromCommandLine(MainWindow& main, const QStringList& arguments);
void typeAtStart(MainWindow& main, const QString& request);

}  // namespace pylora
