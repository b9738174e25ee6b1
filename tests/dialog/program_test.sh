#!/usr/bin/env bash
# Runs the built program as a user would, on a virtual display of its own
# and with a fresh HOME: every run ends with exit status 255, leaving with
# Escape writes no settings file, leaving with OK writes what was on screen,
# and a settings file that cannot be written does not keep it from ending.
# Usage: program_test.sh PATH-TO-wirelace
set -euo pipefail

program=$1
if [ -z "${WIRELACE_OWN_DISPLAY:-}" ]; then
  exec env WIRELACE_OWN_DISPLAY=1 "$(dirname "$0")/../../scripts/with-display.sh" --own "$0" "$@"
fi

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
settings=$home/.Wirelace

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# Starts the program, waits for its dialog to be shown and focused, types
# the given xdotool commands (each "type TEXT" or "key KEY..."), and checks
# how the program ended.
run_program() {
  HOME=$home XDG_CONFIG_HOME=$home/.config timeout 60 "$program" &
  local pid=$!
  local window
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Wirelace$' | head -n 1)
  [ -n "$window" ] || fail "the dialog did not appear"
  xdotool windowfocus --sync "$window"
  local command
  for command in "$@"; do
    # shellcheck disable=SC2086 # the command's words are xdotool's arguments
    timeout 30 xdotool $command || fail "xdotool $command"
  done
  local status=0
  wait "$pid" || status=$?
  [ "$status" -eq 255 ] || fail "exit status $status, expected 255"
}

# Escape, on a first run: no settings file appears.
run_program "type --delay 20 typed.net" "key Escape"
[ ! -e "$settings" ] || fail "Escape wrote $settings"

# OK, reached by Shift+Tab from the first name field past Cancel.
run_program "type --delay 20 typed.net" "key shift+Tab shift+Tab space"
[ -f "$settings" ] || fail "OK did not write $settings"
for line in "File1Name=typed.net" "File1Mode=BSch/Allegro" "File2Name=" \
            "File2Mode=BSch/Allegro" "OutFileName=difference"; do
  grep -qx "$line" "$settings" || fail "settings lack '$line':"$'\n'"$(cat "$settings")"
done
for key in WindowX WindowY WindowWidth WindowHeight; do
  grep -qE "^$key=-?[0-9]+\$" "$settings" || fail "settings lack $key"
done

# Escape again: the file stays as OK left it, even after the name changed.
before=$(cat "$settings")
run_program "type --delay 20 more" "key Escape"
[ "$(cat "$settings")" = "$before" ] || fail "Escape changed $settings"

# A folder where the settings file belongs: after OK the store reports that
# it cannot write in the toolkit's error box, and once that is closed the
# program ends as always.
rm -f "$settings"
mkdir "$settings"
run_program "type --delay 20 typed.net" "key shift+Tab shift+Tab space" \
  "search --sync --onlyvisible --name ^Wirelace.Error$ windowfocus --sync key Return"
[ -d "$settings" ] || fail "the folder $settings was replaced"

# Garbage lines in the settings file: the store says so in its own box, and
# the dialog opens with what could be read, without a debugging alert.
rm -rf "$settings"
printf 'WindowX=10\n\001junk\nFile1Name=kept.net\n' > "$settings"
run_program "search --sync --onlyvisible --name ^Wirelace.Error$ windowfocus --sync key Return" \
  "search --sync --onlyvisible --name ^Wirelace$ windowfocus --sync key shift+Tab shift+Tab space"
grep -qx "File1Name=kept.net" "$settings" || fail "the readable settings were lost"

echo "the program ends with 255, also when its settings cannot be written," \
  "and keeps its settings only after OK"
