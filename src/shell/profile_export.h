#pragma once
// "导出纵断面图 (DXF)…" (Ctrl+D) and "导出纵断面表 (CSV)…": the longitudinal profile of the four
// profile windows handed to CAD and to spreadsheets. The window's context menu has both entries
// and its button row a button for the drawing, for windows whose definition draws a profile
// only; the files come from the core (profile_dxf.h, profile_csv.h), nothing is computed here.
#include <QDialog>
#include <QString>

#include "model/calc_form.h"

class QDoubleSpinBox;
class QLabel;
class QLineEdit;

namespace pylora {

class CalcWindow;

// Writes the drawing or the table of the window's current calculation; an empty text when
// written, else why not, in the engineer's words.
QString writeProfileDxf(const CalcForm& window, const QString& path, double exaggeration);
QString writeProfileCsv(const CalcForm& window, const QString& path);

// Asks for the file and the vertical exaggeration (the window's own default offered) and writes
// the drawing when 导出 is pressed: a failure is shown in the dialog, which stays open.
class ProfileExportDialog : public QDialog {
public:
    ProfileExportDialog(const CalcForm& window, const QString& suggestedPath, QWidget* parent = nullptr);

    QString path() const;
    double exaggeration() const;
    QLineEdit* pathField() const { return path_; }
    QDoubleSpinBox* exaggerationField() const { return exaggeration_; }
    QString problem() const;  // why the last 导出 wrote nothing; empty when none

    void accept() override;

private:
    void browse();

    const CalcForm& window_;
    QLineEdit* path_;
    QDoubleSpinBox* exaggeration_;
    QLabel* problem_;
};

// Gives a profile window its entries and button; other windows get none.
void addProfileExport(CalcWindow& window);
void exportProfileDxf(CalcWindow& window);
void exportProfileCsv(CalcWindow& window);

}  // namespace pylora
