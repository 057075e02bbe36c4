#!/usr/bin/env bash
# The Windows build, made and tested on Linux: cross-compiles with mingw-w64 into build-windows/
# (statically linked, so the programs need no DLL of the compiler) and runs the tests under
# Wine, then packs build-windows/transTalvorSice-<version>-Windows.zip (the window, the command
# line, SICE.chm and LEEME.txt side by side). Installs the cross compiler and Wine first, only
# when missing. The programs are 32-bit x86, like the host they work beside, and are tested under
# Wine's 32-bit side, which Debian packs for the i386 architecture: it is added when missing.
#
#   scripts/windows.sh [extra cmake options]
set -euo pipefail
cd "$(dirname "$0")/.."

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  echo "== Añadiendo la arquitectura i386 (para wine32)"
  $SUDO dpkg --add-architecture i386
fi
PACKAGES=(g++-mingw-w64-i686-posix wine wine32:i386 libltdl7 googletest cmake python3 icoutils unzip file)
scripts/install-packages.sh "${PACKAGES[@]}"

# The help file is compiled by tools of this machine (chmcmd and our context-map fixer), so the
# Linux build makes it and the Windows build ships that very file.
LINUX_BUILD_DIR=${LINUX_BUILD_DIR:-build}
[ -f "$LINUX_BUILD_DIR/CMakeCache.txt" ] || cmake -S . -B "$LINUX_BUILD_DIR" >/dev/null
# Its command line too: the Windows one is compared with it, byte for byte.
cmake --build "$LINUX_BUILD_DIR" --target sice_chm transTalvorSice-cli -j"$(nproc)" >/dev/null

BUILD_DIR=${WINDOWS_BUILD_DIR:-build-windows}
# A 32-bit Wine prefix of our own (made once, about 5 s), quiet, and without the dialogs that
# would wait for a person; made before the build, which runs the tests to list them. A prefix
# of another architecture cannot be switched to 32-bit, hence its name.
export WINEARCH=win32
export WINEPREFIX=${WINEPREFIX:-$PWD/$BUILD_DIR/wine32-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=
if [ ! -d "$WINEPREFIX/drive_c" ]; then
  echo "== Creando el prefijo de Wine en $WINEPREFIX"
  wineboot --init >/dev/null 2>&1 || true
  wineserver -w || true
fi

cmake -S . -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake \
  -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} \
  -DTTS_LINUX_CHM="$PWD/$LINUX_BUILD_DIR/app/SICE.chm" "$@" >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"

status=0
# Wine's server sometimes drops a client that connects just as it shuts down after its last
# one ("wine client error:0: recvmsg: Connection reset by peer"): a test that fails that way
# gets one more run; a real failure fails both.
ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$(nproc)" --repeat until-pass:2 || status=1
wineserver -k 2>/dev/null || true

# The package: one zip with the window, the command line, the help and the read-me side by side.
(cd "$BUILD_DIR" && cpack -G ZIP >/dev/null) || status=1
ls "$BUILD_DIR"/transTalvorSice-*.zip
exit $status
