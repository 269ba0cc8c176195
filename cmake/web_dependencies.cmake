# The browser build (Emscripten) links the same libraries as the program, from other places:
# SQLite and dxflib compiled from Debian's source packages (scripts/web fetches them into
# PYLORA_WEB_SOURCES), the header-only JSON and command-line libraries from the machine's own
# headers. /usr/include itself is never on the path: its C library is not the browser's.
set(PYLORA_WEB_SOURCES "" CACHE PATH "Folder holding sqlite3/sqlite3.c and dxflib/src (scripts/web)")
if(NOT EXISTS "${PYLORA_WEB_SOURCES}/sqlite3/sqlite3.c" OR NOT EXISTS "${PYLORA_WEB_SOURCES}/dxflib/src/dl_dxf.cpp")
  message(FATAL_ERROR "PYLORA_WEB_SOURCES must hold sqlite3/sqlite3.c and dxflib/src: run scripts/web")
endif()

set(PYLORA_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${PYLORA_HOST_HEADERS})
foreach(folder nlohmann CLI)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: install nlohmann-json3-dev and libcli11-dev")
  endif()
  file(CREATE_LINK /usr/include/${folder} ${PYLORA_HOST_HEADERS}/${folder} SYMBOLIC)
endforeach()
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json INTERFACE ${PYLORA_HOST_HEADERS})
add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 INTERFACE ${PYLORA_HOST_HEADERS})

enable_language(C)  # SQLite is C
# One thread, no extensions to load: the page has neither.
add_library(pylora_web_sqlite STATIC ${PYLORA_WEB_SOURCES}/sqlite3/sqlite3.c)
target_include_directories(pylora_web_sqlite SYSTEM PUBLIC ${PYLORA_WEB_SOURCES}/sqlite3)
target_compile_definitions(pylora_web_sqlite PRIVATE SQLITE_THREADSAFE=0 SQLITE_OMIT_LOAD_EXTENSION
                                                     SQLITE_DQS=0 SQLITE_DEFAULT_MEMSTATUS=0)
target_compile_options(pylora_web_sqlite PRIVATE -w)
add_library(SQLite::SQLite3 ALIAS pylora_web_sqlite)

add_library(pylora_web_dxflib STATIC ${PYLORA_WEB_SOURCES}/dxflib/src/dl_dxf.cpp
                                     ${PYLORA_WEB_SOURCES}/dxflib/src/dl_writer_ascii.cpp)
target_include_directories(pylora_web_dxflib SYSTEM PUBLIC ${PYLORA_WEB_SOURCES}/dxflib/src)
target_compile_options(pylora_web_dxflib PRIVATE -w)
add_library(PkgConfig::DXFLIB ALIAS pylora_web_dxflib)

# The core throws RunFailure where a run fails: exceptions must be caught in the browser too,
# with WebAssembly's own exception handling (the JavaScript emulation makes every call that may
# throw a round trip through JavaScript, tens of times slower).
add_compile_options(-fwasm-exceptions)
add_link_options(-fwasm-exceptions)
