#include "shell/user_settings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

namespace pylora {

void useProgramSettings() {
    QCoreApplication::setOrganizationName("pylora");
    QCoreApplication::setApplicationName("Pylora");
    QSettings settings;
    if (QFileInfo::exists(settings.fileName())) return;
    const QSettings earlier(QSettings::NativeFormat, QSettings::UserScope, "Unknown Organization", "Pylora");
    if (!QFileInfo::exists(earlier.fileName())) return;
    for (const QString& key : earlier.allKeys()) settings.setValue(key, earlier.value(key));
    settings.sync();
}

}  // namespace pylora
