#!/usr/bin/env bash
# Builds the board model's libFuzzer target with clang and runs it for a while,
# starting from a few seeds of each command family.
#   board/fuzz/run-fuzz.sh [seconds=60] [build-dir=<repo>/build-fuzz]
# Exits non-zero when the fuzzer finds a crash; the input that caused it is
# left in <build-dir>/fuzz-artifacts/. Uses the same build folder and corpus
# as scripts/fuzz, which runs every fuzz target.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${2:-${VANTOR_FUZZ_BUILD_DIR:-$root/build-fuzz}}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVANTOR_FUZZ=ON >/dev/null
cmake --build "$build" --target fuzz_boardmodel

corpus=$build/corpus/fuzz_boardmodel
artifacts=$build/fuzz-artifacts
mkdir -p "$corpus" "$artifacts"
printf 'Hello\x0cWorld\x0d\xfe\x32\x01\x0f\xfe\x2d\x00\xfe\x2e\x05\x08\x0b' >"$corpus/seed-text"
printf '\x10\xfe\xc9AB\x0dCD\xff\xfe\xc8%s\xff\xfe\x2a\x01\xfe\x20' 0123456789abcdef >"$corpus/seed-screens"
printf '\x1f\xfe\xd3ABC\x0d\xff\xfe\xd4%s\x0dxy\xff' "$(printf 'x%.0s' {1..40})" >"$corpus/seed-scroll"
printf '\x0f\xfe\x04\xfe\x32\x00\x03\xfe\x2b\x0c\xfe\x2c\x50\xfe\x08\xfe\x0a\xfe\x0b\xfe\x0d\xfe\x0c' >"$corpus/seed-graph"
{ printf '\x1f\xfe\x64'; head -c 64 /dev/zero | tr '\0' '\021'; printf '\x00\x01'; } >"$corpus/seed-custom"

"$build/board/fuzz_boardmodel" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$corpus"
