#!/usr/bin/env bash
# Prints the widget layer's painting figures under Wine (bench/ui_paint.cpp): a whole
# repaint of a 620 x 416 form, one progress step, and decoding the banner picture.
set -u
cd "$(dirname "$0")/.."
source tools/env.sh
trap qs_stop_all EXIT
mkdir -p build
qs_build_win || exit 1
qs_prefix && qs_display && qs_wineserver
wine "$QS_BUILD/bin/ui_paint_bench.exe"
