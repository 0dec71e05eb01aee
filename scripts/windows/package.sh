#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
# Builds the Windows installer and the portable .zip with the "windows" preset and prints
# their paths: build/windows/kormix-<version>-win64-setup.exe and kormix-<version>-win64.zip.
# Run scripts/windows/prepare.sh once first.
set -euo pipefail
cd "$(dirname "$0")/../.."
# Only the paths go to standard output.
{
    cmake --preset windows
    cmake --build --preset windows --target kormix
    (cd build/windows && cpack)
} >&2
ls -t "$PWD"/build/windows/kormix-*-win64-setup.exe | head -n 1
ls -t "$PWD"/build/windows/kormix-*-win64.zip | head -n 1
