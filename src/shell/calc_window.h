#pragma once
// The one calculator window of the program: renders any window definition, mirrors its form
// both ways (typing updates the form; a run's texts, colours and visibility show at once),
// and reports a failed run in its status line, naming the field, with a red frame on it.
#include <QWidget>
#include <map>
#include <set>
#include <string>

#include "core/calc_form.h"
#include "shell/printing.h"

class QLabel;
class QGridLayout;
class QButtonGroup;
class QScrollArea;

namespace pylora {

class CalcWindow : public QWidget, public PageSource {
    Q_OBJECT
public:
    CalcWindow(const FormDefinition& definition, const Services& services, WindowPrinter& printer);

    CalcForm& model() { return model_; }
    const std::string& formName() const { return model_.definition().formName(); }
    QWidget* widgetFor(const std::string& control) const;
    QString statusText() const;

    // What a click of the button does: run, print, or nothing.
    void press(const std::string& button);
    // Enter in a field: the run button a mouse user would press first.
    void pressDefaultRun();

    // Sizes the window for a screen whose free area is `available`: as large as its content
    // asks, never larger than the area; a body that does not fit scrolls.
    void fitInto(QSize available);

    // A result that a failed run did not write again: it keeps its text but shows as old.
    bool isStale(const std::string& control) const;

    // The printed page: the whole body, scrolled or not, with the buttons and status line below.
    QSize pageContentSize() const override;
    void paintPageContent(QPainter& painter) override;

signals:
    void activated(CalcWindow* window);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum class StatusKind { Information, Problem };

    void buildLayout();
    void orderTabsAsRead();
    void noteWritten(const std::string& button, bool failed);
    int stepIndex(const std::string& button) const;
    void clearFailureMarks();
    void clearFailureMarksOfReadOnlyFields();
    void focusFirstInput();
    void greyResultsFedBy(const std::string& input);
    void showSketchFreshness(bool afterEdit = false);
    void showStatus(const QString& text, StatusKind kind);
    QWidget* createControl(const ControlDef& control);
    void placeControl(QGridLayout& grid, const ControlDef& control);
    void showFailure(const RunFailure& failure);
    void showDataFilesRead();
    void markFailedField(const std::string& control, bool failed);
    void syncFromForm();
    void syncControl(const ControlState& state, QWidget* widget);

    CalcForm model_;
    WindowPrinter& printer_;
    std::map<std::string, QWidget*> widgets_;
    std::map<std::string, QButtonGroup*> optionGroups_;
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
    bool fitted_ = false;
};

}  // namespace pylora
