#!/usr/bin/env bash
# End-to-end scenarios: nimbrel.exe under Wine, worked from outside by nimbrel_driver.exe
# through window messages, against the module stand-in as the simulator. One Wine prefix
# and one virtual display serve every scenario. Prints "ok: ..." / "FAILED: ..." per
# check and a block of "figure: ..." lines; exits non-zero when any check failed.
#   tests/e2e/scenarios.sh [SCENARIO...]     (default: all, in order)
# The tests keep their own Wine prefix, so the placement they store never reaches the
# demo's. Ends only what it started: the programs by their PIDs, Wine by `wineserver -k` on its
# own prefix, the display by its PID.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${NIMBREL_WINDOWS_BUILD:-$root/build/windows}
exe=${NIMBREL_EXE:-$build/nimbrel.exe}
driver=$build/nimbrel_driver.exe
standin=$build/module_standin.exe
prefix=${NIMBREL_WINE_PREFIX:-$root/build/wineprefix-tests}
work=${NIMBREL_E2E_OUT:-$build/e2e}

all_scenarios=(start requests edit arrays commands connection faults exit figures)

for f in "$exe" "$driver" "$standin"; do
  [ -f "$f" ] || { echo "FAILED: missing $f"; exit 1; }
done
mkdir -p "$work"

failures=0
check() {  # check DESCRIPTION CONDITION...
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAILED: $what"
    failures=$((failures + 1))
  fi
}
has() { grep -qE "$1" <<<"$out"; }  # has REGEX: the last driver output holds a matching line
# has_title TEXT: a wait for the title TEXT succeeded, or the title read TEXT.
has_title() { grep -qF "title [$1]" <<<"$out"; }
# title_now TEXT: the last reading of the title (the command title) was TEXT.
title_now() { grep -qxF "title [$1]" <<<"$out"; }

# drive WORDS...: runs the driver; its output goes to $out and, indented, to the log.
out=
drive() {
  out=$(wine "$driver" "$@" 2>/dev/null | tr -d '\r')
  sed 's/^/  | /' <<<"$out"
}

figures=()
figure() { figures+=("figure: $*"); echo "figure: $*"; }

# ---- the programs -------------------------------------------------------------------

program=
# The Unix process that runs nimbrel.exe: the `wine` launcher execs into it, so it is
# normally the PID started; otherwise a child of it.
program_unix_pid() {
  local pid=$1 child
  if tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -q 'nimbrel\.exe'; then
    echo "$pid"
    return
  fi
  for child in /proc/[0-9]*; do
    [ "$(awk '{print $4}' "$child/stat" 2>/dev/null)" = "$pid" ] || continue
    if tr '\0' ' ' <"$child/cmdline" 2>/dev/null | grep -q 'nimbrel\.exe'; then
      basename "$child"
      return
    fi
  done
  echo "$pid"
}

start_program() {
  wine "$exe" >/dev/null 2>&1 &
  program=$!
}

# stop_program HOW: "close" (WM_CLOSE) or "exit" (the Exit command); sets $exit_code.
exit_code=
stop_program() {
  exit_code=124
  [ -n "$program" ] || return
  if [ "$1" = exit ]; then drive command 101 >/dev/null; else drive close >/dev/null; fi
  local i
  for i in $(seq 1 300); do
    if ! kill -0 "$program" 2>/dev/null; then
      wait "$program"
      exit_code=$?
      program=
      return
    fi
    sleep 0.1
  done
  kill "$program" 2>/dev/null
  wait "$program" 2>/dev/null
  program=
}

standin_pid=
log=
# start_standin NAME [OPTIONS]: the stand-in with its batch log $work/standin-NAME.log.
start_standin() {
  log=$work/standin-$1.log
  shift
  rm -f "$log"
  wine "$standin" --log "$(winepath -w "$log" 2>/dev/null)" "$@" >/dev/null 2>&1 &
  standin_pid=$!
  drive wait-simulator 30 >/dev/null
}

stop_standin() {
  [ -n "$standin_pid" ] || return
  wine "$driver" control 5 0 >/dev/null 2>&1
  local i
  for i in $(seq 1 100); do
    kill -0 "$standin_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$standin_pid" 2>/dev/null
  wait "$standin_pid" 2>/dev/null
  standin_pid=
}

