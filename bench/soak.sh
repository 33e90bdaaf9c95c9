#!/usr/bin/env bash
# Soak of the resume path: COUNT downloads of a SIZE_MB file through our scriptable server,
# each cut at a random byte (connection closed or reset) one to three times and resumed by
# the next qsget call until one returns 0. Prints how many ended with the right SHA-256,
# the calls taken, and every call that returned 0 with a wrong file.
#   bench/soak.sh [COUNT=200] [SIZE_MB=20]
# Not a test: it prints figures.
set -u
cd "$(dirname "$0")/.."
source tools/env.sh
count=${1:-200}; size_mb=${2:-20}
work="$QS_ROOT/build/bench-soak"
server_pid=
cleanup() { [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null; qs_stop_all; }
trap cleanup EXIT

qs_build_win >/dev/null || { echo "build failed"; exit 1; }
qs_prefix && qs_wineserver
mkdir -p "$work"
size=$((size_mb * 1000000))
[ "$(stat -c %s "$work/data.bin" 2>/dev/null)" = "$size" ] || head -c "$size" /dev/urandom >"$work/data.bin"
want=$(sha256sum <"$work/data.bin" | cut -d' ' -f1)
rm -f "$work/port"
python3 tests/fixtures/scripted_server.py --port-file "$work/port" --idle-exit 60 >/dev/null 2>&1 </dev/null &
server_pid=$!
for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.1; done
read -r port _ <"$work/port"
base="http://127.0.0.1:$port/f/soak?file=$work/data.bin"
qsget="$QS_BUILD/bin/qsget.exe"

right=0; wrong=0; calls_total=0; false_success=0; max_calls=0
start=$(date +%s)
for n in $(seq "$count"); do
  target="$work/out-$n.bin"
  rm -f "$target" "$target.tmp" "$target.sdc"
  cuts=$((RANDOM % 3 + 1)); calls=0; result=1
  while [ "$calls" -lt 12 ]; do
    calls=$((calls + 1))
    have=$(stat -c %s "$target.tmp" 2>/dev/null || echo 0)
    url=$base
    if [ "$cuts" -gt 0 ] && [ "$have" -lt $((size - 1)) ]; then
      # Cut somewhere in what is still to come; half the cuts reset the connection.
      left=$((size - have))
      at=$(( (RANDOM * 32768 + RANDOM) % (left - 1) + 1 ))
      url="$url&drop=$at$([ $((RANDOM % 2)) = 0 ] && echo '&reset=1')"
      cuts=$((cuts - 1))
    fi
    wine "$qsget" "$url" "Z:$target" >/dev/null 2>&1
    result=$?
    if [ "$result" = 0 ]; then
      if [ "$(sha256sum <"$target" | cut -d' ' -f1)" != "$want" ]; then
        false_success=$((false_success + 1)); echo "download $n call $calls: result 0 with a wrong file"
      fi
      break
    fi
  done
  calls_total=$((calls_total + calls)); [ "$calls" -gt "$max_calls" ] && max_calls=$calls
  if [ "$result" = 0 ] && [ "$(sha256sum <"$target" | cut -d' ' -f1)" = "$want" ]; then right=$((right + 1)); else wrong=$((wrong + 1)); fi
  rm -f "$target" "$target.tmp" "$target.sdc"
done
echo "downloads: $count of ${size_mb} MB; right SHA-256: $right; not right: $wrong"
echo "calls: $calls_total in all, $(echo "scale=2; $calls_total / $count" | bc) per download, at most $max_calls"
echo "calls that returned 0 with a wrong file: $false_success"
echo "time: $(( $(date +%s) - start )) s"
