#!/usr/bin/env bash
# Photographs the drop shadow: the demo window (tools/shadow_demo.cpp) on its own Xvfb
# with the compositing manager running (layered windows are blended only then), the
# pointer resting on the close button so one title button shows its hovered picture.
# Saves the screen around the window as a PNG and prints the colours along the middle
# row of the left rim, from the form outwards, so the fade can be read as numbers too.
#
#   tools/shadow-shot.sh [out.png]      default out/shadow-demo.png
set -u
cd "$(dirname "$0")/.."
source tools/env.sh
trap qs_stop_all EXIT

out=${1:-out/shadow-demo.png}
mkdir -p "$(dirname "$out")" build
x=300 y=200 w=460 h=300

qs_deps || exit 1
cmake -S "$QS_ROOT" -B "$QS_BUILD" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$QS_ROOT/cmake/mingw-w64.cmake" >"$QS_ROOT/build/win-configure.log" 2>&1 \
  || { cat "$QS_ROOT/build/win-configure.log"; exit 1; }
cmake --build "$QS_BUILD" --target shadow_demo -j"$(nproc)" 2>&1 | grep -E 'error|warning'
[ "${PIPESTATUS[0]}" = 0 ] || exit 1

unset DISPLAY   # always our own display, so the compositing manager is surely running
qs_prefix && qs_display && qs_wineserver || exit 1

wine "$QS_BUILD/bin/shadow_demo.exe" $x $y $w $h &
demo=$!
sleep 2                                          # shown, engaged, the form's picture copied
# Onto the form first, then over the close button: the window sees the pointer arrive.
xdotool mousemove $((x + w / 2)) $((y + h / 2)); sleep 0.3
xdotool mousemove $((x + w - 15)) $((y + 13)); sleep 1
xdotool getmouselocation
shot=$(mktemp --suffix=.png)
import -window root "$shot"
kill "$demo" 2>/dev/null; wait "$demo" 2>/dev/null

margin=40
convert "$shot" -crop $((w + 2 * margin))x$((h + 2 * margin))+$((x - margin))+$((y - margin)) +repage "$out"
echo "left rim, middle row, from the form's edge outwards (x: colour):"
for dx in 1 2 4 6 8 10 12 14 16 18 20; do
  printf '  %3d px out: %s\n' "$dx" \
    "$(convert "$shot" -format "%[pixel:p{$((x - dx)),$((y + h / 2))}]" info:)"
done
printf '  backdrop:    %s\n' "$(convert "$shot" -format "%[pixel:p{$((x - 60)),$((y - 60))}]" info:)"
printf '  close button (hovered): %s\n' "$(convert "$shot" -format "%[pixel:p{$((x + w - 5)),$((y + 3))}]" info:)"
printf '  minimise button:        %s\n' "$(convert "$shot" -format "%[pixel:p{$((x + w - 45)),$((y + 3))}]" info:)"
rm -f "$shot"
echo "screenshot: $out"
