#include "shell/remark_display.h"

#include "model/remarks.h"
#include "documents/report_text.h"
#include "shell/field_widgets.h"

namespace pylora {

QString markedRichText(const std::string& marked) {
    QString html;
    for (const ScriptRun& run : scriptRuns(marked)) {
        const QString text = QString::fromStdString(run.text).toHtmlEscaped().replace('\n', "<br/>");
        if (run.level == 0) html += text;
        else html += run.level < 0 ? "<sub>" + text + "</sub>" : "<sup>" + text + "</sup>";
    }
    return "<qt>" + html + "</qt>";
}

void showRemarks(const Form& form, const std::map<std::string, QWidget*>& widgets) {
    for (const auto& [control, tip] : remarksByControl(form))
        if (auto it = widgets.find(control); it != widgets.end()) {
            // A field keeps its note apart: its tooltip also shows its whole text when cut short.
            if (auto* field = dynamic_cast<FieldEdit*>(it->second)) field->setRemark(markedRichText(tip));
            else it->second->setToolTip(markedRichText(tip));
        }
}

QString warningRichText(const std::vector<std::string>& warnings) {
    std::string text;
    for (const std::string& warning : warnings) text += (text.empty() ? "" : "\n") + warning;
    return markedRichText(text);
}

}  // namespace pylora
