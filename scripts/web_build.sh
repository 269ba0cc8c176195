#!/usr/bin/env bash
# Shared by scripts/web, scripts/test and scripts/package: the browser page's build. Sourced
# after setup.sh.

PYLORA_WEB_SOURCES="$PYLORA_BUILD/web-sources"
PYLORA_WEB_CMAKE="$PYLORA_BUILD/web-cmake"
PYLORA_WEB_PAGE="$PYLORA_BUILD/web/pylora"
# Debian's emscripten runs its optimiser on the node modules Debian installs.
export NODE_PATH=/usr/share/nodejs

# SQLite and dxflib as Debian ships their sources: fetched with apt-get source through a
# deb-src copy of the machine's own package sources (its lists kept apart from the system's),
# SQLite's amalgamation made from them once.
fetch_web_sources() {
  [ -f "$PYLORA_WEB_SOURCES/sqlite3/sqlite3.c" ] && [ -f "$PYLORA_WEB_SOURCES/dxflib/src/dl_dxf.cpp" ] && return 0
  local work="$PYLORA_WEB_SOURCES/fetch"
  rm -rf "$work" && mkdir -p "$work/sources" "$work/lists/partial"
  local found=0 file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    sed 's/^Types:.*\bdeb\b.*/Types: deb-src/' "$file" > "$work/sources/$(basename "$file")"
    found=1
  done
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    sed -n 's/^deb \(.*\)/deb-src \1/p' "$file" > "$work/sources/$(basename "$file")"
    found=1
  done
  [ "$found" = 1 ] || { echo "no package sources under /etc/apt to derive deb-src lines from" >&2; return 1; }
  local apt=(apt-get -q -o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$work/sources"
             -o "Dir::State::Lists=$work/lists" -o "APT::Sandbox::User=root")
  "${apt[@]}" update > "$work/update.log"
  (cd "$work" && "${apt[@]}" source --download-only sqlite3 dxflib > "$work/source.log")
  mkdir -p "$work/sqlite" "$work/dxflib" "$PYLORA_WEB_SOURCES/sqlite3"
  tar -xJf "$(ls "$work"/sqlite3_*.orig.tar.xz | grep -v www)" -C "$work/sqlite" --strip-components=1
  tar -xzf "$(ls "$work"/dxflib_*.orig.tar.gz)" -C "$work/dxflib" --strip-components=1
  (cd "$work/sqlite" && ./configure --disable-tcl > configure.log && make sqlite3.c > make.log)
  cp "$work/sqlite/sqlite3.c" "$work/sqlite/sqlite3.h" "$PYLORA_WEB_SOURCES/sqlite3/"
  rm -rf "$PYLORA_WEB_SOURCES/dxflib" && cp -r "$work/dxflib" "$PYLORA_WEB_SOURCES/dxflib"
  rm -rf "$work"
}

build_web_page() {
  fetch_web_sources
  export CCACHE_BASEDIR="$PYLORA_ROOT" CCACHE_NOHASHDIR=1
  # -O3 (runs about a tenth faster than -O2 for 1% more binary; -Os halves the binary but
  # doubles a run), one compile of the core; never more than two jobs.
  emcmake cmake -S "$PYLORA_ROOT" -B "$PYLORA_WEB_CMAKE" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE="-O3 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O3 -DNDEBUG" \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache \
    -DPYLORA_WEB_SOURCES="$PYLORA_WEB_SOURCES" > "$PYLORA_BUILD/web-configure.log"
  cmake --build "$PYLORA_WEB_CMAKE" --target pylora_web -j 2
  rm -rf "$PYLORA_WEB_PAGE" && mkdir -p "$PYLORA_WEB_PAGE"
  cp "$PYLORA_ROOT"/web/*.html "$PYLORA_ROOT"/web/*.css "$PYLORA_ROOT"/web/*.js "$PYLORA_WEB_PAGE/"
  # The desktop's own drawings: the station picture, the icon, the About box's photograph.
  cp "$PYLORA_ROOT"/src/shell/resources/{station,pylora,about_photo}.svg "$PYLORA_WEB_PAGE/"
  cp "$PYLORA_WEB_CMAKE/bin/pylora-core.js" "$PYLORA_WEB_PAGE/"
  # The binary as a classic script: a page opened from the disk can neither fetch it nor load a
  # module, and the loader given the bytes fetches nothing.
  { printf 'var pyloraCoreBinary = "'; base64 -w0 "$PYLORA_WEB_CMAKE/bin/pylora-core.wasm"; printf '";\n'; } \
    > "$PYLORA_WEB_PAGE/pylora-core-binary.js"
  node "$PYLORA_ROOT/scripts/web_page_data.js" "$PYLORA_WEB_CMAKE/bin" "$PYLORA_WEB_PAGE"
}
