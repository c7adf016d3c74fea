#!/usr/bin/env bash
# scripts/run puts back the [Ports] mapping it found once its panel closes:
# two runs side by side, closing in either order, leave vantor.ini as it was.
# The board is the real VantorBoard; the panel is played by a small script
# that opens the device COM 1 leads to, as the panel's start-up does, and
# stays until it is told to close.
# Usage: tst_runscript.sh VANTORBOARD
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait; rm -rf "$work"' EXIT

export XDG_RUNTIME_DIR=$work TMPDIR=$work QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export VANTOR_RUN_BUILD_DIR=$work/build VANTOR_RUN_BOARD=$1 VANTOR_RUN_PANEL=$work/panel
ini=$VANTOR_RUN_BUILD_DIR/vantor.ini
cat >"$VANTOR_RUN_PANEL" <<'EOF'
#!/bin/sh
set -e
exec 3<>"$(sed -n 's/^COM1=//p' "$VANTOR_RUN_BUILD_DIR/vantor.ini")"
mkfifo "$VANTOR_RUN_BUILD_DIR/$PANEL.quit"
: >"$VANTOR_RUN_BUILD_DIR/$PANEL.open"
read -r _ <"$VANTOR_RUN_BUILD_DIR/$PANEL.quit"
EOF
chmod +x "$VANTOR_RUN_PANEL"

fail() {
    echo "FAIL: $*" >&2
    cat "$work"/*.log >&2
    exit 1
}
mapping() { sed -n 's/^COM1=//p' "$ini"; }

declare -A runs links
start_run() { # name
    PANEL=$1 "$root/scripts/run" </dev/null >"$work/$1.log" 2>&1 &
    runs[$1]=$!
    for _ in $(seq 300); do
        [ -e "$VANTOR_RUN_BUILD_DIR/$1.open" ] && break
        kill -0 "${runs[$1]}" 2>/dev/null || fail "run $1 ended before its panel opened"
        sleep 0.1
    done
    links[$1]=$(mapping)
    [ -n "${links[$1]}" ] || fail "run $1 mapped no COM1"
}
close_run() { # name
    echo >"$VANTOR_RUN_BUILD_DIR/$1.quit"
    wait "${runs[$1]}" || fail "run $1 failed"
}

# name | vantor.ini before both runs | the run that closes first | the other
while IFS='|' read -r name before first second; do
    rm -rf "$VANTOR_RUN_BUILD_DIR" && mkdir -p "$VANTOR_RUN_BUILD_DIR"
    printf '%b' "$before" >"$ini"
    cp "$ini" "$work/before"
    start_run A
    start_run B
    close_run "$first"
    [ "$(mapping)" = "${links[$second]}" ] ||
        fail "$name: COM1 does not lead to the board of run $second, still going: $(mapping)"
    close_run "$second"
    cmp -s "$ini" "$work/before" || fail "$name: vantor.ini is not as before: $(cat "$ini")"
    echo "PASS: $name"
done <<'EOF'
COM1 mapped, the first run closes first|[Settings]\nCommPort=1\n[Ports]\nCOM1=/dev/ttyUSB0\n|A|B
COM1 not mapped, the last run closes first|[Settings]\nCommPort=1\n[Ports]\nCOM2=/dev/ttyUSB1\n|B|A
EOF
