#pragma once
// The window's notes on prescribed formulas, shown as tooltips on the result they are about
// (and on the inputs whose units they state), and its validity warnings as rich text for the
// status line. The texts come from the core, the same the 计算书 prints.
#include <QString>
#include <QWidget>
#include <map>
#include <string>
#include <vector>

#include "model/form.h"

namespace pylora {

// A text with _ and ^ marks as Qt rich text (<sub>, <sup>), line breaks kept.
QString markedRichText(const std::string& marked);

// Puts each note, with its reference value for the form as it stands, into the tooltips of
// the controls it is about.
void showRemarks(const Form& form, const std::map<std::string, QWidget*>& widgets);

// The warning lines of a run as one rich text.
QString warningRichText(const std::vector<std::string>& warnings);

}  // namespace pylora
