#include "model/menu.h"

namespace pylora {
namespace {

// The tree in menu order: depth 0 stands on the menu bar, 1 in a menu, 2 in a submenu.
// "√" is part of a caption, not a check mark; two captions end in a blank on purpose.
struct MenuRow {
    int depth;
    const char* name;
    const char* caption;
    MenuAction action;
    const char* target;
};

const MenuRow kMenuRows[] = {
    {0, "menu_material_local", "线路提料选型(&B)", MenuAction::Menu, ""},
    {1, "menu_bring_guang", "管材提料计算√", MenuAction::ShowWindow, "管材提料"},
    {1, "MENU_bring_material", "防腐材料√", MenuAction::Menu, ""},
    {2, "MENU_bring_material_DI", "埋地管道防腐材料√", MenuAction::ShowWindow, "防腐材料"},
    {2, "MENU_bring_material_GAS", "露空管道防腐材料√", MenuAction::ShowWindow, "露空管道防腐"},
    {1, "MENU_bring_han", "焊接材料√", MenuAction::ShowWindow, "焊接材料"},
    {1, "MENU_bring_TUJIAN", "土建材料(长输管道线路手册）√", MenuAction::Menu, ""},
    {2, "MENU_bring_TUJIAN_stone", "砌石结构√", MenuAction::ShowWindow, "土建材料二"},
    {2, "MENU_bring_TUJIAN_FLT", "混凝土结构√", MenuAction::ShowWindow, "土建材料"},
    {1, "MENU_bring_TUJIAN2", "土建材料(石油预算定额及四川建筑定额）√", MenuAction::Menu, ""},
    {2, "MENU_bring_TUJIAN2_ZHUAN", "一般砖墙√", MenuAction::ShowWindow, "一般砖墙"},
    {2, "MENU_bring_TUJIAN2_STONE", "石挡土墙√", MenuAction::ShowWindow, "石挡土墙"},
    {2, "MENU_bring_TUJIAN2_FENG", "混凝土连续覆盖层√", MenuAction::ShowWindow, "混凝土连续覆盖层"},
    {2, "MENU_bring_TUJIAN2_BIAO", "砼标志桩及支座预制√", MenuAction::ShowWindow, "砼标志桩及支座预制"},
    {2, "MENU_bring_TUJIAN2_TIE", "铁丝石笼稳管√", MenuAction::ShowWindow, "铁丝石笼稳管"},
    {2, "MENU_bring_TUJIAN2_PAO", "禁止抛锚牌制作√", MenuAction::ShowWindow, "禁止抛锚牌制作安装"},
    {2, "MENU_bring_TUJIAN2_JIA", "装配式、马鞍型混凝土加重块稳管√", MenuAction::ShowWindow, "加重块稳管"},
    {1, "MENU_bring_shang", "线路初设常用材料√", MenuAction::ShowWindow, "线路初设常用材料"},
    {1, "MENU_bring_TAO", "套管支架选型及计算", MenuAction::ShowWindow, "套管支架选型及计算"},
    {0, "menu_LINE_CAL", "线路相关计算(&L)", MenuAction::Menu, ""},
    {1, "menu_LINE_BI", "管道壁厚计算√", MenuAction::ShowWindow, "壁厚计算"},
    {1, "menu_LINE_SHUEI", "长输管道水力计算√", MenuAction::ShowWindow, "水力计算"},
    {1, "menu_LINE_CAIJI", "采输集输管线水力计算√", MenuAction::ShowWindow, "采集水力计算"},
    {1, "menu_LINE_DI", "低压燃气管道计算", MenuAction::ShowWindow, "低压燃气管道计算"},
    {1, "menu_LINE_HIGH", "高中压燃气管道计算", MenuAction::ShowWindow, "高中压燃气计算"},
    {1, "MENU_LINE_LOST", "放空损失计算√", MenuAction::ShowWindow, "放空损失计算"},
    {1, "menu_LINE_FLOW", "输气管道流量公式计算", MenuAction::ShowWindow, "输气流量公式"},
    {0, "menu_CHUAN_JISUAN", "穿越设计计算(&C)", MenuAction::Menu, ""},
    {1, "MENU_CHUAN_GANG", "钢管许用应力计算√", MenuAction::ShowWindow, "钢管许用应力"},
    {1, "MENU_CHUAN_GONG", "公路穿越相关计算√", MenuAction::Menu, ""},
    {2, "MENU_CHUAN_GONG_TU", "①土壤荷载计算√", MenuAction::ShowWindow, "土壤荷载计算"},
    {2, "MENU_CHUAN_GONG_QI", "②汽车荷载计算√", MenuAction::ShowWindow, "汽车荷载计算"},
    {2, "MENU_CHUAN_GONG_QIANG", "③穿越段强度校核√", MenuAction::ShowWindow, "公路穿越强度校核"},
    {2, "MENU_CHUAN_GONG_WENG", "④穿越段稳定性校核√", MenuAction::ShowWindow, "公路穿越稳定性校核"},
    {1, "MENU_CHUAN_JIE", "穿越管段结构设计计算√", MenuAction::ShowWindow, "穿越结构设计计算"},
    {1, "MENU_CHUAN_WENG", "管道稳定性计算√", MenuAction::ShowWindow, "稳定计算"},
    {1, "MENU_CHUAN_BIWENG", "穿越管线壁厚稳定校核", MenuAction::ShowWindow, "穿越管线壁厚稳定校核"},
    {1, "MENU_CHUAN_ZHENG", "水下管道振动稳定性计算√", MenuAction::ShowWindow, "振动计算"},
    {1, "MENU_CHUAN_TAN", "水下弹性敷设管道计算", MenuAction::ShowWindow, "弹性敷设"},
    {1, "MENU_CHUAN_CHUONG", "穿越点河床冲刷深度计算√", MenuAction::ShowWindow, "RIVER"},
    {1, "MENU_CHUAN_ZHUANG", "稳管桩相关计算√", MenuAction::ShowWindow, "挡桩计算"},
    {1, "MENU_CHUAN_PAO", "爆破法开挖管沟计算√", MenuAction::ShowWindow, "爆破法开挖"},
    {1, "MENU_CHUAN_QIAN", "水下牵引法牵引力计算", MenuAction::Menu, ""},
    {2, "MENU_CHUAN_QIAN_cal", "一般牵引力计算", MenuAction::ShowWindow, "一般牵引力计算"},
    {2, "MENU_CHUAN_QIAN_GUAN", "管架发送道相关计算", MenuAction::ShowWindow, "管架发送道相关计算"},
    {2, "MENU_CHUAN_QIAN_CAR", "小平车发送道相关计算", MenuAction::ShowWindow, "小平车发送道相关计算"},
    {1, "MENU_CHUAN_CHEAN", "河岸护砌设计计算√", MenuAction::ShowWindow, "河岸护砌设计计算"},
    {1, "MENU_CHUAN_P", "大中型穿越管段强度试验压力计算√", MenuAction::ShowWindow, "强度试验压力"},
    {1, "MENU_CHUAN_TANG", "弹性敷设参数计算", MenuAction::ShowWindow, "弹性敷设参数计算"},
    {1, "MENU_CHUAN_ZHUONG", "大开挖穿越纵断面计算√", MenuAction::ShowWindow, "穿越断面"},
    {1, "MENU_CHUAN_DING", "定向钻穿越纵断面计算（一）", MenuAction::ShowWindow, "定向钻穿越"},
    {1, "MENU_CHUAN_DING2", "定向钻穿越纵断面计算（二） ", MenuAction::ShowWindow, "定向钻穿越地面数据"},
    {0, "menu_KUA_JISUAN", "跨越设计计算(&K)", MenuAction::Menu, ""},
    {1, "menu_KUA_REBIAN", "跨越段热变形计算√", MenuAction::ShowWindow, "跨越段热变形计算"},
    {1, "menu_KUA_BU", "补偿器选型计算", MenuAction::None, ""},
    {1, "menu_KUA_LINE", "直跨跨度计算", MenuAction::None, ""},
    {0, "MENU_TOOL", "工具(&T)", MenuAction::Menu, ""},
    {1, "MENU_TOOL_CAL", "计算器√", MenuAction::ShowWindow, "计算器"},
    {1, "MENU_TOOL_ZHUO", "单位转换√", MenuAction::ShowWindow, "单位转换"},
    {1, "MENU_TOOL_DAN", "坐标转换", MenuAction::ShowWindow, "坐标转换"},
    {1, "MENU_TOOL_STUDY", "参数分析…", MenuAction::ParameterStudy, ""},
    {0, "MENU_print", "打印(&P)", MenuAction::Menu, ""},
    {1, "MENU_print_pre", "打印预览", MenuAction::PrintPreview, ""},
    {1, "MENU_print_pr", "打印设置", MenuAction::PrintSetup, ""},
    {1, "MENU_print_print", "打印 ", MenuAction::PrintWithDialog, ""},
    {1, "MENU_print_report", "导出计算书…", MenuAction::ExportReport, ""},
    {0, "MENU_help", "帮助(&H)", MenuAction::Menu, ""},
    {1, "MENU_help_about", "关于Pylora√", MenuAction::ShowWindow, "帮助"},
};

std::vector<MenuItem> buildTree() {
    std::vector<MenuItem> roots;
    std::vector<MenuItem*> path;  // the open item at each depth
    for (const MenuRow& row : kMenuRows) {
        std::vector<MenuItem>& siblings = row.depth == 0 ? roots : path[row.depth - 1]->children;
        siblings.push_back(MenuItem{row.name, row.caption, row.action, row.target, {}});
        path.resize(row.depth);
        path.push_back(&siblings.back());
    }
    return roots;
}

}  // namespace

const std::vector<MenuItem>& menuTree() {
    static const std::vector<MenuItem> tree = buildTree();
    return tree;
}

std::string actionText(const MenuItem& item) {
    switch (item.action) {
        case MenuAction::Menu: return "menu";
        case MenuAction::ShowWindow: return "show " + item.target;
        case MenuAction::None: return "none";
        case MenuAction::PrintPreview: return "print-preview";
        case MenuAction::PrintSetup: return "print-setup";
        case MenuAction::PrintWithDialog: return "print";
        case MenuAction::ExportReport: return "export-report";
        case MenuAction::ParameterStudy: return "parameter-study";
    }
    return "none";
}

}  // namespace pylora
