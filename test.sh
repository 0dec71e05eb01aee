#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
# Installs what is missing, builds in Release and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
kormix_install_missing
kormix_build_release
ctest --preset release
