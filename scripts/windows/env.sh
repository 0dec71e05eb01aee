# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
# Where the Windows build keeps what it builds against, shared by the scripts in this folder.
# Sourced, never run.

kormix_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# The target's Qt and libraries live outside the work tree so that every checkout and CI
# run of the same machine shares them; the "windows" preset looks for them here.
kormix_win_cache=$HOME/.cache/kormix
kormix_qt_prefix=$kormix_win_cache/qt6-mingw
kormix_deps_prefix=$kormix_win_cache/mingw-deps
kormix_toolchain=$kormix_root/cmake/mingw-w64-x86_64-posix.cmake
kormix_mingw=x86_64-w64-mingw32
# The prebuilt Qt and the release sources of Qt Svg and Qt Charts, with their checksums.
kormix_toolchains=${KORMIX_TOOLCHAINS:-$kormix_root/../shared/toolchains}
kormix_qt_archive=qt-6.4.2-mingw-w64-x86_64.tar.xz

# Debian source packages (qt6-base, libxlsxwriter) are fetched with apt-get through a list
# of their own in the cache, made from the machine's binary sources, so that the system's
# apt configuration is left as it is. $1 the package, $2 the folder to unpack it in.
kormix_apt_source() {
    local apt=$kormix_win_cache/apt
    local opts=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$apt/sources"
                -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache")
    if [ ! -d "$apt/lists" ] || [ -z "$(ls "$apt/lists" 2>/dev/null)" ]; then
        mkdir -p "$apt/sources" "$apt/lists/partial" "$apt/cache/archives/partial"
        # Debian's own archives only: other repositories may have no source packages.
        local f
        for f in /etc/apt/sources.list.d/*.sources; do
            grep -q 'debian' "$f" 2>/dev/null &&
                sed 's/^Types: deb$/Types: deb-src/' "$f" >"$apt/sources/$(basename "$f")"
        done
        if [ -f /etc/apt/sources.list ]; then
            sed -n 's/^deb \(.*debian.*\)/deb-src \1/p' /etc/apt/sources.list >"$apt/sources/sources.list"
        fi
        apt-get "${opts[@]}" update
    fi
    mkdir -p "$2"
    (cd "$2" && apt-get "${opts[@]}" source "$1")
}
