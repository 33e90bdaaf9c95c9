#!/usr/bin/env bash
# Starts (or stops) the package servers of the end-to-end tests: a fast one and a slow
# one (so a transfer can be caught half-way), both serving the demo installer as the
# package, padded to a few megabytes; and a dead port, for downloads that fail.
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
  ;;
stop)
  "$here/tools/package-server.sh" stop "$dir/fast"
  "$here/tools/package-server.sh" stop "$dir/slow"
  ;;
esac
