#pragma once
// The one calculator window of the program: renders any window definition, mirrors its form
// both ways (typing updates the form; a run's texts, colours and visibility show at once),
// and reports a failed run in its status line, naming the field, with a red frame on it.
#include <QWidget>
#include <map>
#include <set>
#include <string>

#include "core/calc_form.h"

class QLabel;
class QGridLayout;
class QButtonGroup;

namespace pylora {

class WindowPrinter;

class CalcWindow : public QWidget {
    Q_OBJECT
public:
    CalcWindow(const FormDefinition& definition, const Services& services, WindowPrinter& printer);

    CalcForm& model() { return model_; }
    const std::string& formName() const { return model_.definition().formName(); }
    QWidget* widgetFor(const std::string& control) const;
    QString statusText() const;

    // What a click of the button does: run, print, or nothing.
    void press(const std::string& button);

signals:
    void activated(CalcWindow* window);

protected:
    void changeEvent(QEvent* event) override;

private:
    void buildLayout();
    QWidget* createControl(const ControlDef& control);
    void placeControl(QGridLayout& grid, const ControlDef& control);
    void showFailure(const RunFailure& failure);
    void markFailedField(const std::string& control, bool failed);
    void syncFromForm();
    void syncControl(const ControlState& state, QWidget* widget);

    CalcForm model_;
    WindowPrinter& printer_;
    std::map<std::string, QWidget*> widgets_;
    std::map<std::string, QButtonGroup*> optionGroups_;
    std::set<std::string> failedFields_;
    QLabel* status_ = nullptr;
};

}  // namespace pylora
