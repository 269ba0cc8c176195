#include <iostream>

#include "cli/headless_runner.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    pylora::Services services;
    services.databaseFolder = pylora::defaultDatabaseFolder(std::filesystem::canonical("/proc/self/exe"));
    return pylora::runHeadless(args, std::cout, std::cerr, services);
}
