#!/usr/bin/env bash
# The Debian package installs, starts and uninstalls cleanly. Makes the package from the build
# tree (nothing is rebuilt), installs it (a real apt install as root on CI, else dpkg -x into a
# throw-away root), runs pylora-cli and pylora from there with a fresh home, and checks that the
# runs wrote nothing into the installed files and that removing the package leaves nothing.
#   tests/package/install_test.sh BUILD_DIR
set -euo pipefail
build="$(cd "$1" && pwd)"
work="$(mktemp -d)"
installed_by_apt=false
gui_pid=""

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
cleanup() {
  [ -n "$gui_pid" ] && kill "$gui_pid" 2>/dev/null
  if $installed_by_apt; then
    DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq -o DPkg::Lock::Timeout=300 pylora >/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# Files of the system: new ones after installing must be the package's own (or a cache that the
# system's triggers keep for all packages), and after purging the system must be as before.
trigger_caches='^/usr/share/(icons/hicolor/icon-theme\.cache|applications/mimeinfo\.cache)$|^/etc/(ld\.so\.cache$|cups/)'
system_files() { find /usr /etc /opt -xdev ! -type d 2>/dev/null | grep -Ev "$trigger_caches" | sort; }

# --- the package
(cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) || {
  cat "$work/cpack.log"
  fail "cpack could not make the package"
}
version="$("$build/bin/pylora-cli" --version | cut -d' ' -f2)"
deb="$work/package/pylora_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no package $(basename "$deb"), only: $(ls "$work/package")"
depends="$(dpkg-deb -f "$deb" Depends)"
for dependency in "fonts-wqy-zenhei | fonts-noto-cjk" libqt6widgets6 libqt6svgwidgets6 libsqlite3-0 libc6; do
  [[ "$depends" == *"$dependency"* ]] || fail "Depends lacks $dependency: $depends"
done

# --- installing
home="$work/home"
mkdir -p "$home"
if [ "$(id -u)" -eq 0 ] && [ "${CI:-}" = true ]; then
  dpkg-query -W -f='${Status}' pylora 2>/dev/null | grep -q "install ok installed" &&
    fail "pylora is installed already; this test installs and purges its own"
  system_files >"$work/before"
  installed_by_apt=true
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=300 \
    "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt could not install the package"; }
  root=""
  dpkg -L pylora | while read -r path; do [ -d "$path" ] || echo "$path"; done | sort >"$work/shipped"
  system_files | comm -13 "$work/before" - | comm -23 - "$work/shipped" >"$work/unlisted"
  [ ! -s "$work/unlisted" ] || fail "installing made files that dpkg -L does not list: $(cat "$work/unlisted")"
  # Where a run could leave a file of its own: beside the database.
  present_files() { find /usr/share/pylora ! -type d | sort; }
else
  root="$work/root"
  dpkg -x "$deb" "$root"
  present_files() { (cd "$root" && find . ! -type d | sed 's|^\.||' | sort); }
  present_files >"$work/shipped"
fi

icon=cn.pylora.Pylora
expected=(/usr/bin/pylora /usr/bin/pylora-cli /usr/share/doc/pylora/copyright
  /usr/share/man/man1/pylora.1.gz /usr/share/man/man1/pylora-cli.1.gz
  /usr/share/applications/$icon.desktop /usr/share/metainfo/$icon.metainfo.xml
  /usr/share/icons/hicolor/scalable/apps/$icon.svg /usr/share/pylora/database/1.TXT)
for name in 现场防腐绝缘7 预制防腐绝缘7 焊接材料 土建材料97 套管支架97; do
  expected+=("/usr/share/pylora/database/$name.sqlite")
done
for size in 16 22 24 32 48 64 128 256; do
  png="/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  expected+=("$png")
  # Width and height stand in bytes 16-23 of a PNG, big-endian.
  read -r -a dimensions <<<"$(od -An -tu1 -j16 -N8 "$root$png" 2>/dev/null || true)"
  side="0 0 $((size >> 8)) $((size & 255))"
  [ "${dimensions[*]:-}" = "$side $side" ] || fail "$png is not $size × $size"
