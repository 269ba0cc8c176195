#include "profiles/degrees_to_dms.h"

namespace pylora {
namespace {

Num roundHalfUp(const Num& x) { return integerPart(x + 0.5); }

}  // namespace


DmsParts splitDegrees(const Num& degrees) {
    // Whole seconds first, so that the shown second is the rounded one and carries into the
    // minutes and degrees (10.1° is 10°6′0″, not 10°5′59″ from 10.1 − 10 falling a hair short).
    // Degrees are counted up from the lower whole degree, so −10.5° is −11°30′0″.
    const Num seconds = roundHalfUp(degrees * 3600);
    const Num whole = integerPart(seconds / 3600);
    const Num rest = seconds - whole * 3600;
    const Num minutes = integerPart(rest / 60);
    // + 0.0 turns a negative zero (from −0) into a plain zero, shown as " 0".
    return {whole.value() + 0.0, minutes.value() + 0.0, (rest - minutes * 60).value() + 0.0};
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
