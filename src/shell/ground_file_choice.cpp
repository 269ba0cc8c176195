#include "shell/ground_file_choice.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
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

// "地面数据文件：/…/1.TXT（示例数据）": what the next run reads, shown at all times.
QString groundFileText(const Services& services) {
    const std::filesystem::path file = groundDataFileToRead(services);
    QString text = QStringLiteral("地面数据文件：") + QString::fromStdString(file.string());
    if (file == sampleGroundDataFile(services)) text += QStringLiteral("（示例数据）");
    return text;
}

void chooseGroundDataFile(CalcWindow& window, const QString& path) {
    QSettings settings;
    if (path.isEmpty()) {
        settings.remove(kSettingsKey);
    } else {
        settings.setValue(kSettingsKey, path);
    }
    const std::string before = groundDataFileToRead(window.model().services()).string();
    window.model().services().groundDataFile = path.toStdString();
    if (auto* shown = window.findChild<QLabel*>(QStringLiteral("groundDataFile")))
        shown->setText(groundFileText(window.model().services()));
    if (groundDataFileToRead(window.model().services()).string() != before)
        window.outdateSketches(QStringLiteral("地面数据文件已更换：此草图不是所选文件的计算结果，请重新计算。"));
}

void offerGroundDataFileChoice(CalcWindow& window) {
    if (!window.model().definition().usesGroundDataFile()) return;
    const QString remembered = QSettings().value(kSettingsKey).toString();
    if (!remembered.isEmpty()) window.model().services().groundDataFile = remembered.toStdString();

    const auto askForFile = [&window] {
        const std::filesystem::path current = groundDataFileToRead(window.model().services());
        const QString chosen = QFileDialog::getOpenFileName(
            &window, QStringLiteral("选择地面数据文件"), QString::fromStdString(current.parent_path().string()),
            QStringLiteral("地面数据文件 (*.txt *.TXT *.csv *.CSV);;所有文件 (*)"));
        if (!chosen.isEmpty()) chooseGroundDataFile(window, chosen);
    };
    auto* choose = new QAction(QStringLiteral("选择地面数据文件…"), &window);
    choose->setObjectName(QStringLiteral("chooseGroundDataFile"));
    QObject::connect(choose, &QAction::triggered, &window, askForFile);
    window.addAction(choose);

    auto* reset = new QAction(QStringLiteral("使用默认地面数据文件"), &window);
    reset->setObjectName(QStringLiteral("defaultGroundDataFile"));
    QObject::connect(reset, &QAction::triggered, &window, [&window] { chooseGroundDataFile(window, {}); });
    window.addAction(reset);

    // The file in sight, with its two choices beside it.
    auto* row = new QWidget;
    row->setObjectName(QStringLiteral("groundDataFileRow"));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(10, 0, 10, 0);
    auto* shown = new QLabel(groundFileText(window.model().services()));
    shown->setObjectName(QStringLiteral("groundDataFile"));
    shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(shown, 1);
    for (QAction* action : {choose, reset}) {
        auto* button = new QPushButton(action->text());
        button->setObjectName(action->objectName() + QStringLiteral("Button"));
        QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
        layout->addWidget(button);
    }
    window.insertAboveButtons(row);
}

}  // namespace pylora
