#include "shell/project_panel.h"

#include <QDate>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "files/atomic_file.h"
#include "documents/book_document.h"
#include "files/recovery_store.h"
#include "report_pages/report_pages.h"
#include "shell/calc_window.h"
#include "shell/default_names.h"
#include "shell/main_window.h"
#include "shell/path_text.h"

namespace pylora {
namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

// The date the book is signed when the project names none: 2026年12月10日.
std::string today() {
    const QDate date = QDate::currentDate();
    return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day()).toStdString();
}

}  // namespace

ProjectPanel::ProjectPanel(MainWindow& main, Services services)
    : QWidget(&main, Qt::Window), main_(main), services_(std::move(services)) {
    setObjectName("project_panel");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const auto field = [this, form](const char* name, const QString& label) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        form->addRow(label, edit);
        connect(edit, &QLineEdit::textEdited, this, [this] {
            takeFields();
            markChanged();
        });
        return edit;
    };
    title_ = field("project_title", QStringLiteral("计算书标题"));
    title_->setPlaceholderText(QStringLiteral("计算书"));
    const std::pair<const char*, std::pair<std::string ProjectInfo::*, QString>> members[] = {
        {"project_name", {&ProjectInfo::projectName, QStringLiteral("工程名称")}},
        {"project_number", {&ProjectInfo::projectNumber, QStringLiteral("工程编号")}},
        {"project_stage", {&ProjectInfo::designStage, QStringLiteral("设计阶段")}},
        {"project_calculated_by", {&ProjectInfo::calculatedBy, QStringLiteral("计算")}},
        {"project_checked_by", {&ProjectInfo::checkedBy, QStringLiteral("校核")}},
        {"project_approved_by", {&ProjectInfo::approvedBy, QStringLiteral("审核")}},
        {"project_date", {&ProjectInfo::date, QStringLiteral("日期")}},
    };
    for (const auto& [name, member] : members) fields_.emplace_back(member.first, field(name, member.second));
    fields_.back().second->setPlaceholderText(QStringLiteral("导出当日"));
    layout->addLayout(form);

    chapters_ = new QListWidget(this);
    chapters_->setObjectName("project_chapters");
    chapters_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    connect(chapters_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!showing_) renameChapter(chapters_->row(item), item->text());
    });
    layout->addWidget(chapters_, 1);

    auto* buttons = new QHBoxLayout;
    const auto button = [this, buttons](const char* name, const QString& caption, auto action) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        buttons->addWidget(b);
        connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    button("project_add", QStringLiteral("加入当前计算"), [this] { addActiveCalculation(); });
    button("project_update", QStringLiteral("更新章节"), [this] { updateActiveChapter(); })
        ->setToolTip(QStringLiteral("把从工程打开的计算窗口中的修改写回其章节"));
    button("project_open_chapter", QStringLiteral("打开"), [this] { openChapter(currentRow()); });
    button("project_up", QStringLiteral("上移"), [this] { moveChapter(currentRow(), -1); });
    button("project_down", QStringLiteral("下移"), [this] { moveChapter(currentRow(), 1); });
    button("project_rename", QStringLiteral("重命名"), [this] {
        if (QListWidgetItem* item = chapters_->currentItem()) chapters_->editItem(item);
    });
    button("project_remove", QStringLiteral("移除"), [this] { removeChapter(currentRow()); });
    undoRemove_ = button("project_undo_remove", QStringLiteral("撤销移除"), [this] { undoRemove(); });
    undoRemove_->setEnabled(false);
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this, &ProjectPanel::undoRemove);
    layout->addLayout(buttons);
    resize(560, 520);
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setSingleShot(true);
    recoveryTimer_->setInterval(1500);  // a moment after the last change, as the windows' copies
    connect(recoveryTimer_, &QTimer::timeout, this, &ProjectPanel::writeRecoveryCopy);
    savedText_ = bookText(book_);
    showBook();
}

bool ProjectPanel::isModified() const { return bookText(book_) != savedText_; }

int ProjectPanel::currentRow() const { return chapters_->currentRow(); }

void ProjectPanel::tell(const QString& message) {
    if (questions_.tell) questions_.tell(this, message);
}

void ProjectPanel::takeFields() {
    book_.title = title_->text().toStdString();
    for (const auto& [member, edit] : fields_) book_.project.*member = edit->text().toStdString();
}

void ProjectPanel::markChanged() {
    QString title = QStringLiteral("工程 — ") + (path_.empty() ? QStringLiteral("未命名") : shownName(path_));
    if (isModified()) title += QStringLiteral(" *");
    setWindowTitle(title);
    if (!recoveryFolder_.empty()) recoveryTimer_->start();
}

void ProjectPanel::writeRecoveryCopy() {
    if (recoveryFolder_.empty()) return;
    const std::filesystem::path copy = projectRecoveryFile(recoveryFolder_);
    std::error_code error;
    if (!isModified()) {
        std::filesystem::remove(copy, error);
        return;
    }
    ProjectBook kept = book_;
    kept.bookFile = path_.string();
    std::filesystem::create_directories(recoveryFolder_, error);
    // A full disk must not stop the work; the copy is tried again at the next change.
    (void)writeFileAtomically(copy, bookText(kept));
}

