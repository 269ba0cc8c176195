// Windows are registered with the name and title they are listed and found by, and built only
// when asked for: what the registration says must be what the definition has.
#include <gtest/gtest.h>

#include "model/window_registry.h"

namespace pylora {
namespace {

TEST(WindowRegistryTest, TitlesListedUnbuiltAreThoseOfTheBuiltWindowsInTheSameOrder) {
    const std::vector<WindowTitle> titles = windowTitles();
    const std::vector<const FormDefinition*>& windows = allWindows();
    ASSERT_EQ(titles.size(), windows.size());
    for (std::size_t i = 0; i < titles.size(); ++i) {
        EXPECT_EQ(titles[i].formName, windows[i]->formName()) << i;
        EXPECT_EQ(titles[i].title, windows[i]->title()) << i;
        EXPECT_EQ(findWindow(titles[i].formName), windows[i]) << titles[i].formName;
    }
    EXPECT_EQ(findWindow("壁厚"), nullptr);
}

}  // namespace
}  // namespace pylora
