#!/usr/bin/env bash
# Runs a Windows program under the project's Wine prefix (made on first use) on the current $DISPLAY.
set -euo pipefail
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/wine-env.sh"
EnsurePrefix
exec "$WINE" "$@"
