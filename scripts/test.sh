#!/usr/bin/env bash
# Runs every test: the native unit tests (with sanitizers), then the win64
# build under Wine: the core tests on the Win32 platform layer, and the Win32
# layer's own tests against the registry, the shell and the picture loader;
# then the end-to-end road through both real programs (tests/e2e/road.sh).
# Expects the presets built (scripts/setup.sh or scripts/build.sh).
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
passed=0
failed=0

count_gtest() {  # adds the counts of one GoogleTest run's log
  local log=$1 p f
  p=$(grep -Eo '^\[  PASSED  \] [0-9]+ test' "$log" | grep -Eo '[0-9]+' | tail -1)
  f=$(grep -Eo '^\[  FAILED  \] [0-9]+ test' "$log" | grep -Eo '[0-9]+' | tail -1)
  passed=$((passed + ${p:-0}))
  failed=$((failed + ${f:-0}))
}

echo "== native tests"
log=$(mktemp)
ctest --test-dir build/native --output-on-failure -j2 2>&1 | tee "$log"
native_rc=${PIPESTATUS[0]}
line=$(grep -E 'tests passed, [0-9]+ tests failed out of' "$log" | tail -1)
total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
nfail=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$line")
passed=$((passed + ${total:-0} - ${nfail:-0}))
failed=$((failed + ${nfail:-0}))
[ "$native_rc" = 0 ] || [ "${nfail:-0}" != 0 ] || failed=$((failed + 1))

echo "== win64 tests under Wine"
source scripts/wine-env.sh
trap wine_cleanup EXIT
work=$(mktemp -d "$WINE_RUN_DIR/work.XXXX")
key='HKLM\Software\Microsoft\Microsoft Games\Mechwarrior Vengeance'
game_win=$(wine_path "$work/regtest-game")
wine reg add "$key" /v "EXE Path" /t REG_SZ /d "$game_win" /f >/dev/null
wine reg add "$key" /v CDPath /t REG_SZ /d 'D:\' /f >/dev/null
wine reg add "$key" /v Number /t REG_DWORD /d 5 /f >/dev/null
wine reg add "$key" /v Expanded /t REG_EXPAND_SZ /d '%TEMP%' /f >/dev/null
build/native/mkpicture blocks "$work/blocks.jpg"
for exe in core_tests win32_tests; do
  log="$work/$exe.log"
  MW4_TEST_GAME="$game_win" MW4_TEST_JPEG=$(wine_path "$work/blocks.jpg") \
    timeout 600 wine "build/win64/tests/$exe.exe" >"$log" 2>&1
  rc=$?
  tail -n 3 "$log"
  count_gtest "$log"
  if [ "$rc" != 0 ]; then
    cat "$log"
    grep -q '^\[  FAILED  \] [0-9]' "$log" || failed=$((failed + 1))
  fi
done

echo "== the road under Wine: both programs, driven from outside"
log="$work/road.log"
bash tests/e2e/road.sh >"$log" 2>&1
rc=$?
grep -E '^(ok|note|FAIL|road|==)' "$log"
if [ "$rc" = 0 ]; then
  passed=$((passed + 1))
else
  cat "$log"
  failed=$((failed + 1))
fi

echo
echo "tests: $passed passed, $failed failed"
[ "$failed" = 0 ]
