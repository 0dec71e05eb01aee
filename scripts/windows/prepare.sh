#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
# Prepares this Debian 12 machine for the Windows build ("windows" preset): installs the
# Debian packages it needs, unpacks the prebuilt Qt for mingw-w64 into ~/.cache/kormix after
# checking its checksum, and cross-builds GoogleTest and libxlsxwriter into
# ~/.cache/kormix/mingw-deps when they are missing. What is there already is kept, so a
# second run takes a moment. KORMIX_TOOLCHAINS names the folder of the prebuilt archive
# (default: ../shared/toolchains beside the work tree); scripts/windows/build-qt.sh builds
# the same Qt from its sources instead.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/env.sh"
source "$kormix_root/scripts/setup.sh"

kormix_install_packages "${kormix_program_packages[@]}" "${kormix_windows_packages[@]}"

if [ ! -f "$kormix_qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
    if [ ! -f "$kormix_toolchains/$kormix_qt_archive" ]; then
        echo "$kormix_toolchains/$kormix_qt_archive is missing: set KORMIX_TOOLCHAINS to the" \
            "folder that holds it, or build Qt with scripts/windows/build-qt.sh" >&2
        exit 1
    fi
    (cd "$kormix_toolchains" &&
        grep " $kormix_qt_archive\$" SHA256SUMS | sha256sum --check --strict --quiet) || {
        echo "The checksum of $kormix_toolchains/$kormix_qt_archive does not match SHA256SUMS" >&2
        exit 1
    }
    echo "Unpacking $kormix_qt_archive into $kormix_win_cache"
    mkdir -p "$kormix_win_cache"
    rm -rf "$kormix_qt_prefix.partial"
    mkdir "$kormix_qt_prefix.partial"
    tar -xJf "$kormix_toolchains/$kormix_qt_archive" -C "$kormix_qt_prefix.partial" \
        --strip-components=1
    mv "$kormix_qt_prefix.partial" "$kormix_qt_prefix"
fi

stages=()
[ -f "$kormix_deps_prefix/lib/cmake/GTest/GTestConfig.cmake" ] || stages+=(gtest)
# The mark says the library opens UTF-8 file names (build-qt.sh); one built before lacks it.
[ -f "$kormix_deps_prefix/lib/libxlsxwriter.utf8-names" ] || stages+=(xlsxwriter)
if [ ${#stages[@]} -gt 0 ]; then
    "$here/build-qt.sh" "${stages[@]}"
fi
echo "Ready for the Windows build: Qt in $kormix_qt_prefix, libraries in $kormix_deps_prefix"
