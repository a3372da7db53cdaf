#!/usr/bin/env bash
# Fuzzes the movie reader with libFuzzer (clang) for a while and keeps the
# corpus it grows in tests/data/fuzz-movie, which the test suite replays.
#   scripts/fuzz-movie.sh [seconds]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-180}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
qt_cflags=$(pkg-config --cflags Qt6Core)
qt_libs=$(pkg-config --libs Qt6Core)
clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -DQT_NO_CAST_FROM_ASCII \
  -I"$here" $qt_cflags \
  "$here/tests/fuzz/fuzz_movie.cpp" "$here/movie/movie.cpp" "$here/movie/kitcatalog.cpp" \
  "$here/movie/moviesession.cpp" $qt_libs -o "$work/fuzz_movie"
corpus="$here/tests/data/fuzz-movie"
mkdir -p "$corpus" "$work/new"
# Seeds: the test movies.
cp "$here"/tests/data/movies/*.movie "$work/new/" 2>/dev/null || true
"$work/fuzz_movie" -max_total_time="$seconds" -max_len=4096 -dict=<(printf '"pptdrill-movie"\n"version"\n"presentation"\n"slides"\n"steps"\n"accept"\n"hint"\n"set"\n"menu:"\n"dialog:"\n"taskpane:"\n"thumb:"\n') "$work/new" "$corpus" 2>&1 | tail -n 5
# Keep a minimal corpus.
mkdir -p "$work/min"
"$work/fuzz_movie" -merge=1 "$work/min" "$work/new" "$corpus" >/dev/null 2>&1
rm -f "$corpus"/*
cp "$work/min"/* "$corpus/"
echo "corpus: $(ls "$corpus" | wc -l) files"
