#!/usr/bin/env bash
# A learner's whole session with the three real programs on a private Xvfb,
# clicked and typed with xdotool.
#
#   run-e2e.sh PROGRAM_DIR SHOTS_DIR [DRILLSEND]
#
# Works on its own copy of the program folder, its own runtime folder and
# therefore its own database. Prints "stage NAME: ok" or "stage NAME: FAILED — why"
# per stage, keeps one screenshot per stage in SHOTS_DIR, stops at the first
# failure and ends with "N passed, M failed".
set -u

program_dir=${1:?usage: run-e2e.sh PROGRAM_DIR SHOTS_DIR [DRILLSEND]}
shots=${2:?usage: run-e2e.sh PROGRAM_DIR SHOTS_DIR [DRILLSEND]}
drillsend=${3:-}

for tool in Xvfb xdotool import sqlcipher sha256sum; do
    if ! command -v "$tool" >/dev/null; then
        echo "e2e: $tool is missing (scripts/setup.sh installs it)"
        echo "0 passed, 1 failed"
        exit 1
    fi
done

now() { date +%s%3N; }
suite_start=$(now)

work=$(mktemp -d /tmp/pptdrill-e2e.XXXXXX)
bin=$work/bin
rt=$work/rt
db=$bin/stdata.db
cp -a "$program_dir" "$bin"
mkdir -m 0700 "$rt"
rm -rf "$shots"
mkdir -p "$shots"
trace=$work/pptdrill.err

# The raw key: SHA-256 of the UTF-8 database password.
dbkey=$(printf '%s' 'áéíóúàèìòù' | sha256sum | cut -d' ' -f1)

started=()      # every process this script started, by pid
display=""      # the display the current stage drives
passed=0
failed=0
latencies=()

# pptdrill starts the players and each player its bridge; ours are the ones whose
# executable lies in our program folder copy.
our_processes() {
    local name=$1 d
    for d in /proc/[0-9]*; do
        [ "$(readlink "$d/exe" 2>/dev/null)" = "$bin/$name" ] || continue
        [ "$(awk '{print $3}' "$d/stat" 2>/dev/null)" = Z ] && continue
        echo "${d#/proc/}"
    done
}

