#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
# Builds from their sources what the Windows build of Kormix links: Qt 6.4.2 for
# x86_64-w64-mingw32 (qtbase from Debian's qt6-base source package, Qt Svg and Qt Charts
# from their v6.4.2 release sources), GoogleTest (Debian's /usr/src/googletest) and
# libxlsxwriter (Debian's source package) against Debian's mingw zlib. Debian's native
# Qt 6.4.2 is the host side (moc, rcc, uic: QT_HOST_PATH=/usr); nothing of Qt's tools is
# cross-built.
#
# Usage: scripts/windows/build-qt.sh [STAGE...]      (default: all)
#   deps        the Debian packages the stages need (scripts/setup.sh)
#   src         the sources: apt-get source qt6-base; Qt Svg and Qt Charts unpacked
#   qtbase      Qt's base modules into PREFIX (about an hour on 2 cores)
#   qtsvg       Qt Svg against the qtbase in PREFIX (about 30 s)
#   qtcharts    Qt Charts against the qtbase in PREFIX (about 2.5 min)
#   gtest       GoogleTest into DEPS (about 30 s)
#   xlsxwriter  libxlsxwriter into DEPS (about 30 s)
#   all         every stage in this order
# Environment: W the work folder (default ~/.cache/kormix/qt-build), PREFIX the Qt prefix
# (default ~/.cache/kormix/qt6-mingw, where scripts/windows/prepare.sh unpacks the prebuilt
# copy of the same), DEPS the prefix of GoogleTest and libxlsxwriter (default
# ~/.cache/kormix/mingw-deps), JOBS (default 2), SOURCES the folder holding the Qt Svg and
# Qt Charts release archives (default KORMIX_TOOLCHAINS, else ../shared/toolchains beside the
# work tree), CONFIGURE_ONLY=1 to configure the stages without building them.
set -euo pipefail
source "$(dirname "$0")/env.sh"

W=${W:-$kormix_win_cache/qt-build}
PREFIX=${PREFIX:-$kormix_qt_prefix}
DEPS=${DEPS:-$kormix_deps_prefix}
JOBS=${JOBS:-2}
SOURCES=${SOURCES:-$kormix_toolchains}
SRC=$W/src
BLD=$W/build
# The machine is shared: the long builds give way to interactive work.
NICE="nice -n 10"

deps() {
    source "$kormix_root/scripts/setup.sh"
    kormix_install_packages "${kormix_program_packages[@]}" "${kormix_windows_packages[@]}"
}

src() {
    mkdir -p "$SRC"
    ls -d "$SRC"/qt6-base-6.4.2*/ >/dev/null 2>&1 || kormix_apt_source qt6-base "$SRC"
    local module
    for module in svg charts; do
        [ -d "$SRC/qt$module-6.4.2" ] ||
            tar -xJf "$SOURCES/qt$module-everywhere-src-6.4.2.tar.xz" -C "$SRC"
    done
}

# Configures and builds one CMake project from $2 in $BLD/$1 and installs it; the rest of
# the arguments go to the configuration. The logs stay in $W.
build() {
    local name=$1 source=$2 start=$SECONDS
    shift 2
    rm -rf "${BLD:?}/$name"
    mkdir -p "$BLD/$name"
    cmake -S "$source" -B "$BLD/$name" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" \
        >"$W/$name-configure.log" 2>&1 || { tail -40 "$W/$name-configure.log"; return 1; }
    if [ -n "${CONFIGURE_ONLY:-}" ]; then
        echo "$name: configured in $((SECONDS - start)) s"
        return 0
    fi
    $NICE ninja -C "$BLD/$name" -j"$JOBS" >"$W/$name-build.log" 2>&1 ||
        { tail -40 "$W/$name-build.log"; return 1; }
    ninja -C "$BLD/$name" install >"$W/$name-install.log" 2>&1
    echo "$name: $((SECONDS - start)) s"
}

