#pragma once
// What the page hands out as files or takes in from them: the 计算书 as DOCX (its pictures drawn
// by the browser), the longitudinal profile as DXF or CSV, a ground data file the engineer
// picks. Bytes travel as base64 inside the JSON answers.
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "documents/report.h"
#include "model/calc_form.h"

namespace pylora::web {

std::string base64(std::string_view bytes);
std::string fromBase64(std::string_view text);

// The report's pictures for the browser to draw as PNG: id, SVG, size in points.
nlohmann::json reportPicturesJson(const Report& report);
// The DOCX, with the PNGs the browser drew (by picture id, base64).
std::string reportDocxBase64(const Report& report, const ProjectInfo& project, const nlohmann::json& pngs);

// Keeps the ground data file's text in the page's memory and has the window's runs read it.
void useGroundFile(CalcForm& window, const std::string& name, const std::string& text);

// {"name": file name, "base64": bytes} of the profile as "dxf" or "csv", or {"error": why not}.
nlohmann::json profileExport(const CalcForm& window, const std::string& format);

}  // namespace pylora::web
