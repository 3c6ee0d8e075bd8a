#!/usr/bin/env bash
# Benchmark of the command-line tool (not a test): generates a folder of chorale-sized
# scores (four parts, 40 measures, a hold every eighth measure, one voice now and then
# forgetting it) and reports how many files per second the release build checks.
# Usage: scripts/bench.sh [FILES=300] [--profile]   (--profile records with perf)
set -euo pipefail
cd "$(dirname "$0")/.."

files=${1:-300}
profile=${2:-}

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target holdsync_cli >/dev/null 2>&1
tool=./build/release/cli/holdsync

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

awk -v files="$files" -v folder="$folder" 'BEGIN {
    split("Soprano Alto Tenor Bass", names, " ")
    split("C D E F G A B", steps, " ")
    srand(7)
    for (f = 1; f <= files; f++) {
        out = sprintf("%s/chorale-%04d.musicxml", folder, f)
        forgetful = int(rand() * 4) + 1
        printf "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<score-partwise version=\"4.0\">\n<part-list>\n" > out
        for (p = 1; p <= 4; p++)
            printf "<score-part id=\"P%d\"><part-name>%s</part-name></score-part>\n", p, names[p] > out
        printf "</part-list>\n" > out
        for (p = 1; p <= 4; p++) {
            printf "<part id=\"P%d\">\n", p > out
            for (m = 1; m <= 40; m++) {
                printf "<measure number=\"%d\">", m > out
                if (m == 1) printf "<attributes><divisions>2</divisions><time><beats>4</beats><beat-type>4</beat-type></time></attributes>" > out
                if (m % 8 == 1) printf "<direction><direction-type><words>p</words></direction-type></direction>" > out
                for (n = 1; n <= 4; n++) {
                    hold = (m % 8 == 0 && n == 4 && !(p == forgetful && m == 16))
                    printf "<note><pitch><step>%s</step><octave>%d</octave></pitch><duration>2</duration><voice>1</voice><type>quarter</type>%s</note>", \
                        steps[int(rand() * 7) + 1], 6 - p, hold ? "<notations><fermata type=\"upright\"/></notations>" : "" > out
                }
                printf "</measure>\n" > out
            }
            printf "</part>\n" > out
        }
        printf "</score-partwise>\n" > out
        close(out)
    }
}'

bytes=$(du -sk "$folder" | cut -f1)
start=$(date +%s.%N)
status=0
TIMEFORMAT="cpu: %U s user, %S s system"
time { "$tool" "$folder" >"$folder.out" || status=$?; }
end=$(date +%s.%N)
tail -n 1 "$folder.out"
rm -f "$folder.out"
[ "$status" -le 1 ] || { echo "the tool failed (status $status)"; exit 1; }
awk -v n="$files" -v s="$start" -v e="$end" -v kb="$bytes" \
    'BEGIN { t = e - s; printf "%d files (%d KiB) in %.2f s: %.1f files per second\n", n, kb, t, n / t }'

if [ "$profile" = "--profile" ]; then
    perf record -g -o "$folder/perf.data" "$tool" "$folder" >/dev/null 2>&1 || true
    perf report -i "$folder/perf.data" --no-children --percent-limit 2 --stdio 2>/dev/null | grep -E '^ +[0-9]' | head -25
fi
