#pragma once
// What the program sets up before its first window: the font that shows Chinese text whole,
// and Qt's own dialogs and buttons (print, page set-up, message boxes) in the engineer's
// language.
class QApplication;
class QLocale;

namespace pylora {

void setUpProgram(QApplication& app);

// The language of Qt's own dialogs: the system's, unless it is English or unset, where the
// Chinese of the program's own texts takes its place.
QLocale dialogLocale(const QLocale& system);

}  // namespace pylora
