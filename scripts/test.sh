#!/usr/bin/env bash
# Installs what is missing, builds the utility (release and ASan+UBSan) and runs every test,
# the fuzz targets for a few seconds each and the browser tests.
set -uo pipefail
cd "$(dirname "$0")/.."

packages=(g++ cmake make libgtest-dev libbenchmark-dev libxxhash-dev libdtl-dev)
missing=()
for package in "${packages[@]}"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if ((${#missing[@]})); then
  apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}" || exit 1
fi

jobs=$(nproc)
passed=0
failed=0

# run_suite NAME BUILD_DIR CMAKE_ARGS...: configures, builds and runs ctest in BUILD_DIR.
run_suite() {
  local name=$1 dir=$2
  shift 2
  echo "== $name"
  if ! cmake -S . -B "$dir" "$@" >/dev/null || ! cmake --build "$dir" -j "$jobs" >"$dir.log" 2>&1; then
    cat "$dir.log" 2>/dev/null
    echo "$name: build failed"
    failed=$((failed + 1))
    return
  fi
  local log
  log=$(ctest --test-dir "$dir" -j "$jobs" --output-on-failure 2>&1)
  echo "$log" | grep -v -E '^ *([0-9]+/[0-9]+ Test +#[0-9]+: .* Passed|Start +[0-9]+:)'
  local total fails
  total=$(echo "$log" | sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' | tail -1)
  fails=$(echo "$log" | sed -n 's/.*, \([0-9]*\) tests failed out of.*/\1/p' | tail -1)
  if [ -z "$total" ]; then
    failed=$((failed + 1))
    return
  fi
  passed=$((passed + total - fails))
  failed=$((failed + fails))
}

run_suite "release build" build/release -DCMAKE_BUILD_TYPE=Release
run_suite "sanitizer build (ASan+UBSan)" build/asan -DCMAKE_BUILD_TYPE=Debug -DTVQ_SANITIZE=ON

# ---- Fuzz targets ----------------------------------------------------------------------------
# The libFuzzer targets of tests/fuzz/, built with clang-14 in build/fuzz, each run for a few
# seconds from its seed corpus; each counts as one test. New inputs go to a fresh folder under
# build/fuzz/corpus, never into the repository; crash reports to build/fuzz/crashes. Installs
# clang when missing.
run_fuzz_targets() {
  echo "== fuzz targets (libFuzzer, clang-14)"
  local dir=build/fuzz wanted=() package
  for package in clang-14 libclang-rt-14-dev; do
    dpkg -s "$package" >/dev/null 2>&1 || wanted+=("$package")
  done
  if ((${#wanted[@]})) && ! { apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y "${wanted[@]}"; }; then
    echo "fuzz targets: cannot install ${wanted[*]}"
    failed=$((failed + 1))
    return
  fi
  if ! cmake -S . -B "$dir" -DTVQ_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
         -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null ||
     ! cmake --build "$dir" -j "$jobs" >"$dir.log" 2>&1; then
    cat "$dir.log" 2>/dev/null
    echo "fuzz targets: build failed"
    failed=$((failed + 1))
    return
  fi
  local seeds name log options
  for seeds in tests/fuzz/corpus/*/; do
    name=$(basename "$seeds")
    log=$dir/$name.log
    rm -rf "${dir:?}/corpus/$name"
    mkdir -p "$dir/corpus/$name" "$dir/crashes"
    options=(-max_total_time=5 -max_len=2048 -timeout=10 -artifact_prefix="$PWD/$dir/crashes/$name-")
    [ -f "tests/fuzz/$name.dict" ] && options+=(-dict="tests/fuzz/$name.dict")
    if "$dir/tests/fuzz/$name" "${options[@]}" "$dir/corpus/$name" "$seeds" >"$log" 2>&1; then
      echo "$name: passed ($(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log") inputs)"
      passed=$((passed + 1))
    else
      tail -n 40 "$log"
      echo "$name: FAILED (log: $log, input: $dir/crashes/)"
      failed=$((failed + 1))
    fi
  done
}
run_fuzz_targets
# ---- end of fuzz targets ---------------------------------------------------------------------

# ---- Browser tests ---------------------------------------------------------------------------
# The oldest Node.js major version that every locked npm package accepts: the highest ">=N" in
# their engines; empty when none names one.
oldest_node_major() {
  sed -n 's/^ *"node": *">= *\([0-9]*\).*/\1/p' tests/browser/package-lock.json | sort -n | tail -n 1
}

# Headless Chromium drives the release build served by lighttpd and by Apache (tests/browser/).
# Installs Chromium, lighttpd, Apache, Node.js and the locked npm packages when missing, names the
# Node.js needed when the one found is older; folds the counts in.
run_browser_tests() {
  echo "== browser tests (headless Chromium, lighttpd and Apache)"
  local path=$PATH:/usr/sbin:/sbin wanted=()
  [ -x /usr/bin/chromium ] || wanted+=(chromium)
  PATH=$path command -v lighttpd >/dev/null || wanted+=(lighttpd)
  PATH=$path command -v apache2 >/dev/null || wanted+=(apache2)
  command -v htpasswd >/dev/null || wanted+=(apache2-utils)
  command -v node >/dev/null || wanted+=(nodejs)
  command -v npm >/dev/null || wanted+=(npm)
  if ((${#wanted[@]})) && ! { apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y "${wanted[@]}"; }; then
    echo "browser tests: cannot install ${wanted[*]}"
    failed=$((failed + 1))
    return
  fi
  local need have
  need=$(oldest_node_major)
  have=$(node --version | sed -n 's/^v\([0-9]*\)\..*/\1/p')
  if [ -n "$need" ] && ((${have:-0} < need)); then
    echo "browser tests: they need Node.js $need or newer (the engines of the locked npm packages)," \
      "but $(command -v node) is Node.js $(node --version); install a newer one or put it first in PATH"
    failed=$((failed + 1))
    return
  fi
  # npm ci again when the lock file changed since the last install (a package added or moved).
  if [ tests/browser/package-lock.json -nt tests/browser/node_modules/.package-lock.json ] &&
     ! (cd tests/browser && npm ci --no-audit --no-fund); then
    echo "browser tests: npm ci failed"
    failed=$((failed + 1))
    return
  fi
  local log=build/browser-tests.log
  (cd tests/browser && PATH=$path TVQ_BUILD_DIR=build/release node --test --test-reporter=tap ./*.test.mjs) >"$log" 2>&1
  local pass fail cancelled
  pass=$(sed -n 's/^# pass \([0-9]*\)$/\1/p' "$log" | tail -1)
  fail=$(sed -n 's/^# fail \([0-9]*\)$/\1/p' "$log" | tail -1)
  cancelled=$(sed -n 's/^# cancelled \([0-9]*\)$/\1/p' "$log" | tail -1)
  if [ -z "$pass" ] || [ -z "$fail" ]; then
    cat "$log"
    echo "browser tests: no result (log: $log)"
    failed=$((failed + 1))
    return
  fi
  if ((fail + ${cancelled:-0})); then cat "$log"; else grep -E '^ *ok [0-9]+ - ' "$log"; fi
  echo "browser tests: $pass passed, $((fail + ${cancelled:-0})) failed (screenshots: test-results/browser/)"
  passed=$((passed + pass))
  failed=$((failed + fail + ${cancelled:-0}))
}
run_browser_tests
# ---- end of browser tests --------------------------------------------------------------------

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
