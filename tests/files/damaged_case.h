#pragma once
// A valid case of the wall thickness window, ways to damage it, and the check that a damaged case
// is refused on one line naming its file and the fault: shared by the damaged-file and the
// hostile-file tests.
#include <gtest/gtest.h>

#include <string>

#include "files/case_file.h"
#include "model/window_registry.h"
#include "test_services.h"

namespace pylora {

inline std::string wallThicknessCase() {
    CalcForm window(*findWindow("壁厚计算"), testServicesWithGroundFile());
    window.press(window.definition().defaultRunButton());
    return caseText(captureCase(window));
}

inline std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

struct Damage {
    const char* name;
    std::string (*make)(const std::string& good);
    const char* fault;  // part of the message after the file's name
};

inline std::string damageName(const testing::TestParamInfo<Damage>& info) { return info.param.name; }

inline void expectRefusedNamingTheFile(const Damage& damage) {
    const std::string text = damage.make(wallThicknessCase());
    try {
        parseCase(text, "/home/li/壁厚.pylora");
        FAIL() << "read as a case";
    } catch (const CaseFileError& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.rfind("计算文件 /home/li/壁厚.pylora：", 0), 0u) << message;
        EXPECT_NE(message.find(damage.fault), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
}

}  // namespace pylora
