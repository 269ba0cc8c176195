// The one function the page calls: a request as JSON text, an answer as JSON text. Requests
// name an operation ("op") and its arguments; a request that cannot be carried out (an unknown
// window, control or item, a damaged case file) answers {"error": "..."}, as the runner refuses
// it with exit status 2. A failed run is no error: its state says so.
#include <emscripten/emscripten.h>

#include <map>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/report_json.h"
#include "documents/report.h"
#include "documents/report_docx.h"
#include "files/case_file.h"
#include "model/version.h"
#include "model/window_registry.h"
#include "model/window_settings.h"
#include "web/definition_json.h"
#include "web/embedded_files.h"
#include "web/page_files.h"
#include "web/page_study.h"
#include "web/window_session.h"

namespace pylora::web {
namespace {

struct RequestError {
    std::string message;
};

Services& pageServices() {
    static Services services = [] {
        unpackEmbeddedFiles("/database");
        return Services{"/database", {}, {}, nullptr, {}};
    }();
    return services;
}

std::map<std::string, std::unique_ptr<OpenWindow>>& openWindows() {
    static std::map<std::string, std::unique_ptr<OpenWindow>> windows;
    return windows;
}

const FormDefinition& requireWindow(const std::string& formName) {
    const FormDefinition* definition = findWindow(formName);
    if (!definition) throw RequestError{"unknown window: " + formName};
    return *definition;
}

// The window as it is open, else created with its default texts (a window exists at most once).
OpenWindow& openWindow(const std::string& formName) {
    auto& windows = openWindows();
    auto it = windows.find(formName);
    if (it == windows.end())
        it = windows.emplace(formName, std::make_unique<OpenWindow>(requireWindow(formName), pageServices())).first;
    return *it->second;
}

ProjectInfo projectOf(const nlohmann::json& request) {
    const nlohmann::json project = request.value("project", nlohmann::json::object());
    auto field = [&project](const char* name) { return project.value(name, std::string()); };
    return {field("project_name"), field("project_number"), field("design_stage"), field("calculated_by"),
            field("checked_by"), field("approved_by"), field("date")};
}

nlohmann::json handle(const nlohmann::json& request) {
    const std::string op = request.at("op").get<std::string>();
    if (op == "version") return {{"version", kProgramVersion}};
    if (op == "menu") return {{"menu", menuJson()}};
    if (op == "list") {
        nlohmann::json windows = nlohmann::json::array();
        for (const WindowTitle& w : windowTitles()) windows.push_back({{"form", w.formName}, {"title", w.title}});
        return {{"windows", windows}};
    }
    const std::string formName = request.value("form", std::string());
    if (op == "describe") return definitionJson(requireWindow(formName), pageServices());
    if (op == "warm") {
        // A window made and dropped unseen: the code it runs on opening (the database's above
        // all) is compiled by the browser now, not when the engineer opens the first window.
        OpenWindow(requireWindow(formName), pageServices());
        return nlohmann::json::object();
    }
    if (op == "close") {
        openWindows().erase(formName);
        return nlohmann::json::object();
    }
    if (op == "open_case") {
        const CaseFile file = parseCase(request.at("text").get<std::string>(), request.value("name", std::string()));
        auto window = std::make_unique<OpenWindow>(requireWindow(file.formName), pageServices());
        window->openCase(file, request.value("name", std::string()));
        OpenWindow& opened = *(openWindows()[file.formName] = std::move(window));
        return opened.state();
    }
    OpenWindow& window = openWindow(formName);
    const std::string control = request.value("control", std::string());
    if (op == "open") return window.state();
    if (op == "type") window.type(control, request.at("text").get<std::string>());
    else if (op == "select") window.select(control);
    else if (op == "check") window.check(control, request.at("checked").get<bool>());
    else if (op == "pick") window.pick(control, request.at("index").get<int>());
    else if (op == "press") window.press(control);
    else if (op == "save_case") return {{"text", caseText(captureCase(window.model()))}};
    else if (op == "report_html") return {{"html", reportHtml(buildReport(window.model()), projectOf(request))}};
    else if (op == "report_json") return reportJson(buildReport(window.model()), projectOf(request));
    else if (op == "report_pictures") return reportPicturesJson(buildReport(window.model()));
    else if (op == "report_docx")
        return {{"base64", reportDocxBase64(buildReport(window.model()), projectOf(request), request.at("png"))}};
    else if (op == "ground_file") useGroundFile(window.model(), request.at("name").get<std::string>(), request.at("text").get<std::string>());
    else if (op == "study") return runPageStudy(window.model(), request);
    else if (op == "profile") return profileExport(window.model(), request.at("format").get<std::string>());
    else throw RequestError{"unknown operation: " + op};
    return window.state();
}

}  // namespace
}  // namespace pylora::web

extern "C" EMSCRIPTEN_KEEPALIVE const char* pylora_call(const char* requestText) {
    static std::string answer;
    nlohmann::json result;
    try {
        result = pylora::web::handle(nlohmann::json::parse(requestText));
    } catch (const pylora::web::RequestError& e) {
        result = {{"error", e.message}};
    } catch (const std::exception& e) {  // a setting the window cannot take, a damaged case, bad JSON
        result = {{"error", e.what()}};
    }
    answer = result.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    return answer.c_str();
}
