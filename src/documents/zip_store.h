#pragma once
// A zip archive of stored (uncompressed) entries: what an Office Open XML document is made of.
// Stored entries keep the writer small; the pictures inside are PNG, compressed already.
#include <cstdint>
#include <string>
#include <vector>

namespace pylora {

class ZipStore {
public:
    void add(const std::string& name, const std::string& data);
    // The whole archive: entries, central directory, end record.
    std::string finish() const;

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

std::uint32_t crc32(const std::string& data);

}  // namespace pylora
