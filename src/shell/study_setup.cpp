#include "shell/study_setup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <cmath>

#include "model/field_role.h"
#include "model/form.h"
#include "model/number_reading.h"
#include "documents/study_table.h"
#include "shell/study_table_model.h"

namespace pylora {
namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

// "P 管道的设计压力 (MPa)": the heading the study's table will give the field.
QString captionOf(const Form& form, const std::string& control) {
    return qt(studyHeading(studyColumn(form, control))).trimmed();
}

double readNumber(const QLineEdit* edit, const char* what) {
    if (const auto value = parseStrictNumber(edit->text().toStdString())) return *value;
    throw StudyError(std::string("「") + what + "」不是有效数字");
}

// A round text for a value offered in the editor: 1.96, not 1.9600000000000002.
QString offered(double value) { return QString::number(value, 'g', 6); }

}  // namespace

std::vector<FieldChoice> studyInputs(const Form& form) {
    const FormDefinition& definition = form.definition();
    std::vector<FieldChoice> choices;
    for (const ControlDef& control : definition.controls()) {
        if (control.kind != ControlKind::TextField || control.readOnly) continue;
        if (roleIn(form, control) != FieldRole::Input || !form.visible(control.name)) continue;
        choices.push_back({control.name, captionOf(form, control.name)});
    }
    return choices;
}

std::vector<FieldChoice> studyResults(const Form& form) {
    const FormDefinition& definition = form.definition();
    std::vector<FieldChoice> choices;
    for (const ControlDef& control : definition.controls()) {
        if (control.kind != ControlKind::TextField && control.kind != ControlKind::Label) continue;
        const FieldRole role = roleIn(form, control);
        if (role != FieldRole::Result && role != FieldRole::Verdict) continue;
        choices.push_back({control.name, captionOf(form, control.name)});
    }
    return choices;
}

StudyVariableEditor::StudyVariableEditor(std::vector<FieldChoice> inputs, const Form& form, QWidget* parent)
    : QWidget(parent), inputs_(std::move(inputs)), form_(form) {
    auto* layout = new QFormLayout(this);
    layout->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    field_ = new QComboBox;
    field_->setObjectName("field");
    layout->addRow(QStringLiteral("参数："), field_);

    byRange_ = new QRadioButton(QStringLiteral("范围"));
    byList_ = new QRadioButton(QStringLiteral("数值列表"));
    byRange_->setChecked(true);
    auto* modeRow = new QHBoxLayout;
    modeRow->addWidget(byRange_);
    modeRow->addWidget(byList_);
    modeRow->addStretch();
    layout->addRow(QStringLiteral("取值："), modeRow);

    modes_ = new QStackedWidget;
    auto* range = new QWidget;
    auto* rangeGrid = new QGridLayout(range);
    rangeGrid->setContentsMargins(0, 0, 0, 0);
    from_ = new QLineEdit;
    from_->setObjectName("from");
    to_ = new QLineEdit;
    to_->setObjectName("to");
    spacing_ = new QComboBox;
    spacing_->addItems({QStringLiteral("步长"), QStringLiteral("点数")});
    spacingValue_ = new QLineEdit(QStringLiteral("11"));
    spacingValue_->setObjectName("spacing");
    spacing_->setCurrentIndex(kByPoints);
    logarithmic_ = new QCheckBox(QStringLiteral("对数分布"));
    rangeGrid->addWidget(new QLabel(QStringLiteral("起点")), 0, 0);
    rangeGrid->addWidget(from_, 0, 1);
    rangeGrid->addWidget(new QLabel(QStringLiteral("终点")), 0, 2);
    rangeGrid->addWidget(to_, 0, 3);
    rangeGrid->addWidget(spacing_, 1, 0);
    rangeGrid->addWidget(spacingValue_, 1, 1);
    rangeGrid->addWidget(logarithmic_, 1, 2, 1, 2);
    modes_->addWidget(range);
    list_ = new QLineEdit;
    list_->setObjectName("values");
    list_->setPlaceholderText(QStringLiteral("以逗号或空格分隔，如 2.5, 4.0, 6.3"));
    auto* listPage = new QWidget;
    auto* listLayout = new QVBoxLayout(listPage);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(list_);
    listLayout->addStretch();
    modes_->addWidget(listPage);
    layout->addRow(modes_);

    connect(byRange_, &QRadioButton::toggled, this, &StudyVariableEditor::showMode);
    connect(field_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) choose(inputs_[std::size_t(index)].control);
    });
    // On a logarithmic range the step is the factor between neighbouring values.
    connect(logarithmic_, &QCheckBox::toggled, this,
            [this](bool on) { spacing_->setItemText(kByStep, on ? QStringLiteral("倍数") : QStringLiteral("步长")); });
    offer(std::move(inputs_));
}

