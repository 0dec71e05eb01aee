#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
# What a screen reader finds in Kormix: starts the real program on a virtual
# screen with a private D-Bus session and the AT-SPI registry, lists the
# accessible tree (role, name, description, labelled-by) of the main window
# and of the setup dialog, and fails when a control has no name.
#
#   scripts/a11y-check.sh [path/to/kormix]     (default: build/dev/app/kormix)
#
# Needs xvfb, dbus, at-spi2-core and python3-pyatspi.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "${1:-$here/../build/dev/app/kormix}")

if [ -z "${KORMIX_A11Y_SESSION:-}" ]; then
    export KORMIX_A11Y_SESSION=1
    exec xvfb-run -a -s "-screen 0 1600x1200x24" dbus-run-session -- "$0" "$program"
fi

/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export QT_QPA_PLATFORM=xcb
# Runs in English whatever the desktop's language.
export LANGUAGE=C LC_ALL=C.UTF-8
"$program" &
kormix=$!

status=0
# Debian's own Python, which has the pyatspi bindings.
/usr/bin/python3 "$here/a11y_tree.py" || status=$?

kill "$kormix" 2>/dev/null || true
kill "$launcher" 2>/dev/null || true
wait 2>/dev/null || true
exit "$status"
