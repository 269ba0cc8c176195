#pragma once
// The table of a parameter study on screen: one row per point, the varied inputs, the chosen
// results as the window shows them (verdicts as their words), and the cause where a point's run
// failed. The same rows give the clipboard's tab-separated text and the CSV file.
#include <QAbstractTableModel>
#include <memory>
#include <optional>
#include <string>

#include "studies/parameter_study.h"
#include "documents/study_table.h"

namespace pylora {

// A shown number read as the window would read it back: "." is zero; none for words.
std::optional<double> shownNumber(const std::string& text);

// Headings and rows, tab-separated, one line each: for pasting into a spreadsheet.
std::string studyTabText(const StudyResult& study);
// The same as a CSV file, as the runner's sweep writes it: UTF-8 with a byte order mark (so that
// spreadsheets read the Chinese headings), fields quoted where needed, CRLF line ends.
std::string studyCsv(const StudyResult& study);

class StudyTableModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setStudy(std::shared_ptr<const StudyResult> study);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<const StudyResult> study_;
};

}  // namespace pylora
