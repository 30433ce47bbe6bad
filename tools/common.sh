# Shared by tools/test and tools/run: the build folders, the Wine environment and the X display.
# Source it; it defines functions and variables only.

TALVEX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TALVEX_BUILD_ROOT=${TALVEX_BUILD_ROOT:-$TALVEX_ROOT/build}

# The programs ship as 32-bit Windows programs. Some machines (virtual machines without a 32-bit
# code segment) cannot execute 32-bit code at all; there the tests run as 64-bit Windows programs
# under 64-bit Wine, from the same sources, and the 32-bit build is still compiled and linked.
talvex_can_run_32bit() {
  [[ -x /lib/ld-linux.so.2 ]] && /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

talvex_has_wine32() {
  [[ $(dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null) == "install ok installed" ]]
}

talvex_run_arch() {
  if [[ -n "${TALVEX_RUN_ARCH:-}" ]]; then echo "$TALVEX_RUN_ARCH"
  elif talvex_can_run_32bit && talvex_has_wine32; then echo i686
  else echo x86_64
  fi
}

talvex_wine_binary() {
  if [[ "$1" == i686 ]]; then echo /usr/lib/wine/wine; else echo /usr/lib/wine/wine64; fi
}

# talvex_build ARCH TESTS(ON|OFF) [TARGET...]: configures build/<arch> and builds the targets
# (all when none are given).
talvex_build() {
  local arch=$1 tests=$2 dir="$TALVEX_BUILD_ROOT/$1" targets=()
  shift 2
  [[ $# -gt 0 ]] && targets=(--target "$@")
  # ccache, when present, keeps compiled objects across build folders and work trees; paths
  # below the checkout are hashed relative to it, so another clone finds the same objects.
  local launcher=
  command -v ccache >/dev/null && launcher=ccache
  export CCACHE_BASEDIR="$TALVEX_ROOT" CCACHE_NOHASHDIR=1
  if [[ ! -f "$dir/build.ninja" ]] || ! grep -q "TALVEX_TESTS:BOOL=$tests" "$dir/CMakeCache.txt" 2>/dev/null ||
     ! grep -q "CMAKE_CXX_COMPILER_LAUNCHER:[A-Z]*=$launcher\$" "$dir/CMakeCache.txt" 2>/dev/null; then
    cmake -S "$TALVEX_ROOT" -B "$dir" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$TALVEX_ROOT/cmake/mingw.cmake" -DTALVEX_ARCH="$arch" \
      -DTALVEX_TESTS="$tests" -DCMAKE_CXX_COMPILER_LAUNCHER="$launcher" \
      -DCMAKE_C_COMPILER_LAUNCHER="$launcher" >/dev/null
  fi
  cmake --build "$dir" "${targets[@]}" -- -k 0 ${TALVEX_JOBS:+-j "$TALVEX_JOBS"}
}

# Builds the outline benchmark's native twin (bench/native: our geometry with the host compiler,
# beside Debian's Clipper as a yardstick) into build/native. Run by hand, never by ctest.
talvex_build_native_bench() {
  local dir="$TALVEX_BUILD_ROOT/native" launcher=
  command -v ccache >/dev/null && launcher=ccache
  if [[ ! -f "$dir/build.ninja" ]]; then
    cmake -S "$TALVEX_ROOT/bench/native" -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=g++ \
      -DCMAKE_CXX_COMPILER_LAUNCHER="$launcher" >/dev/null
  fi
  cmake --build "$dir" -- ${TALVEX_JOBS:+-j "$TALVEX_JOBS"}
}

# Exports the Wine environment for ARCH with a private prefix in its build folder.
talvex_wine_env() {
  local arch=$1
  export WINEPREFIX="$TALVEX_BUILD_ROOT/$arch/wineprefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINESERVER=/usr/lib/wine/wineserver
  if [[ "$arch" == i686 ]]; then export WINEARCH=win32; else export WINEARCH=win64; fi
  TALVEX_WINE=$(talvex_wine_binary "$arch")
  export TALVEX_WINE
  talvex_locales
}

# Wine takes the Windows code page from the locale's name, but converts file names through the
# C library's character set: without a real zh_CN.UTF-8 locale no Chinese file name can be made.
# The locales are compiled once into the build folder (no root needed) and found through LOCPATH.
talvex_locales() {
  local dir="$TALVEX_BUILD_ROOT/locale" name
  for name in zh_CN en_US; do
    if [[ ! -f "$dir/$name.UTF-8/LC_CTYPE" ]]; then
      mkdir -p "$dir"
      localedef -i "$name" -f UTF-8 "$dir/$name.UTF-8" >/dev/null 2>&1 || true
    fi
  done
  export LOCPATH="$dir"
}

# Creates the prefix on first use (about 20 s); later runs reuse it.
talvex_wine_prefix() {
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    "$TALVEX_WINE" wineboot.exe --init >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w || true
  fi
  talvex_wine_fonts
  # Xvfb has no window manager: Wine would wait two seconds for it whenever a window it thinks
  # managed is hidden or destroyed. Unmanaged windows need no such wait.
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    "$TALVEX_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w || true
  fi
}

# Wine draws the caption buttons (minimise, maximise, close) with the symbols of its own Marlett
# font; without it they come out as the letters "0 1 2 r". Debian's fonts-wine puts Wine's fonts in
# /usr/share/wine/fonts, a folder Debian's Wine does not search (it looks in /usr/share/fonts and
# in the prefix's Fonts folder), so Marlett is linked into the prefix. Prefixes made before are
# mended on their next use.
talvex_wine_fonts() {
  local marlett=/usr/share/wine/fonts/marlett.ttf fonts="$WINEPREFIX/drive_c/windows/Fonts"
  [[ -f "$marlett" && ! -e "$fonts/marlett.ttf" ]] || return 0
  mkdir -p "$fonts"
  ln -sf "$marlett" "$fonts/marlett.ttf"
}

# Maps COM1 and COM12 to the pseudo-terminal that the serial-port tests write to
# (build/<arch>/serial/PTY, made by tests/output/serial_pty.sh while those tests run). Wine makes
# its dosdevices links from these values when it starts, so they are written before any test runs;
# once written, later runs find them and do nothing.
talvex_wine_ports() {
  local arch=$1 pty="$TALVEX_BUILD_ROOT/$1/serial/PTY" port view=()
  grep -qF "\"COM12\"=\"$pty\"" "$WINEPREFIX/system.reg" 2>/dev/null && return 0
  [[ "$arch" == x86_64 ]] && view=(/reg:64)
  for port in COM1 COM12; do
    "$TALVEX_WINE" reg.exe add 'HKLM\Software\Wine\Ports' /v "$port" /t REG_SZ /d "$pty" /f \
      "${view[@]}" >/dev/null 2>&1 || true
  done
  /usr/lib/wine/wineserver -w || true
}

# Starts Xvfb on a free display and exports DISPLAY; talvex_stop_xvfb ends it. Xvfb picks the
# display itself (-displayfd) and takes its lock atomically, so runs started at the same moment
# in several work trees never share one display.
talvex_start_xvfb() {
  local fifo number=
  fifo=$(mktemp -u /tmp/talvex-xvfb.XXXXXX)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  TALVEX_XVFB_PID=$!
  read -r -t 20 number <"$fifo" || true
  rm -f "$fifo"
  if [[ -z "$number" ]] || ! kill -0 "$TALVEX_XVFB_PID" 2>/dev/null; then
    echo "could not start Xvfb" >&2
    return 1
  fi
  export DISPLAY=":$number"
}

talvex_stop_xvfb() {
  if [[ -n "${TALVEX_XVFB_PID:-}" ]]; then
    kill "$TALVEX_XVFB_PID" 2>/dev/null || true
    wait "$TALVEX_XVFB_PID" 2>/dev/null || true
    TALVEX_XVFB_PID=
  fi
}
