#!/usr/bin/env bash
# Photographs the program's dialogs under Wine, as the user sees them (composited, so the
# shadows show): <out>/dialog-<name>.png, the part of the screen where each stands.
#
#   tests/dialogs/shots.sh notice confirm-details prompt     (SHOTS_OUT: the folder, out/ by default)
set -u
cd "$(dirname "$0")/../.."
source tools/env.sh
trap qs_stop_all EXIT

out=${SHOTS_OUT:-$QS_ROOT/out}
qs_deps || exit 1
mkdir -p build "$out"
cmake -S "$QS_ROOT" -B "$QS_BUILD" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$QS_ROOT/cmake/mingw-w64.cmake" >"$QS_ROOT/build/win-configure.log" 2>&1 || exit 1
cmake --build "$QS_BUILD" --target dialog_shots -j"$(nproc)" >/dev/null || exit 1
unset DISPLAY
qs_prefix && qs_display && qs_wineserver
for name in "$@"; do
  wine "$QS_BUILD/bin/dialog_shots.exe" "$name" &
  shots=$!
  sleep 3
  # The message dialog stands in the middle of the screen, the prompt where it was designed.
  case "$name" in prompt) area=640x420+368+151 ;; *) area=640x420+320+240 ;; esac
  import -window root -crop "$area" +repage "$out/dialog-$name.png"
  wait "$shots" 2>/dev/null
  echo "$out/dialog-$name.png"
done
