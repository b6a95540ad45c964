#!/usr/bin/env bash
# Import of a pocket query (10,000 caches with logs, about 45 MB) with quarrybook-cli, side by
# side with gpsbabel reading and writing the same file. For each run, in a fresh home folder:
#   1. quarrybook-cli import into an empty database;
#   2. the same import again, into the now full database (every record is merged);
#   3. gpsbabel -i gpx -f FILE -o gpx -F OUT.
# Each is measured with /usr/bin/time -v: wall time, CPU time (user + system), peak resident
# memory. The targets: the first import takes at most half of gpsbabel's wall time, both imports
# stay below 100 MiB, and the re-import takes at most 1.5 times the first import.
#
# Usage: bench/import_vs_gpsbabel.sh [--build DIR] [--caches N] [--logs N] [--runs N] [--keep]
#   --build DIR  a Release build directory with quarrybook-cli and the GPX import plug-in built
#                (default: build-rel in the source tree), e.g.
#                  cmake -S . -B build-rel -DCMAKE_BUILD_TYPE=Release -DQB_BUILD_TESTS=OFF
#                  cmake --build build-rel --target quarrybook-cli qbplugin_gpx_import
#   --caches N   caches in the pocket query (default 10000); --logs N logs per cache (default 5)
#   --runs N     measure N times and report the medians as well (default 1)
#   --keep       keep the work folder (pocket query, home folders, logs)
# Exit status: 0 when every target is met, 1 when one is missed or a step fails, 2 on usage.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-rel
caches=10000
logs=5
runs=1
keep=0
while [ $# -gt 0 ]; do
    case $1 in
    --build) build=$(cd "$2" && pwd); shift 2 ;;
    --caches) caches=$2; shift 2 ;;
    --logs) logs=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --keep) keep=1; shift ;;
    -h | --help) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    *) echo "unknown option $1 (see --help)" >&2; exit 2 ;;
    esac
done

cli=$build/src/cli/quarrybook-cli
for need in "$cli" "$build/plugins/gpx_import.so"; do
    [ -e "$need" ] || { echo "missing $need: build quarrybook-cli and qbplugin_gpx_import" >&2; exit 1; }
done
command -v gpsbabel >/dev/null || { echo "gpsbabel is not installed (apt-get install -y gpsbabel)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time is not installed (apt-get install -y time)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/qb-import-bench.XXXXXX")
if [ $keep = 0 ]; then trap 'rm -rf "$work"' EXIT; else echo "work folder: $work"; fi

pq=$work/pocket_query.gpx
python3 "$root/bench/make_pocket_query.py" --caches "$caches" --logs "$logs" "$pq"
size_mb=$(awk -v b="$(stat -c %s "$pq")" 'BEGIN { printf "%.1f", b / 1048576 }')

# Runs a command under /usr/bin/time -v; its report goes to $1, its output to $1.out/$1.err.
measure() {
    local report=$1
    shift
    if ! /usr/bin/time -v -o "$report" "$@" >"$report.out" 2>"$report.err"; then
        echo "failed: $*" >&2
        cat "$report.out" "$report.err" >&2
        exit 1
    fi
}
# Wall seconds, CPU seconds and peak memory in MiB from a /usr/bin/time -v report.
figures() {
    awk -F': ' '
        /Elapsed \(wall clock\)/ { n = split($2, p, ":"); wall = 0
                                   for (i = 1; i <= n; i++) wall = wall * 60 + p[i] }
        /User time/ { cpu += $2 }
        /System time/ { cpu += $2 }
        /Maximum resident set size/ { rss = $2 / 1024 }
        END { printf "%.2f %.2f %.1f\n", wall, cpu, rss }' "$1"
}

declare -a imp_wall imp_cpu imp_rss re_wall re_cpu re_rss gb_wall gb_cpu gb_rss
for run in $(seq 1 "$runs"); do
    home=$work/home$run
    mkdir -p "$home"
    export QUARRYBOOK_HOME=$home
    "$cli" create --db Bench >/dev/null
    measure "$work/import$run" "$cli" import --db Bench --plugin "GPX Import" "$pq"
    count=$("$cli" count --db Bench)
    [ "$count" = "$caches" ] || { echo "the import stored $count records, not $caches" >&2; exit 1; }
    measure "$work/reimport$run" "$cli" import --db Bench --plugin "GPX Import" "$pq"
    count=$("$cli" count --db Bench)
    [ "$count" = "$caches" ] || { echo "the re-import left $count records, not $caches" >&2; exit 1; }
    measure "$work/gpsbabel$run" gpsbabel -i gpx -f "$pq" -o gpx -F "$work/gpsbabel$run.gpx"
    read -r imp_wall[run] imp_cpu[run] imp_rss[run] < <(figures "$work/import$run")
    read -r re_wall[run] re_cpu[run] re_rss[run] < <(figures "$work/reimport$run")
    read -r gb_wall[run] gb_cpu[run] gb_rss[run] < <(figures "$work/gpsbabel$run")
done

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo
echo "Pocket query: $caches caches, $logs logs each, $size_mb MiB; $runs run(s); $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-8s %-44s %9s %9s %10s\n' run step "wall s" "CPU s" "peak MiB"
for run in $(seq 1 "$runs"); do
    printf '%-8s %-44s %9s %9s %10s\n' "$run" "quarrybook-cli import (empty database)" "${imp_wall[run]}" "${imp_cpu[run]}" "${imp_rss[run]}"
    printf '%-8s %-44s %9s %9s %10s\n' "$run" "quarrybook-cli import again (all merged)" "${re_wall[run]}" "${re_cpu[run]}" "${re_rss[run]}"
    printf '%-8s %-44s %9s %9s %10s\n' "$run" "gpsbabel -i gpx -f FILE -o gpx -F OUT" "${gb_wall[run]}" "${gb_cpu[run]}" "${gb_rss[run]}"
done
iw=$(median "${imp_wall[@]}"); ic=$(median "${imp_cpu[@]}"); ir=$(median "${imp_rss[@]}")
rw=$(median "${re_wall[@]}"); rc=$(median "${re_cpu[@]}"); rr=$(median "${re_rss[@]}")
gw=$(median "${gb_wall[@]}"); gc=$(median "${gb_cpu[@]}"); gr=$(median "${gb_rss[@]}")
if [ "$runs" -gt 1 ]; then
    printf '%-8s %-44s %9s %9s %10s\n' median "quarrybook-cli import (empty database)" "$iw" "$ic" "$ir"
    printf '%-8s %-44s %9s %9s %10s\n' median "quarrybook-cli import again (all merged)" "$rw" "$rc" "$rr"
    printf '%-8s %-44s %9s %9s %10s\n' median "gpsbabel -i gpx -f FILE -o gpx -F OUT" "$gw" "$gc" "$gr"
fi

echo
status=0
check() { # description, condition (awk expression), figures
    if awk "BEGIN { exit !($2) }"; then echo "met:    $1 ($3)"; else echo "MISSED: $1 ($3)"; status=1; fi
}
check "import <= 1/2 gpsbabel, wall" "$iw <= $gw / 2" "$iw s vs $gw s"
check "peak memory < 100 MiB" "$ir < 100 && $rr < 100" "$ir and $rr MiB"
check "re-import <= 1.5 x import, wall" "$rw <= 1.5 * $iw" "$rw s vs $iw s"
awk -v i="$ic" -v g="$gc" 'BEGIN { printf "info:   CPU time, import / gpsbabel: %.2f\n", i / g }'
exit $status
