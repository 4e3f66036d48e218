#!/usr/bin/env bash
# Builds and runs every test: the host tier (GoogleTest with ASan and UBSan, brief fuzz runs), the
# Wine tier (the cross-built code and the real exe under Wine) and the threaded host tests under
# ThreadSanitizer. Ends with one line counting all three.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh || exit 1
. tests/wine/wine-common.sh

logs=build/test-logs
mkdir -p "$logs"
status=0
tiers=(host windows)
if [ "$LDW_WINE_PRESET" != windows ]; then
  # This machine cannot execute 32-bit code: the 32-bit product is still built, and the Wine tier
  # runs the 64-bit build of the same code.
  echo "== windows: building the 32-bit exe only (this machine cannot execute 32-bit code)"
  if ! { cmake --preset windows -DLDW_WINE_TESTS=OFF >"$logs/windows-configure.log" 2>&1 &&
         cmake --build --preset windows >"$logs/windows-build.log" 2>&1; }; then
    echo "windows build failed; see $logs/windows-build.log"
    tail -n 30 "$logs/windows-build.log" 2>/dev/null || tail -n 30 "$logs/windows-configure.log"
    status=1
  fi
  tiers=(host "$LDW_WINE_PRESET")
fi
for tier in "${tiers[@]}"; do
  echo "== $tier tier"
  if cmake --preset "$tier" >"$logs/$tier-configure.log" 2>&1 &&
     cmake --build --preset "$tier" >"$logs/$tier-build.log" 2>&1; then
    ctest --preset "$tier" 2>&1 | tee "$logs/$tier-ctest.log" | grep -E "tests passed|Failed|Not Run|Timeout|\*\*\*" || true
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  else
    echo "$tier build failed; see $logs/$tier-configure.log and $logs/$tier-build.log"
    tail -n 30 "$logs/$tier-build.log" 2>/dev/null || tail -n 30 "$logs/$tier-configure.log"
    status=1
  fi
done

# The tests that run real threads, again under ThreadSanitizer (no preset: a build folder of its own).
echo "== thread sanitizer"
if cmake -S . -B build/host-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLDW_SANITIZE=thread >"$logs/tsan-configure.log" 2>&1 &&
   cmake --build build/host-tsan -j 2 >"$logs/tsan-build.log" 2>&1; then
  ctest --test-dir build/host-tsan -j 2 --output-on-failure 2>&1 | tee "$logs/tsan-ctest.log" |
    grep -E "tests passed|Failed|Not Run|Timeout|\*\*\*" || true
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
else
  echo "thread-sanitizer build failed; see $logs/tsan-configure.log and $logs/tsan-build.log"
  tail -n 30 "$logs/tsan-build.log" 2>/dev/null || tail -n 30 "$logs/tsan-configure.log"
  status=1
fi

passed=0 failed=0
for tier in "${tiers[@]}" tsan; do
  line=$(grep -E "tests passed, [0-9]+ tests failed out of [0-9]+" "$logs/$tier-ctest.log" 2>/dev/null | tail -n 1)
  if [ -n "$line" ]; then
    f=$(echo "$line" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/')
    t=$(echo "$line" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/')
    passed=$((passed + t - f))
    failed=$((failed + f))
  else
    failed=$((failed + 1))
    status=1
  fi
done
[ "$failed" -eq 0 ] || status=1
echo "Tests: $passed passed, $failed failed"
exit $status
