#!/usr/bin/env bash
# Runs a command with an X display: the user's own, or a virtual one when
# DISPLAY is unset.
set -euo pipefail
if [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"
