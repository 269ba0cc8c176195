// 线路初设常用材料: one kilometre of route in one terrain class at a time shows that class's
// length factor, bends per kilometre and structures per kilometre in its own fields. The real
// lengths round on their 15-digit values (1.005 shows "1.01" although the stored double lies
// just below it).
#include <gtest/gtest.h>

#include <string>

#include "model/calc_form.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

struct TerrainCase {
    const char* horizontalLength;
    const char* realLength;
    const char* realLengthText;
    const char* bends;
    const char* bendsText;
    const char* structuresText;
};

void PrintTo(const TerrainCase& c, std::ostream* os) { *os << c.horizontalLength; }

class PreliminaryMaterialsTerrainTest : public testing::TestWithParam<TerrainCase> {};

TEST_P(PreliminaryMaterialsTerrainTest, OneKilometreInOneClass) {
    const TerrainCase& terrain = GetParam();
    CalcForm window{*findWindow("线路初设常用材料"), Services{}};
    for (const char* length : {"Text18", "Text5", "Text13", "Text19"}) window.form().setText(length, "0");
    window.form().setText(terrain.horizontalLength, "1");
    ASSERT_FALSE(window.press("Command1"));

    EXPECT_EQ(window.form().text(terrain.realLength), terrain.realLengthText);
    EXPECT_EQ(window.form().text("Text33"), terrain.realLengthText);
    EXPECT_EQ(window.form().text(terrain.bends), terrain.bendsText);
    EXPECT_EQ(window.form().text("Text24"), terrain.structuresText);
}

INSTANTIATE_TEST_SUITE_P(EachTerrainClass, PreliminaryMaterialsTerrainTest,
                         testing::Values(TerrainCase{"Text18", "Text10", "1.01", "Text35", "2.", "10."},
                                         TerrainCase{"Text5", "Text8", "1.02", "Text26", "6.", "150."},
                                         TerrainCase{"Text13", "Text7", "1.04", "Text25", "13.", "300."},
                                         TerrainCase{"Text19", "Text9", "1.06", "Text23", "20.", "400."}));

}  // namespace
}  // namespace pylora
