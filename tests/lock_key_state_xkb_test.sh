#!/usr/bin/env bash
# The X keyboard's lock-key test on a private display. Usage: lock_key_state_xkb_test.sh PROGRAM
set -euo pipefail
# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
# shellcheck source=tests/support/shell_test.sh
source tests/support/shell_test.sh
trap stop_virtual_display EXIT
start_virtual_display
use_x_display
"$1"
