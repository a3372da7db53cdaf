#!/usr/bin/env bash
# Fuzzes the trainer's readers with libFuzzer (a developer tool, not part of the test suite).
#
#   scripts/fuzz.sh [--adopt] movie|bank [seconds]
#   scripts/fuzz.sh adopt build-fuzz/run-<target>-<time>
#
#   movie  the movie reader and the step engine, playing what it reads with the shipped
#          PowerPoint kit (movie/kit/, compiled in): tests/fuzz/fuzz_movie.cpp
#   bank   the bank's set-file reader (bank/sets/*.txt): tests/fuzz/fuzz_bank.cpp
#
# Needs clang with libFuzzer: the Debian package "clang" (apt-get install clang), besides what
# scripts/setup.sh installs. The targets are built in their own folder (build-fuzz/, or
# DRILL_FUZZ_BUILD_DIR) with address and undefined-behaviour sanitizers. The machine's cores are
# few: run one target at a time.
#
# A run (default 600 seconds) starts from the checked-in corpus (tests/data/fuzz-<target>, which
# the test suite replays) and seeds (the test and bank movies, or the bank's set files). The
# checked-in corpus is never written: the run's new inputs, the merged (minimised) corpus and any
# crash go to build-fuzz/run-<target>-<time>/. "adopt <run>" (or --adopt, for the run being made)
# puts the merged corpus in the place of tests/data/fuzz-<target>, in one atomic exchange of folders.
# Inputs named regression-* (a fault once found, kept after its fix) survive every merge.
# A crash's input is in the run's crashes/ folder: fix the fault, then add the input to the corpus
# as regression-<what>.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

usage() {
  sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
}
command -v clang >/dev/null || {
  echo "fuzz.sh: clang is missing: apt-get install clang" >&2
  exit 1
}

# Puts the merged corpus of a finished run in the place of the checked-in corpus: the two folders
# trade places in one renameat2(RENAME_EXCHANGE), so a reader sees the old corpus or the new one,
# never a mixture; the old one is then removed.
adopt_run() {
  local run target corpus staged exchange
  run=$(cd "$1" && pwd)
  target=$(cat "$run/target" 2>/dev/null) || {
    echo "fuzz.sh: $1 is not a finished run" >&2
    exit 1
  }
  [ -d "$run/merged" ] && [ -n "$(ls -A "$run/merged")" ] || {
    echo "fuzz.sh: $run has no merged corpus" >&2
    exit 1
  }
  corpus="$here/tests/data/fuzz-$target"
  staged="$(dirname "$corpus")/.fuzz-$target.staged"
  rm -rf "$staged"
  cp -r "$run/merged" "$staged"
  if [ -d "$corpus" ]; then
    exchange="$run/exchange"
    cat >"$exchange.c" <<'C'
#define _GNU_SOURCE
#include <fcntl.h>
#include <linux/fs.h>
#include <stdio.h>
int main(int argc, char** argv)
{
    if (argc != 3 || renameat2(AT_FDCWD, argv[1], AT_FDCWD, argv[2], RENAME_EXCHANGE) != 0) {
        perror("fuzz.sh: exchange");
        return 1;
    }
    return 0;
}
C
    clang -o "$exchange" "$exchange.c"
    "$exchange" "$staged" "$corpus"
    rm -rf "$staged" # now the old corpus
  else
    mv "$staged" "$corpus"
  fi
  echo "fuzz.sh: adopted: $corpus holds the merged corpus of $run ($(ls "$corpus" | wc -l) files);"
  echo "  review and commit it: git add -A '$corpus' && git status --short '$corpus'"
}

if [ "${1:-}" = adopt ]; then
  [ $# -eq 2 ] || usage
  adopt_run "$2"
  exit 0
fi
adopt=0
if [ "${1:-}" = "--adopt" ]; then
  adopt=1
  shift
fi
target=${1:-}
seconds=${2:-600}
case "$target" in
  movie | bank) ;;
  *) usage ;;