cleanup() {
    local p
    for p in $(our_processes drillplay) $(our_processes drillbridge) $(our_processes pptdrill); do
        kill -9 "$p" 2>/dev/null
    done
    for p in "${started[@]}"; do
        kill -9 "$p" 2>/dev/null
    done
    wait 2>/dev/null
    if [ "$failed" -eq 0 ]; then
        rm -rf "$work"
    else
        echo "e2e: work folder kept: $work"
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# start_xvfb GEOMETRY: a new X server on a free display; sets $display.
start_xvfb() {
    local numfile=$work/display.$RANDOM deadline
    Xvfb -displayfd 9 -screen 0 "$1" -nolisten tcp 9>"$numfile" >"$work/xvfb.log" 2>&1 &
    started+=($!)
    deadline=$(($(now) + 10000))
    while [ ! -s "$numfile" ] && [ "$(now)" -lt "$deadline" ]; do sleep 0.05; done
    [ -s "$numfile" ] || return 1
    display=:$(tr -d '\n' <"$numfile")
    return 0
}

# start_pptdrill PIDVAR: pptdrill on $display, stderr (also the players') to $trace.
start_pptdrill() {
    DISPLAY=$display XDG_RUNTIME_DIR=$rt PPTDRILL_TRACE_FIRST_FRAME=1 QT_QPA_PLATFORM=xcb \
        "$bin/pptdrill" >>"$work/pptdrill.out" 2>>"$trace" &
    started+=($!)
    printf -v "$1" '%s' "$!"
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

# wait_until TIMEOUT_MS COMMAND...: polls COMMAND until it succeeds.
wait_until() {
    local deadline=$(($(now) + $1))
    shift
    until "$@"; do
        [ "$(now)" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}
is_visible() { [ -n "$(visible "$1")" ]; }
is_gone() { [ -z "$(visible "$1")" ]; }

q() { sqlcipher "$db" "PRAGMA key=\"x'$dbkey'\";" "$1" 2>&1 | grep -v '^ok$'; }

frames() { grep -c '^first-frame ' "$trace" 2>/dev/null || true; }
last_frame() { grep '^first-frame ' "$trace" | tail -1 | cut -d' ' -f2; }
more_frames() { [ "$(frames)" -gt "$1" ]; }

# answer_box KEY: the message box "朔禾软件" has the keyboard; KEY answers it.
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

shot() { DISPLAY=$display import -window root -resize 50% -quality 70 "$shots/$1.jpg" 2>/dev/null; }

stage_no=0
# stage NAME FUNCTION: runs one stage; on failure the suite ends here.
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
    failed=$((failed + 1))
    report
    exit 1
}

report() {
    local l
    echo "wall time: $(($(now) - suite_start)) ms"
    for l in "${latencies[@]}"; do echo "latency $l"; done
    echo "$passed passed, $failed failed"
}

fail() {
    reason=$1
    return 1
}

login_id=110101199001011234

# ---------------------------------------------------------------- stages

main_pid=""

s_start() {
    start_xvfb 1024x768x24 || fail "Xvfb did not start" || return
    local launched
    launched=$(now)
    start_pptdrill main_pid
    wait_until 15000 is_visible '^朔禾职称计算机考试练习系统$' || fail "the menu window did not appear" || return
    wait_until 10000 more_frames 0 || fail "the menu never reported its first frame" || return
    latencies+=("start -> menu painted: $(($(last_frame) - launched)) ms")
    kill -0 "$main_pid" 2>/dev/null || fail "pptdrill ended" || return
}

s_second_instance() {
    local second
    start_pptdrill second
    wait_until 10000 is_visible '^朔禾软件$' || fail "the second pptdrill showed no refusal" || return
    answer_box Return || fail "the refusal box did not close" || return
    local deadline=$(($(now) + 5000))
    while kill -0 "$second" 2>/dev/null && [ "$(now)" -lt "$deadline" ]; do sleep 0.05; done
    ! kill -0 "$second" 2>/dev/null || fail "the second pptdrill still runs after its refusal" || return
    kill -0 "$main_pid" 2>/dev/null || fail "the first pptdrill ended" || return
    is_visible '^朔禾职称计算机考试练习系统$' || fail "the menu of the first pptdrill is gone"
}

# log_in ANSWER: from the shown login, types the identity number, 登陆, answers
# the exam-mode question with ANSWER (Return = 是, Escape = 否).
log_in() {
    click 540 412
    sleep 0.2
    x type --delay 20 "$login_id"
    sleep 0.2
    click 408 524
    wait_until 5000 is_visible '^朔禾软件$' || fail "no exam-mode question after 登陆" || return
    answer_box "$1" || fail "the exam-mode question did not close" || return
}

s_set_paper() {
    click 430 334
    local chosen=$clicked
    wait_until 10000 is_visible '^考试登陆$' || fail "no login after 第6套题" || return
    is_gone '^朔禾职称计算机考试练习系统$' || fail "the menu stays shown behind the login" || return
    latencies+=("menu choice -> login shown: $(($(now) - chosen)) ms (polled)")
    # An empty identity number is refused with a message.
    click 408 524
    wait_until 5000 is_visible '^朔禾软件$' || fail "no message for an empty identity number" || return
    answer_box Return || fail "the empty-number message did not close" || return
    is_visible '^考试登陆$' || fail "the login went away after the empty-number message" || return
    local before
    before=$(frames)
    log_in Escape || return
    local loggedin=$answered
    wait_until 20000 is_visible '^第1题  共10题$' || fail "no question bar \"第1题  共10题\"" || return
    wait_until 20000 is_visible '^试题播放$' || fail "no player window 试题播放" || return
    wait_until 10000 more_frames "$before" || fail "the player never reported its first frame" || return
    latencies+=("login -> question 1 painted: $(($(last_frame) - loggedin)) ms")
    local n
    for n in $(seq 1 10); do
        [ -s "$rt/pczcksw/$n.w" ] || fail "movie $n.w missing in the movie folder" || return
    done
    ! [ -e "$rt/pczcksw/11.w" ] || fail "movie 11.w written for a 10-question paper" || return
    [ "$(our_processes drillplay | wc -l)" -eq 1 ] || fail "not exactly one player running"
}

row1_done() { [ "$(q "select 是否已做 || '|' || 得分 from st order by rowid limit 1;")" = "1|2.5" ]; }

s_demonstration() {
    click 969 686
    local asked=$clicked
    wait_until 60000 row1_done ||
        fail "paper row 1 not recorded (是否已做|得分 = $(q "select 是否已做 || '|' || 得分 from st order by rowid limit 1;"))" || return
    latencies+=("全程演示 -> row 1 recorded: $(($(now) - asked)) ms (polled)")
}

one_player_on() {
    local players
    players=$(our_processes drillplay)
    [ "$(echo "$players" | grep -c .)" -eq 1 ] || return 1
    tr '\0' ' ' <"/proc/$players/cmdline" | grep -q "&$1 *$"
}

s_move_and_mark() {
    local before
    before=$(frames)
    click 786 554
    local moved=$clicked
    wait_until 10000 more_frames "$before" || fail "no new question painted after 下一题" || return
    latencies+=("下一题 -> question 2 painted: $(($(last_frame) - moved)) ms")
    wait_until 5000 is_visible '^第2题  共10题$' || fail "the bar does not say 第2题" || return
    wait_until 5000 one_player_on 2 ||
        fail "expected exactly one player with \"&2\", found: $(for p in $(our_processes drillplay); do tr '\0' ' ' </proc/$p/cmdline; echo; done)" || return
    click 911 554
    sleep 0.5
    kill -0 "$main_pid" 2>/dev/null || fail "pptdrill ended on 标识本题"
}

# hand_in: 结束考试, 确定 on both confirmations, the results window.
hand_in() {
    click 729 686
    wait_until 5000 is_visible '^提醒$' || fail "no confirmation after 结束考试" || return
    local first
    first=$(visible '^提醒$')
    click 440 460
    wait_until 5000 second_reminder "$first" || fail "no second confirmation" || return
    click 436 460
    wait_until 5000 is_visible '^交卷结束$' || fail "no results window 交卷结束" || return
    is_gone '^第[0-9]+题  共[0-9]+题$' || fail "the question bar is still shown over the results"
}
second_reminder() {
    local w
    w=$(visible '^提醒$')
    [ -n "$w" ] && [ "$w" != "$1" ]
}

s_hand_in() {
    hand_in || return
    local flags
    flags=$(q "select group_concat(e, '') from (select stk.错题 as e from st join stk on stk.ID = st.stkid order by st.rowid);")
    [ "$flags" = "0111111111" ] || fail "bank 错题 flags of the paper are $flags, expected 0111111111"
}

no_movies() { ! ls "$rt/pczcksw/" 2>/dev/null | grep -q '^[0-9]*\.w$'; }
no_player() { [ -z "$(our_processes drillplay)" ]; }

s_check_and_new_paper() {
    click 512 340
    wait_until 5000 is_visible '^第2题  共10题$' || fail "返回检查 did not bring the bar back" || return
    is_gone '^交卷结束$' || fail "the results window stays after 返回检查" || return
    hand_in || return
    click 388 340
    wait_until 5000 is_visible '^朔禾职称计算机考试练习系统$' || fail "重选套题练习 did not show the menu" || return
    wait_until 5000 no_movies || fail "movie files left: $(ls "$rt/pczcksw")" || return
    wait_until 5000 no_player || fail "a player still runs after 重选套题练习"
}

row1_undone() { [ "$(q 'select 是否已做 from st order by rowid limit 1;')" = "0" ]; }

s_wrong_paper() {
    click 593 499
    wait_until 10000 is_visible '^考试登陆$' || fail "no login after 错题练习" || return
    log_in Return || return
    wait_until 20000 is_visible '^第1题  共9题$' || fail "no bar \"第1题  共9题\" for the nine wrong questions" || return
    wait_until 20000 is_visible '^试题播放$' || fail "no player window" || return
    [ "$(q 'select count(*) from st;')" = "9" ] || fail "the wrong-question paper has $(q 'select count(*) from st;') rows" || return
    # Exam mode withholds the demonstration: its button does nothing.
    sleep 1
    click 969 686
    sleep 3
    row1_undone || fail "全程演示 completed a question in exam mode" || return
    # The player itself still answers the channel.
    if [ -n "$drillsend" ]; then
        XDG_RUNTIME_DIR=$rt "$drillsend" SH_YanShi >/dev/null 2>&1 || fail "drillsend SH_YanShi was not handled" || return
        wait_until 60000 row1_done || fail "SH_YanShi over the channel did not record row 1" || return
    fi
}

s_orderly_exit() {
    hand_in || return
    click 636 340
    local deadline=$(($(now) + 10000))
    while kill -0 "$main_pid" 2>/dev/null && [ "$(now)" -lt "$deadline" ]; do sleep 0.05; done
    ! kill -0 "$main_pid" 2>/dev/null || fail "pptdrill still runs after 退出" || return
    wait_until 5000 no_player || fail "a player still runs after 退出" || return
    no_movies || fail "movie files left after 退出" || return
    # 退出系统 is shown at 800 × 600 only: a second server of that size.
    start_xvfb 800x600x24 || fail "the 800x600 Xvfb did not start" || return
    local menu_pid
    start_pptdrill menu_pid
    wait_until 15000 is_visible '^朔禾职称计算机考试练习系统$' || fail "no menu at 800x600" || return
    click 459 510
    deadline=$(($(now) + 15000))
    while kill -0 "$menu_pid" 2>/dev/null && [ "$(now)" -lt "$deadline" ]; do sleep 0.05; done
    ! kill -0 "$menu_pid" 2>/dev/null || fail "pptdrill still runs after 退出系统" || return
    local counts
    counts=$(q "select (select count(*) from st) || ',' || (select count(*) from stkbf) || ',' || (select count(*) from stlbf);")
    [ "$counts" = "0,0,0" ] || fail "st, stkbf, stlbf rows after the exit: $counts (expected 0,0,0)" || return
    [ "$(q 'select count(*) > 0 from stk;')" = "1" ] || fail "the compacted database does not open with the key: $(q 'select count(*) from stk;')" || return
    ! [ -e "$bin/stdata.~db" ] || fail "the compaction left stdata.~db behind" || return
    return 0
}

s_small_screen() {
    start_xvfb 799x600x24 || fail "the 799x600 Xvfb did not start" || return
    local small_pid
    start_pptdrill small_pid
    wait_until 15000 is_visible '^朔禾软件$' || fail "no refusal message at 799x600" || return
    is_gone '^朔禾职称计算机考试练习系统$' || fail "the menu was shown at 799x600" || return
    shot "$(printf '%02d' $((stage_no)))-small-screen-message"
    answer_box Return || fail "the refusal did not close" || return
    local deadline=$(($(now) + 5000))
    while kill -0 "$small_pid" 2>/dev/null && [ "$(now)" -lt "$deadline" ]; do sleep 0.05; done
    ! kill -0 "$small_pid" 2>/dev/null || fail "pptdrill still runs after the refusal" || return
    return 0
}

stage start s_start
stage second-instance s_second_instance
stage set-paper s_set_paper
stage demonstration s_demonstration
stage move-and-mark s_move_and_mark
stage hand-in s_hand_in
stage check-and-new-paper s_check_and_new_paper
stage wrong-paper s_wrong_paper
stage orderly-exit s_orderly_exit
stage small-screen s_small_screen
report
