#!/usr/bin/env bash
# Runs a Windows program under the build tree's private Wine prefix, in the zh_CN
# locale (ANSI code page 936). tools/env.sh exports the variables; the defaults below
# let ctest and gtest discovery work from a shell that only sourced it.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
: "${QS_BUILD:=$here/build/win}"
export WINEPREFIX="${WINEPREFIX:-$QS_BUILD/wineprefix}"
export LOCPATH="${LOCPATH:-$here/build/locale}"
export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine "$@"
