#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
# Builds the Debian package of Kormix and prints its path. On a fresh Debian 12 it first
# installs what the build and the packing need (through sudo when not run as root).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
# Only the package's path goes to standard output.
{
    kormix_install_packages "${kormix_program_packages[@]}" "${kormix_package_packages[@]}"
    kormix_build_program
    (cd "$kormix_program_dir" && cpack -G DEB)
} >&2
deb=$(ls -t "$PWD/$kormix_program_dir"/kormix_*.deb | head -n 1)
echo "$deb"
