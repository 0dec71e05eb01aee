# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
# Installs what building Kormix needs on Debian 12, when something is missing.
# Sourced by run.sh, test.sh and scripts/package.sh.

# What the program needs to build and run. libqt6svg6 draws the windows' icon;
# fonts-liberation brings a face as wide as the one the windows were drawn for;
# xdg-utils opens the exported file with the desktop's spreadsheet. qt6-charts-dev draws the
# equilibrium window's plots; its CMake package needs Qt's OpenGL one (libqt6opengl6-dev),
# which Debian 12 does not pull in with it. qt6-tools-dev (Qt's LinguistTools for CMake) and
# qt6-l10n-tools (lupdate, lrelease) build the translations into the program;
# qt6-translations-l10n has Qt's own texts (standard buttons, context menus) in the user's
# language. libxlsxwriter-dev writes the workbook (File, Save Workbook); zlib1g-dev
# lets the tests read the workbook back.
kormix_program_packages=(build-essential cmake ninja-build qt6-base-dev qt6-charts-dev
                         libqt6opengl6-dev libqt6svg6 fonts-liberation xdg-utils qt6-tools-dev
                         qt6-l10n-tools qt6-translations-l10n libxlsxwriter-dev zlib1g-dev)
# What the tests and benchmarks need besides. locales lets the tests run the number texts
# under a German decimal comma; the validators check the desktop entry and the metainfo;
# scripts/a11y-check.sh reads the windows as a screen reader does, on a virtual screen with
# a private D-Bus session and the AT-SPI registry.
kormix_test_packages=(libgtest-dev libbenchmark-dev locales desktop-file-utils appstream
                      xvfb xauth dbus at-spi2-core python3 python3-pyatspi)
# What making the .deb needs besides: dpkg-shlibdeps and file find its dependencies.
kormix_package_packages=(dpkg-dev file)
# What the Windows build needs besides the program's packages (scripts/windows/): the
# mingw-w64 cross compiler with POSIX threads and its tools (windres, objdump), Wine to run
# the tests and the installer, GoogleTest's sources and the mingw zlib to build the target's
# libraries from, dpkg-dev for apt-get source, rsvg-convert and icotool for the icon, makensis
# for the installer, zip for the portable folder, xz to unpack the prebuilt Qt.
kormix_windows_packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
                         binutils-mingw-w64-x86-64 wine64 googletest libz-mingw-w64-dev
                         dpkg-dev librsvg2-bin icoutils nsis zip xz-utils)

kormix_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "Needs root and there is no sudo: $*" >&2
        return 1
    fi
}

# The tests check that number texts keep their point under a German locale;
# a fresh Debian has none generated.
kormix_german_locale() {
    if grep -qiE '^de_DE\.utf-?8$' <<<"$(locale -a 2>/dev/null)"; then
        return 0
    fi
    echo "Generating the locale de_DE.UTF-8"
    kormix_as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8
}

# Installs those of the given packages that are missing.
kormix_install_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        kormix_as_root apt-get update
        kormix_as_root env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y --no-install-recommends "${missing[@]}"
    fi
}

# Everything the whole test suite needs.
kormix_install_missing() {
    kormix_install_packages "${kormix_program_packages[@]}" "${kormix_test_packages[@]}"
    kormix_german_locale
}

# Only what the program needs.
kormix_install_program() {
    kormix_install_packages "${kormix_program_packages[@]}"
}

kormix_build_release() {
    cmake --preset release
    cmake --build --preset release
}

# The program alone, in Release, without tests or benchmarks, in build/run.
kormix_program_dir=build/run
kormix_build_program() {
    cmake -S . -B "$kormix_program_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DKORMIX_TESTS=OFF -DKORMIX_BENCH=OFF
    cmake --build "$kormix_program_dir" --target kormix
}
