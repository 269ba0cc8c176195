#include "documents/report_step_order.h"

#include <map>
#include <set>

namespace pylora {

std::vector<std::size_t> readingOrder(const std::vector<formula::Formula>& formulas,
                                      const std::function<bool(const formula::Formula&)>& included,
                                      const std::function<std::string(const std::string&)>& sameQuantity) {
    std::multimap<std::string, std::size_t> computing;  // quantity -> the formulas that give it
    for (std::size_t i = 0; i < formulas.size(); ++i)
        if (!formulas[i].result.empty() && included(formulas[i])) computing.emplace(sameQuantity(formulas[i].result), i);

    std::vector<std::size_t> order;
    std::vector<bool> placed(formulas.size(), false), placing(formulas.size(), false);
    std::set<std::string> computed;
    std::function<void(std::size_t)> place = [&](std::size_t i) {
        if (placed[i] || placing[i]) return;  // a formula that uses its own result stays where it is
        placing[i] = true;
        for (const std::string& used : formula::quantitiesOf(formulas[i].expression)) {
            const std::string quantity = sameQuantity(used);
            if (computed.count(quantity)) continue;
            const auto first = computing.lower_bound(quantity);
            if (first != computing.end() && first->first == quantity) place(first->second);
        }
        placing[i] = false;
        placed[i] = true;
        order.push_back(i);
        if (!formulas[i].result.empty()) computed.insert(sameQuantity(formulas[i].result));
    };
    for (std::size_t i = 0; i < formulas.size(); ++i)
        if (included(formulas[i])) place(i);
    return order;
}

}  // namespace pylora
