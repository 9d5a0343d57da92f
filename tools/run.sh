#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor. Without a real Kovela Tark9 it
# attaches to the built-in virtual controller; without a display it starts under Xvfb, saves a
# screenshot and says where.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/deps.sh"
"$root/tools/build.sh"
editor="${TARK9_BUILD_DIR:-$root/build}/src/kovelaTark9"

args=()
if ! grep -qs "Kovela Tark9" /proc/asound/seq/clients 2>/dev/null; then
    echo "No Kovela Tark9 found: starting with the virtual controller."
    args+=(--virtual-device)
fi

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    shot="$root/build/kovelaTark9.png"
    echo "No display: starting under Xvfb and saving a screenshot."
    QT_QUICK_BACKEND=software xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$editor" "${args[@]}" --screenshot "$shot"
    echo "Screenshot saved to $shot"
else
    exec "$editor" "${args[@]}"
fi
