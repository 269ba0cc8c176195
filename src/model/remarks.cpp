#include "model/remarks.h"

#include "model/quantity_values.h"
#include "model/report_numbers.h"
#include "model/run_failure.h"

namespace pylora {
namespace {

// A quantity's value as a substituted line writes it: a field's text as displayed, a quantity
// without a field from its formula; a negative one in brackets. Throws RunFailure without a number.
std::string substitutable(const Form& form, const QuantityValues& values, const std::string& key) {
    const FormDefinition& def = form.definition();
    const Meaning* meaning = def.meaningOf(key);
    const int decimals = meaning ? meaning->decimals : -1;
    const Num value = values.value(key);
    const std::string text = !def.findQuantity(key) && form.has(key) ? engineeringNumber(form.text(key), decimals)
                                                                      : engineeringValue(value.value(), decimals);
    return !text.empty() && text[0] == '-' ? "(−" + text.substr(1) + ")" : text;
}

std::string withUnit(const std::string& value, const std::string& unit) {
    return unit.empty() ? value : value + " " + unit;
}

}  // namespace

std::optional<ReferenceValue> referenceValue(const Form& form, const Remark& remark) {
    if (!remark.reference) return std::nullopt;
    const FormDefinition& def = form.definition();
    const Meaning& meaning = remark.referenceMeaning;
    ReferenceValue reference;
    reference.symbol = meaning.symbol;
    reference.unit = meaning.unit;
    const formula::SymbolOf symbol = [&def](const std::string& key) { return def.symbolOf(key); };
    reference.formula = meaning.symbol + " = " + formula::linear(*remark.reference, symbol);
    const QuantityValues values(form);
    try {
        const Num value = formula::evaluate(*remark.reference, [&values](const std::string& key) { return values.value(key); });
        const formula::SymbolOf valueOf = [&](const std::string& key) { return substitutable(form, values, key); };
        reference.number = value.value();
        reference.value = engineeringValue(value.value(), meaning.decimals);
        reference.substituted = meaning.symbol + " = " + formula::linear(*remark.reference, valueOf) + " = " +
                                withUnit(reference.value, meaning.unit);
    } catch (const RunFailure&) {
        // No value for these inputs: the note still states the formula.
    }
    return reference;
}

std::string remarkText(const Form& form, const Remark& remark) {
    std::string text = remark.text;
    if (const auto reference = referenceValue(form, remark)) {
        text += "\n参考值：";
        text += reference->value.empty() ? reference->formula : reference->substituted;
    }
    return text;
}

std::map<std::string, std::string> remarksByControl(const Form& form) {
    const FormDefinition& def = form.definition();
    std::map<std::string, std::string> tips;
    for (const Remark& remark : def.remarks()) {
        const QuantityDef* quantity = def.findQuantity(remark.result);
        std::vector<std::string> controls = remark.besideFields;
        controls.push_back(quantity && !quantity->shownIn.empty() ? quantity->shownIn : remark.result);
        const std::string text = remarkText(form, remark);
        for (const std::string& control : controls) {
            std::string& tip = tips[control];
            tip += (tip.empty() ? "" : "\n\n") + text;
        }
    }
    return tips;
}

std::vector<const Remark*> remarksOn(const FormDefinition& definition, const std::string& key) {
    auto shown = [&definition](const std::string& k) {
        const QuantityDef* quantity = definition.findQuantity(k);
        return quantity && !quantity->shownIn.empty() ? quantity->shownIn : k;
    };
    std::vector<const Remark*> found;
    for (const Remark& remark : definition.remarks())
        if (remark.result == key || shown(remark.result) == shown(key)) found.push_back(&remark);
    return found;
}

std::vector<std::string> validityWarnings(const Form& form) {
    std::vector<std::string> warnings;
    const QuantityValues values(form);
    for (const ValidityRange& range : form.definition().validityRanges()) {
        double value = 0;
        try {
            value = formula::evaluate(range.quantity, [&values](const std::string& key) { return values.value(key); }).value();
        } catch (const RunFailure&) {
            continue;
        }
        std::string outside;
        if (range.above && !(value > *range.above)) outside = "不大于" + engineeringValue(*range.above);
        else if (range.below && !(value < *range.below)) outside = "不小于" + engineeringValue(*range.below);
        if (outside.empty()) continue;
        warnings.push_back("提示：" + range.name + " " + range.symbol + " = " + engineeringValue(value, 2) + "，" +
                           outside + "，不在本窗口备注所述的适用范围内（" + range.note + "），计算结果仅供参考。");
    }
    return warnings;
}

}  // namespace pylora
