// The yardstick for the runner's start-up: a C++ program that links the C++ library and SQLite,
// as the runner does, and prints one line. `hyperfine -N` runs it beside `pylora-cli list`.
#include <sqlite3.h>

#include <iostream>
#include <string>

int main() {
    std::cout << std::string("sqlite ") + sqlite3_libversion() << '\n';
    return 0;
}
