#pragma once
// Paths between Qt's texts and the core's std::filesystem paths, as UTF-8 both ways, so that
// a Chinese file name survives whatever the locale of the program.
#include <QString>
#include <filesystem>
#include <string>

namespace pylora {

inline std::filesystem::path pathOf(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

// The core's pathText (core/text.h) gives the same as UTF-8 bytes.
inline QString qtPathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(text.data()), static_cast<qsizetype>(text.size()));
}

// The file's own name, as a title shows it.
inline QString shownName(const std::filesystem::path& path) { return qtPathText(path.filename()); }

}  // namespace pylora
