#!/usr/bin/env bash
# Fuzzes every target for real, one after the other:
#   ./fuzz.sh [SECONDS] [TARGET...]     (default: 60 seconds each, all targets)
# Targets: update report extraction remembered_path. Installs clang and
# libFuzzer where missing, builds build-fuzz, and runs each target from its
# seeds and its corpus in fuzz-out/<target>/. Inputs that crash, leak or time
# out are copied into fuzz/findings/<target>/, which the tests replay.
set -euo pipefail
cd "$(dirname "$0")"

seconds=${1:-60}
if ! [[ $seconds =~ ^[0-9]+$ ]]; then
  echo "usage: ./fuzz.sh [SECONDS] [TARGET...]" >&2
  exit 2
fi
shift $(($# > 0 ? 1 : 0))
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(update report extraction remembered_path)
fi

scripts/install-deps.sh clang-14 libclang-rt-14-dev

build=build-fuzz
CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTVX_FUZZ=ON -DTVX_SANITIZE=OFF -DTVX_BUILD_APP=OFF -DTVX_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"${FUZZ_JOBS:-2}" --target tvx-fuzz-seeds \
  $(printf '%s_fuzz ' "${targets[@]}")

# The targets write into the temporary directory at every input: a memory
# file system where there is one, and nothing left behind.
scratch=$(mktemp -d "$( [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/tvx-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# Longest input per target: a few tables, a small cabinet, a path past its limit.
declare -A max_len=([update]=16384 [report]=16384 [extraction]=65536 [remembered_path]=40000)

found=0
for target in "${targets[@]}"; do
  out=fuzz-out/$target
  mkdir -p "$out/corpus" "$out/artifacts"
  rm -rf "$out/seeds"
  "$build/fuzz/tvx-fuzz-seeds" "$target" "$out/seeds" "$PWD" "$PWD/../shared"
  dict=()
  if [ -f "fuzz/$target.dict" ]; then
    dict=(-dict="fuzz/$target.dict")
  fi
  echo "== $target: $seconds s, log in $out/fuzz.log"
  set +e
  TMPDIR=$scratch "$build/fuzz/${target}_fuzz" "$out/corpus" "$out/seeds" "${dict[@]}" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="${max_len[$target]}" \
    -artifact_prefix="$out/artifacts/" -print_final_stats=1 >"$out/fuzz.log" 2>&1
  status=$?
  set -e
  tail -n 20 "$out/fuzz.log" | grep -E '^(#[0-9]+|Done|stat::|==[0-9]+==ERROR|SUMMARY|\*\*\*)' || true
  for artifact in "$out"/artifacts/*; do
    [ -f "$artifact" ] || continue
    mkdir -p "fuzz/findings/$target"
    cp "$artifact" "fuzz/findings/$target/"
    echo "   finding saved: fuzz/findings/$target/$(basename "$artifact")"
    rm -f "$artifact"
    found=1
  done
  if [ $status -ne 0 ] && [ $found -eq 0 ]; then
    echo "   $target stopped with status $status (see $out/fuzz.log)" >&2
    found=1
  fi
done
exit $found
