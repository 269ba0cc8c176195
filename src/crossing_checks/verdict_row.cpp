#include "crossing_checks/verdict_row.h"

#include <algorithm>

#include "model/run_failure.h"

namespace pylora {
namespace {

void writeRow(Form& form, const VerdictRow& row, const std::string& sign, const std::string& text,
              Colour colour) {
    for (const std::string& field : row.signFields) {
        form.setText(field, sign);
        form.setForeground(field, colour);
    }
    for (const std::string& field : row.verdictFields) {
        form.setText(field, text);
        form.setForeground(field, colour);
    }
}

bool verdictWritten(const Form& form, const VerdictRow& row) {
    const auto& written = form.written();
    return std::any_of(row.verdictFields.begin(), row.verdictFields.end(), [&](const std::string& field) {
        return std::find(written.begin(), written.end(), field) != written.end();
    });
}

}  // namespace

void writeVerdict(Form& form, const VerdictRow& row, bool met) {
    if (met) {
        writeRow(form, row, row.metSign, row.metText, Colour::windowText());
    } else {
        writeRow(form, row, row.notMetSign, row.notMetText, Colour::red());
    }
}

void runToVerdict(Form& form, const VerdictRow& row, const std::function<void(Form&)>& steps) {
    try {
        steps(form);
    } catch (const RunFailure&) {
        if (!verdictWritten(form, row)) {
            writeRow(form, row, " ", " ", Colour::windowText());
        }
        throw;
    }
}

}  // namespace pylora
