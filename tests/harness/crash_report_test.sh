#!/usr/bin/env bash
# A test program that crashes under the test run's Wine, which shows no
# message and starts no debugger, still says which program it was and what
# happened, and does not end with success.
#   crash_report_test.sh ARCH PROGRAM
set -uo pipefail
arch=$1 program=$2
name=$(basename "$program")
failures=0
for how in access-violation throw; do
  output=$("$(dirname "$0")/../../tools/wine-exec.sh" "$arch" "$program" "$how" 2>&1)
  code=$?
  case $how in
    access-violation) want="$name: unhandled exception 0xC0000005 \\(access violation\\) at .*, reading 0+" ;;
    throw) want="$name: terminated: thrown on purpose" ;;
  esac
  if [ $code = 0 ]; then
    echo "FAIL: $how ended with exit code 0"
    failures=$((failures + 1))
  elif ! grep -Eq "$want" <<<"$output"; then
    echo "FAIL: $how said '$output', not a line like '$want'"
    failures=$((failures + 1))
  else
    echo "ok: $how: $(grep -E "$want" <<<"$output") (exit code $code)"
  fi
done
[ $failures = 0 ]
