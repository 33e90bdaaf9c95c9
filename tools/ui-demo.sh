#!/usr/bin/env bash
# Shows the widget layer's demo window under Wine and photographs each of its pages:
# out/ui-demo-<page>.png (the window, through qscapture) and out/ui-demo-screen.png (the
# whole virtual screen). With $DISPLAY set, the demo is left running for the user instead.
set -u
cd "$(dirname "$0")/.."
source tools/env.sh
trap qs_stop_all EXIT

qs_deps || exit 1
mkdir -p build out
qs_build_win || exit 1
own_display=0; [ -z "${DISPLAY:-}" ] && own_display=1
qs_prefix && qs_display && qs_wineserver

if [ "$own_display" = 0 ]; then
  wine "$QS_BUILD/bin/ui_demo.exe"
  exit $?
fi
for page in 0 1 2; do
  wine "$QS_BUILD/bin/ui_demo.exe" "$page" &
  demo=$!
  sleep 2
  wine "$QS_BUILD/bin/qscapture.exe" "Velmora 控件演示" "$QS_ROOT/out/ui-demo-$page.png" 10000
  [ "$page" = 0 ] && import -window root "$QS_ROOT/out/ui-demo-screen.png"
  kill "$demo" 2>/dev/null; wait "$demo" 2>/dev/null
  echo "page $page: $QS_ROOT/out/ui-demo-$page.png"
done
