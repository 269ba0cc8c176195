#include "documents/zip_store.h"

#include <array>

namespace pylora {
namespace {

void put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

constexpr std::uint32_t kDosDate = (46u << 9) | (1u << 5) | 1u;  // 2026-01-01: a fixed stamp, the same file every time

}  // namespace

std::uint32_t crc32(std::string_view data, std::uint32_t crcSoFar) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = crcSoFar ^ 0xFFFFFFFFu;
    for (unsigned char byte : data) crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void ZipStore::add(const std::string& name, std::initializer_list<std::string_view> pieces) {
    std::uint32_t crc = 0;
    std::size_t size = 0;
    for (const std::string_view piece : pieces) {
        crc = crc32(piece, crc);
        size += piece.size();
    }
    const Entry entry{name, crc, static_cast<std::uint32_t>(size), static_cast<std::uint32_t>(body_.size())};
    put32(body_, 0x04034b50);
    put16(body_, 20);        // version needed
    put16(body_, 1u << 11);  // names in UTF-8
    put16(body_, 0);         // stored
    put16(body_, 0);         // time
    put16(body_, kDosDate);
    put32(body_, entry.crc);
    put32(body_, entry.size);
    put32(body_, entry.size);
    put16(body_, static_cast<std::uint32_t>(name.size()));
    put16(body_, 0);
    body_ += name;
    for (const std::string_view piece : pieces) body_ += piece;
    entries_.push_back(entry);
}

std::string ZipStore::finish() {
    std::string out = std::move(body_);
    body_.clear();
    const auto directoryStart = static_cast<std::uint32_t>(out.size());
    for (const Entry& e : entries_) {
        put32(out, 0x02014b50);
        put16(out, 20);
        put16(out, 20);
        put16(out, 1u << 11);
        put16(out, 0);
        put16(out, 0);
        put16(out, kDosDate);
        put32(out, e.crc);
        put32(out, e.size);
        put32(out, e.size);
        put16(out, static_cast<std::uint32_t>(e.name.size()));
        put16(out, 0);
        put16(out, 0);
        put16(out, 0);
        put16(out, 0);
        put32(out, 0);
        put32(out, e.offset);
        out += e.name;
    }
    const auto directorySize = static_cast<std::uint32_t>(out.size()) - directoryStart;
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<std::uint32_t>(entries_.size()));
    put16(out, static_cast<std::uint32_t>(entries_.size()));
    put32(out, directorySize);
    put32(out, directoryStart);
    put16(out, 0);
    return out;
}

}  // namespace pylora
