#include "web/embedded_files.h"

#include <fstream>
#include <string>

namespace pylora::web {

void unpackEmbeddedFiles(const std::filesystem::path& folder) {
    const std::filesystem::path embedded = "/embedded";
    std::ifstream names(embedded / "names.txt");
    if (!names) return;  // done already, or nothing embedded
    std::filesystem::create_directories(folder);
    std::string line;
    while (std::getline(names, line)) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        std::filesystem::rename(embedded / line.substr(0, tab), folder / line.substr(tab + 1));
    }
    names.close();
    std::filesystem::remove(embedded / "names.txt");
}

}  // namespace pylora::web
