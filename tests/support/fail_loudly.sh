# Sourced by the test scripts right after `set -euo pipefail`: a command
# that fails and so ends a script early says which one, where, and how,
# instead of leaving only an exit code; a check that fails says what with
# fail.
# shellcheck shell=bash
set -E
trap 'status=$?; echo "$(basename "$0"): line $LINENO: \"$BASH_COMMAND\" failed with exit code $status" >&2' ERR
fail() { echo "FAILED: $*"; exit 1; }
