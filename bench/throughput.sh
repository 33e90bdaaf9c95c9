#!/usr/bin/env bash
# Throughput benchmark of the download engine: one file served by a private nginx on
# loopback, fetched alternately by qsget.exe under Wine and by curl, RUNS times each.
# Prints each run, the medians, the ratio pair by pair, CPU seconds per GiB and the peak
# memory of the Wine process against an idle Wine process (qsget.exe without arguments).
#   bench/throughput.sh [SIZE_MIB=1024] [RUNS=5]
# Not a test: it prints figures and never fails on them.
set -u
cd "$(dirname "$0")/.."
source tools/env.sh
size_mib=${1:-1024}; runs=${2:-5}
work="$QS_ROOT/build/bench-engine"
nginx_pid=
cleanup() { [ -n "$nginx_pid" ] && kill "$nginx_pid" 2>/dev/null; rm -f "$work/out.bin"; qs_stop_all; }
trap cleanup EXIT

qs_build_win >/dev/null || { echo "build failed"; exit 1; }
qs_prefix && qs_wineserver
mkdir -p "$work/www"
if [ "$(stat -c %s "$work/www/data.bin" 2>/dev/null)" != "$((size_mib * 1048576))" ]; then
  echo "making a ${size_mib} MiB file"
  head -c "$((size_mib * 1048576))" /dev/urandom >"$work/www/data.bin"
fi
want=$(sha256sum <"$work/www/data.bin" | cut -d' ' -f1)
rm -f "$work/port"
bash tests/fixtures/nginx_serve.sh "$work" "$work/port" || { echo "nginx did not start"; exit 1; }
read -r port nginx_pid <"$work/port"
url="http://127.0.0.1:$port/data.bin"
qsget="$QS_BUILD/bin/qsget.exe"

# One run: elapsed seconds, user+system CPU seconds, peak resident KiB.
measure() { /usr/bin/time -f "%e %U %S %M" -o "$work/time.txt" "$@" >/dev/null 2>&1; local rc=$?
  read -r e u s m < <(tail -1 "$work/time.txt"); echo "$rc $e $(echo "$u + $s" | bc) $m"; }

read -r _ idle_s _ idle < <(measure wine "$qsget")
: >"$work/results.txt"
for i in $(seq "$runs"); do
  rm -f "$work/out.bin"
  read -r rc e cpu mem < <(measure curl -s -o "$work/out.bin" "$url")
  ok=$([ "$(sha256sum <"$work/out.bin" | cut -d' ' -f1)" = "$want" ] && echo ok || echo BAD)
  echo "curl  run $i: ${e}s cpu ${cpu}s peak ${mem} KiB sha256 $ok" | tee -a "$work/results.txt"
  rm -f "$work/out.bin"
  read -r rc e cpu mem < <(measure wine "$qsget" "$url" "Z:$work/out.bin" --no-resume)
  ok=$([ "$(sha256sum <"$work/out.bin" | cut -d' ' -f1)" = "$want" ] && echo ok || echo BAD)
  echo "qsget run $i: ${e}s cpu ${cpu}s peak ${mem} KiB sha256 $ok exit $rc" | tee -a "$work/results.txt"
done
python3 - "$work/results.txt" "$size_mib" "$idle" "$idle_s" <<'PY'
import re, statistics, sys
lines = open(sys.argv[1]).read().splitlines()
mib = int(sys.argv[2]); idle = int(sys.argv[3]); start = float(sys.argv[4])
def runs(tool):
    out = []
    for l in lines:
        m = re.match(tool + r"\s+run \d+: ([\d.]+)s cpu ([\d.]+)s peak (\d+)", l)
        if m: out.append(tuple(float(x) for x in m.groups()))
    return out
c, q = runs("curl"), runs("qsget")
gib = mib / 1024
med = lambda xs: statistics.median(xs)
print(f"\nfile {mib} MiB, {len(q)} runs each, alternating")
print(f"curl : median {med([r[0] for r in c]):.3f} s = {mib / med([r[0] for r in c]):.0f} MiB/s, cpu {med([r[1] for r in c]) / gib:.2f} s/GiB")
print(f"qsget: median {med([r[0] for r in q]):.3f} s = {mib / med([r[0] for r in q]):.0f} MiB/s, cpu {med([r[1] for r in q]) / gib:.2f} s/GiB (Wine start included)")
ratios = [cr[0] / qr[0] for cr, qr in zip(c, q)]
print(f"an idle Wine process (qsget.exe without arguments) takes {start:.2f} s to start and end")
print("throughput ratio qsget/curl per pair: " + " ".join(f"{r:.2f}" for r in ratios) + f"  median {med(ratios):.2f}")
peak = max(r[2] for r in q)
print(f"peak memory: qsget {peak / 1024:.1f} MiB, idle Wine process {idle / 1024:.1f} MiB, difference {(peak - idle) / 1024:.1f} MiB")
PY
