#pragma once
// A zip archive of stored (uncompressed) entries: what an Office Open XML document is made of.
// Stored entries keep the writer small; the pictures inside are PNG, compressed already.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace pylora {

class ZipStore {
public:
    void add(const std::string& name, std::string_view data) { add(name, {data}); }
    // An entry whose text is the pieces one after another, joined only inside the archive: a
    // long document part is not copied whole once more to be stored.
    void add(const std::string& name, std::initializer_list<std::string_view> pieces);
    // The whole archive: entries, central directory, end record. The store is empty after.
    std::string finish();

private:
    struct Entry {
        std::string name;
        std::uint32_t crc;
        std::uint32_t size;
        std::uint32_t offset;
    };
    std::string body_;
    std::vector<Entry> entries_;
};

std::uint32_t crc32(std::string_view data, std::uint32_t crcSoFar = 0);

}  // namespace pylora
