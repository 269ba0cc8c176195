#include "shell/ground_file_choice.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

#include "files/data_locations.h"
#include "shell/calc_window.h"

namespace pylora {
namespace {

constexpr auto kSettingsKey = "groundDataFile";

QString qt(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

QString dataFileSummary(const DataFileRead& file) {
    QString text = qt(file.caption) + QStringLiteral("：") + qt(file.path) +
                   (file.sample ? QStringLiteral("（示例数据）") : QString()) +
                   QStringLiteral("，共 %1 个地面点").arg(file.records.size());
    for (const std::string& note : file.notes) text += QStringLiteral("\n注意：") + qt(note);
    return text;
}

void chooseGroundDataFile(CalcWindow& window, const QString& path) {
    QSettings settings;
    if (path.isEmpty()) {
        settings.remove(kSettingsKey);
    } else {
        settings.setValue(kSettingsKey, path);
    }
    window.model().services().groundDataFile = path.toStdString();
}

void offerGroundDataFileChoice(CalcWindow& window) {
    if (!window.model().definition().usesGroundDataFile()) return;
    const QString remembered = QSettings().value(kSettingsKey).toString();
    if (!remembered.isEmpty()) window.model().services().groundDataFile = remembered.toStdString();

    auto* choose = new QAction(QStringLiteral("选择地面数据文件…"), &window);
    choose->setObjectName(QStringLiteral("chooseGroundDataFile"));
    QObject::connect(choose, &QAction::triggered, &window, [&window] {
        const std::filesystem::path current = groundDataFileToRead(window.model().services());
        const QString chosen = QFileDialog::getOpenFileName(
            &window, QStringLiteral("选择地面数据文件"), QString::fromStdString(current.parent_path().string()),
            QStringLiteral("地面数据文件 (*.txt *.TXT *.csv *.CSV);;所有文件 (*)"));
        if (!chosen.isEmpty()) chooseGroundDataFile(window, chosen);
    });
    window.addAction(choose);

    auto* reset = new QAction(QStringLiteral("使用默认地面数据文件"), &window);
    reset->setObjectName(QStringLiteral("defaultGroundDataFile"));
    QObject::connect(reset, &QAction::triggered, &window, [&window] { chooseGroundDataFile(window, {}); });
    window.addAction(reset);
}

}  // namespace pylora
