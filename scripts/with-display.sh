#!/usr/bin/env bash
# Runs a command with an X display: the user's own, or a virtual one when
# DISPLAY is unset. With --own first, always a virtual one of its own, for
# commands that drive the real pointer and keyboard and so must not share
# the screen with anything else.
set -euo pipefail
own=0
if [ "${1:-}" = --own ]; then
  own=1
  shift
fi
if [ -n "${DISPLAY:-}" ] && [ "$own" = 0 ]; then
  exec "$@"
fi

# The server picks a free display number itself and reports it, so that
# servers started at the same moment cannot race for one.
dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" 2>"$dir/log" &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$dir"' EXIT
trap 'exit 143' TERM INT
for _ in $(seq 100); do
  [ -s "$dir/display" ] && break
  sleep 0.1
done
[ -s "$dir/display" ] || { cat "$dir/log" >&2; exit 1; }
status=0
DISPLAY=:$(cat "$dir/display") "$@" || status=$?
exit "$status"
