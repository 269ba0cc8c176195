#include "files/data_locations.h"

#include <cstdlib>

namespace pylora {

namespace fs = std::filesystem;

fs::path defaultDatabaseFolder(const fs::path& executable) {
    return executable.parent_path().parent_path() / "share" / "pylora" / "database";
}

fs::path userGroundDataFileLocation() {
#ifdef _WIN32
    const char* appData = std::getenv("APPDATA");
    return fs::path(appData ? appData : ".") / "pylora" / "1.TXT";
#else
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && fs::path(dataHome).is_absolute()) return fs::path(dataHome) / "pylora" / "1.TXT";
    const char* home = std::getenv("HOME");
    return fs::path(home ? home : ".") / ".local" / "share" / "pylora" / "1.TXT";
#endif
}

Services programServices(const fs::path& executable) {
    Services services;
    services.databaseFolder = defaultDatabaseFolder(executable);
    services.userGroundDataFile = userGroundDataFileLocation();
    return services;
}

fs::path sampleGroundDataFile(const Services& services) { return services.databaseFolder / "1.TXT"; }

fs::path groundDataFileToRead(const Services& services) {
    if (!services.groundDataFile.empty()) return services.groundDataFile;
    std::error_code error;
    if (!services.userGroundDataFile.empty() && fs::exists(services.userGroundDataFile, error))
        return services.userGroundDataFile;
    return sampleGroundDataFile(services);
}

}  // namespace pylora
