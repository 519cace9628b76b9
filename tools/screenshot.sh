#!/usr/bin/env bash
# Renders the main window with sample channels under Xvfb into docs/main-window.png.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
BUILD_DIR=${VORIX_BUILD_DIR:-build}
command -v xvfb-run >/dev/null || { echo "needs xvfb-run (apt-get install xvfb xauth)" >&2; exit 1; }
cmake --build "$BUILD_DIR" --target vorix-screenshot
mkdir -p docs
xvfb-run -a -s "-screen 0 1280x800x24" "$BUILD_DIR/bin/vorix-screenshot" docs/main-window.png
xvfb-run -a -s "-screen 0 1280x800x24" "$BUILD_DIR/bin/vorix-screenshot" docs/main-window-chinese.png --chinese
xvfb-run -a -s "-screen 0 1280x800x24" "$BUILD_DIR/bin/vorix-screenshot" docs/main-window-menus.png --edit-menu