# The options and why:
#  QT_HOST_PATH=/usr, QT_HOST_PATH_CMAKE_DIR: Debian's native Qt is the host side; its CMake
#      packages (Qt6HostInfo, Qt6CoreTools, Qt6GuiTools, Qt6WidgetsTools) are in the multiarch
#      folder
#  QT_QMAKE_*: the mkspec and tool prefix qmake and qt-cmake record for the target
#  FEATURE_tabletevent=OFF: Debian's +dfsg source drops src/3rdparty/wintab, which the
#      Windows platform plugin's tablet support includes
#  FEATURE_pkg_config=OFF: Debian's cross patch keeps PKG_CONFIG_EXECUTABLE; the host's .pc
#      files must not leak into the target
#  FEATURE_zstd=OFF: Debian forces a shared libzstd, and there is no mingw one
#  FEATURE_system_*=OFF: Qt's bundled zlib, libpng, pcre2, freetype, harfbuzz and
#      double-conversion (Debian has no mingw builds of most of them; the offscreen platform
#      the tests run on uses freetype on Windows too)
#  sql, network, printsupport, concurrent, dbus, opengl, vulkan, jpeg OFF: the program is a
#      Widgets program that needs none of them; a smaller and quicker build
qtbase() {
    local source
    source=$(ls -d "$SRC"/qt6-base-6.4.2*/ | head -n 1)
    build qtbase "$source" \
        -DCMAKE_TOOLCHAIN_FILE="$kormix_toolchain" -DCMAKE_INSTALL_PREFIX="$PREFIX" \
        -DBUILD_SHARED_LIBS=ON \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
        -DQT_QMAKE_DEVICE_OPTIONS="CROSS_COMPILE=$kormix_mingw-" \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
        -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_printsupport=OFF \
        -DFEATURE_concurrent=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no \
        -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF \
        -DFEATURE_pkg_config=OFF -DFEATURE_zstd=OFF \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_pcre2=OFF \
        -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF \
        -DFEATURE_system_doubleconversion=OFF -DFEATURE_jpeg=OFF -DFEATURE_system_jpeg=OFF
    # The prefix carries the toolchain file, so that it can be moved and used on its own:
    # <prefix>/bin/qt-cmake -DQT_CHAINLOAD_TOOLCHAIN_FILE=<prefix>/lib/cmake/mingw-w64-x86_64-posix.cmake
    [ -n "${CONFIGURE_ONLY:-}" ] ||
        cp "$kormix_toolchain" "$PREFIX/lib/cmake/mingw-w64-x86_64-posix.cmake"
}

# A Qt module ($1: svg or charts), configured with the installed qtbase's toolchain file as its
# qt-cmake would.
module() {
    [ -f "$PREFIX/lib/cmake/Qt6/qt.toolchain.cmake" ] ||
        { echo "no qtbase in $PREFIX: build the qtbase stage first" >&2; return 1; }
    build "qt$1" "$SRC/qt$1-6.4.2" \
        -DCMAKE_TOOLCHAIN_FILE="$PREFIX/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$kormix_toolchain" -DCMAKE_INSTALL_PREFIX="$PREFIX" \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
}

# GoogleTest and GoogleMock as static libraries, at the version Debian ships.
gtest() {
    build gtest /usr/src/googletest \
        -DCMAKE_TOOLCHAIN_FILE="$kormix_toolchain" -DCMAKE_INSTALL_PREFIX="$DEPS" \
        -DCMAKE_CXX_STANDARD=20 -DBUILD_GMOCK=ON
}

# libxlsxwriter as a static library against Debian's mingw zlib (libz-mingw-w64-dev), linked
# statically too, with UTF-8 file names. Its numbers are written by its own double-to-text code, not printf, so that
# a decimal comma of the user's locale never reaches the workbook's XML.
xlsxwriter() {
    local source
    source=$(ls -d "$SRC"/libxlsxwriter-*/ 2>/dev/null | head -n 1 || true)
    if [ -z "$source" ]; then
        kormix_apt_source libxlsxwriter "$SRC"
        source=$(ls -d "$SRC"/libxlsxwriter-*/ | head -n 1)
    fi
    # libxlsxwriter takes file names in UTF-8, but built with MinGW it opens them through the
    # ANSI code page, which cannot name every user's folder (a temporary folder under
    # C:\Users\<name>). Its Windows file code, which MSVC builds get, is built here too.
    sed -i -e '/^#ifdef __MINGW32__$/{N;N;/\n#undef _WIN32\n#endif$/d}' \
        "$source/src/packager.c" "$source/src/utility.c"
    sed -i 's/^    if(MSVC)$/    if(WIN32)/' "$source/CMakeLists.txt"
    build xlsxwriter "$source" \
        -DCMAKE_TOOLCHAIN_FILE="$kormix_toolchain" -DCMAKE_INSTALL_PREFIX="$DEPS" \
        -DBUILD_SHARED_LIBS=OFF -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF -DUSE_DTOA_LIBRARY=ON \
        -DZLIB_INCLUDE_DIR=/usr/$kormix_mingw/include -DZLIB_LIBRARY=/usr/$kormix_mingw/lib/libz.a
    # prepare.sh rebuilds a library of an earlier build without this mark.
    [ -n "${CONFIGURE_ONLY:-}" ] || touch "$DEPS/lib/libxlsxwriter.utf8-names"
}

mkdir -p "$W"
stages=("$@")
[ ${#stages[@]} -gt 0 ] || stages=(all)
for stage in "${stages[@]}"; do
    case "$stage" in
    deps | src | qtbase | gtest | xlsxwriter) "$stage" ;;
    qtsvg) module svg ;;
    qtcharts) module charts ;;
    all) deps && src && qtbase && module svg && module charts && gtest && xlsxwriter ;;
    *)
        echo "unknown stage: $stage" >&2
        exit 2
        ;;
    esac
done
