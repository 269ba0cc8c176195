#pragma once
// The project a calculation belongs to, as a project book keeps it and a report's header and
// signature block print it.
#include <cstddef>
#include <string>

namespace pylora {

// The project and signature fields of the report's header and signature block.
struct ProjectInfo {
    std::string projectName;    // 工程名称
    std::string projectNumber;  // 工程编号
    std::string designStage;    // 设计阶段: 可行性研究, 初步设计, 施工图设计 …
    std::string calculatedBy;   // 计算
    std::string checkedBy;      // 校核
    std::string approvedBy;     // 审核
    std::string date;           // 日期
};

// A title or project field longer than this (in characters) is no name of a project: it is
// refused, naming the field, before it is laid out on every page.
inline constexpr std::size_t kLongestProjectField = 300;

}  // namespace pylora
