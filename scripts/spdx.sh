#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
# Puts the licence and copyright lines at the top of every source file of ours that lacks them:
# C++ sources and headers and CMakeLists.txt at the very top, shell scripts after their shebang.
# Without arguments it looks at the files git knows of (committed, staged or new and not
# ignored); with arguments, at those files only. Files that have the lines already are left
# alone, so it can be run again whenever files are added.
set -euo pipefail
cd "$(git -C "$(dirname "$0")" rev-parse --show-toplevel)"

license='SPDX-License-Identifier: GPL-3.0-or-later'
copyright='SPDX-FileCopyrightText: 2026 The Kormix developers'

if [ $# -gt 0 ]; then
    files=("$@")
else
    mapfile -t files < <(git ls-files --cached --others --exclude-standard | sort -u)
fi

changed=0
for f in "${files[@]}"; do
    [ -f "$f" ] || continue
    first=$(head -n 1 "$f")
    case "$f" in
    *.h | *.cpp) prefix='//' shebang=0 ;;
    CMakeLists.txt | */CMakeLists.txt) prefix='#' shebang=0 ;;
    *)
        if [[ $first == '#!'*sh* ]]; then
            prefix='#' shebang=1
        elif [[ $f == *.sh ]]; then
            prefix='#' shebang=0 # sourced, not run
        else
            continue
        fi
        ;;
    esac
    if head -n 5 "$f" | grep -q 'SPDX-License-Identifier'; then
        continue
    fi
    tmp=$(mktemp)
    {
        if [ "$shebang" -eq 1 ]; then
            printf '%s\n' "$first"
        fi
        printf '%s %s\n%s %s\n' "$prefix" "$license" "$prefix" "$copyright"
        if [ "$shebang" -eq 1 ]; then
            tail -n +2 "$f"
        else
            cat "$f"
        fi
    } >"$tmp"
    chmod --reference="$f" "$tmp"
    mv "$tmp" "$f"
    echo "$f"
    changed=$((changed + 1))
done
echo "SPDX lines added to $changed file(s)" >&2
