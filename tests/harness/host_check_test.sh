#!/usr/bin/env bash
# The set-up's question whether the kernel runs 32-bit programs: its probe
# is a well-formed i386 program, and each way a program can end is read
# as what it is. Only a refusal of the format means "no 32-bit"; a crash,
# a missing file or no permission is a fault of the set-up.
set -uo pipefail
source "$(dirname "$0")/../../tools/common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Each case: a program, the answer expected (0 runs, 1 refused, 2 fault)
# and a word that the reason must hold.
expect() {
  local what=$1 program=$2 want=$3 word=$4 got=0
  ask_kernel "$program" || got=$?
  if [ "$got" != "$want" ]; then
    fail "$what: answer $got, expected $want ($VESHA_KERNEL_ANSWER)"
  elif [[ $VESHA_KERNEL_ANSWER != *"$word"* ]]; then
    fail "$what: the reason '$VESHA_KERNEL_ANSWER' does not say '$word'"
  else
    echo "ok: $what: $VESHA_KERNEL_ANSWER"
  fi
}

probe="$work/probe"
write_i386_probe "$probe"
# Where the kernel refuses it, only a well-formed probe makes that a "no".
header=$(LC_ALL=C readelf -h -l "$probe" 2>&1)
for line in 'Class: *ELF32' 'Machine: *Intel 80386' 'Type: *EXEC' 'LOAD .* R E'; do
  grep -Eq "$line" <<<"$header" || fail "the probe's header lacks '$line'"
done
grep -qi 'warning\|error' <<<"$header" && fail "readelf complains about the probe: $header"

# Each outcome, made so that every kernel gives it.
expect "a program that exits 0" /bin/true 0 "exited 0"
refused="$work/refused"
# The probe for a machine that no kernel runs (EM_NONE).
{ head -c 18 "$probe"; printf '\0\0'; tail -c +21 "$probe"; } >"$refused"
chmod +x "$refused"
expect "a format the kernel refuses" "$refused" 1 "Exec format error"
printf '#!/bin/sh\nkill -SEGV $$\n' >"$work/crashes"
chmod +x "$work/crashes"
expect "a program that crashes" "$work/crashes" 2 "SIGSEGV"
printf '#!/bin/sh\nexit 3\n' >"$work/fails"
chmod +x "$work/fails"
expect "a program that fails" "$work/fails" 2 "exit code 3"
expect "a missing program" "$work/missing" 2 "No such file"
cp "$probe" "$work/not-executable"
chmod -x "$work/not-executable"
expect "a program without permission" "$work/not-executable" 2 "Permission denied"

# The probe itself gives one of the two answers, never a fault.
answer=0
ask_kernel "$probe" || answer=$?
[ "$answer" != 2 ] || fail "the probe itself failed: $VESHA_KERNEL_ANSWER"
echo "this kernel: $VESHA_KERNEL_ANSWER"

# The switch wins whatever the kernel says.
(
  VESHA_NO_32BIT=1 detect_host
  [ "${VESHA_RUN_ARCHES[*]}" = x86_64 ] && [[ $VESHA_NO_32BIT_REASON == *VESHA_NO_32BIT=1* ]]
) || fail "VESHA_NO_32BIT=1 did not take the x86_64 path"

[ $failures = 0 ] || exit 1
echo "all host checks passed"