finish() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  [ -n "$standin_pid" ] && kill "$standin_pid" 2>/dev/null
  wine_session_stop
}

# What the module received, one record per line (the log is written with CR LF).
received() { tr -d '\r' <"$log"; }
count_received() { received | grep -cE "$1"; }
body_then_command() {
  received | grep -A1 '^write offset=0xC808 size=1016 ' | grep -qx 'write offset=0xC800 size=2 data=0100'
}
# wait_received REGEX [SECONDS]: until the log holds a matching line.
wait_received() {
  local i
  for i in $(seq 1 $((${2:-10} * 10))); do
    received | grep -qE "$1" && return 0
    sleep 0.1
  done
  return 1
}

# wait_restarted SECONDS: until the stand-in's newest window has received two batches
# (so the program found the new window and works with it).
wait_restarted() {
  local i
  for i in $(seq 1 $(($1 * 10))); do
    [ "$(received | grep -c '^window ')" -ge 2 ] &&
      [ "$(received | awk '/^window /{n=0} /^batch .*answer=1/{n++} END{print n+0}')" -ge 2 ] && return 0
    sleep 0.1
  done
  return 1
}

appdata() {
  find "$WINEPREFIX/drive_c/users" -maxdepth 3 -type d -path '*/AppData/Roaming' 2>/dev/null | head -n 1
}
settings_file() { echo "$(appdata)/Nimbrel/Nimbrel.ini"; }

title_base="Cumora: "
t_not_connected="${title_base}Not connected to Vorlink"
t_aircraft="${title_base}Local weather at aircraft"
t_aircraft_global="${title_base}Local weather at aircraft (GLOBAL)"
t_global="${title_base}Global weather"
t_location="${title_base}Local weather at location"
t_no_weather="${title_base}No weather to show!"
t_station() { echo "${title_base}Local weather at station  ICAO=$1"; }
station_caption="Edit Station (blank=User, GLOB=Global)"

# ---- scenarios -----------------------------------------------------------------------

# Start without a simulator; then the simulator appears.
scenario_start() {
  local a
  a=$(appdata)
  [ -n "$a" ] && rm -rf "$a/Nimbrel"
  start_program
  drive wait-title "$t_not_connected" 30
  check "without a simulator the title reads \"$t_not_connected\"" has_title "$t_not_connected"
  drive lists
  check "six lists" has '^lists 6$'
  check "each list holds one row, numbered 0" test "$(grep -c 'rows 1 first \[  0 \]$' <<<"$out")" -eq 6
  local expected_headers=(
    'Visibility:80 From:85 To:85 Range:122 '
    'Pressure:80 QNH:180 Drift:100 '
    'Temperature:80 Alt:70 Day:80 Var:80 Dew:80 '
    'Station:80 ICAO:55 Latitude:86 Longitude:86 Altitude:55 Dep Rwys:64 Arr Rwys:64 '
    'Cloud:80 From:95 To:95 Dev:70 Cover:60 Type:50 Turb:50 Ice:50 Precip:80 PrRate:80 PrBase:75 TopShape:95 '
    'Winds:80 To:60 Speed:60 Dir:55 Gust:55 Turb:40 Shear:40 Var:40 Gap:60 '
  )
  local headers
  for headers in "${expected_headers[@]}"; do
    check "columns ${headers%%:*}" grep -qF "columns $headers" <<<"$out"
  done
  drive focus
  check "the Pressure list has the keyboard focus" has '^focus list \[Pressure\]$'
  drive key Station 0 enter + no-box "$station_caption" 1500
  check "a key while not connected opens no dialog" has '^no window '
  command -v import >/dev/null && import -window root "$work/not-connected.png" 2>/dev/null

  # The simulator appears: the driver watches for its window and then for the title.
  wine "$driver" connect-time "$t_aircraft" 30 >"$work/connect-time.txt" 2>/dev/null &
  local watcher=$!
  sleep 0.5
  start_standin start --tick-ms 0
  wait "$watcher"
  out=$(tr -d '\r' <"$work/connect-time.txt")
  sed 's/^/  | /' <<<"$out"
  check "the simulator appears: \"$t_aircraft\" in the title" title_now "$t_aircraft"
  local ms
  ms=$(sed -n 's/^connect-ms //p' <<<"$out")
  figure "connected title after the simulator appeared: ${ms:-?} ms (target: within one timer period, 1000 ms)"
  drive wait-rows Temperature 2 10
  check "the Temperature list holds layers and its closing row" has '^rows Temperature [0-9]+$'
  drive rows Station
  check "the Station row names the aircraft's station KSEA" has '^row 0 \[  0 \|KSEA\|'
  # The aircraft's own weather is not editable: Enter in a weather list does nothing.
  drive key Temperature 0 enter + no-box "Edit Temperature Layer" 1500
  check "Enter in the Temperature list at the aircraft's own weather opens no dialog" has '^no window '

  stop_program close
  check "exit code 0 after WM_CLOSE (got $exit_code)" test "$exit_code" -eq 0
  local ini
  ini=$(settings_file)
  [ -f "$ini" ] && tr -d '\r' <"$ini"
  check "placement stored" grep -qE '^MainWindow=\[-?[0-9]+,-?[0-9]+,905,594\]' <(tr -d '\r' <"$ini" 2>/dev/null)
  stop_standin
}

