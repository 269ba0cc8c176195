#pragma once
// The main window's menu tree, shared by the display and the headless runner.
#include <string>
#include <vector>

namespace pylora {

enum class MenuAction {
    Menu,          // opens its list of entries
    ShowWindow,    // creates (first time) and shows the window named by `target`
    None,          // does nothing
    PrintPreview,  // acts on the calculator window that was active last
    PrintSetup,
    PrintWithDialog,
    ExportReport,  // the calculation report of the calculator window that was active last
    ParameterStudy,  // a parameter study of the calculator window that was active last
};

struct MenuItem {
    std::string name;     // "menu_LINE_BI"
    std::string caption;  // "管道壁厚计算√"; "&" marks the access key
    MenuAction action = MenuAction::Menu;
    std::string target;   // form name for ShowWindow
    std::vector<MenuItem> children;
};

const std::vector<MenuItem>& menuTree();

// "menu", "show 壁厚计算", "none", "print-preview", "print-setup", "print", "export-report", "parameter-study".
std::string actionText(const MenuItem& item);

}  // namespace pylora
