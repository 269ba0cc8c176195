#pragma once
// Where the program finds its data: the database folder installed beside it and the ground data
// file. Found here, once, and handed to every window as its Services; no window looks at the
// environment.
#include <filesystem>

#include "model/form_definition.h"

namespace pylora {

// share/pylora/database beside the bin folder of a program at `executable`, the same in the
// build tree as installed.
std::filesystem::path defaultDatabaseFolder(const std::filesystem::path& executable);

// The user's own survey: $XDG_DATA_HOME/pylora/1.TXT (by default ~/.local/share/pylora/1.TXT),
// %APPDATA%\pylora\1.TXT on Windows.
std::filesystem::path userGroundDataFileLocation();

// The services of a program at `executable`: its database folder and the user's ground file.
Services programServices(const std::filesystem::path& executable);

// The ground data file a run reads: the one chosen, else the user's own survey when it exists,
// else the sample installed in the database folder.
std::filesystem::path sampleGroundDataFile(const Services& services);
std::filesystem::path groundDataFileToRead(const Services& services);

}  // namespace pylora