# Station, location and global requests: the title, the Station row, what the module got.
scenario_requests() {
  start_standin requests --tick-ms 0
  start_program
  drive wait-title "$t_aircraft" 30
  check "connected at the aircraft" has_title "$t_aircraft"
  # station | latitude | longitude | title | Station row (regex) | request written (regex)
  local cases=(
    "EGLL|||$(t_station EGLL)|^row 0 \[  0 \|EGLL\|N51 28\.65\|W000 27\.68\|82\|27R 27L \|27L 27R \]$|^write offset=0xCC04 size=28 data=0+45474C4C0+$"
    "W55|||$(t_station W55)|^row 0 \[  0 \|W55\|N47 37\.74\|W122 20\.34\|13\| NW  SW \|NWW SEW \]$|^write offset=0xCC04 size=28 data=0+5735350+$"
    "|N47 27.50|E008 33.00|$t_location|^row 0 \[  0 \|    \|N47 2|^write offset=0xCC04 size=28 data=0+20202020"
    "GLOB|||$t_global|^row 0 \[  0 \|GLOB\||^write offset=0xCC04 size=28 data=0+474C4F420+$"
    "ZZZZ|||$t_no_weather|^row 0 \[  0 \||^write offset=0xCC04 size=28 data=0+5A5A5A5A0+$"
    "|||$t_aircraft||"
  )
  local entry station lat lon title row written
  for entry in "${cases[@]}"; do
    IFS='|' read -r station lat lon title row written <<<"$entry"
    # The row pattern itself holds bars: it is everything between title and the last field.
    row=${entry#*|*|*|*|}
    row=${row%|*}
    written=${entry##*|}
    drive key Station 0 enter + dialog "$station_caption" 20 "1043=$station" "1044=$lat" "1045=$lon" ok \
      + wait-title "$title" 10
    check "station [$station] position [$lat $lon]: title \"$title\"" has_title "$title"
    if [ -n "$row" ]; then
      drive rows Station
      check "station [$station] position [$lat $lon]: Station row" has "$row"
    fi
    if [ -n "$written" ]; then
      check "station [$station] position [$lat $lon]: request received" wait_received "$written" 5
    fi
    if [ "$station" = EGLL ]; then
      check "EGLL: the runway request received" \
        wait_received '^write offset=0xD000 size=8 data=0000000045474C4C$' 5
      command -v import >/dev/null && import -window root "$work/station.png" 2>/dev/null
    fi
  done
  # The position asked for comes back in the dialog, in the cells' format.
  drive key Station 0 enter + dialog "$station_caption" 20 1043=EGLL ok + wait-title "$(t_station EGLL)" 10
  drive key Station 0 enter + dialog "$station_caption" 20 "1044=N53 21.45" "1045=W002 04.32" ok \
    + wait-title "$t_location" 10
  drive key Station 0 enter + dialog "$station_caption" 20 1043 1044 1045 cancel
  check "the position asked for is shown again in the dialog" has '^field 1044 \[N53 21\.45\]$'
  check "... longitude in the cells' format" has '^field 1045 \[W002 4\.32\]$'
  stop_program close
  check "exit code 0 (got $exit_code)" test "$exit_code" -eq 0
  stop_standin
}

# The road of one edit, in the aircraft's global weather and in the Station mode.
scenario_edit() {
  start_standin edit --aircraft-global --tick-ms 0
  start_program
  drive wait-title "$t_aircraft_global" 30 + wait-rows Temperature 2 10
  check "connected at the aircraft with the global weather in force" has_title "$t_aircraft_global"
  check "connected: the Temperature list holds layers" has '^rows Temperature'

  # Temperature, row 0: Day becomes 21 C; the altitude comes prefilled and locked.
  local shot=
  if command -v import >/dev/null; then
    ( sleep 1.5; import -window root "$work/temperature-dialog.png" 2>/dev/null ) &
    shot=$!
  fi
  drive key Temperature 0 enter + dialog "Edit Temperature Layer" 20 1021 1022=21 hold=2500 ok
  [ -n "$shot" ] && wait "$shot"
  check "Temperature dialog opened by Enter" has '^dialog \[Edit Temperature Layer\]$'
  check "altitude prefilled and locked" has '^field 1021 \[[0-9]+ft\] locked$|^field 1021 \[[0-9]+\] locked$'
  check "Temperature dialog confirmed" has '^dialog closed by ok$'
  check "module received the 1016-byte body, then the write-back command 1" wait_received '^write offset=0xC800 size=2 data=0100$' 5
  check "... in this order" body_then_command
  drive wait-cell Temperature 0 2 "21C*" 10
  check "the refreshed row shows the new day temperature" has '^cell Temperature 0 2 \[21C'
  drive key Temperature 0 enter + dialog "Edit Temperature Layer" 20 1022 cancel
  check "the module kept the new day temperature" has '^field 1022 \[21C\]$'
  drive focus
  check "the Temperature list has the focus again after the dialog" has '^focus list \[Temperature\]$'

  # Station mode: EGLL, then the road of one edit there.
  drive key Station 0 enter + dialog "$station_caption" 20 1043=EGLL ok + wait-title "$(t_station EGLL)" 10
  check "Station dialog opened by Enter and confirmed" has '^dialog closed by ok$'
  check "title names the station" has_title "$(t_station EGLL)"
  check "module received the station request for EGLL" \
    wait_received '^write offset=0xCC04 size=28 data=0+45474C4C0+$' 5
  check "and the runway request for EGLL" wait_received '^write offset=0xD000 size=8 data=0000000045474C4C$' 5
  drive key Station 0 enter + dialog "$station_caption" 20 1043 cancel
  check "Station field prefilled with the whole identifier" has '^field 1043 \[EGLL\]$'

  local bodies_before
  bodies_before=$(count_received '^write offset=0xC808 size=1016 ')
  drive wait-rows Temperature 2 10 + key Temperature 1 enter + dialog "Edit Temperature Layer" 20 1022=-3 1020=-9 ok
  check "station Temperature dialog confirmed" has '^dialog closed by ok$'
  check "module received one more body" \
    test "$(count_received '^write offset=0xC808 size=1016 ')" -gt "$bodies_before"
  check "... naming EGLL" wait_received '^write offset=0xC808 size=1016 data=45474C4C' 5
  check "... then the write-back command 1" body_then_command
  drive wait-cell Temperature 1 2 "-3C*" 10 + wait-cell Temperature 1 4 "-9C*" 10
  check "the refreshed row shows the new Day and Dew" has '^cell Temperature 1 4 \[-9C'
  drive title
  check "still showing EGLL" title_now "$(t_station EGLL)"
  stop_program close
  check "exit code 0 after the edits (got $exit_code)" test "$exit_code" -eq 0
  stop_standin
}

# Insert, delete with confirmation, full arrays; in the global weather.
scenario_arrays() {
  start_standin arrays --tick-ms 0
  start_program
  drive wait-title "$t_aircraft" 30
  drive key Station 0 enter + dialog "$station_caption" 20 1043=GLOB ok + wait-title "$t_global" 10 \
    + wait-rows Temperature 2 10
  check "the global weather shown" has_title "$t_global"
  local rows
  rows=$(sed -n 's/^rows Temperature //p' <<<"$out")

  # Insert with the closing row selected appends a layer.
  drive key Temperature -1 insert + dialog "Insert Temperature Layer" 20 1021=45000 1022=-60 1018=1 1020=-70 ok \
    + wait-count Temperature $((rows + 1)) 10 + rows Temperature
  check "Insert on the closing row opened \"Insert Temperature Layer\"" has '^dialog \[Insert Temperature Layer\]$'
  check "the altitude is free on Insert" has '^field 1021 \[\]$'
  check "one more row" has "^rows Temperature $((rows + 1))$"
  check "the new layer is the last one" has "^row $((rows - 1)) \[ *$((rows - 1)) \|4500[0-9]ft\|-60C"

  # Delete: No keeps the layer, Yes removes it; the closing row and the Pressure list ask nothing.
  local bodies
  bodies=$(count_received '^write offset=0xC808 size=1016 ')
  drive key Temperature 0 delete + confirm no 20 + sleep 1500 + wait-count Temperature $((rows + 1)) 5
  check "Delete asks \"Delete selected entry?\"" has '^box \[Confirm delete!\] text \[Delete selected entry\?\]$'
  check "answer No: the layer stays" has "^rows Temperature $((rows + 1))$"
  check "answer No: nothing written" test "$(count_received '^write offset=0xC808 size=1016 ')" -eq "$bodies"
  drive key Temperature 0 delete + confirm yes 20 + wait-count Temperature "$rows" 10
  check "answer Yes: one row fewer" has "^rows Temperature $rows$"
  check "answer Yes: the block written back" \
    test "$(count_received '^write offset=0xC808 size=1016 ')" -gt "$bodies"
  drive key Temperature -1 delete + no-box "Confirm delete!" 1500
  check "Delete on the closing row asks nothing" has '^no window '
  drive key Pressure 0 delete + no-box "Confirm delete!" 1500
  check "Delete in the Pressure list asks nothing" has '^no window '
  drive key Station 0 insert + no-box "Insert Station (blank=User, GLOB=Global)" 1000
  check "Insert in the Station list opens nothing" has '^no window '

  # Full array: the Visibility list takes 12 upper layers; one more adds nothing but is written.
  drive wait-rows Visibility 2 5
  local vis
  vis=$(sed -n 's/^rows Visibility //p' <<<"$out")
  local i
  for ((i = vis; i < 14; i++)); do
    drive key Visibility -1 insert + dialog "Insert Visibility Layer" 20 1016=$((20000 + i * 1000)) \
      1018=$((20500 + i * 1000)) 1017=10 ok + command 102 + wait-count Visibility $((i + 1)) 10
    has "^rows Visibility $((i + 1))$" || break
  done
  check "the Visibility list fills to 12 upper layers (14 rows)" has '^rows Visibility 14$'
  bodies=$(count_received '^write offset=0xC808 size=1016 ')
  drive key Visibility -1 insert + dialog "Insert Visibility Layer" 20 1016=40000 1018=40500 1017=5 ok \
    + sleep 1500 + wait-count Visibility 14 5
  check "an insertion into the full array adds nothing" has '^rows Visibility 14$'
  check "... (one more body)" test "$(count_received '^write offset=0xC808 size=1016 ')" -gt "$bodies"
  stop_program close
  check "exit code 0 (got $exit_code)" test "$exit_code" -eq 0
  stop_standin
}

# Clear All and Global.
scenario_commands() {
  start_standin commands --tick-ms 0
  start_program
  drive wait-title "$t_aircraft" 30 + wait-rows Cloud 2 10
  check "the aircraft's own weather with clouds" has '^rows Cloud'
  drive command 40015 + wait-title "$t_aircraft_global" 10
  check "Global: the global weather in force at the aircraft" has_title "$t_aircraft_global"
  check "Global: the command 5, then 4, received" \
    bash -c "tr -d '\r' <'$log' | grep -A2 -x 'write offset=0xC800 size=2 data=0500' | grep -qx 'write offset=0xC800 size=2 data=0400'"
  drive key Station 0 enter + dialog "$station_caption" 20 1043=EGLL ok + wait-title "$(t_station EGLL)" 10 \
    + wait-rows Cloud 2 10
  check "a station before Clear All has clouds" has '^rows Cloud [2-9]'
  drive command 40007 + wait-count Cloud 1 10 + title
  check "Clear All: the command 3, then 4, received" \
    bash -c "tr -d '\r' <'$log' | grep -A2 -x 'write offset=0xC800 size=2 data=0300' | grep -qx 'write offset=0xC800 size=2 data=0400'"
  check "Clear All: the station's clouds are gone" has '^rows Cloud 1$'
  check "Clear All: the station still shown" title_now "$(t_station EGLL)"
  stop_program close
  check "exit code 0 (got $exit_code)" test "$exit_code" -eq 0
  stop_standin
}

# Disconnect, Connect, AutoConnect; a restart of the simulator after Connect.
scenario_connection() {
  start_standin connection --tick-ms 0
  start_program
  drive wait-title "$t_aircraft" 30
  check "connected" has_title "$t_aircraft"
  drive command 40014 + wait-title "$t_not_connected" 10 + sleep 2500 + title
  check "Disconnect: not connected at once" has_title "$t_not_connected"
  check "Disconnect: no reconnection on later ticks" title_now "$t_not_connected"
  drive command 40013 + wait-title "$t_aircraft" 10
  check "Connect: connected at once" has_title "$t_aircraft"
  drive control 4 0
  check "after Connect, a restarted simulator is connected again" wait_restarted 15
  drive title
  check "... and the title shows the aircraft" title_now "$t_aircraft"
  # Connect unchecked AutoConnect: the first toggle checks it and keeps the connection.
  drive command 40012 + sleep 2500 + title
  check "AutoConnect checked while connected: the connection stays" title_now "$t_aircraft"
  drive command 40012 + wait-title "$t_not_connected" 10
  check "AutoConnect unchecked: dropped with the next tick" has_title "$t_not_connected"
  drive command 40012 + wait-title "$t_aircraft" 10
  check "AutoConnect checked: connected again" has_title "$t_aircraft"
  stop_program close
  check "exit code 0 (got $exit_code)" test "$exit_code" -eq 0
  stop_standin
}

# A simulator restart, a module that answers 0 or late, corrupted answers, a vanished
# simulator: Nimbrel keeps running and comes back.
scenario_faults() {
  start_standin faults --tick-ms 0
  start_program
  drive wait-title "$t_aircraft" 30
  check "connected" has_title "$t_aircraft"
  drive control 4 0
  check "restart: batches reach the new window" wait_restarted 15
  drive title
  check "restart: connected to the new window" title_now "$t_aircraft"

  # Ten refusals make one exchange fail (all its tries); the next one succeeds.
  drive control 1 10 + wait-title "$t_not_connected" 15 + wait-title "$t_aircraft" 15
  check "answer 0 ten times: \"Not connected\" shown" has_title "$t_not_connected"
  check "answer 0: connected again afterwards" has_title "$t_aircraft"
  drive control 1 3 + sleep 3000 + title
  check "answer 0 three times: the retries carry the exchange" title_now "$t_aircraft"
  drive control 2 2 + sleep 6000 + wait-title "$t_aircraft" 15 + wait-rows Temperature 2 5
  check "late answers: still connected afterwards with the weather" has '^rows Temperature'
  check "late answers logged" wait_received '^late ' 5

  local corruption kind record
  for corruption in "1 0" "2 0" "3 0" "1 1" "3 1"; do
    read -r kind record <<<"$corruption"
    drive control 3 $((kind | record << 8)) + sleep 2500 + wait-title "$t_aircraft" 15 + wait-rows Temperature 2 5
    check "corrupt kind $kind at record $record: Nimbrel runs on, connected" has '^rows Temperature'
    check "corrupt kind $kind at record $record: the process is alive" kill -0 "$program"
  done

  # The simulator vanishes and comes back.
  stop_standin
  drive wait-title "$t_not_connected" 30
  check "simulator gone: \"Not connected\"" has_title "$t_not_connected"
  start_standin faults-again --tick-ms 0
  drive wait-title "$t_aircraft" 10
  check "simulator back: connected again" has_title "$t_aircraft"
  stop_program close
  check "exit code 0 after the faults (got $exit_code)" test "$exit_code" -eq 0
  stop_standin
}

# Exit with code 0; the placement restored at the next start.
scenario_exit() {
  start_program
  drive wait-title "$t_not_connected" 30 + move 40 30 820 530
  check "window moved" has '^rect 40 30 820 530$'
  stop_program exit
  check "Exit: code 0 (got $exit_code)" test "$exit_code" -eq 0
  local ini
  ini=$(settings_file)
  check "the placement stored" grep -qx 'MainWindow=\[40,30,820,530\]' <(tr -d '\r' <"$ini" 2>/dev/null)
  start_program
  drive wait-title "$t_not_connected" 30 + sleep 500 + rect
  check "the placement restored at the next start" has '^rect 40 30 820 530$'
  drive lists
  check "the lists laid out over the restored size" has '^list at 0,0 '
  stop_program exit
  check "Exit again: code 0 (got $exit_code)" test "$exit_code" -eq 0
}

# cpu_us PID: CPU time of a process, all its threads, in microseconds: from the
# scheduler's nanosecond counters where the kernel keeps them, else from the 10 ms
# ticks of /proc/PID/stat.
cpu_us() {
  if [ -r "/proc/$1/schedstat" ]; then
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { printf "%d\n", ns / 1000 }'
  else
    awk -v hz="$(getconf CLK_TCK)" '{ sub(/^.*\) /, ""); printf "%d\n", ($12 + $13) * 1000000 / hz }' \
      "/proc/$1/stat"
  fi
}
batches() { wine "$driver" control 9 0 2>/dev/null | tr -d '\r' | sed -n 's/^control 9 0 answer //p'; }

# measure LABEL SECONDS: CPU per refresh of the running program over SECONDS; the
# refreshes are counted as the batches the stand-in received meanwhile.
measure() {
  local pid us0 b0 us1 b1 n
  pid=$(program_unix_pid "$program")
  b0=$(batches)
  us0=$(cpu_us "$pid")
  sleep "$2"
  us1=$(cpu_us "$pid")
  b1=$(batches)
  n=$((b1 - b0))
  [ "$n" -gt 0 ] || n=1
  figure "$(awk -v l="$1" -v n="$n" -v us=$((us1 - us0)) 'BEGIN {
    printf "CPU per refresh, %s: %.2f ms (%.1f ms over %d refreshes)", l, us / n / 1000, us / 1000, n }')"
}

# Figures, printed and not asserted.
scenario_figures() {
  start_standin figures --tick-ms 0
  start_program
  drive wait-title "$t_aircraft" 30 + wait-rows Temperature 2 10
  check "connected for the figures" has_title "$t_aircraft"
  measure "unchanged stamp (target at most 1 ms)" 12
  drive control 10 100
  drive sleep 1000
  measure "changing stamp" 12
  drive control 10 0
  local pid
  pid=$(program_unix_pid "$program")
  local peak baseline_pid baseline
  peak=$(awk '/^VmHWM/ { printf "%.1f MB", $2 / 1024 }' "/proc/$pid/status")
  # Wine's own share: the same figure for a window holding one empty list.
  wine "$driver" empty-window 4000 >/dev/null 2>&1 &
  baseline_pid=$!
  sleep 3
  baseline=$(awk '/^VmHWM/ { printf "%.1f MB", $2 / 1024 }' "/proc/$baseline_pid/status" 2>/dev/null)
  wait "$baseline_pid" 2>/dev/null
  figure "peak working set: $peak (VmHWM; target under 16 MB); an empty window program under Wine: ${baseline:-unknown}"
  figure "size of nimbrel.exe: $(stat -c %s "$exe") bytes (target under 1 MB)"
  stop_program close
  check "exit code 0 after the figures (got $exit_code)" test "$exit_code" -eq 0
  stop_standin
}

# ---- run -------------------------------------------------------------------------------

source "$root/scripts/lib/wine-session.sh"
wine_session_start "$prefix"
trap finish EXIT

selected=("$@")
[ ${#selected[@]} -gt 0 ] || selected=("${all_scenarios[@]}")
for name in "${selected[@]}"; do
  echo "== scenario $name"
  start=$SECONDS
  "scenario_$name"
  # A scenario that failed midway may leave its programs running.
  [ -n "$program" ] && { kill "$program" 2>/dev/null; wait "$program" 2>/dev/null; program=; }
  [ -n "$standin_pid" ] && stop_standin
  echo "== scenario $name: $((SECONDS - start)) s"
done

echo
echo "==== figures (printed, not asserted)"
printf '%s\n' "${figures[@]}"
echo "e2e: $failures failed"
[ "$failures" -eq 0 ]
