#include "files/document_json.h"

#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "files/document_file.h"

namespace pylora {
namespace {

using Json = nlohmann::ordered_json;

// Builds the document as the parser reads it, member by member, refusing what the formats never
// hold. Members are appended without a search (the search an object does on insertion makes
// reading quadratic in its members); a key given twice is caught by the set beside each object.
class StrictBuilder : public nlohmann::json_sax<Json> {
public:
    explicit StrictBuilder(std::size_t size) : size_(size) {}

    Json result;
    std::string fault;

    bool null() override { return add(Json(nullptr)); }
    bool boolean(bool value) override { return add(Json(value)); }
    bool number_integer(number_integer_t value) override { return add(Json(value)); }
    bool number_unsigned(number_unsigned_t value) override { return add(Json(value)); }
    bool number_float(number_float_t value, const string_t&) override { return add(Json(value)); }
    bool string(string_t& value) override { return add(Json(std::move(value))); }
    bool binary(binary_t&) override { return refuse("含有二进制数据"); }

    bool start_object(std::size_t) override { return open(Json::object()); }
    bool key(string_t& name) override {
        Open& object = open_.back();
        if (!object.keys.insert(name).second) return refuse("「" + where(name) + "」出现两次");
        object.key = std::move(name);
        return true;
    }
    bool end_object() override { return close(); }
    bool start_array(std::size_t) override { return open(Json::array()); }
    bool end_array() override { return close(); }

    bool parse_error(std::size_t byte, const std::string&, const nlohmann::detail::exception& e) override {
        if (!fault.empty()) return false;
        if (e.id == 406) {  // a number beyond a double's range
            fault = "「" + where(open_.empty() ? std::string() : currentKey()) + "」的数值超出范围（第 " +
                    std::to_string(byte) + " 字节）";
        } else if (std::string_view(e.what()).find("UTF-8") != std::string_view::npos) {
            fault = "不是 UTF-8 文本（第 " + std::to_string(byte) + " 字节）";
        } else if (byte >= size_) {
            fault = "文件不完整，在第 " + std::to_string(size_) + " 字节处中断";
        } else {
            fault = "不是有效的 JSON（第 " + std::to_string(byte) + " 字节处有误）";
        }
        return false;
    }

private:
    struct Open {
        Json value;
        std::string key;                      // objects: the member being read
        std::unordered_set<std::string> keys;  // objects: the members read
        std::string name;                     // where the value lies: calculations[2].case
    };

    std::string currentKey() const {
        const Open& inner = open_.back();
        return inner.value.is_object() ? inner.key : "[" + std::to_string(inner.value.size()) + "]";
    }

    // The place of `last` inside the values open: "calculations[2].case.inputs.Text1".
    std::string where(const std::string& last) const {
        std::string place = open_.empty() ? std::string() : open_.back().name;
        if (!last.empty() && last.front() != '[' && !place.empty()) place += ".";
        return place + last;
    }

    bool refuse(std::string why) {
        if (fault.empty()) fault = std::move(why);
        return false;
    }

    bool open(Json value) {
        if (open_.size() >= kDeepestDocumentNesting)
            return refuse("嵌套超过 " + std::to_string(kDeepestDocumentNesting) + " 层，不是本程序的文件");
        std::string name = open_.empty() ? std::string() : where(currentKey());
        if (!open_.empty() && !room()) return false;
        open_.push_back({std::move(value), {}, {}, std::move(name)});
        return true;
    }

    bool close() {
        Open done = std::move(open_.back());
        open_.pop_back();
        return add(std::move(done.value), false);
    }

    bool room() {
        const Open& inner = open_.back();
        if (inner.value.is_array() && inner.value.size() >= kLongestDocumentList)
            return refuse("「" + inner.name + "」多于 " + std::to_string(kLongestDocumentList) + " 项");
        return true;
    }

    bool add(Json value, bool check = true) {
        if (open_.empty()) {
            result = std::move(value);
            return true;
        }
        if (check && !room()) return false;
        Open& inner = open_.back();
        if (inner.value.is_array()) {
            inner.value.get_ref<Json::array_t&>().push_back(std::move(value));
        } else {
            inner.value.get_ref<Json::object_t&>().emplace_back(std::move(inner.key), std::move(value));
        }
        return true;
    }

    std::size_t size_;
    std::vector<Open> open_;
};

}  // namespace

Json readDocumentJson(std::string_view text) {
    // JSON text holds no NUL byte; the parser would stop at it and ignore what follows.
    if (const auto nul = text.find('\0'); nul != std::string_view::npos)
        throw DocumentReadFault{"第 " + std::to_string(nul + 1) + " 字节处有 NUL 字节，不是文本文件"};
    StrictBuilder builder(text.size());
    if (!Json::sax_parse(text.begin(), text.end(), &builder)) {
        if (builder.fault.empty()) builder.fault = "不是有效的 JSON";
        throw DocumentReadFault{builder.fault};
    }
    return std::move(builder.result);
}

}  // namespace pylora
