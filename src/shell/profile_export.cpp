#include "shell/profile_export.h"

#include <QAction>
#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

#include "files/atomic_file.h"
#include "cad/profile_csv.h"
#include "cad/profile_dxf.h"
#include "shell/calc_window.h"
#include "shell/default_names.h"
#include "shell/report_export.h"

namespace pylora {
namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

QString written(const QString& path, const std::string& bytes) {
    if (const auto failure = writeFileAtomically(QFile::encodeName(path).toStdString(), bytes))
        return QStringLiteral("无法写入文件 %1：%2").arg(QDir::toNativeSeparators(path), qt(failure->reasonInWords()));
    return {};
}

// The drawing of the window's calculation, or why there is none (shown in the status line).
std::optional<ProfileDrawing> drawingOrSay(CalcWindow& window) {
    auto drawing = profileDrawing(window.model());
    if (!drawing) window.showInformation(qt(noProfileReason(window.model())));
    return drawing;
}

// The button row under the body: the layout that holds the window's run buttons.
QBoxLayout* buttonRowOf(CalcWindow& window) {
    for (auto* button : window.findChildren<QPushButton*>()) {
        if (!button->parentWidget() || !button->parentWidget()->layout()) continue;
        for (auto* row : button->parentWidget()->findChildren<QBoxLayout*>())
            if (row->indexOf(button) >= 0 && qobject_cast<QHBoxLayout*>(row)) return row;
    }
    return nullptr;
}

}  // namespace

QString writeProfileDxf(const CalcForm& window, const QString& path, double exaggeration) {
    const auto drawing = profileDrawing(window);
    if (!drawing) return qt(noProfileReason(window));
    return written(path, profileDxf(*drawing, exaggeration));
}

QString writeProfileCsv(const CalcForm& window, const QString& path) {
    const auto drawing = profileDrawing(window);
    if (!drawing) return qt(noProfileReason(window));
    return written(path, profileCsv(*drawing));
}

ProfileExportDialog::ProfileExportDialog(const CalcForm& window, const QString& suggestedPath, QWidget* parent)
    : QDialog(parent), window_(window) {
    setWindowTitle(QStringLiteral("导出纵断面图 (DXF)"));
    auto* form = new QFormLayout(this);
    path_ = new QLineEdit(suggestedPath);
    path_->setObjectName(QStringLiteral("path"));
    path_->setMinimumWidth(fontMetrics().horizontalAdvance('0') * 48);
    auto* browseButton = new QPushButton(QStringLiteral("浏览…"));
    connect(browseButton, &QPushButton::clicked, this, &ProfileExportDialog::browse);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path_, 1);
    pathRow->addWidget(browseButton);
    form->addRow(QStringLiteral("文件"), pathRow);

    const auto drawing = profileDrawing(window);
    exaggeration_ = new QDoubleSpinBox;
    exaggeration_->setObjectName(QStringLiteral("exaggeration"));
    exaggeration_->setRange(0.01, kMaxExaggeration);
    exaggeration_->setDecimals(2);
    exaggeration_->setValue(drawing ? drawing->defaultExaggeration : 10);
    exaggeration_->setSuffix(QStringLiteral(" 倍"));
    form->addRow(QStringLiteral("高程放大"), exaggeration_);
    const QString source = drawing && !drawing->exaggerationSource.empty()
                               ? qt(drawing->exaggerationSource)
                               : QStringLiteral("窗口未给出比例，默认10倍");
    form->addRow(QString(), new QLabel(QStringLiteral("里程按实际长度绘制；") + source));

    problem_ = new QLabel;
    problem_->setObjectName(QStringLiteral("problem"));
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #c00000"));
    problem_->hide();
    form->addRow(problem_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("导出"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ProfileExportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

QString ProfileExportDialog::path() const { return path_->text().trimmed(); }
double ProfileExportDialog::exaggeration() const { return exaggeration_->value(); }
QString ProfileExportDialog::problem() const { return problem_->isHidden() ? QString() : problem_->text(); }

void ProfileExportDialog::browse() {
    const QString chosen = QFileDialog::getSaveFileName(this, windowTitle(), path(), QStringLiteral("DXF 图形 (*.dxf)"));
    if (!chosen.isEmpty()) path_->setText(QDir::toNativeSeparators(chosen));
}

void ProfileExportDialog::accept() {
    if (path().isEmpty()) {
        path_->setFocus();
        return;
    }
    QString name = path();
    if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".dxf");
    if (const QString problem = writeProfileDxf(window_, name, exaggeration()); !problem.isEmpty()) {
        problem_->setText(problem);
        problem_->show();
        path_->setFocus();
        return;
    }
    path_->setText(QDir::toNativeSeparators(name));
    problem_->hide();
    rememberFolder(name);
    QDialog::accept();
}

void exportProfileDxf(CalcWindow& window) {
    if (!drawingOrSay(window)) return;
    ProfileExportDialog dialog(window.model(), offeredExportPath(window, QStringLiteral("纵断面"), QStringLiteral("dxf")),
                               &window);
    if (dialog.exec() == QDialog::Accepted)
        window.showInformation(QStringLiteral("纵断面图已导出：") + dialog.path());
}

void exportProfileCsv(CalcWindow& window) {
    if (!drawingOrSay(window)) return;
    const QString suggested = offeredExportPath(window, QStringLiteral("纵断面"), QStringLiteral("csv"));
    const QString chosen = QFileDialog::getSaveFileName(&window, QStringLiteral("导出纵断面表 (CSV)"), suggested,
                                                        QStringLiteral("CSV 表格 (*.csv)"));
    if (chosen.isEmpty()) return;
    if (const QString problem = writeProfileCsv(window.model(), chosen); !problem.isEmpty()) {
        window.showInformation(problem);
        return;
    }
    rememberFolder(chosen);
    window.showInformation(QStringLiteral("纵断面表已导出：") + QDir::toNativeSeparators(chosen));
}

void addProfileExport(CalcWindow& window) {
    if (!window.model().definition().hasProfile()) return;
    auto* dxf = new QAction(QStringLiteral("导出纵断面图 (DXF)…"), &window);
    dxf->setObjectName(QStringLiteral("exportProfileDxf"));
    dxf->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    dxf->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(dxf, &QAction::triggered, &window, [&window] { exportProfileDxf(window); });
    window.addAction(dxf);
    auto* csv = new QAction(QStringLiteral("导出纵断面表 (CSV)…"), &window);
    csv->setObjectName(QStringLiteral("exportProfileCsv"));
    QObject::connect(csv, &QAction::triggered, &window, [&window] { exportProfileCsv(window); });
    window.addAction(csv);
    window.setContextMenuPolicy(Qt::ActionsContextMenu);

    // Beside the run buttons, under the sketch.
    if (QBoxLayout* row = buttonRowOf(window)) {
        auto* button = new QPushButton(QStringLiteral("导出纵断面图…"));
        button->setObjectName(QStringLiteral("exportProfileButton"));
        button->setToolTip(QStringLiteral("导出纵断面图 (DXF)，Ctrl+D"));
        QObject::connect(button, &QPushButton::clicked, &window, [&window] { exportProfileDxf(window); });
        row->insertWidget(row->count() - 1, button);  // before the closing stretch
    }
}

}  // namespace pylora
