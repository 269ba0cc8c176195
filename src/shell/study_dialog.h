#pragma once
// "参数分析…": a parameter study of a calculator window. The engineer chooses the input to vary
// (and a second one for a grid), the results to read, and starts; the points run off the GUI
// thread with a progress bar and 取消; the table and the plot show what came out, to be copied,
// exported (CSV, PNG, SVG) or added to the window's 计算书.
#include <QDialog>
#include <memory>

#include "studies/parameter_study.h"
#include "shell/study_report_link.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;

namespace pylora {

class CalcWindow;
class StudyChart;
class StudyTableModel;
class StudyVariableEditor;
class StudyWorker;

class StudyDialog : public QDialog {
    Q_OBJECT
public:
    explicit StudyDialog(CalcWindow& window);
    ~StudyDialog() override;

    StudyVariableEditor& firstInput() const { return *first_; }
    StudyVariableEditor& secondInput() const { return *second_; }
    QGroupBox* secondInputBox() const { return secondBox_; }
    QListWidget* resultList() const { return results_; }
    // Checks the results with these controls, and only those.
    void chooseResults(const std::vector<std::string>& controls);

    // 开始: runs the study as set; false when it cannot be made as asked (the dialog says why).
    bool start();
    void cancel();
    // Takes the window's inputs and results as they are now (another unknown chosen).
    void offerWindowChoices();
    bool isRunning() const;

    // The study shown; null before the first one has finished.
    const StudyResult* study() const { return study_.get(); }
    QString problem() const;  // why the last start or export did not go through; empty when none
    QString statusText() const;

    // The table as tab-separated text, put on the clipboard.
    void copyTable();
    // Writes the table (.csv) or the plot (.png, .svg); empty when written, else why not.
    QString exportTo(const QString& path);
    void addToReport();

    QPushButton* startButton() const { return startButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QProgressBar* progressBar() const { return progress_; }
    QTableView* table() const { return table_; }
    StudyChart* chart() const { return chart_; }

signals:
    void studyFinished();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void finish(std::shared_ptr<const StudyResult> result, const QString& problem);
    void showProgress();
    void showProblem(const QString& text);
    void showStatus(const QString& text);
    void exportAsked();
    void enableResultActions();
    void showNoStudy();
    void offerResults();
    QString plotTitle() const;

    CalcWindow& window_;
    StudyVariableEditor* first_;
    StudyVariableEditor* second_;
    QGroupBox* secondBox_;
    QListWidget* results_;
    QPushButton* startButton_;
    QPushButton* cancelButton_;
    QProgressBar* progress_;
    QLabel* problem_;
    QLabel* status_;
    QTableView* table_;
    StudyTableModel* model_;
    StudyChart* chart_;
    QLabel* readOut_;
    QPushButton* copyButton_;
    QPushButton* exportButton_;
    QPushButton* reportButton_;
    StudyWorker* worker_;
    QTimer* progressTimer_;
    std::shared_ptr<const StudyResult> study_;
    StudyStart runningStart_;  // the window's inputs when the running study began
    StudyStart studyStart_;    // those of the study shown
    bool logarithmicX_ = false;
};

// Gives the window its "参数分析…" entry in the context menu.
void addParameterStudy(CalcWindow& window);
// Opens the window's study dialog, or brings its open one to the front.
StudyDialog* openParameterStudy(CalcWindow& window);

}  // namespace pylora