done
for path in "${expected[@]}"; do grep -qxF "$path" "$work/shipped" || fail "the package lacks $path"; done
grep -qx "Icon=$icon" "$root/usr/share/applications/$icon.desktop" || fail "the desktop file names another icon"
desktop-file-validate "$root/usr/share/applications/$icon.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$icon.metainfo.xml" >"$work/appstream.log" ||
  { cat "$work/appstream.log"; fail "appstreamcli validate"; }

# --- the manual says what the help says: every word of every help is on the rendered page
manual_words() { LC_ALL=C.UTF-8 MANWIDTH=300 man -l "$1" 2>&1 | tr -s ' \t' '\n\n' | sort -u; }
manual_words "$root/usr/share/man/man1/pylora-cli.1.gz" >"$work/manual_words"
for command in "" list menu describe run; do
  # shellcheck disable=SC2086  # no command: the program's own help
  "$root/usr/bin/pylora-cli" $command --help | grep -Ev '^(Usage|[A-Za-z ]+:$)' | tr -s ' \t' '\n\n' | sort -u |
    comm -23 - "$work/manual_words" >"$work/missing_words"
  [ ! -s "$work/missing_words" ] || fail "pylora-cli(1) lacks words of '$command --help': $(cat "$work/missing_words")"
done
for page in pylora pylora-cli; do
  LC_ALL=C.UTF-8 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null | grep . &&
    fail "the manual page $page(1) has faults"
done

# --- running the installed programs, with a fresh home and nothing of the build tree
export HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" XDG_CACHE_HOME="$home/.cache"
unset XDG_DATA_DIRS
touch "$work/before_runs"
cli="$root/usr/bin/pylora-cli"
[ "$("$cli" --version)" = "pylora-cli $version" ] || fail "pylora-cli --version: $("$cli" --version)"
diff <("$cli" list) <("$build/bin/pylora-cli" list) >/dev/null || fail "the installed program lists other windows"
# A material window reads the installed database, a profile window the installed sample ground file:
# the same results as from the build tree.
for run in "焊接材料 --choose List1=φ720 --choose List2=10mm" "定向钻穿越地面数据"; do
  # shellcheck disable=SC2086  # a window and its settings
  "$cli" run $run >"$work/installed.json" || fail "pylora-cli run $run: exit $?"
  # shellcheck disable=SC2086
  "$build/bin/pylora-cli" run $run >"$work/built.json"
  grep -q '"failure": null' "$work/installed.json" || fail "pylora-cli run $run failed: $(grep -A3 failure "$work/installed.json")"
  diff "$work/installed.json" "$work/built.json" >/dev/null || fail "pylora-cli run $run differs from the build tree's"
done

# The program starts to its main window: Qt reports painting it.
QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="qt.widgets.painting=true" "$root/usr/bin/pylora" >"$work/gui.log" 2>&1 &
gui_pid=$!
for _ in $(seq 1 600); do
  grep -q 'Drawing .* of pylora::MainWindow' "$work/gui.log" && break
  kill -0 "$gui_pid" 2>/dev/null || { tail -20 "$work/gui.log"; fail "pylora ended before showing its main window"; }
  sleep 0.1
done
grep -q 'Drawing .* of pylora::MainWindow' "$work/gui.log" || { tail -20 "$work/gui.log"; fail "no main window in 60 s"; }
kill "$gui_pid"
wait "$gui_pid" 2>/dev/null || true
gui_pid=""

# The runs changed no installed file and made none beside them (a database journal, a settings file).
present_files | comm -23 - "$work/shipped" >"$work/made"
[ ! -s "$work/made" ] || fail "the runs made files in the installed tree: $(cat "$work/made")"
while read -r path; do
  [ "$root$path" -nt "$work/before_runs" ] && fail "a run wrote the installed file $path"
done <"$work/shipped"

# --- uninstalling leaves nothing behind
if $installed_by_apt; then
  installed_by_apt=false
  DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq -o DPkg::Lock::Timeout=300 pylora >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt could not purge the package"; }
  system_files | diff "$work/before" - >"$work/left" || fail "purging left the system changed: $(cat "$work/left")"
  ! ls /var/lib/dpkg/info/pylora.* >/dev/null 2>&1 || fail "dpkg still holds files of pylora"
fi
echo "package $(basename "$deb"): $(stat -c %s "$deb") bytes, installed $(dpkg-deb -f "$deb" Installed-Size) KiB"
