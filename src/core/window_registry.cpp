#include "core/window_registry.h"

#include <algorithm>
#include <deque>

#include "core/menu.h"

namespace pylora {
namespace {

std::vector<WindowFactory>& factories() {
    static std::vector<WindowFactory> list;
    return list;
}

void collectMenuOrder(const std::vector<MenuItem>& items, std::vector<std::string>& order) {
    for (const MenuItem& item : items) {
        if (item.action == MenuAction::ShowWindow) order.push_back(item.target);
        collectMenuOrder(item.children, order);
    }
}

struct Built {
    std::deque<FormDefinition> definitions;
    std::vector<const FormDefinition*> ordered;
};

const Built& built() {
    static const Built result = [] {
        Built b;
        for (WindowFactory make : factories()) {
            b.definitions.push_back(make());
            b.definitions.back().finish();
        }
        std::vector<std::string> order;
        collectMenuOrder(menuTree(), order);
        for (const FormDefinition& d : b.definitions) b.ordered.push_back(&d);
        auto rank = [&](const FormDefinition* d) {
            return std::find(order.begin(), order.end(), d->formName()) - order.begin();
        };
        std::stable_sort(b.ordered.begin(), b.ordered.end(),
                         [&](const FormDefinition* x, const FormDefinition* y) { return rank(x) < rank(y); });
        return b;
    }();
    return result;
}

}  // namespace

WindowRegistration::WindowRegistration(WindowFactory factory) { factories().push_back(factory); }

const std::vector<const FormDefinition*>& allWindows() { return built().ordered; }

const FormDefinition* findWindow(const std::string& formName) {
    for (const FormDefinition* d : allWindows())
        if (d->formName() == formName) return d;
    return nullptr;
}

}  // namespace pylora
