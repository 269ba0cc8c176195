#pragma once
// The 工程 panel: a window of the main window holding the project book the engineer works on,
// its project fields and its calculations in chapter order. A calculation is added as the
// active calculator window holds it (its current case), opened again in a window that then
// holds its chapter (changes are written back in place), moved up or down, removed (and the
// removal undone), its chapter retitled. The book is saved as a .pylora-project and exported
// as one PDF or DOCX 计算书. The panel computes nothing: the cases are kept as captured, and the
// export has the core compute them again.
#include <QWidget>
#include <QPointer>
#include <filesystem>
#include <map>
#include <optional>

#include "files/data_locations.h"
#include "files/project_book.h"
#include "shell/calc_window.h"
#include "shell/case_questions.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

namespace pylora {

class MainWindow;

class ProjectPanel : public QWidget {
    Q_OBJECT
public:
    ProjectPanel(MainWindow& main, Services services);

    void setQuestions(CaseQuestions questions) { questions_ = std::move(questions); }
    // While the project has changes it is kept in this folder for crash recovery (empty: not).
    void keepForRecovery(const std::filesystem::path& folder) { recoveryFolder_ = folder; }
    // Takes a project a crash left: shown as changed, belonging to the file it was opened from.
    void restoreRecovered(const ProjectBook& book);

    const ProjectBook& book() const { return book_; }
    const std::filesystem::path& path() const { return path_; }
    bool isModified() const;

    // Each asks first whether to save a changed project; false when the engineer cancels.
    bool newProject();
    bool openProject(const std::filesystem::path& path);
    void openProjectAsked();
    bool saveProject();
    bool saveProjectAs();
    // Asks for the file (PDF or DOCX by its extension) and writes the book there.
    void exportBookAsked();
    // Writes the book; returns an empty text when written, else why not, or which chapters failed.
    QString exportBook(const QString& path);

    // The active calculator window's calculation as the last chapter; false when none is open.
    bool addActiveCalculation();
    // The active window's calculation written back to the chapter it was opened from; false
    // when it holds none (told).
    bool updateActiveChapter();
    // Opens the chapter in a window that holds it; a chapter open already is brought forward.
    CalcWindow* openChapter(int row);
    void moveChapter(int row, int by);
    void removeChapter(int row);
    // Puts the chapter removed last back in its place.
    void undoRemove();
    void renameChapter(int row, const QString& title);

    // Whether the engineer lets the changed project go: saved, discarded, or not (cancel).
    bool maySaveChanges();

private:
    void showBook();
    void showChapters(int current);
    void takeFields();
    void markChanged();
    void writeRecoveryCopy();
    void tell(const QString& message);
    int currentRow() const;
    // Chapters keep an id while moved, so that a window holding one writes to it wherever it is.
    int rowOf(int id) const;
    bool writeBack(int id, const CaseFile& calculation);
    void letWindowHold(int id);
    // What a window holding the chapter writes back to, and the project file it belongs to.
    CalcWindow::Chapter chapterFor(int id, int row);
    void releaseWindows();
    void resetChapters();

    MainWindow& main_;
    Services services_;
    CaseQuestions questions_;
    ProjectBook book_;
    std::filesystem::path path_;
    std::string savedText_;
    std::filesystem::path recoveryFolder_;
    QTimer* recoveryTimer_ = nullptr;
    QListWidget* chapters_ = nullptr;
    std::vector<int> chapterIds_;  // beside book_.chapters
    int nextId_ = 0;
    std::map<int, QPointer<CalcWindow>> chapterWindows_;
    struct Removed {
        int row;
        int id;
        BookChapter chapter;
    };
    std::optional<Removed> removed_;
    QPushButton* undoRemove_ = nullptr;
    std::vector<std::pair<std::string ProjectInfo::*, QLineEdit*>> fields_;
    QLineEdit* title_ = nullptr;
    bool showing_ = false;  // the fields are being filled from the book, not typed
};

}  // namespace pylora
