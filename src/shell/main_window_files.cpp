// The "文件(&F)" menu of the main window: open a case, save the active window's calculation,
// the files opened last; and the offer to restore what a crash left.
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <optional>

#include "files/recovery_store.h"
#include "model/window_registry.h"
#include "shell/default_names.h"
#include "shell/main_window.h"
#include "shell/path_text.h"
#include "shell/project_panel.h"

namespace pylora {
namespace {

constexpr int kRecentFiles = 8;
const char* const kRecentKey = "cases/recent";

}  // namespace

void MainWindow::addFileMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    menu->setObjectName("menu_file");
    auto add = [this, menu](const char* name, const QString& caption, const QKeySequence& keys, auto action) {
        QAction* entry = menu->addAction(caption);
        entry->setObjectName(name);
        entry->setShortcut(keys);
        connect(entry, &QAction::triggered, this, action);
    };
    add("file_open", QStringLiteral("打开计算…"), QKeySequence::Open, [this] { openCaseAsked(); });
    add("file_save", QStringLiteral("保存计算"), QKeySequence::Save, [this] { saveActiveCase(false); });
    add("file_save_as", QStringLiteral("另存为…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
        [this] { saveActiveCase(true); });
    recentMenu_ = menu->addMenu(QStringLiteral("最近打开的文件"));
    recentMenu_->setObjectName("file_recent");
    connect(recentMenu_, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    fillRecentMenu();
    addProjectEntries(menu);
    menu->addSeparator();
    add("file_quit", QStringLiteral("退出(&X)"), QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { quit(); });
    menu->actions().last()->setShortcutContext(Qt::ApplicationShortcut);  // from a calculator window too
}

void MainWindow::addProjectEntries(QMenu* menu) {
    project_ = new ProjectPanel(*this, services_);
    menu->addSeparator();
    auto add = [this, menu](const char* name, const QString& caption, auto action) {
        QAction* entry = menu->addAction(caption);
        entry->setObjectName(name);
        connect(entry, &QAction::triggered, this, [this, action] {
            action();
            project_->show();
            project_->raise();
        });
    };
    add("project_new", QStringLiteral("新建工程"), [this] { project_->newProject(); });
    add("project_open", QStringLiteral("打开工程…"), [this] { project_->openProjectAsked(); });
    add("project_save", QStringLiteral("保存工程"), [this] { project_->saveProject(); });
    add("project_save_as", QStringLiteral("工程另存为…"), [this] { project_->saveProjectAs(); });
    add("project_export", QStringLiteral("导出工程计算书…"), [this] { project_->exportBookAsked(); });
}

void MainWindow::keepForRecovery(const std::filesystem::path& folder) {
    recoveryFolder_ = folder;
    if (project_) project_->keepForRecovery(folder);
}

void MainWindow::setCaseQuestions(CaseQuestions questions) {
    questions_ = std::move(questions);
    if (project_) project_->setQuestions(questions_);
}

CalcWindow* MainWindow::openCalculation(const CaseFile& file, CalcWindow::Chapter chapter) {
    return openCase(file, {}, false, std::move(chapter));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!quitting_ && project_ && !project_->maySaveChanges()) {
        event->ignore();
        return;
    }
    if (project_) project_->hide();
    QMainWindow::closeEvent(event);
}

bool MainWindow::quit() {
    if (!maySaveEverything()) return false;
    // Every window goes: none is left without the menu, nor keeps the program running.
    for (CalcWindow* window : calcWindows()) window->closeWithoutAsking();
    for (QWidget* other : QApplication::topLevelWidgets())
        if (other != project_ && !qobject_cast<MainWindow*>(other) && other->isVisible()) other->close();
    quitting_ = true;
    const bool closed = close();
    quitting_ = false;
    return closed;
}

bool MainWindow::maySaveEverything() {
    std::vector<CalcWindow*> changed;
    QStringList names;
    for (CalcWindow* window : calcWindows()) {
        if (!window->isModified()) continue;
        changed.push_back(window);
        names << window->caseTitle();
    }
    const bool projectChanged = project_ && project_->isModified();
    if (projectChanged)
        names << QStringLiteral("工程「%1」").arg(project_->path().empty() ? QStringLiteral("未命名")
                                                                           : shownName(project_->path()));
    if (names.isEmpty() || !questions_.saveAllBeforeQuitting) return true;
    switch (questions_.saveAllBeforeQuitting(this, names)) {
        case CloseAnswer::Cancel: return false;
        case CloseAnswer::Discard: return true;
        case CloseAnswer::Save: break;
    }
    for (CalcWindow* window : changed)
        if (!window->saveCase()) return false;
    return !projectChanged || project_->saveProject();
}

QStringList MainWindow::recentCaseFiles() const { return QSettings().value(kRecentKey).toStringList(); }

void MainWindow::rememberRecent(const QString& path) {
    QStringList recent = recentCaseFiles();
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > kRecentFiles) recent.removeLast();
    QSettings().setValue(kRecentKey, recent);
    fillRecentMenu();
}

void MainWindow::fillRecentMenu() {
    recentMenu_->clear();
    const QStringList recent = recentCaseFiles();
    for (const QString& path : recent)
        connect(recentMenu_->addAction(path), &QAction::triggered, this, [this, path] { openCaseFile(pathOf(path)); });
    recentMenu_->setEnabled(!recent.isEmpty());
}

