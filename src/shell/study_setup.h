#pragma once
// What a parameter study varies and reads: the window's inputs and results by symbol, name and
// unit, and the editor for one varied input (a range by step or by number of points, linear or
// logarithmic, or a list of values).
#include <QWidget>
#include <string>
#include <vector>

#include "studies/parameter_study.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QStackedWidget;

namespace pylora {

struct FieldChoice {
    std::string control;
    QString caption;  // "P 管道的设计压力 (MPa)"
};

// The inputs a study may vary: the text fields the engineer can type into, as the window shows
// them now (hidden fields are left out).
std::vector<FieldChoice> studyInputs(const Form& form);
// The results and verdicts a study may read.
std::vector<FieldChoice> studyResults(const Form& form);

class StudyVariableEditor : public QWidget {
public:
    StudyVariableEditor(std::vector<FieldChoice> inputs, const Form& form, QWidget* parent = nullptr);

    // Chooses the field and offers a range around its present value.
    void choose(const std::string& control);
    // The inputs as the window now has them (a solve-for-one window's unknown chosen anew): the
    // field chosen stays while it is still an input, else the first is chosen.
    void offer(std::vector<FieldChoice> inputs);
    std::string control() const;
    // The texts the field takes, in order (a range's are taken as the points run); throws
    // StudyError saying what is wrong.
    StudyVariable variable() const;
    // The values are spaced logarithmically (a plot draws them on a logarithmic axis).
    bool logarithmic() const;

    QComboBox* fieldChooser() const { return field_; }
    QRadioButton* rangeChoice() const { return byRange_; }
    QRadioButton* listChoice() const { return byList_; }
    QLineEdit* fromEdit() const { return from_; }
    QLineEdit* toEdit() const { return to_; }
    QComboBox* spacingChooser() const { return spacing_; }  // 步长 (倍数 on a logarithmic range) or 点数
    QLineEdit* spacingEdit() const { return spacingValue_; }
    QCheckBox* logarithmicCheck() const { return logarithmic_; }
    QLineEdit* listEdit() const { return list_; }

    static constexpr int kByStep = 0;
    static constexpr int kByPoints = 1;

private:
    void showMode();

    std::vector<FieldChoice> inputs_;
    const Form& form_;
    QComboBox* field_;
    QRadioButton* byRange_;
    QRadioButton* byList_;
    QLineEdit* from_;
    QLineEdit* to_;
    QComboBox* spacing_;
    QLineEdit* spacingValue_;
    QCheckBox* logarithmic_;
    QLineEdit* list_;
    QStackedWidget* modes_;
};

}  // namespace pylora
