#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
# Builds the program in Release, without tests or benchmarks, and starts it. On a fresh
# Debian 12 it first installs what the program needs (through sudo when not run as root).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
kormix_install_program
kormix_build_program
exec "$kormix_program_dir/app/kormix" "$@"
