#!/usr/bin/env bash
# Runs the built program as a user would, on a virtual display of its own
# and with a fresh HOME: every run ends with exit status 255, leaving with
# Escape writes no settings file, leaving with OK writes what was on screen,
# and a settings file that cannot be written does not keep it from ending.
# A conversion or a File save that reaches the file-size limit shows an
# error and leaves the program running.
# The stored window rectangle is where the window opens, without and then
# with a window manager (openbox) on the display.
# Usage: program_test.sh PATH-TO-wirelace
set -euo pipefail

program=$1
if [ -z "${WIRELACE_OWN_DISPLAY:-}" ]; then
  exec env WIRELACE_OWN_DISPLAY=1 "$(dirname "$0")/../../scripts/with-display.sh" --own "$0" "$@"
fi

home=$(mktemp -d)
window_manager=
trap '[ -z "$window_manager" ] || { kill "$window_manager"; wait "$window_manager"; } 2>/dev/null
      rm -rf "$home"' EXIT
settings=$home/.Wirelace

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# Starts the program in $home and waits for its dialog to be shown; sets
# pid and window. Files it writes may not grow past $size_limit KiB where
# that is set.
start_program() {
  (
    cd "$home"
    [ -z "${size_limit:-}" ] || ulimit -f "$size_limit"
    HOME=$home XDG_CONFIG_HOME=$home/.config exec timeout 60 "$program"
  ) &
  pid=$!
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Wirelace$' | head -n 1)
  [ -n "$window" ] || fail "the dialog did not appear"
}

# Focuses the started program's dialog, types the given xdotool commands
# (each "type TEXT" or "key KEY..."), and checks how the program ended.
finish_program() {
  xdotool windowfocus --sync "$window"
  local command tries
  for command in "$@"; do
    # A search that meets a window as it is destroyed (a closing file
    # chooser) fails with BadWindow before it sends anything: it is tried
    # again.
    tries=3
    # shellcheck disable=SC2086 # the command's words are xdotool's arguments
    until timeout 30 xdotool $command; do
      [[ $command == search* ]] && tries=$((tries - 1)) && [ "$tries" -gt 0 ] ||
        fail "xdotool $command"
    done
  done
  local status=0
  wait "$pid" || status=$?
  [ "$status" -eq 255 ] || fail "exit status $status, expected 255"
}

run_program() {
  start_program
  finish_program "$@"
}

# The rectangle that the settings keep, as the screen shows it: the corner
# and size of the window's frame, that is the window grown by the frame
# sizes that the window manager announces (none without one). Prints
# "X Y WIDTH HEIGHT".
shown_rectangle() {
  local x y width height left=0 right=0 top=0 bottom=0
  eval "$(xwininfo -id "$1" | awk '
    /Absolute upper-left X:/ { print "x=" $NF } /Absolute upper-left Y:/ { print "y=" $NF }
    /^ *Width:/ { print "width=" $NF } /^ *Height:/ { print "height=" $NF }')"
  read -r left right top bottom < <(frame_extents "$1") || true
  echo "$((x - left)) $((y - top)) $((width + left + right)) $((height + top + bottom))"
}

# The frame sizes (left right top bottom) that the window manager announces
# for the window; nothing when it announces none.
frame_extents() {
  xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/^_NET_FRAME_EXTENTS(CARDINAL) = //p' | tr -d ,
}

