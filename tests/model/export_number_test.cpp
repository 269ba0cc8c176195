#include <gtest/gtest.h>

#include "model/report_numbers.h"

namespace pylora {
namespace {

// What a CSV cell or a CAD table holds for a window's text: a number a spreadsheet reads as
// one, to the quantity's decimals; a power of ten typed, not printed.
TEST(ExportNumber, WritesTheShownValueAsSpreadsheetsReadANumber) {
    const struct {
        const char* shown;
        int decimals;
        const char* written;
    } cases[] = {
        {".", -1, "0"},          {"88.", 2, "88"},         {"-.5", -1, "-0.5"},        {"-0.0004", 3, "0.000"},
        {"12.6775657303672", 3, "12.678"},   {"300.283514116912", 2, "300.28"}, {"9.9996", 3, "10.000"},
        {" 10.", -1, "10"},      {"46.76620E+06", -1, "4.676620E+07"},           {"1.5E-05", 3, "1.5E-05"},
        {"-2.5e3", 1, "-2.5E+03"}, {"0.0E+00", -1, "0"},   {"123E+120", -1, "1.23E+122"},
        {"满足强度要求", 2, "满足强度要求"}, {"", 2, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(exportNumber(c.shown, c.decimals), c.written) << c.shown;
}

}  // namespace
}  // namespace pylora
