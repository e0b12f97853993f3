#!/usr/bin/env bash
# Start-up of the program as a ratio to a one-label window started the same way: both are whole
# processes timed by hyperfine from exec to their first frame (bench/first_frame.cpp ends them
# there), each in a fresh settings and data folder, so no kept game or settings of a player's are read.
#   bench/start_up.sh [BUILD_DIR] [RUNS]   (default build, 30 runs; QT_QPA_PLATFORM as set, else offscreen)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${2:-30}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
command -v hyperfine >/dev/null || { echo "hyperfine is needed: apt-get install hyperfine" >&2; exit 1; }
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$home/cache
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
label=$build/bench/start_up_label
program=$build/bin/start_up_program
for p in "$label" "$program"; do [ -x "$p" ] || { echo "not built: $p" >&2; exit 1; }; done
# A settings file left beside the program by another run would move the window: none is read.
rm -f "$build/bin/Параметры.ini"
hyperfine -N --style basic --warmup 3 --runs "$runs" --export-json "$home/times.json" \
  -n label "$label" -n program "$program" >/dev/null
python3 - "$home/times.json" "$QT_QPA_PLATFORM" "$runs" <<'PY'
import json, statistics, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
def ms(r): return [t * 1000 for t in r["times"]]
label, program = ms(results["label"]), ms(results["program"])
def row(name, t):
    q = statistics.quantiles(t, n=4)
    return f"{name:<8} median {statistics.median(t):7.1f} ms   quartiles {q[0]:6.1f}–{q[2]:6.1f}   min {min(t):6.1f}   max {max(t):6.1f}"
print(f"start-up to the first frame, {sys.argv[3]} runs each, platform {sys.argv[2]}")
print(row("label", label))
print(row("program", program))
print(f"ratio of medians {statistics.median(program) / statistics.median(label):.2f}x "
      f"(quartile to quartile {statistics.quantiles(program, n=4)[0] / statistics.quantiles(label, n=4)[0]:.2f}x–"
      f"{statistics.quantiles(program, n=4)[2] / statistics.quantiles(label, n=4)[2]:.2f}x)")
PY
