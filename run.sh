#!/bin/sh
# Builds Kormix in Release and starts it. On a fresh Debian 12 it first
# installs what the build needs (through sudo when not run as root).
set -eu

cd "$(dirname "$0")"

packages="build-essential cmake ninja-build qt6-base-dev libgtest-dev libbenchmark-dev"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    if [ "$(id -u)" -eq 0 ]; then
        sudo=""
    elif command -v sudo >/dev/null 2>&1; then
        sudo="sudo"
    else
        echo "These packages are missing and there is no sudo to install them:$missing" >&2
        exit 1
    fi
    $sudo apt-get update
    # shellcheck disable=SC2086 # one word per package
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y $missing
fi

cmake --preset release
cmake --build --preset release
exec build/release/app/kormix "$@"