esac

build=${DRILL_FUZZ_BUILD_DIR:-$here/build-fuzz}
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined"
cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link $sanitizers" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" -DDRILL_FUZZ=ON -DDRILL_BUILD_TESTS=OFF \
  -DDRILL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target "fuzz_$target" -j2
fuzzer="$build/fuzz/fuzz_$target"

corpus="$here/tests/data/fuzz-$target"
run="$build/run-$target-$(date +%Y%m%d-%H%M%S)"
mkdir -p "$corpus" "$run/new" "$run/seeds" "$run/crashes" "$run/merged"
echo "$target" >"$run/target"
dict="$run/dict"
if [ "$target" = movie ]; then
  cp "$here"/tests/data/movies/*.movie "$run/seeds/"
  for f in "$here"/bank/movies/*/*.movie; do
    cp "$f" "$run/seeds/$(basename "$(dirname "$f")")-$(basename "$f")"
  done
  max_len=4096
  printf '"%s"\n' pptdrill-movie version presentation slides selected steps accept hint caption set \
    result completion master shapes body titleFont bodyFont size slide allSlides insertSlide at \
    deleteSlide moveSlideTo addShape view taskpane layout menu: context: toolbar: key: dialog: \
    taskpane: thumb: click: dblclick: click:thumb: dblclick:thumb: click:shape: dblclick:shape: \
    shape: title body subtitle notes >"$dict"
else
  cp "$here"/bank/sets/*.txt "$run/seeds/"
  max_len=16384
  # libFuzzer's dictionaries take bytes beyond ASCII as \xNN.
  perl -e 'for (@ARGV) { s/([^\x20-\x7e]|["\\])/sprintf("\\x%02X", ord $1)/ge; print "\"$_\"\n" }' \
    '套题类 = ' '第1套题' '第12套题' '课程名 = ' '[1]' '[' ']' '题型 = 5' '题干 = ' '考点 = ' \
    '影片 = ' 'movies/01/1.movie' '窗口与视图' '文本' '打印' '=' '#' >"$dict"
fi

echo "fuzz.sh: fuzz_$target for $seconds s; output in $run"
status=0
(cd "$run" && "$fuzzer" -max_total_time="$seconds" -max_len="$max_len" -dict="$dict" -timeout=20 \
  -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$run/crashes/" \
  "$run/new" "$corpus" "$run/seeds") >"$run/fuzz.log" 2>&1 || status=$?
grep -E '^(#[0-9]+.*DONE|Done [0-9]+ runs|stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==ERROR|SUMMARY)' \
  "$run/fuzz.log" || true
if [ -n "$(ls -A "$run/crashes")" ]; then
  echo "fuzz.sh: fuzz_$target found a fault; the input is in $run/crashes/, the report in $run/fuzz.log" >&2
  exit 1
elif [ "$status" -ne 0 ]; then
  echo "fuzz.sh: fuzz_$target did not run through (exit $status); see $run/fuzz.log" >&2
  exit 1
fi

# The merged corpus: the least set of inputs that reaches what all of them reach, and the regressions.
"$fuzzer" -merge=1 "$run/merged" "$corpus" "$run/new" "$run/seeds" >"$run/merge.log" 2>&1
for kept in "$corpus"/regression-*; do
  [ -f "$kept" ] || continue
  rm -f "$run/merged/$(sha1sum <"$kept" | cut -d' ' -f1)" # the merge's copy, named by its SHA-1
  cp "$kept" "$run/merged/"
done
echo "fuzz.sh: merged corpus: $(ls "$run/merged" | wc -l) files (checked in: $(ls "$corpus" | wc -l))"

if [ "$adopt" -eq 0 ]; then
  echo "fuzz.sh: to adopt it:  scripts/fuzz.sh adopt '$run'"
else
  adopt_run "$run"
fi
