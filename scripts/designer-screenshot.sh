#!/usr/bin/env bash
# Takes docs/screenshots/designer.png and designer-task-menu.png (PREFIX.png and
# PREFIX-task-menu.png with `designer-screenshot.sh PREFIX`): Qt Widgets Designer (designer-qt6)
# under a virtual display with the plugin of the release build, the widget box showing the group
# "Tolvex", the test form with the four controls and the interpreter open, and the interpreter
# selected so that the property editor shows its properties (the stored "symbols" among them);
# the second picture with its context menu open.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh screenshot
cmake --preset release >/dev/null
cmake --build --preset release -j2 --target tolvex_designer >/dev/null
out=$(realpath -m "${1:-docs/screenshots/designer}")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The designer keeps its settings in a scratch home, so the picture never depends on them.
export HOME=$scratch XDG_CONFIG_HOME=$scratch/.config QT_PLUGIN_PATH=$PWD/build/release/plugins
designer=$(command -v designer || echo /usr/lib/qt6/bin/designer)
form=$PWD/qt/designer/tests/mathform.ui
# The commands run inside the virtual display: start the designer, size its window to the
# screen, filter the widget box down to the Tolvex group, select the interpreter on the form (at
# CLICK_X, CLICK_Y), photograph the screen, open its context menu, photograph it again.
xvfb-run -a -s "-screen 0 1400x860x24" bash -c '
  "$1" "$2" >/dev/null 2>&1 &
  designer=$!
  window=
  for _ in $(seq 50); do
    sleep 0.2
    for candidate in $(xdotool search --name "^Qt (Widgets )?Designer" 2>/dev/null); do
      width=$(xdotool getwindowgeometry "$candidate" | sed -n "s/.*Geometry: \([0-9]*\)x.*/\1/p")
      if [ "${width:-0}" -gt 100 ]; then window=$candidate; fi
    done
    [ -n "$window" ] && break
  done
  sleep 2
  xdotool windowsize "$window" 1400 860
  sleep 1
  xdotool mousemove 110 91 click 1 type --delay 50 "Math"   # the widget box filter: the Tolvex group
  sleep 0.5
  xdotool mousemove "$4" "$5" click 1   # the interpreter on the form
  sleep 1
  xdotool mousemove 950 463 click 1 key End   # the property editor down to the interpreter'"'"'s own
  sleep 1
  import -window root "$3.png"
  xdotool mousemove "$4" "$5" click 3   # its context menu, with the task menu'"'"'s commands
  sleep 1
  import -window root "$3-task-menu.png"
  kill "$designer"
' sh "$designer" "$form" "$out" "${CLICK_X:-300}" "${CLICK_Y:-420}"
echo "$out.png" "$out-task-menu.png"