void StudyVariableEditor::offer(std::vector<FieldChoice> inputs) {
    const auto controls = [](const std::vector<FieldChoice>& choices) {
        std::vector<std::string> names;
        for (const FieldChoice& choice : choices) names.push_back(choice.control);
        return names;
    };
    if (field_->count() > 0 && controls(inputs) == controls(inputs_)) return;
    const std::string chosen = control();
    inputs_ = std::move(inputs);
    {
        const QSignalBlocker quiet(field_);
        field_->clear();
        for (const FieldChoice& choice : inputs_) field_->addItem(choice.caption, qt(choice.control));
        field_->setCurrentIndex(-1);
    }
    if (inputs_.empty()) return;
    const bool stays = field_->findData(qt(chosen)) >= 0 && !chosen.empty();
    choose(stays ? chosen : inputs_.front().control);
}

void StudyVariableEditor::showMode() { modes_->setCurrentIndex(byRange_->isChecked() ? 0 : 1); }

void StudyVariableEditor::choose(const std::string& control) {
    const int index = field_->findData(qt(control));
    if (index < 0) return;
    if (field_->currentIndex() != index) {
        field_->setCurrentIndex(index);  // comes back here through the chooser's signal
        return;
    }
    const std::string& text = form_.text(control);
    const std::optional<double> now = shownNumber(text);
    if (now && *now != 0) {
        from_->setText(offered(*now * 0.5));
        to_->setText(offered(*now * 1.5));
    } else {
        from_->setText("0");
        to_->setText("10");
    }
    list_->setText(qt(text).trimmed());
}

std::string StudyVariableEditor::control() const { return field_->currentData().toString().toStdString(); }

bool StudyVariableEditor::logarithmic() const { return byRange_->isChecked() && logarithmic_->isChecked(); }

StudyVariable StudyVariableEditor::variable() const {
    StudyVariable variable{control(), {}};
    if (variable.control.empty()) throw StudyError("此窗口没有可变化的输入参数");
    if (byList_->isChecked()) {
        static const QRegularExpression separators(QStringLiteral("[,，;；、\\s]+"));
        for (const QString& value : list_->text().split(separators, Qt::SkipEmptyParts))
            variable.values.push_back(value.toStdString());
        if (variable.values.empty()) throw StudyError("请在数值列表中输入取值");
        return variable;
    }
    StudyRange range;
    range.from = readNumber(from_, "起点");
    range.to = readNumber(to_, "终点");
    range.logarithmic = logarithmic_->isChecked();
    if (spacing_->currentIndex() == kByStep) {
        range.step = readNumber(spacingValue_, range.logarithmic ? "倍数" : "步长");
        if (range.step == 0) throw StudyError(range.logarithmic ? "倍数不能为零" : "步长不能为零");
    } else {
        const double points = readNumber(spacingValue_, "点数");
        if (points < 1 || points != std::floor(points) || points > 1e6) throw StudyError("点数须为 1 至 1000000 的整数");
        range.points = int(points);
    }
    [[maybe_unused]] const RangeTexts checked(range);  // throws now, where the engineer set the range
    // The texts are taken as the points need them: a long range is not made on the GUI thread.
    variable.range = range;
    return variable;
}

}  // namespace pylora
