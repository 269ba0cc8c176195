#include <gtest/gtest.h>

#include "model/menu.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

const MenuItem* findItem(const std::vector<MenuItem>& items, const std::string& name) {
    for (const MenuItem& item : items) {
        if (item.name == name) return &item;
        if (const MenuItem* found = findItem(item.children, name)) return found;
    }
    return nullptr;
}

TEST(MenuTreeTest, SevenMenusInOrder) {
    std::vector<std::string> captions;
    for (const MenuItem& menu : menuTree()) captions.push_back(menu.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"线路提料选型(&B)", "线路相关计算(&L)", "穿越设计计算(&C)",
                                                  "跨越设计计算(&K)", "工具(&T)", "打印(&P)", "帮助(&H)"}));
}

TEST(MenuTreeTest, CaptionsAndTargetsAsTheEngineerKnowsThem) {
    struct Row {
        const char* name;
        const char* caption;
        const char* action;
    };
    const Row rows[] = {
        {"menu_LINE_BI", "管道壁厚计算√", "show 壁厚计算"},
        {"MENU_CHUAN_DING2", "定向钻穿越纵断面计算（二） ", "show 定向钻穿越地面数据"},
        {"MENU_print_print", "打印 ", "print"},
        {"MENU_print_report", "导出计算书…", "export-report"},
        {"MENU_TOOL_STUDY", "参数分析…", "parameter-study"},
        {"MENU_bring_TUJIAN", "土建材料(长输管道线路手册）√", "menu"},
        {"MENU_bring_TUJIAN_stone", "砌石结构√", "show 土建材料二"},
        {"menu_KUA_BU", "补偿器选型计算", "none"},
        {"MENU_CHUAN_CHUONG", "穿越点河床冲刷深度计算√", "show RIVER"},
        {"MENU_CHUAN_QIAN_GUAN", "管架发送道相关计算", "show 管架发送道相关计算"},
        {"menu_LINE_FLOW", "输气管道流量公式计算", "show 输气流量公式"},
    };
    for (const Row& row : rows) {
        const MenuItem* item = findItem(menuTree(), row.name);
        ASSERT_TRUE(item) << row.name;
        EXPECT_EQ(item->caption, row.caption);
        EXPECT_EQ(actionText(*item), row.action);
    }
}

TEST(MenuTreeTest, EveryRegisteredWindowIsReachableFromTheMenu) {
    for (const FormDefinition* window : allWindows()) {
        bool found = false;
        std::function<void(const std::vector<MenuItem>&)> walk = [&](const std::vector<MenuItem>& items) {
            for (const MenuItem& item : items) {
                found = found || (item.action == MenuAction::ShowWindow && item.target == window->formName());
                walk(item.children);
            }
        };
        walk(menuTree());
        EXPECT_TRUE(found) << window->formName();
    }
}

}  // namespace
}  // namespace pylora
