#!/usr/bin/env bash
# Runs a Windows program of the build under the Wine of its architecture:
#   wine-exec.sh ARCH PROGRAM [ARGUMENTS...]
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
wine_env "$1" || exit 2
shift
exec "$VESHA_WINE" "$@"
