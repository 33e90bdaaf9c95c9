#!/usr/bin/env bash
# Throughput of DownloadFile (qsget.exe under Wine) against curl on the same file served
# by nginx on loopback, alternating, RUNS runs each; medians, the ratio pair by pair,
# CPU seconds per GiB, and the peak memory of the Wine process against an idle one.
#   bench/download.sh [SIZE_MIB=1024] [RUNS=5]
set -eu
cd "$(dirname "$0")/.."
source tools/env.sh
size=${1:-1024}; runs=${2:-5}
work="$QS_ROOT/build/bench-download"; rm -rf "$work"; mkdir -p "$work"
trap 'tools/package-server.sh stop "$work/server" 2>/dev/null; qs_stop_all' EXIT
qs_build_win >/dev/null || { echo "build failed"; exit 1; }
qs_prefix; qs_wineserver
head -c $((size * 1048576)) /dev/urandom >"$work/file.bin"
port=$(tools/package-server.sh start "$work/server" "$work/file.bin")
url="http://127.0.0.1:$port/uploads/hub/Velmora%EF%BC%88%E6%B9%96%E5%8C%97%EF%BC%89%EF%BC%88%E5%AE%8C%E6%95%B4%E5%AE%89%E8%A3%85%E5%8C%85%EF%BC%89.exe"
m() { python3 bench/run_measured.py "$@"; }
idle=$(m wine cmd /c exit | awk '{print $3}')
echo "size ${size} MiB, ${runs} runs each; idle Wine process peak RSS ${idle} KiB"
: >"$work/rows"
for i in $(seq "$runs"); do
  rm -f "$work/q.bin" "$work/q.bin.tmp" "$work/q.bin.sdc" "$work/c.bin"
  q=$(m wine "$QS_BUILD/bin/qsget.exe" "$url" "Z:${work//\//\\}\\q.bin" --no-resume)
  c=$(m curl -s --noproxy '*' -o "$work/c.bin" "$url")
  cmp -s "$work/q.bin" "$work/file.bin" || echo "run $i: qsget file differs!"
  echo "$q $c" | tee -a "$work/rows" | awk -v s="$size" '{printf "run: qsget %.2fs (%.0f MiB/s, cpu %.2fs, rss %d KiB)  curl %.2fs (%.0f MiB/s)  ratio %.2f\n", $1, s/$1, $2, $3, $5, s/$5, $5/$1}'
done
python3 - "$work/rows" "$size" "$idle" <<'PY'
import statistics, sys
rows = [list(map(float, l.split())) for l in open(sys.argv[1])]
size, idle = float(sys.argv[2]), float(sys.argv[3])
q = statistics.median(r[0] for r in rows); c = statistics.median(r[4] for r in rows)
ratio = statistics.median(r[4] / r[0] for r in rows)
cpu = statistics.median(r[1] for r in rows) / (size / 1024)
rss = max(r[2] for r in rows)
print(f"median: qsget {q:.2f}s ({size/q:.0f} MiB/s), curl {c:.2f}s ({size/c:.0f} MiB/s); "
      f"throughput ratio qsget/curl {ratio:.2f} (median of pairs)")
print(f"qsget CPU {cpu:.2f} s per GiB; peak RSS {rss:.0f} KiB, {(rss - idle)/1024:.1f} MiB above an idle Wine process")
PY
