#!/usr/bin/env bash
# The offscreen suite's Windows programs, each run whole under Wine; GoogleTest's XML report of each
# gives the counts (Wine shows the toolkit's messages nowhere, so nothing is read from the terminal).
#   scripts/lib/windows_suite.sh BUILD_DIR        (QO_QT_PREFIX: Qt for Windows)
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine.sh"
qo_wine_start "$build/wine"

mingw=x86_64-w64-mingw32
# The libraries the tests load: Qt's and the compiler's, found through the Windows search path.
WINEPATH="$(qo_win "$QO_QT_PREFIX/bin");$(qo_win /usr/lib/gcc/$mingw/12-posix);$(qo_win /usr/$mingw/lib)"
export WINEPATH
export QT_PLUGIN_PATH=$(qo_win "$QO_QT_PREFIX/plugins")
export QT_QPA_PLATFORM=offscreen
reports=$build/test-reports
rm -rf "$reports"
mkdir -p "$reports"

total=0 failed=0 skipped=0 status=0
for binary in runtime_tests qo_containers_tests platform_tests qo_logic_tests layer_tests widgets_tests app_tests; do
  exe=$(find "$build/tests" -name "$binary.exe" | head -n1)
  [ -n "$exe" ] || { echo "$binary.exe was not built" >&2; exit 1; }
  xml=$reports/$binary.xml
  start=$(date +%s)
  rc=0
  (cd "$(dirname "$exe")" && wine "$exe" --gtest_output="xml:$(qo_win "$xml")" >"$reports/$binary.log" 2>&1) || rc=$?
  if [ ! -s "$xml" ]; then
    echo "$binary: no report (exit code $rc); its last lines:" >&2
    tail -20 "$reports/$binary.log" >&2
    status=1
    continue
  fi
  head=$(grep -o -m1 '<testsuites [^>]*>' "$xml")
  t=$(sed 's/.* tests="\([0-9]*\)".*/\1/' <<<"$head")
  f=$(sed 's/.* failures="\([0-9]*\)".*/\1/' <<<"$head")
  s=$(grep -c 'result="skipped"' "$xml" || true)
  printf '%-22s %4d tests, %3d failed, %3d skipped, %3d s\n' "$binary" "$t" "$f" "$s" $(($(date +%s) - start))
  total=$((total + t)) failed=$((failed + f)) skipped=$((skipped + s))
  if [ "$rc" != 0 ] || [ "$f" != 0 ]; then
    status=1
    grep -B1 '<failure' "$xml" | grep -o 'testcase name="[^"]*"[^>]*classname="[^"]*"' | head -30 >&2 || true
  fi
done
echo "Windows suite under Wine: $((total - failed - skipped)) passed, $failed failed, $skipped skipped, of $total"
exit "$status"