void MainWindow::openCaseAsked() {
    if (!questions_.openPath) return;
    const QString path = questions_.openPath(this);
    if (!path.isEmpty()) openCaseFile(pathOf(path));
}

CalcWindow* MainWindow::openCaseFile(const std::filesystem::path& path) {
    CaseFile file;
    try {
        file = loadCase(path);
    } catch (const CaseFileError& e) {
        if (questions_.tell) questions_.tell(this, QString::fromUtf8(e.what()));
        return nullptr;
    }
    CalcWindow* window = openCase(file, path, false);
    if (window) {
        rememberRecent(qtPathText(path));
        rememberFolder(qtPathText(path));
    }
    return window;
}

CalcWindow* MainWindow::openCase(const CaseFile& file, const std::filesystem::path& path, bool recovered,
                                 CalcWindow::Chapter chapter) {
    if (!path.empty() && !recovered)
        for (CalcWindow* open : calcWindows())
            if (open->caseFile() == path) {
                lastActive_ = open;
                bringForward(open);
                return open;
            }
    const FormDefinition* definition = findWindow(file.formName);
    if (!definition) return nullptr;
    // The form's window takes the case while it holds nothing of the engineer's; else the case
    // opens beside it, and both stay to be compared.
    CalcWindow* window = nullptr;
    CalcWindow* open = openWindow(file.formName);
    if (open && (open->holdsCase() || open->isModified())) {
        window = showFurtherWindow(*definition, open);
    } else {
        if (open) {
            open->closeWithoutAsking();  // a fresh window takes the case
            windows_.erase(file.formName);
        }
        window = showWindow(file.formName);
    }
    if (chapter.writeBack) window->holdChapter(std::move(chapter));
    window->openCase(file, path, recovered);
    return window;
}

void MainWindow::saveActiveCase(bool askForName) {
    CalcWindow* window = lastActive_;
    if (!window) {
        if (questions_.tell) questions_.tell(this, QStringLiteral("没有打开的计算窗口：请先从菜单打开要保存的计算窗口。"));
        return;
    }
    if (askForName) {
        window->saveCaseAs();
    } else {
        window->saveCase();
    }
}

int MainWindow::offerRecovery() {
    if (recoveryFolder_.empty()) return 0;
    const auto abandoned = abandonedRecoveryFiles(recoveryFolder_);
    const auto projects = abandonedProjectRecoveryFiles(recoveryFolder_);
    if (abandoned.empty() && projects.empty()) return 0;
    // Read first, so that the question names what it would restore. The panel holds one
    // project: the newest copy is offered, older ones wait for the next start.
    struct Readable {
        std::filesystem::path copy;
        std::string fault;  // why it cannot be read; empty: it can
    };
    std::optional<ProjectBook> project;
    std::vector<Readable> read;
    QStringList names;
    if (!projects.empty()) {
        try {
            project = loadBook(projects.back());
            const QString file = project->bookFile.empty() ? QStringLiteral("未命名")
                                                           : shownName(pathOf(QString::fromStdString(project->bookFile)));
            names << QStringLiteral("工程「%1」").arg(file);
        } catch (const BookFileError& e) {
            read.push_back({projects.back(), e.what()});
        }
    }
    std::vector<std::pair<std::filesystem::path, CaseFile>> cases;
    for (const auto& copy : abandoned) {
        try {
            CaseFile file = loadCase(copy);
            const FormDefinition* definition = findWindow(file.formName);
            QString name = QString::fromStdString(definition ? definition->title() : file.formName);
            if (!file.caseFile.empty()) name += QStringLiteral(" — ") + shownName(pathOf(QString::fromStdString(file.caseFile)));
            names << name;
            cases.emplace_back(copy, std::move(file));
        } catch (const CaseFileError& e) {
            read.push_back({copy, e.what()});
        }
    }
    const bool restore = !names.isEmpty() && questions_.restoreAfterCrash && questions_.restoreAfterCrash(this, names);
    int restored = 0;
    std::error_code ignored;
    // A copy that cannot be read is kept, as a later version may read it, but moved aside: told
    // once, not offered again at every start.
    for (const Readable& damaged : read) {
        const std::filesystem::path aside = damagedRecoveryFile(damaged.copy);
        std::error_code error;
        std::filesystem::rename(damaged.copy, aside, error);
        const QString where = error ? QStringLiteral("无法移走该副本（%1）").arg(QString::fromStdString(error.message()))
                                    : QStringLiteral("该副本已移至 %1，以后不再提示。").arg(qtPathText(aside));
        if (questions_.tell) questions_.tell(this, QString::fromStdString(damaged.fault) + QStringLiteral("。") + where);
    }
    if (restore && project) {
        project_->restoreRecovered(*project);
        project_->show();
        ++restored;
    }
    for (const auto& copy : projects)
        if (!restore || copy == projects.back()) std::filesystem::remove(copy, ignored);
    for (const auto& [copy, file] : cases) {
        if (restore && openCase(file, file.caseFile.empty() ? std::filesystem::path() : pathOf(QString::fromStdString(file.caseFile)), true))
            ++restored;
        std::filesystem::remove(copy, ignored);
    }
    return restored;
}

}  // namespace pylora
