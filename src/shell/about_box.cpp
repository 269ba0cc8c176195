#include "shell/about_box.h"

#include "model/version.h"

#include <QFrame>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QSvgWidget>
#include <QVBoxLayout>

namespace pylora {

namespace {

const char* const applicationTitle = "Pylora";

// The nine blanks at the start of the description indent its first line.
const char* const description =
    "         本软件仅适合从事天然气长输管线、城镇燃气专业设计人员和施工人员，对工程材料查询和设计过程中相关"
    "计算校核时使用。因材料数据库仅限于2002年建成,还需完善，谢谢使用！";

QLabel* namedLabel(const char* name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    return label;
}

// One etched separator drawn by a grey line with a white line under it.
QWidget* etchedSeparator() {
    auto* separator = new QWidget;
    auto* layout = new QVBoxLayout(separator);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const char* names[] = {"Line1(1)", "Line1(0)"};
    const char* colours[] = {"#808080", "#ffffff"};
    for (int i = 0; i < 2; ++i) {
        auto* line = new QFrame;
        line->setObjectName(names[i]);
        line->setFixedHeight(1);
        line->setStyleSheet(QString("background: %1; border: none;").arg(colours[i]));
        layout->addWidget(line);
    }
    return separator;
}

}  // namespace

QStringList AboutBox::defaultSystemInfoPrograms() {
    return {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor", "xfce4-taskmanager"};
}

AboutBox::AboutBox(QStringList systemInfoPrograms) : systemInfoPrograms_(std::move(systemInfoPrograms)) {
    setObjectName(formName);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString("关于 ") + applicationTitle);

    auto* icon = namedLabel("picIcon", "");
    icon->setPixmap(QIcon(":/pylora/pylora.svg").pixmap(48, 48));
    auto* photograph = new QSvgWidget(":/pylora/about_photo.svg");
    photograph->setObjectName("Image1");
    photograph->setFixedSize(85, 153);

    auto* title = namedLabel("lblTitle", applicationTitle);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* version = namedLabel("lblVersion", QString("版本 ") + kProgramVersion);
    auto* licence = namedLabel("lblLicence", "本程序是自由软件，按 GNU 通用公共许可证第 3 版或（由您选择）任何更新版本"
                                             "（GPL-3.0-or-later）的条款发布，不提供任何担保。");
    licence->setWordWrap(true);
    auto* text = namedLabel("lblDescription", description);
    text->setWordWrap(true);
    text->setMinimumWidth(320);

    auto* ok = new QPushButton("确定");
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    auto* systemInfo = new QPushButton("系统信息(&S)...");
    systemInfo->setObjectName("cmdSysInfo");
    // Esc closes the box through reject(), Enter through the default button.
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(systemInfo, &QPushButton::clicked, this, &AboutBox::StartSysInfo);

    // Icon and photograph on the left; title, version, description and licence beside them; under the
    // etched separator the two buttons, stacked at the right.
    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, Qt::AlignTop | Qt::AlignLeft);
    grid->addWidget(photograph, 1, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(title, 0, 1);
    grid->addWidget(version, 1, 1, Qt::AlignTop);
    grid->addWidget(text, 2, 1);
    grid->addWidget(licence, 3, 1, Qt::AlignTop);
    grid->setRowStretch(3, 1);
    grid->addWidget(etchedSeparator(), 4, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(systemInfo);
    grid->addLayout(buttons, 5, 1, Qt::AlignRight);
}

void AboutBox::StartSysInfo() {
    for (const QString& program : systemInfoPrograms_) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty() && QProcess::startDetached(path, {})) return;
    }
    QMessageBox::information(this, applicationTitle, "此时系统信息不可用", QMessageBox::Ok);
}

}  // namespace pylora
