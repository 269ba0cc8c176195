#pragma once
// The About box "帮助": the program's name, version and purpose, and a button that starts the
// system's system-information program. Like a calculator window it is created on its first
// menu choice and shown independent of the main window; "确定" (also Enter and Esc) closes it.
#include <QDialog>
#include <QStringList>

namespace pylora {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* formName = "帮助";

    // systemInfoPrograms: the programs tried in turn by "系统信息(&S)...", by name on the PATH
    // or by full path; the first one that starts is used.
    explicit AboutBox(QStringList systemInfoPrograms = defaultSystemInfoPrograms());

    static QStringList defaultSystemInfoPrograms();

    // Starts the first system-information program that can be started, without waiting for it;
    // when none can, says "此时系统信息不可用" in a message box and the About box stays open.
    void StartSysInfo();

private:
    QStringList systemInfoPrograms_;
};

}  // namespace pylora
