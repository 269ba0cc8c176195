// Settings as the runner and the tests write them, applied to the wall-thickness window and to
// the material windows' lists: what is taken, and what is refused with which message.
#include "model/window_settings.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model/window_registry.h"

namespace pylora {
namespace {

Form formOf(const char* formName) { return Form(*findWindow(formName)); }

TEST(WindowSettingsTest, ShortFormActsByTheKindOfControl) {
    Form wall = formOf("壁厚计算");
    applyShortSetting(wall, "Text5=3");
    EXPECT_EQ(wall.text("Text5"), "3");
    applyShortSetting(wall, "Text5=");  // an emptied field is a setting too
    EXPECT_EQ(wall.text("Text5"), "");

    Form welding = formOf("焊接材料");
    const auto isList = [](const ControlState& c) { return c.kind == ControlKind::ListBox; };
    const auto found = std::find_if(welding.controls().begin(), welding.controls().end(), isList);
    ASSERT_NE(found, welding.controls().end());
    const std::string list = found->name;
    const std::string item = welding.items(list).back();
    applyShortSetting(welding, list + "=" + item);
    EXPECT_EQ(welding.selectedItem(list), item);
}

TEST(WindowSettingsTest, RefusesWhatTheEngineerCouldNotDo) {
    struct Case {
        const char* option;
        const char* value;
        const char* message;
    } const cases[] = {
        {"--set", "Text99=1", "壁厚计算 has no control Text99"},
        {"--set", "=1", "--set takes CONTROL=VALUE: =1"},
        {"--set", "Text5=\xE5\xA3", "--set value for Text5 is not valid UTF-8"},
        {"--select", "Text5", "Text5 is not an option button"},
        {"--check", "Text5=1", "Text5 is not a check box"},
        {"--choose", "Text5=φ57", "Text5 is not a list box"},
    };
    for (const Case& c : cases) {
        Form wall = formOf("壁厚计算");
        try {
            applySetting(wall, c.option, c.value);
            ADD_FAILURE() << c.option << " " << c.value << " was taken";
        } catch (const SettingError& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
        EXPECT_EQ(wall.text("Text5"), Form(wall.definition()).text("Text5")) << "a refused setting changed the form";
    }
}

}  // namespace
}  // namespace pylora
