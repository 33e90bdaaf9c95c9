#!/usr/bin/env bash
# Photographs the program's dialogs under Wine, as the user sees them (composited, so the
# shadows show): out/dialog-<name>.png, the middle of the screen where the dialogs centre.
set -u
cd "$(dirname "$0")/../.."
source tools/env.sh
trap qs_stop_all EXIT

qs_deps || exit 1
mkdir -p build out
qs_build_win || exit 1
unset DISPLAY
qs_prefix && qs_display && qs_wineserver
# A mid-grey desktop, so the shadows show as they would on an ordinary one.
xsetroot -solid '#C8CDD3' 2>/dev/null || true

for name in "$@"; do
  wine "$QS_BUILD/bin/dialog_shots.exe" "$name" &
  shots=$!
  sleep 3
  import -window root -crop 640x420+320+240 +repage "$QS_ROOT/out/dialog-$name.png"
  wait "$shots" 2>/dev/null
  echo "$QS_ROOT/out/dialog-$name.png"
done
