#pragma once
// The one calculator window of the program: renders any window definition, mirrors its form
// both ways (typing updates the form; a run's texts, colours and visibility show at once),
// and reports a failed run in its status line, naming the field, with a red frame on it.
#include <QWidget>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "model/calc_form.h"
#include "files/case_file.h"
#include "shell/case_questions.h"
#include "shell/printing.h"

class QLabel;
class QGridLayout;
class QButtonGroup;
class QScrollArea;
class QTimer;

namespace pylora {

class CalcWindow : public QWidget, public PageSource {
    Q_OBJECT
public:
    CalcWindow(const FormDefinition& definition, const Services& services, WindowPrinter& printer);

    CalcForm& model() { return model_; }
    const std::string& formName() const { return model_.definition().formName(); }
    QWidget* widgetFor(const std::string& control) const;
    QString statusText() const;
    // A note in the status line that is no failure (a report written, a page printed).
    void showInformation(const QString& text);

    // What a click of the button does: run, print, or nothing.
    void press(const std::string& button);
    // Enter in a field: the run button a mouse user would press first.
    void pressDefaultRun();

    // Sizes the window for a screen whose free area is `available`: as large as its content
    // asks, never larger than the area; a body that does not fit scrolls.
    void fitInto(QSize available);

    // A result that a failed run did not write again: it keeps its text but shows as old.
    bool isStale(const std::string& control) const;
    // Sketches drawn so far no longer belong to what the next run reads (another ground file).
    void outdateSketches(const QString& why);
    // A row of the window's own between its body and its buttons (the ground data file's).
    void insertAboveButtons(QWidget* row);
    // A field of a solve-for-one window that the chosen option makes a given input.
    bool isGiven(const std::string& control) const;

    // The printed page: the whole body, scrolled or not, as the screen shows it but without the
    // buttons, the status line, the keyboard focus and any selected text.
    QSize pageContentSize() const override;
    void paintPageContent(QPainter& painter) override;
    QString pageWarning() const override;

    // Case files (calc_window_case.cpp). The window's calculation saved to its file, else to the
    // project chapter it holds, else to a file the engineer names; false when not saved
    // (cancelled, or the file cannot be written: the status line says why).
    void setCaseQuestions(CaseQuestions questions) { questions_ = std::move(questions); }
    bool saveCase();
    bool saveCaseAs();
    bool saveCaseTo(const std::filesystem::path& path);
    // A fresh window takes the case's inputs and presses its steps again; the status line names
    // results that now differ from those saved. A recovered case stays marked as changed.
    void openCase(const CaseFile& file, const std::filesystem::path& path, bool recovered = false);
    const std::filesystem::path& caseFile() const { return casePath_; }
    // A chapter of the project book opened in this window: saving and the question before the
    // window closes write the calculation back to it, in place. `writeBack` is false when the
    // chapter is no longer in the book.
    struct Chapter {
        QString title;
        std::function<bool(const CaseFile&)> writeBack;
        std::function<std::filesystem::path()> bookFile;  // the project's file; empty while unsaved
    };
    void holdChapter(Chapter chapter);
    void releaseChapter();
    bool holdsChapter() const { return static_cast<bool>(chapter_.writeBack); }
    const QString& chapterTitle() const { return chapter_.title; }
    // Where the calculation is kept: its case file, else the project file of its chapter.
    std::filesystem::path savedIn() const;
    const std::string& definitionTitle() const { return model_.definition().title(); }
    bool writeBackChapter();
    // Holds a case file or a chapter: what the engineer would lose to another case in its place.
    bool holdsCase() const { return !casePath_.empty() || holdsChapter(); }
    // The window's name and its case file's, without the mark of a change: what questions name.
    QString caseTitle() const;
    // Changed since opened or saved: inputs, choices or the steps run.
    bool isModified() const;
    // Keeps the inputs in this folder a moment after each change (empty: not kept), under the
    // form's name or, for a second window of one form, a name of its own.
    void keepForRecovery(const std::filesystem::path& folder, const std::string& name = {});
    void writeRecoveryCopy();
    // Closes without asking whether to save (the engineer has answered already).
    void closeWithoutAsking();

signals:
    void activated(CalcWindow* window);
    void caseSaved(const QString& path);
    void openCaseRequested();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum class StatusKind { Information, Warning, Problem };

    void buildLayout();
    void alignTableFrames();
    void orderTabsAsRead();
    void noteWritten(const std::string& button, bool failed);
    int stepIndex(const std::string& button) const;
    void clearFailureMarks();
    void clearFailureMarksOfReadOnlyFields();
    void focusFirstInput();
    void greyResultsFedBy(const std::string& input);
    void greyResultsNotComputed();
    void showSketchFreshness(bool afterEdit = false);
    void showStatus(const QString& text, StatusKind kind);
    void showRunNotes();  // what a run that did not fail says about what it left out
    QWidget* createControl(const ControlDef& control);
    void placeControl(QGridLayout& grid, const ControlDef& control);
    void showFailure(const RunFailure& failure);
    void showDataFilesRead();
    void markFailedField(const std::string& control, bool failed);
    void syncFromForm();
    void syncControl(const ControlState& state, QWidget* widget);
    void addCaseKeys();
    void caseChanged();
    void showCaseTitle();
    QString openedName() const;
    std::string comparableCase() const;

    CalcForm model_;
    WindowPrinter& printer_;
    std::map<std::string, QWidget*> widgets_;
    std::map<std::string, QButtonGroup*> optionGroups_;
    std::map<std::string, QGridLayout*> frameGrids_;  // by frame name; "" the body's
    std::set<std::string> failedFields_;
    // Fields, labels and sketches some run has written, with the run button that wrote them last.
    std::map<std::string, std::string> writtenBy_;
    // Of those, the ones that no longer belong to the inputs shown: left behind by a failed or
    // shortened run, or fed by an input edited since.
    std::set<std::string> stale_;
    std::map<std::string, std::vector<std::string>> readBy_;  // run button -> fields its last run read
    std::map<std::string, std::size_t> sketchSignatures_;
    std::map<std::string, int> expectedLengths_;
    QScrollArea* scroll_ = nullptr;
    QLabel* status_ = nullptr;
    QString runFailure_;  // what the last run's failure says in the status line; empty after a good run
    bool fitted_ = false;

    CaseQuestions questions_;
    std::filesystem::path casePath_;
    std::string savedCase_;  // the comparable case when opened or saved
    std::unique_ptr<CaseGroundData> caseGround_;
    std::filesystem::path recoveryFolder_;
    std::string recoveryName_;
    Chapter chapter_;
    QTimer* recoveryTimer_ = nullptr;
    bool closeAsked_ = false;
};

}  // namespace pylora
