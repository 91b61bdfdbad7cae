#!/bin/sh
# Runs the DBF engine benchmark side by side with shapelib and plain read()
# calls and prints the times and ratios. Targets: engine read at least 2x
# faster than shapelib, engine write at least 3x faster than shapelib, engine
# read within 3x of plain read().
# Each benchmark runs DBF_BENCH_REPETITIONS times (default 3) and the fastest
# run counts, since on a shared machine the others mostly measure neighbours;
# the repetitions of all benchmarks are interleaved, so that a busy spell
# does not fall on one of them alone.
#   bench/dbf_compare.sh [path/to/dbf_bench]    (DBF_BENCH_RECORDS=1000000)
set -eu
bench=${1:-$(dirname "$0")/../build/bench/dbf_bench}
json=$(mktemp)
trap 'rm -f "$json"' EXIT
"$bench" --benchmark_format=json --benchmark_repetitions="${DBF_BENCH_REPETITIONS:-3}" \
  --benchmark_enable_random_interleaving=true >"$json"
/usr/bin/python3 - "$json" <<'PY'
import json, sys
runs = {}
for b in json.load(open(sys.argv[1]))['benchmarks']:
    if b.get('run_type', 'iteration') != 'iteration':
        continue
    name = b['name'].split('/')[0]
    if name not in runs or b['real_time'] < runs[name]['real_time']:
        runs[name] = b
def ms(name, kind='real_time'):
    return runs[name][kind] if name in runs else None
for name in sorted(runs):
    print(f"{name:20s} wall {ms(name):9.1f} ms   cpu {ms(name, 'cpu_time'):9.1f} ms")
def ratio(label, slow, fast, target, kind):
    if ms(slow) is None or ms(fast) is None:
        print(f"{label}: not measured")
        return
    r = ms(slow, kind) / ms(fast, kind)
    print(f"{label}: {r:.2f}x ({kind.replace('_time', '')}; target {target})")
for kind in ('real_time', 'cpu_time'):
    ratio('read:  shapelib / engine', 'BM_ShapelibRead', 'BM_EngineRead', '>= 2', kind)
    ratio('write: shapelib / engine', 'BM_ShapelibWrite', 'BM_EngineWrite', '>= 3', kind)
    ratio('read:  engine / plain read()', 'BM_EngineRead', 'BM_PlainRead64K', '<= 3', kind)
PY
