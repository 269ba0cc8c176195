#include "shell/study_table_model.h"

#include <QBrush>
#include <QColor>

#include "model/number_reading.h"
#include "model/report_numbers.h"
#include "model/text.h"

namespace pylora {
namespace {

std::size_t inputCount(const StudyResult& study) { return study.inputColumns.size(); }
std::size_t resultCount(const StudyResult& study) { return study.resultColumns.size(); }
std::size_t columnTotal(const StudyResult& study) { return inputCount(study) + resultCount(study) + 1; }

std::vector<std::string> headings(const StudyResult& study) {
    std::vector<std::string> row;
    for (const StudyColumn& c : study.inputColumns) row.push_back(studyHeading(c));
    for (const StudyColumn& c : study.resultColumns) row.push_back(studyHeading(c));
    row.push_back(kFailureHeading);
    return row;
}

// The cell of a point in the table's column order, numbers as the CSV writes them; a failed
// point has no results.
std::string cell(const StudyPoint& point, const StudyResult& study, std::size_t column) {
    if (column < inputCount(study) + resultCount(study))
        return studyCells(point, study.inputColumns, study.resultColumns, exportNumber)[column];
    return point.failure.value_or(std::string());
}

std::vector<std::string> cells(const StudyPoint& point, const StudyResult& study) {
    std::vector<std::string> row;
    for (std::size_t c = 0; c < columnTotal(study); ++c) row.push_back(cell(point, study, c));
    return row;
}

// A tab or line break inside a cell would start another cell or row in the pasted table.
std::string tabSafe(std::string text) {
    for (char& ch : text)
        if (ch == '\t' || ch == '\n' || ch == '\r') ch = ' ';
    return text;
}

std::string tabLine(const std::vector<std::string>& row) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) line += (i ? "\t" : "") + tabSafe(row[i]);
    return line + '\n';
}

}  // namespace

std::optional<double> shownNumber(const std::string& text) {
    const std::string_view t = trimmed(text);
    if (t == "." || t == "-.") return 0.0;
    return parseStrictNumber(t);
}

std::string studyTabText(const StudyResult& study) {
    std::string text = tabLine(headings(study));
    for (const StudyPoint& point : study.points) text += tabLine(cells(point, study));
    return text;
}

std::string studyCsv(const StudyResult& study) {
    std::string csv = kUtf8ByteOrderMark + studyCsvHeading(study.inputColumns, study.resultColumns);
    for (const StudyPoint& point : study.points) csv += studyCsvRow(point, study.inputColumns, study.resultColumns);
    return csv;
}

void StudyTableModel::setStudy(std::shared_ptr<const StudyResult> study) {
    beginResetModel();
    study_ = std::move(study);
    endResetModel();
}

int StudyTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !study_ ? 0 : int(study_->points.size());
}

int StudyTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !study_ ? 0 : int(columnTotal(*study_));
}

QVariant StudyTableModel::data(const QModelIndex& index, int role) const {
    if (!study_ || !index.isValid()) return {};
    const StudyPoint& point = study_->points[std::size_t(index.row())];
    const std::size_t column = std::size_t(index.column());
    const bool failureColumn = column + 1 == columnTotal(*study_);
    switch (role) {
        case Qt::DisplayRole: return QString::fromStdString(cell(point, *study_, column));
        case Qt::ToolTipRole:  // a failed point tells its cause wherever the pointer rests on its row
            return QString::fromStdString(point.failure ? *point.failure : cell(point, *study_, column));
        case Qt::ForegroundRole:
            if (failureColumn) return QBrush(QColor(0xd0, 0, 0));
            return {};
        case Qt::BackgroundRole:
            if (point.failure) return QBrush(QColor(0xfd, 0xec, 0xec));  // a gap in the curves
            return {};
        case Qt::TextAlignmentRole: {
            if (failureColumn) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
            const bool words = column >= inputCount(*study_) && study_->resultColumns[column - inputCount(*study_)].verdict;
            return QVariant::fromValue((words ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        }
        default: return {};
    }
}

QVariant StudyTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !study_)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical) return section + 1;
    return QString::fromStdString(headings(*study_)[std::size_t(section)]);
}

}  // namespace pylora