void ProjectPanel::restoreRecovered(const ProjectBook& book) {
    book_ = book;
    resetChapters();
    path_ = pathOf(QString::fromStdString(book.bookFile));
    book_.bookFile.clear();
    savedText_.clear();  // unsaved: the "*" and the question before it goes
    showBook();
}

void ProjectPanel::showBook() {
    showing_ = true;
    title_->setText(qt(book_.title));
    for (const auto& [member, edit] : fields_) edit->setText(qt(book_.project.*member));
    showing_ = false;
    showChapters(book_.chapters.empty() ? -1 : 0);
    markChanged();
}

void ProjectPanel::showChapters(int current) {
    showing_ = true;
    chapters_->clear();
    for (const BookChapter& chapter : book_.chapters) {
        auto* item = new QListWidgetItem(qt(chapter.title), chapters_);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        item->setToolTip(qt(chapter.calculation.formName));
    }
    chapters_->setCurrentRow(current);
    showing_ = false;
}

bool ProjectPanel::maySaveChanges() {
    if (!isModified() || !questions_.saveProjectBeforeClosing) return true;
    const QString name = path_.empty() ? QStringLiteral("未命名") : shownName(path_);
    switch (questions_.saveProjectBeforeClosing(this, name)) {
        case CloseAnswer::Save: return saveProject();
        case CloseAnswer::Discard: return true;
        case CloseAnswer::Cancel: return false;
    }
    return false;
}

bool ProjectPanel::newProject() {
    if (!maySaveChanges()) return false;
    book_ = ProjectBook();
    resetChapters();
    path_.clear();
    savedText_ = bookText(book_);
    showBook();
    return true;
}

bool ProjectPanel::openProject(const std::filesystem::path& path) {
    if (!maySaveChanges()) return false;
    ProjectBook book;
    try {
        book = loadBook(path);
    } catch (const BookFileError& e) {
        tell(QString::fromUtf8(e.what()));
        return false;
    }
    book_ = std::move(book);
    resetChapters();
    path_ = path;
    savedText_ = bookText(book_);
    showBook();
    return true;
}

void ProjectPanel::openProjectAsked() {
    if (!questions_.projectOpenPath) return;
    const QString path = questions_.projectOpenPath(this);
    if (!path.isEmpty()) openProject(pathOf(path));
}

bool ProjectPanel::saveProject() {
    if (path_.empty()) return saveProjectAs();
    try {
        saveBook(book_, path_);
    } catch (const BookFileError& e) {
        tell(QString::fromUtf8(e.what()));
        return false;
    }
    savedText_ = bookText(book_);
    rememberFolder(qtPathText(path_));
    markChanged();
    return true;
}

bool ProjectPanel::saveProjectAs() {
    if (!questions_.projectSavePath) return false;
    const QString name = cleanName(qt(book_.project.projectName));
    const QString suggested =
        path_.empty() ? QDir(lastFolder()).filePath((name.isEmpty() ? QStringLiteral("工程") : name) + QString::fromUtf8(kBookExtension))
                      : qtPathText(path_);
    const QString path = questions_.projectSavePath(this, suggested);
    if (path.isEmpty()) return false;
    const std::filesystem::path previous = path_;
    path_ = pathOf(path);
    if (saveProject()) return true;
    path_ = previous;
    markChanged();
    return false;
}

void ProjectPanel::exportBookAsked() {
    if (book_.chapters.empty()) {
        tell(QStringLiteral("工程中还没有计算：请先用「加入当前计算」加入计算。"));
        return;
    }
    if (!questions_.bookExportPath) return;
    const QString base = path_.empty() ? qt(book_.project.projectName) : shownName(path_.stem());
    const QString name = documentFileName({base}, QStringLiteral("计算书"), QDate::currentDate(), QStringLiteral("pdf"));
    const QString path = questions_.bookExportPath(this, QDir(offeredFolder(path_)).filePath(name));
    if (path.isEmpty()) return;
    rememberFolder(path);
    const QString problem = exportBook(path);
    if (!problem.isEmpty()) tell(problem);
}

QString ProjectPanel::exportBook(const QString& path) {
    const ReportFormat format =
        path.endsWith(QStringLiteral(".docx"), Qt::CaseInsensitive) ? ReportFormat::Docx : ReportFormat::Pdf;
    const BookDocument document = buildBookDocument(book_, services_, today());
    if (const QString problem = writeBookFile(document, format, path); !problem.isEmpty()) return problem;
    // Written; a chapter whose calculation failed again is stated in the book, and said here.
    QStringList failed;
    for (const BookChapterReport& chapter : document.chapters)
        if (chapter.report.state == ReportState::Failed) failed << qt(chapter.heading + "：" + chapter.report.failure);
    if (!failed.isEmpty())
        return QStringLiteral("计算书已导出，但以下计算未完成（计算书中已注明）：") + failed.join(QStringLiteral("；"));
    return {};
}

