#pragma once
// The main window "Pylora": the station picture and the menu from which every calculator
// window is reached. Each window is created on its first menu choice, shown modeless and
// independent, brought to the front when chosen again, and created afresh after it was closed.
// A case opened while that window already holds another case, or changes, opens in a window of
// its own beside it, so that two cases of one calculation can be compared.
#include <QMainWindow>
#include <QPointer>
#include <map>
#include <string>

#include "model/form_definition.h"
#include "model/menu.h"
#include "shell/about_box.h"
#include "shell/calc_window.h"

class QMenu;
class QCloseEvent;

namespace pylora {

class WindowPrinter;
class ProjectPanel;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Services services, WindowPrinter& printer);

    // Shows the calculator window with this form name, creating it when it is not open.
    // Returns nullptr for a window the program does not have yet.
    CalcWindow* showWindow(const std::string& formName);
    // The window the menu entry brings forward (not the further windows cases opened in).
    CalcWindow* openWindow(const std::string& formName) const;
    // Every calculator window open: the menu's and those of further cases.
    std::vector<CalcWindow*> calcWindows() const;
    CalcWindow* lastActiveWindow() const { return lastActive_; }

    // Shows the About box, creating it when it is not open.
    AboutBox* showAboutBox();
    AboutBox* aboutBox() const { return about_.data(); }

    // Case files: the "文件(&F)" menu's entries (main_window_files.cpp).
    void setCaseQuestions(CaseQuestions questions);
    // Windows keep their inputs in this folder for crash recovery (empty: not kept).
    void keepForRecovery(const std::filesystem::path& folder);
    // Opens a case in its window, or in a further window when the form's window holds another
    // case or changes; a case already open is brought forward. A file that cannot be read is
    // told, and no window changes.
    CalcWindow* openCaseFile(const std::filesystem::path& path);
    void openCaseAsked();
    void saveActiveCase(bool askForName);
    // The recovery copies a crash left: offered, opened as changed windows, then removed.
    int offerRecovery();
    QStringList recentCaseFiles() const;
    // Opens a calculation kept elsewhere (a chapter of the project book) as a case is opened,
    // with no case file of its own.
    CalcWindow* openCalculation(const CaseFile& file, CalcWindow::Chapter chapter);
    // The 工程 panel: the project book and its entries in the "文件(&F)" menu.
    ProjectPanel* projectPanel() const { return project_; }
    // 文件 → 退出: asks once about every unsaved calculation and the project book (save all,
    // discard, cancel), then closes every window; false when the engineer cancelled.
    bool quit();

    // Carries out a menu entry as a click on it would.
    void trigger(const MenuItem& item);

    // What the print entries say when no calculator window is open.
    static const QString kNothingToPrint;
    static const QString kNothingToStudy;  // and the 参数分析… entry

protected:
    // A changed project book is offered for saving before the main window goes; calculator
    // windows stay open and usable.
    void closeEvent(QCloseEvent* event) override;

private:
    void addFileMenu();
    void addProjectEntries(QMenu* menu);
    // False when the engineer cancels, or a save was cancelled or failed.
    bool maySaveEverything();
    void rememberRecent(const QString& path);
    void fillRecentMenu();
    CalcWindow* openCase(const CaseFile& file, const std::filesystem::path& path, bool recovered,
                         CalcWindow::Chapter chapter = {});
    CalcWindow* createWindow(const FormDefinition& definition);
    // A window beside the form's window, for a case to compare with the one it holds.
    CalcWindow* showFurtherWindow(const FormDefinition& definition, CalcWindow* beside);
    static void bringForward(CalcWindow* window);
    void addEntries(QMenu* menu, const std::vector<MenuItem>& items);
    // The calculator window the print entries act on: the one active last; none: says so.
    CalcWindow* windowToPrint();

    Services services_;
    WindowPrinter& printer_;
    std::map<std::string, QPointer<CalcWindow>> windows_;
    std::vector<QPointer<CalcWindow>> furtherWindows_;  // cases opened beside a form's window
    QPointer<CalcWindow> lastActive_;
    QPointer<AboutBox> about_;
    CaseQuestions questions_;
    std::filesystem::path recoveryFolder_;
    QMenu* recentMenu_ = nullptr;
    ProjectPanel* project_ = nullptr;
    bool quitting_ = false;  // the project was asked about with everything else
};

}  // namespace pylora
