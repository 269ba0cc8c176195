#include "profiles/degrees_to_dms.h"

namespace pylora {

DmsParts splitDegrees(const Num& degrees) {
    const Num whole = integerPart(degrees);
    const Num minutes = (degrees - whole) * 60;
    const Num wholeMinutes = integerPart(minutes);
    const Num seconds = (minutes - wholeMinutes) * 60;
    // + 0.0 turns a negative zero (from −0) into a plain zero, shown as " 0".
    return {whole.value() + 0.0, wholeMinutes.value() + 0.0, integerPart(seconds).value() + 0.0};
}

std::string signPositionText(double value) {
    const std::string text = NumberText(value);
    return value < 0 ? text : " " + text;
}

void addDmsScratchFields(FormDefinition& definition) {
    const char* const defaults[][2] = {{"Text73", "°"},      {"Text74", "′"},      {"Text75", "″"},
                                       {"Text76", "Text76"}, {"Text77", "Text77"}, {"Text78", "Text78"}};
    for (const auto& [name, text] : defaults) definition.body().cell(name, text, {}).working().visible = false;
}

std::string DegreesToDms(Form& form, const Num& degrees) {
    const DmsParts parts = splitDegrees(degrees);
    form.setText("Text76", signPositionText(parts.degrees));
    form.setText("Text77", signPositionText(parts.minutes));
    form.setText("Text78", signPositionText(parts.seconds));
    return form.text("Text76") + form.text("Text73") + form.text("Text77") + form.text("Text74") +
           form.text("Text78") + form.text("Text75");
}

std::string DegreesToDms(Form& form, const std::string& angleField) {
    return DegreesToDms(form, FieldValue(form, angleField));
}

}  // namespace pylora
