// run … --dxf FILE --csv FILE: written after a run that drew its profile; refused before running
// for a window without one or presses that do not end with the drawing step; nothing written
// when the run fails; the earlier files kept when the disk is full.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "../files/full_disk.h"
#include "cli/headless_runner.h"
#include "test_services.h"

namespace pylora {
namespace {

namespace fs = std::filesystem;

std::string contentsOf(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::string contents;
    std::getline(file, contents, '\0');
    return contents;
}

struct Scratch {
    fs::path folder = fs::temp_directory_path() / ("pylora_profile_export_" + std::to_string(::getpid()));
    Scratch() { fs::create_directories(folder); }
    ~Scratch() { fs::remove_all(folder); }
};

TEST(ProfileExport, EachProfileWindowWritesBothFilesAfterAllItsSteps) {
    Scratch scratch;
    for (const char* window : {"穿越断面", "定向钻穿越", "定向钻穿越地面数据", "弹性敷设参数计算"}) {
        const fs::path dxf = scratch.folder / "p.dxf", csv = scratch.folder / "p.csv";
        std::ostringstream out, err;
        // No presses named: every step up to the drawing runs.
        ASSERT_EQ(runHeadless({"run", window, "--dxf", dxf.string(), "--csv", csv.string()}, out, err, testServices()),
                  kExitDone)
            << window << err.str();
        EXPECT_NE(contentsOf(dxf).find("AC1015"), std::string::npos) << window;
        EXPECT_TRUE(contentsOf(csv).starts_with("\xEF\xBB\xBF桩号,里程 (m),")) << window;
        fs::remove(dxf);
        fs::remove(csv);
    }
}

TEST(ProfileExport, RefusalsAndFailedRunsWriteNothing) {
    Scratch scratch;
    const std::string dxf = (scratch.folder / "p.dxf").string(), csv = (scratch.folder / "p.csv").string();
    const struct {
        std::vector<std::string> args;
        int status;
        std::string message;  // the start of the line on standard error
    } cases[] = {
        {{"run", "壁厚计算", "--dxf", dxf}, kExitUsage, "pylora-cli: --dxf: 壁厚计算 draws no longitudinal profile"},
        {{"run", "壁厚计算", "--csv", csv}, kExitUsage, "pylora-cli: --csv: 壁厚计算 draws no longitudinal profile"},
        {{"run", "弹性敷设参数计算", "--press", "Command1", "--dxf", dxf},
         kExitUsage, "pylora-cli: --dxf: the profile is drawn by Command3 (第二步计算); press it last\n"},
        {{"run", "穿越断面", "--dxf", dxf, "--exaggeration", "0"}, kExitUsage, "pylora-cli: --exaggeration"},
        {{"run", "穿越断面", "--csv", csv, "--exaggeration", "5"}, kExitUsage, "pylora-cli: --exaggeration"},
        {{"run", "穿越断面", "--set", "Text21=abc", "--dxf", dxf, "--csv", csv}, kExitRunFailed, ""},
        {{"run", "定向钻穿越", "--set", "Text36=abc", "--dxf", dxf}, kExitRunFailed, ""},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(runHeadless(c.args, out, err, testServices()), c.status) << c.args[1] << " " << err.str();
        EXPECT_TRUE(err.str().starts_with(c.message)) << err.str();
        if (c.status == kExitUsage) {
            EXPECT_EQ(out.str(), "") << c.args[1];  // refused before running
        }
        EXPECT_FALSE(fs::exists(dxf)) << c.args[1];
        EXPECT_FALSE(fs::exists(csv)) << c.args[1];
    }
}

TEST(ProfileExport, AFullDiskKeepsTheEarlierFilesAndSaysWhy) {
    const bool kept = testing_support::onFullDisk(
        [](const fs::path& folder) {
            std::ofstream(folder / "p.dxf") << "earlier drawing";
            std::ofstream(folder / "p.csv") << "earlier table";
        },
        [](const fs::path& folder) {
            std::ostringstream out, err;
            const int status = runHeadless({"run", "定向钻穿越", "--dxf", (folder / "p.dxf").string(), "--csv",
                                            (folder / "p.csv").string()},
                                           out, err, testServices());
            const std::string message = err.str();
            return status == kExitWriteFailed && contentsOf(folder / "p.dxf") == "earlier drawing" &&
                   contentsOf(folder / "p.csv") == "earlier table" &&
                   message.starts_with("pylora-cli: cannot write " + (folder / "p.dxf").string() + ": ") &&
                   std::count(message.begin(), message.end(), '\n') == 1;
        });
    EXPECT_TRUE(kept);
}

}  // namespace
}  // namespace pylora
