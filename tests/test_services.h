#pragma once
// The services a window gets in the tests: the build's material database, and never the
// tester's own survey (a test with Services{} or a user ground file would read what lies in the
// tester's data folder).
#include <filesystem>

#include "model/form_definition.h"

namespace pylora {

// The database only, no ground file chosen: a window that reads ground data falls back to the
// sample beside the database, as on a machine without the user's own survey.
inline Services testServices() {
    Services services;
    services.databaseFolder = PYLORA_DATABASE_DIR;
    return services;
}

// The sample survey chosen as the ground data file, as an engineer who picks a file has it: a case
// file keeps its records and path as chosen rather than as the sample.
inline Services testServicesWithGroundFile() {
    Services services = testServices();
    services.groundDataFile = std::filesystem::path(PYLORA_DATABASE_DIR) / "1.TXT";
    return services;
}

}  // namespace pylora
