#!/usr/bin/env bash
# Starts (or stops) the package servers of the end-to-end tests: a fast one and a slow
# one (so a transfer can be caught half-way), both serving the demo installer as the
# package, padded to a few megabytes; a dead port, for downloads that fail; a flaky proxy
# in front of the fast one that cuts a transfer when asked (GET /_cut/N on it); and a
# stand-in browser that only writes down the address it was given (so no test ever opens
# a real browser).
set -eu
cmd=${1:?start|stop}; dir=${2:?dir}; bin=${3:-}
here=$(cd "$(dirname "$0")/../.." && pwd)
case "$cmd" in
start)
  mkdir -p "$dir"
  # The demo installer with 3 MiB of fixed filler behind it: still a program that runs.
  cp "$bin/demo_installer.exe" "$dir/package.exe"
  python3 -c "import random,sys; r=random.Random(7); sys.stdout.buffer.write(bytes(r.getrandbits(8) for _ in range(3*1048576)))" >>"$dir/package.exe"
  "$here/tools/package-server.sh" start "$dir/fast" "$dir/package.exe" >/dev/null
  "$here/tools/package-server.sh" start "$dir/slow" "$dir/package.exe" 300k >/dev/null
  # A port where nothing listens: every connection is refused, so every download fails.
  mkdir -p "$dir/dead"
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])' >"$dir/dead/port"
  mkdir -p "$dir/flaky"
  rm -f "$dir/flaky/portpid"
  setsid python3 "$here/tests/fixtures/scripted_server.py" --port-file "$dir/flaky/portpid" \
    --upstream "127.0.0.1:$(cat "$dir/fast/port")" --idle-exit 1800 </dev/null >"$dir/flaky/stdout.log" 2>&1 &
  for _ in $(seq 100); do [ -s "$dir/flaky/portpid" ] && break; sleep 0.1; done
  cut -d' ' -f1 "$dir/flaky/portpid" >"$dir/flaky/port"
  cat >"$dir/browser.sh" <<SH
#!/bin/sh
printf '%s\\n' "\$@" >>"$dir/browser.txt"
SH
  chmod +x "$dir/browser.sh"
  ;;
stop)
  "$here/tools/package-server.sh" stop "$dir/fast"
  "$here/tools/package-server.sh" stop "$dir/slow"
  if [ -s "$dir/flaky/portpid" ]; then kill "$(cut -d' ' -f2 "$dir/flaky/portpid")" 2>/dev/null || true; fi
  ;;
esac
