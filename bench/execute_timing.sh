#!/usr/bin/env bash
# Times the built program as a user meets it: from a click on Execute until
# the dialog answers clicks again. The two files compared are generated
# BSch/Allegro files of 20,000 nets, a fifth of them changed, that also
# hold a ground net of 200 pins in one case and of 8,000 pins in the other,
# about one pin in 50 changed. Every measurement starts the program afresh,
# on a virtual display of its own, with a fresh HOME whose settings file
# names the two files and places the dialog.
#
# The dialog answers again when a click on "File save" opens its dialog and
# a click on that dialog's Cancel closes it within FAST seconds, three times
# in a row; the time given runs from the click on Execute to the end of the
# last slower round. The click positions fit the stock GTK theme.
#
# Usage: bench/execute_timing.sh PATH-TO-wirelace [ROUNDS]
set -euo pipefail

program=$(realpath "$1")
rounds=${2:-3}
if [ -z "${WIRELACE_OWN_DISPLAY:-}" ]; then
  exec env WIRELACE_OWN_DISPLAY=1 "$(dirname "$0")/../scripts/with-display.sh" --own \
    "$0" "$program" "$rounds"
fi

FAST=0.5
EXECUTE=(694 155)
FILE_SAVE=(843 155)
CANCEL=(851 677)
# Where the pointer comes from for every click: no button there.
AWAY=(450 680)
SAVE_DIALOG='^File save - difference$'

work=$(mktemp -d)
pid=
trap '[ -z "$pid" ] || kill "$pid" 2> /dev/null; rm -rf "$work"' EXIT

# Two files of 20,000 nets of three to seven random pins, the second with a
# fifth of the nets renamed, given another pin or missing one, then the
# ground net: pins C0.2, C1.2, ..., of which the second file has every 50th
# as C<n>.3. Long nets go on over lines ending in ",", as the program writes.
generate() {
  awk -v first="$1" -v second="$2" -v pins="$3" '
    function pin() { return sprintf("U%d.%d", int(rand() * 20000), int(rand() * 64) + 1) }
    function put(file, name, list, count,    k, text) {
      text = name ";\t"
      for (k = 0; k < count; k++)
        text = text (k == 0 ? "" : k % 10 == 0 ? " ,\n\t" : " ") list[k]
      print text > file
    }
    BEGIN {
      srand(1)
      print "$NETS" > first; print "$NETS" > second
      for (i = 0; i < 20000; i++) {
        count = 3 + int(rand() * 5)
        for (k = 0; k < count; k++) pins1[k] = pin()
        put(first, "NET" i, pins1, count)
        name = "NET" i
        if (rand() < 0.2) {
          change = int(rand() * 3)
          if (change == 0) name = name "_R"
          else if (change == 1) pins1[0] = pin()
          else count--
        }
        put(second, name, pins1, count)
      }
      for (k = 0; k < pins; k++) {
        ground1[k] = "C" k ".2"
        ground2[k] = "C" k (k % 50 == 25 ? ".3" : ".2")
      }
      put(first, "GND", ground1, pins); put(second, "GND", ground2, pins)
      print "$END" > first; print "$END" > second
    }'
}

now() { date +%s.%N; }
seconds_between() { echo "$1 $2" | awk '{ printf "%.2f", $2 - $1 }'; }

alive() {
  kill -0 "$pid" 2> /dev/null || { echo "the program ended unasked" >&2; exit 1; }
}

# A click at $1 $2, coming from elsewhere: GTK takes a click for a button's
# only when the pointer has come in over it.
click() {
  xdotool mousemove "${AWAY[@]}" mousemove "$1" "$2" click 1
}

# Prints the first window shown with a name matching $1 as soon as it is
# there (xdotool's own waiting looks only twice a second).
shown() {
  local window
  while alive; do
    window=$(xdotool search --onlyvisible --name "$1" 2> /dev/null | head -n 1)
    [ -z "$window" ] || { echo "$window"; return; }
    sleep 0.02
  done
}

# Opens the File save dialog with a click and closes it with a click on its
# Cancel button. (Escape would close the main dialog instead if it came
# before the other one had the focus.)
probe() {
  click "${FILE_SAVE[@]}"
  local dialog WIDTH HEIGHT
  dialog=$(shown "$SAVE_DIALOG")
  eval "$(xdotool getwindowgeometry --shell "$dialog" | grep -E '^(WIDTH|HEIGHT)=')"
  click $((WIDTH - 140)) $((HEIGHT - 24))
  while alive && xdotool search --onlyvisible --name "$SAVE_DIALOG" > /dev/null 2>&1; do
    sleep 0.02
  done
}

# Prints the seconds from the click on Execute until the dialog answers
# again, for the files with a ground net of $1 pins.
measure() {
  local home=$work/home
  rm -rf "$home"
  mkdir "$home"
  printf '%s\n' WindowX=0 WindowY=0 WindowWidth=900 WindowHeight=700 \
    "File1Name=$work/$1-1.net" File1Mode=BSch/Allegro \
    "File2Name=$work/$1-2.net" File2Mode=BSch/Allegro > "$home/.Wirelace"
  HOME=$home XDG_CONFIG_HOME=$home/.config "$program" 2> /dev/null &
  pid=$!
  shown '^Wirelace$' > /dev/null
  # Once, so that the file dialog's own start-up is not timed.
  probe
  local start end before after fast=0
  start=$(now)
  end=$start
  click "${EXECUTE[@]}"
  while [ "$fast" -lt 3 ]; do
    before=$(now)
    probe
    after=$(now)
    if awk -v took="$(seconds_between "$before" "$after")" -v fast="$FAST" \
         'BEGIN { exit !(took > fast) }'; then
      end=$after
      fast=0
    else
      fast=$((fast + 1))
    fi
  done
  click "${CANCEL[@]}"
  wait "$pid" || true
  pid=
  seconds_between "$start" "$end"
}

for pins in 200 8000; do
  generate "$work/$pins-1.net" "$work/$pins-2.net" "$pins"
done
for round in $(seq "$rounds"); do
  small=$(measure 200) || exit 1
  large=$(measure 8000) || exit 1
  echo "round $round: 200-pin ground net ${small} s, 8,000-pin ground net ${large} s," \
    "ratio $(echo "$small $large" | awk '{ printf "%.2f", $2 / $1 }')"
done
