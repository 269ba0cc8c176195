#include "shell/main_window.h"

#include <QMenuBar>
#include <algorithm>
#include <QScreen>
#include <QMessageBox>
#include <QSvgWidget>

#include "model/window_registry.h"
#include "shell/about_box.h"
#include "shell/calc_window.h"
#include "shell/printing.h"
#include "shell/report_export.h"
#include "shell/study_dialog.h"

namespace pylora {

const QString MainWindow::kNothingToPrint = QStringLiteral("没有打开的计算窗口：请先从菜单打开要打印的计算窗口。");
const QString MainWindow::kNothingToStudy = QStringLiteral("没有打开的计算窗口：请先从菜单打开要分析的计算窗口。");

MainWindow::MainWindow(Services services, WindowPrinter& printer)
    : services_(std::move(services)), printer_(printer) {
    setWindowTitle("Pylora");
    // The client area holds only the station picture, 640 x 480 at (8, 8) in a 654 x 494 area.
    auto* client = new QWidget;
    client->setFixedSize(654, 494);
    auto* picture = new QSvgWidget(":/pylora/station.svg", client);
    picture->setObjectName("Image1");
    picture->setGeometry(8, 8, 640, 480);
    setCentralWidget(client);
    addFileMenu();
    for (const MenuItem& top : menuTree()) {
        QMenu* menu = menuBar()->addMenu(QString::fromStdString(top.caption));
        menu->setObjectName(QString::fromStdString(top.name));
        addEntries(menu, top.children);
    }
    setAttribute(Qt::WA_DeleteOnClose);
}

void MainWindow::addEntries(QMenu* menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        const QString caption = QString::fromStdString(item.caption);
        if (!item.children.empty()) {
            QMenu* submenu = menu->addMenu(caption);
            submenu->setObjectName(QString::fromStdString(item.name));
            addEntries(submenu, item.children);
            continue;
        }
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromStdString(item.name));
        // An entry that opens nothing says so by its grey, instead of being silently dead.
        action->setEnabled(item.action != MenuAction::None);
        connect(action, &QAction::triggered, this, [this, &item] { trigger(item); });
    }
}

void MainWindow::trigger(const MenuItem& item) {
    switch (item.action) {
        case MenuAction::ShowWindow:
            if (item.target == AboutBox::formName)
                showAboutBox();
            else
                showWindow(item.target);
            break;
        case MenuAction::PrintPreview:
            if (CalcWindow* window = windowToPrint()) printer_.preview(*window);
            break;
        case MenuAction::PrintSetup:
            printer_.setup(this);
            break;
        case MenuAction::PrintWithDialog:
            if (CalcWindow* window = windowToPrint()) printer_.printWithDialog(*window);
            break;
        case MenuAction::ExportReport:
            if (CalcWindow* window = windowToPrint()) exportReport(*window);
            break;
        case MenuAction::ParameterStudy:
            if (lastActive_)
                openParameterStudy(*lastActive_);
            else
                QMessageBox::information(this, QStringLiteral("参数分析"), kNothingToStudy);
            break;
        case MenuAction::Menu:
        case MenuAction::None:
            break;
    }
}

CalcWindow* MainWindow::windowToPrint() {
    if (lastActive_) return lastActive_;
    QMessageBox::information(this, QStringLiteral("打印"), kNothingToPrint);
    return nullptr;
}

CalcWindow* MainWindow::openWindow(const std::string& formName) const {
    auto it = windows_.find(formName);
    return it == windows_.end() ? nullptr : it->second.data();
}

std::vector<CalcWindow*> MainWindow::calcWindows() const {
    std::vector<CalcWindow*> open;
    for (const auto& [name, window] : windows_)
        if (window) open.push_back(window);
    for (const QPointer<CalcWindow>& window : furtherWindows_)
        if (window) open.push_back(window);
    return open;
}

CalcWindow* MainWindow::createWindow(const FormDefinition& definition) {
    auto* window = new CalcWindow(definition, services_, printer_);
    window->setWindowIcon(windowIcon());
    connect(window, &CalcWindow::activated, this, [this](CalcWindow* w) { lastActive_ = w; });
    window->setCaseQuestions(questions_);
    connect(window, &CalcWindow::caseSaved, this, &MainWindow::rememberRecent);
    connect(window, &CalcWindow::openCaseRequested, this, &MainWindow::openCaseAsked);
    return window;
}

void MainWindow::bringForward(CalcWindow* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

CalcWindow* MainWindow::showWindow(const std::string& formName) {
    CalcWindow* window = openWindow(formName);
    if (!window) {
        const FormDefinition* definition = findWindow(formName);
        if (!definition) return nullptr;
        window = createWindow(*definition);
        window->keepForRecovery(recoveryFolder_);
        windows_[formName] = window;
    }
    lastActive_ = window;  // brought to the front: the one the 文件 entries and the 工程 panel act on
    bringForward(window);
    return window;
}

CalcWindow* MainWindow::showFurtherWindow(const FormDefinition& definition, CalcWindow* beside) {
    std::erase_if(furtherWindows_, [](const QPointer<CalcWindow>& w) { return w.isNull(); });
    CalcWindow* window = createWindow(definition);
    // Each keeps its own recovery copy: the form's name and a number no other open window has.
    static int further = 0;
    window->keepForRecovery(recoveryFolder_, definition.formName() + "-" + std::to_string(++further));
    furtherWindows_.push_back(window);
    lastActive_ = window;
    bringForward(window);
    // Beside the other when the screen has room, else a step down and to the right of it.
    const QRect other = beside->frameGeometry();
    const QRect area = beside->screen() ? beside->screen()->availableGeometry() : QRect();
    QPoint place = other.topRight() + QPoint(1, 0);
    const QSize size = window->frameGeometry().size();
    if (area.isValid() && place.x() + size.width() > area.right() + 1) {
        place = other.topLeft() + QPoint(32, 32);
        place.setX(std::max(area.left(), std::min(place.x(), area.right() + 1 - size.width())));
        place.setY(std::max(area.top(), std::min(place.y(), area.bottom() + 1 - size.height())));
    }
    window->move(place);
    return window;
}

AboutBox* MainWindow::showAboutBox() {
    if (!about_) {
        about_ = new AboutBox;
        about_->setWindowIcon(windowIcon());
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
    return about_;
}

}  // namespace pylora
