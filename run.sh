#!/usr/bin/env bash
# Builds Kormix in Release and starts it. On a fresh Debian 12 it first
# installs what the build needs (through sudo when not run as root).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
kormix_install_missing
kormix_build_release
exec build/release/app/kormix "$@"