void ProjectPanel::resetChapters() {
    releaseWindows();
    chapterIds_.clear();
    for (std::size_t i = 0; i < book_.chapters.size(); ++i) chapterIds_.push_back(nextId_++);
    removed_.reset();
    undoRemove_->setEnabled(false);
}

int ProjectPanel::rowOf(int id) const {
    const auto at = std::find(chapterIds_.begin(), chapterIds_.end(), id);
    return at == chapterIds_.end() ? -1 : static_cast<int>(at - chapterIds_.begin());
}

void ProjectPanel::releaseWindows() {
    for (auto& [id, window] : chapterWindows_)
        if (window) window->releaseChapter();
    chapterWindows_.clear();
}

bool ProjectPanel::writeBack(int id, const CaseFile& calculation) {
    const int row = rowOf(id);
    if (row < 0) return false;
    book_.chapters[row].calculation = calculation;  // the chapter keeps its title and its place
    showChapters(row);
    markChanged();
    return true;
}

void ProjectPanel::letWindowHold(int id) {
    const auto open = chapterWindows_.find(id);
    CalcWindow* window = open == chapterWindows_.end() ? nullptr : open->second.data();
    const int row = rowOf(id);
    if (window && row >= 0)
        window->holdChapter(chapterFor(id, row));
}

CalcWindow::Chapter ProjectPanel::chapterFor(int id, int row) {
    return {qt(book_.chapters[row].title), [this, id](const CaseFile& f) { return writeBack(id, f); },
            [this] { return path_; }};
}

bool ProjectPanel::addActiveCalculation() {
    CalcWindow* window = main_.lastActiveWindow();
    if (!window) {
        tell(QStringLiteral("没有打开的计算窗口：请先打开要加入工程的计算。"));
        return false;
    }
    book_.chapters.push_back(chapterOf(captureCase(window->model())));
    chapterIds_.push_back(nextId_++);
    showChapters(static_cast<int>(book_.chapters.size()) - 1);
    markChanged();
    return true;
}

bool ProjectPanel::updateActiveChapter() {
    CalcWindow* window = main_.lastActiveWindow();
    if (!window || !window->holdsChapter()) {
        tell(QStringLiteral("当前计算窗口不是从工程打开的章节：请先选中章节并「打开」，修改后再更新；"
                            "新的计算用「加入当前计算」加入。"));
        return false;
    }
    return window->writeBackChapter();
}

CalcWindow* ProjectPanel::openChapter(int row) {
    if (row < 0 || row >= static_cast<int>(book_.chapters.size())) return nullptr;
    const int id = chapterIds_[row];
    if (CalcWindow* open = chapterWindows_[id]) {
        open->show();
        open->raise();
        open->activateWindow();
        return open;
    }
    CalcWindow* window = main_.openCalculation(book_.chapters[row].calculation, chapterFor(id, row));
    chapterWindows_[id] = window;
    return window;
}

void ProjectPanel::moveChapter(int row, int by) {
    const int to = row + by;
    const int count = static_cast<int>(book_.chapters.size());
    if (row < 0 || row >= count || to < 0 || to >= count) return;
    std::swap(book_.chapters[row], book_.chapters[to]);
    std::swap(chapterIds_[row], chapterIds_[to]);
    showChapters(to);
    markChanged();
}

void ProjectPanel::removeChapter(int row) {
    if (row < 0 || row >= static_cast<int>(book_.chapters.size())) return;
    const int id = chapterIds_[row];
    if (CalcWindow* window = chapterWindows_[id]) window->releaseChapter();  // its calculation stays in it
    chapterWindows_.erase(id);
    removed_ = Removed{row, id, book_.chapters[row]};
    book_.chapters.erase(book_.chapters.begin() + row);
    chapterIds_.erase(chapterIds_.begin() + row);
    undoRemove_->setEnabled(true);
    undoRemove_->setToolTip(QStringLiteral("放回「%1」").arg(qt(removed_->chapter.title)));
    showChapters(std::min(row, static_cast<int>(book_.chapters.size()) - 1));
    markChanged();
}

void ProjectPanel::undoRemove() {
    if (!removed_) return;
    const int row = std::min(removed_->row, static_cast<int>(book_.chapters.size()));
    book_.chapters.insert(book_.chapters.begin() + row, removed_->chapter);
    chapterIds_.insert(chapterIds_.begin() + row, removed_->id);
    removed_.reset();
    undoRemove_->setEnabled(false);
    undoRemove_->setToolTip({});
    showChapters(row);
    markChanged();
}

void ProjectPanel::renameChapter(int row, const QString& title) {
    if (row < 0 || row >= static_cast<int>(book_.chapters.size())) return;
    const std::string text = title.trimmed().toStdString();
    if (!text.empty()) book_.chapters[row].title = text;  // a chapter keeps a title
    letWindowHold(chapterIds_[row]);  // the window names the chapter by its new title
    // The item shows the title kept; set in place, as this may run inside the item's own edit.
    QListWidgetItem* item = chapters_->item(row);
    if (item && item->text() != qt(book_.chapters[row].title)) {
        showing_ = true;
        item->setText(qt(book_.chapters[row].title));
        showing_ = false;
    }
    markChanged();
}

}  // namespace pylora
