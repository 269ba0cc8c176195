#pragma once
// The database folder inside the page's script, given back its real file names.
#include <filesystem>

namespace pylora::web {

// Moves the embedded files to `folder` under the names names.txt gives them; once.
void unpackEmbeddedFiles(const std::filesystem::path& folder);

}  // namespace pylora::web
