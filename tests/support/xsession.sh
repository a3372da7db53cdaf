# What the scripts that drive the real programs on a private Xvfb share: the
# display, clicks and waits with xdotool, the database, the stages and their
# report. Sourced, not run. The sourcing script sets:
#   work     its work folder            programs  the folder our programs run from
#   shots    where screenshots go        trace     pptdrill's stderr
#   db       the database file           dbkey     its raw key
# and keeps, as this file does: started (pids), display, passed, failed, latencies.

now() { date +%s%3N; }

started=()  # every process the script started, by pid
display=""  # the display the current stage drives
passed=0
failed=0
latencies=()

# pptdrill starts the players and each player its bridge; ours are the ones
# whose executable lies in $programs.
our_processes() {
    local name=$1 d
    for d in /proc/[0-9]*; do
        [ "$(readlink "$d/exe" 2>/dev/null)" = "$programs/$name" ] || continue
        [ "$(awk '{print $3}' "$d/stat" 2>/dev/null)" = Z ] && continue
        echo "${d#/proc/}"
    done
}

kill_ours() {
    local p
    for p in $(our_processes drillplay) $(our_processes drillbridge) $(our_processes pptdrill) "${started[@]}"; do
        kill -9 "$p" 2>/dev/null
    done
    wait 2>/dev/null
}

# start_xvfb GEOMETRY [XVFB OPTION…]: a new X server on a free display; sets $display.
start_xvfb() {
    local numfile=$work/display.$RANDOM deadline geometry=$1
    shift
    Xvfb -displayfd 9 -screen 0 "$geometry" -nolisten tcp "$@" 9>"$numfile" >"$work/xvfb.log" 2>&1 &
    started+=($!)
    deadline=$(($(now) + 10000))
    while [ ! -s "$numfile" ] && [ "$(now)" -lt "$deadline" ]; do sleep 0.05; done
    [ -s "$numfile" ] || return 1
    display=:$(tr -d '\n' <"$numfile")
    return 0
}

x() { DISPLAY=$display xdotool "$@"; }

# A learner's click: press, hold briefly, release. $clicked is the release time.
click() {
    x mousemove "$1" "$2"
    sleep 0.1
    x mousedown 1
    sleep 0.1
    clicked=$(now)
    x mouseup 1
}

visible() { x search --onlyvisible --name "$1" 2>/dev/null | head -1; }
is_visible() { [ -n "$(visible "$1")" ]; }
is_gone() { [ -z "$(visible "$1")" ]; }

# wait_until TIMEOUT_MS COMMAND...: polls COMMAND until it succeeds.
wait_until() {
    local deadline=$(($(now) + $1))
    shift
    until "$@"; do
        [ "$(now)" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

# answer_box KEY: the message box "朔禾软件" has the keyboard; KEY answers it.
# $answered is the time of the key.
answer_box() {
    local box
    box=$(visible '^朔禾软件$')
    [ -n "$box" ] || return 1
    x windowfocus "$box" 2>/dev/null
    sleep 0.1
    answered=$(now)
    x key "$1"
    wait_until 3000 is_gone '^朔禾软件$'
}

# The second 提醒 of a hand-in: another window of that title than the first ($1).
second_reminder() {
    local w
    w=$(visible '^提醒$')
    [ -n "$w" ] && [ "$w" != "$1" ]
}

# hand_in_confirmed: 结束考试 on the bar, 确定 on both confirmations, the results window.
hand_in_confirmed() {
    click 729 686
    wait_until 5000 is_visible '^提醒$' || fail "no confirmation after 结束考试" || return
    local first
    first=$(visible '^提醒$')
    click 440 460
    # A click that comes before a fresh window takes input is lost: as a
    # learner would, click once more while the window still stands.
    wait_until 5000 second_reminder "$first" ||
        { is_visible '^提醒$' && click 440 460 && wait_until 5000 second_reminder "$first"; } ||
        fail "no second confirmation" || return
    click 436 460
    wait_until 5000 is_visible '^交卷结束$' ||
        { is_visible '^提醒$' && click 436 460 && wait_until 5000 is_visible '^交卷结束$'; } ||
        fail "no results window 交卷结束"
}

q() { sqlcipher "$db" "PRAGMA key=\"x'$dbkey'\";" "$1" 2>&1 | grep -v '^ok$'; }

frames() { grep -c '^first-frame ' "$trace" 2>/dev/null || true; }
last_frame() { grep '^first-frame ' "$trace" | tail -1 | cut -d' ' -f2; }
more_frames() { [ "$(frames)" -gt "$1" ]; }

shot() { DISPLAY=$display import -window root -resize 50% -quality 70 "$shots/$1.jpg" 2>/dev/null; }

stage_no=0
# stage NAME FUNCTION: runs one stage and keeps its screenshot; on failure the
# script ends here, with the end of pptdrill's stderr.
stage() {
    local name=$1
    stage_no=$((stage_no + 1))
    reason=""
    "$2"
    local rc=$?
    shot "$(printf '%02d' $stage_no)-$name"
    if [ $rc -eq 0 ]; then
        echo "stage $name: ok"
        passed=$((passed + 1))
        return 0
    fi
    echo "stage $name: FAILED — ${reason:-no reason given}"
    [ -s "$trace" ] && grep -v '^first-frame ' "$trace" | tail -20 | sed 's/^/  pptdrill: /'
    failed=$((failed + 1))
    report
    exit 1
}

report() {
    local l
    [ -n "${suite_start:-}" ] && echo "wall time: $(($(now) - suite_start)) ms"
    for l in "${latencies[@]}"; do echo "latency $l"; done
    echo "$passed passed, $failed failed"
}

# fail WHY: a stage's reason for failing; returns 1.
fail() {
    reason=$1
    return 1
}
