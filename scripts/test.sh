#!/usr/bin/env bash
# Builds and runs every test: the host tier (GoogleTest with ASan and UBSan, brief fuzz runs), the
# Wine tier (the cross-built code and the real exe under Wine), the WOW64 tier (the shipped 32-bit
# exe as a WOW64 process) and the threaded host tests under ThreadSanitizer. Ends with one line
# counting them all.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh || exit 1
. tests/wine/wine-common.sh

logs=build/test-logs
mkdir -p "$logs"
status=0
tier_logs=()
tiers=(host windows)
declare -A configure_flags=()
if [ "$LDW_WINE_PRESET" != windows ]; then
  # This machine's Wine has no 32-bit loader: the Wine tier runs the 64-bit build of the same code,
  # and the shipped 32-bit exe runs in the WOW64 tier (tests/wow64), in a Debian tree of its own,
  # natively or emulated.
  tiers=(host "$LDW_WINE_PRESET" windows)
  configure_flags[windows]="-DLDW_WINE_TESTS=OFF -DLDW_WOW64_TESTS=ON"
fi
for tier in "${tiers[@]}"; do
  name=$tier
  [ -n "${configure_flags[$tier]:-}" ] && name=wow64
  echo "== $name tier"
  # shellcheck disable=SC2086
  if cmake --preset "$tier" ${configure_flags[$tier]:-} >"$logs/$name-configure.log" 2>&1 &&
     cmake --build --preset "$tier" >"$logs/$name-build.log" 2>&1; then
    start=$SECONDS
    ctest --preset "$tier" 2>&1 | tee "$logs/$name-ctest.log" | grep -E "tests passed|Failed|Not Run|Timeout|\*\*\*" || true
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
    echo "   ($((SECONDS - start)) s)"
  else
    echo "$name build failed; see $logs/$name-configure.log and $logs/$name-build.log"
    tail -n 30 "$logs/$name-build.log" 2>/dev/null || tail -n 30 "$logs/$name-configure.log"
    status=1
  fi
  tier_logs+=("$name")
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
for tier in "${tier_logs[@]}" tsan; do
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
