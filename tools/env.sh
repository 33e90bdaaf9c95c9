# Shared set-up for ./test, ./run and the benchmarks: installs what is missing, builds,
# and prepares the Windows side (zh_CN locale, private Wine prefix, display, Wine server).
# Sourced, not run. Every process started here is stopped by its own process id.

QS_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QS_NATIVE="$QS_ROOT/build/native"
QS_BUILD="$QS_ROOT/build/win"
export QS_ROOT QS_BUILD QS_NATIVE

qs_log() { printf '== %s\n' "$*" >&2; }

# Debian packages the project needs, with one command or file that proves each is there.
qs_deps() {
  local need=() pair pkg probe
  for pair in \
    cmake:/usr/bin/cmake g++:/usr/bin/g++ make:/usr/bin/make \
    googletest:/usr/src/googletest/CMakeLists.txt \
    g++-mingw-w64-x86-64-posix:/usr/bin/x86_64-w64-mingw32-g++-posix \
    binutils-mingw-w64-x86-64:/usr/bin/x86_64-w64-mingw32-windres \
    wine:/usr/bin/wine wine64:/usr/lib/wine/wine64 \
    xvfb:/usr/bin/Xvfb xcompmgr:/usr/bin/xcompmgr x11-utils:/usr/bin/xwininfo \
    nginx-light:/usr/sbin/nginx imagemagick:/usr/bin/import \
    fonts-noto-cjk:/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc \
    locales:/usr/share/i18n/locales/zh_CN python3:/usr/bin/python3 xdotool:/usr/bin/xdotool ; do
    pkg=${pair%%:*}; probe=${pair#*:}
    [ -e "$probe" ] || need+=("$pkg")
  done
  [ ${#need[@]} -eq 0 ] && return 0
  qs_log "installing: ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq >/dev/null && apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null \
    || { qs_log "apt-get failed for: ${need[*]}"; return 1; }
}

# zh_CN.UTF-8 generated privately: Wine takes its ANSI code page (936) from it.
qs_locale() {
  export LOCPATH="$QS_ROOT/build/locale"
  if [ ! -e "$LOCPATH/zh_CN.UTF-8/LC_CTYPE" ]; then
    mkdir -p "$LOCPATH"
    localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8" 2>/dev/null || [ -e "$LOCPATH/zh_CN.UTF-8/LC_CTYPE" ]
  fi
}

qs_wine_env() {
  qs_locale
  export WINEPREFIX="$QS_BUILD/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  # bash itself cannot load a locale from a LOCPATH set after it started: it only warns.
  { export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8; } 2>/dev/null
}

# The private prefix; unmanaged windows, so destroying one does not wait for a window manager.
qs_prefix() {
  qs_wine_env
  if [ ! -e "$WINEPREFIX/.qs-ready" ]; then
    qs_log "creating the Wine prefix"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.qs-ready"
  fi
}

QS_PIDS=()
qs_stop_all() {
  local pid
  if [ -n "${WINEPREFIX:-}" ] && [ -n "${QS_WINESERVER_STARTED:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true   # addresses this prefix's server only
  fi
  for pid in "${QS_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${QS_PIDS[@]}"; do wait "$pid" 2>/dev/null; done
  QS_PIDS=()
}

# A display for windows: the caller's, or our own Xvfb with a compositing manager
# (layered windows are blended only while one runs).
qs_display() {
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  local fifo num
  fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  QS_PIDS+=($!)
  read -r -t 15 num <"$fifo"; rm -f "$fifo"
  [ -n "$num" ] || { qs_log "Xvfb did not start"; return 1; }
  export DISPLAY=":$num"
  xcompmgr -n >/dev/null 2>&1 &
  QS_PIDS+=($!)
}

# One Wine server for the whole run, so each test program starts quickly.
qs_wineserver() {
  qs_wine_env
  wineserver -p 60 >/dev/null 2>&1 </dev/null &
  QS_WINESERVER_STARTED=1
  wait $! 2>/dev/null
  # The first Wine program starts the prefix's background services; started here with
  # detached output, they never hold a test's output pipe open.
  wine cmd /c exit >/dev/null 2>&1 </dev/null
}

qs_build_native() {
  cmake -S "$QS_ROOT" -B "$QS_NATIVE" -DCMAKE_BUILD_TYPE=Debug >"$QS_ROOT/build/native-configure.log" 2>&1 \
    || { cat "$QS_ROOT/build/native-configure.log"; return 1; }
  cmake --build "$QS_NATIVE" -j"$(nproc)" 2>&1 | grep -E 'error|warning|Error' ; return "${PIPESTATUS[0]}"
}

qs_build_win() {
  cmake -S "$QS_ROOT" -B "$QS_BUILD" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$QS_ROOT/cmake/mingw-w64.cmake" >"$QS_ROOT/build/win-configure.log" 2>&1 \
    || { cat "$QS_ROOT/build/win-configure.log"; return 1; }
  cmake --build "$QS_BUILD" -j"$(nproc)" 2>&1 | grep -E 'error|warning|Error' ; return "${PIPESTATUS[0]}"
}
