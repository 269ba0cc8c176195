#include "model/window_registry.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <mutex>

#include "model/menu.h"

namespace pylora {
namespace {

// One registered window; its definition built once, on first use, whichever thread asks.
struct Entry {
    Entry(std::string name, std::string caption, WindowFactory make)
        : formName(std::move(name)), title(std::move(caption)), factory(make) {}

    std::string formName;
    std::string title;
    WindowFactory factory;
    std::once_flag once;
    std::unique_ptr<FormDefinition> built;

    const FormDefinition& definition() {
        std::call_once(once, [this] {
            built = std::make_unique<FormDefinition>(factory());
            built->finish();
        });
        return *built;
    }
};

std::deque<Entry>& entries() {
    static std::deque<Entry> list;  // a deque: entries never move
    return list;
}

void collectMenuOrder(const std::vector<MenuItem>& items, std::vector<std::string>& order) {
    for (const MenuItem& item : items) {
        if (item.action == MenuAction::ShowWindow) order.push_back(item.target);
        collectMenuOrder(item.children, order);
    }
}

// The entries in menu order; the windows the menu does not show last, as registered.
std::vector<Entry*> inMenuOrder() {
    std::vector<std::string> order;
    collectMenuOrder(menuTree(), order);
    std::vector<Entry*> ordered;
    for (Entry& entry : entries()) ordered.push_back(&entry);
    auto rank = [&](Entry* e) { return std::find(order.begin(), order.end(), e->formName) - order.begin(); };
    std::stable_sort(ordered.begin(), ordered.end(), [&](Entry* x, Entry* y) { return rank(x) < rank(y); });
    return ordered;
}

}  // namespace

WindowRegistration::WindowRegistration(const char* formName, const char* title, WindowFactory factory) {
    entries().emplace_back(formName, title, factory);
}

const std::vector<const FormDefinition*>& allWindows() {
    static const std::vector<const FormDefinition*> all = [] {
        std::vector<const FormDefinition*> list;
        for (Entry* entry : inMenuOrder()) list.push_back(&entry->definition());
        return list;
    }();
    return all;
}

const FormDefinition* findWindow(const std::string& formName) {
    for (Entry& entry : entries())
        if (entry.formName == formName) return &entry.definition();
    return nullptr;
}

std::vector<WindowTitle> windowTitles() {
    std::vector<WindowTitle> titles;
    for (Entry* entry : inMenuOrder()) titles.push_back(WindowTitle{entry->formName, entry->title});
    return titles;
}

}  // namespace pylora