# Stores a window rectangle, starts the program, waits until its window
# shows that rectangle, and leaves with OK at once, which must store the
# same rectangle again: no run moves or grows the window by its frame.
# With "framed" as $2, a window manager must have framed the window.
check_stored_rectangle() {
  local stored=(300 200 720 540)
  printf 'WindowX=%s\nWindowY=%s\nWindowWidth=%s\nWindowHeight=%s\n' "${stored[@]}" > "$settings"
  start_program
  local shown
  for _ in $(seq 300); do
    shown=$(shown_rectangle "$window")
    [ "$shown" = "${stored[*]}" ] && break
    sleep 0.1
  done
  [ "$shown" = "${stored[*]}" ] || fail "$1: the window shows $shown, not the stored ${stored[*]}"
  [ "${2:-}" != framed ] || [ -n "$(frame_extents "$window")" ] || fail "$1: no frame"
  finish_program "key shift+Tab shift+Tab space"
  local key index=0
  for key in WindowX WindowY WindowWidth WindowHeight; do
    grep -qx "$key=${stored[index]}" "$settings" ||
      fail "$1: OK stored another rectangle:"$'\n'"$(cat "$settings")"
    index=$((index + 1))
  done
}

# Writes a BSch/Allegro netlist of $1 nets to the file $2.
write_netlist() {
  { echo '$NETS'; for net in $(seq "$1"); do echo "N$net;	U1.$net R7.2 C3.1"; done; echo '$END'; } \
    > "$2"
}

# Starts openbox on the display and waits until it manages the screen: it
# then names its check window on the root window.
start_window_manager() {
  HOME=$home XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache \
    openbox --sm-disable > "$home/openbox.log" 2>&1 &
  window_manager=$!
  for _ in $(seq 300); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return
    kill -0 "$window_manager" 2>/dev/null || break
    sleep 0.1
  done
  fail "openbox did not start:"$'\n'"$(cat "$home/openbox.log")"
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

# Convert, reached by Tab from the first name field past its format and
# Select, onto a new file, with a limit that the converted text exceeds:
# the toolkit's error box appears, and once it is closed the dialog takes
# keys again. Neither the target nor a file begun for it is left.
rm -f "$settings"
write_netlist 2000 "$home/in.net"
printf 'File1Name=%s\n' "$home/in.net" > "$settings"
size_limit=16 run_program "key Tab Tab Tab space" \
  "search --sync --onlyvisible --name ^Transfer.-.file.1$ windowfocus --sync key ctrl+a" \
  "type --delay 20 $home/out.net" "key Return" \
  "search --sync --onlyvisible --name ^Wirelace.Error$ windowfocus --sync key Return" \
  "search --sync --onlyvisible --name ^Wirelace$ windowfocus --sync key Escape"
leftovers=$(find "$home" -maxdepth 1 -name 'out.net' -o -maxdepth 1 -name '.wirelace-*')
[ -z "$leftovers" ] || fail "a conversion past the size limit left $leftovers"

# Execute, eight Tabs on from the first name field, compares a file with
# itself; File save, the next button, writes its report of some 2.6 KB
# under a limit of 1 KiB. The stream's buffer holds it all until the close,
# which fails: the toolkit's error box appears, and once it is closed the
# dialog takes keys again. The file keeps what fitted.
rm -f "$settings"
write_netlist 45 "$home/small.net"
printf 'File1Name=%s\nFile2Name=%s\n' "$home/small.net" "$home/small.net" > "$settings"
size_limit=1 run_program "key Tab Tab Tab Tab Tab Tab Tab Tab space Tab space" \
  "search --sync --onlyvisible --name ^File.save.-.difference$ windowfocus --sync key ctrl+a" \
  "type --delay 20 $home/report.txt" "key Return" \
  "search --sync --onlyvisible --name ^Wirelace.Error$ windowfocus --sync key Return" \
  "search --sync --onlyvisible --name ^Wirelace$ windowfocus --sync key Escape"
[ "$(head -c 8 "$home/report.txt")" = "[[Same]]" ] && [ "$(stat -c %s "$home/report.txt")" = 1024 ] ||
  fail "File save past the size limit left $(stat -c %s "$home/report.txt") bytes"

# The stored rectangle holds on a bare display, and under a window manager,
# which frames the window and could place it where it likes.
rm -f "$settings"
check_stored_rectangle "without a window manager"
start_window_manager
check_stored_rectangle "under openbox" framed

echo "the program ends with 255, also when its settings cannot be written," \
  "keeps its settings only after OK, and opens where they place it"
