#!/usr/bin/env bash
# A learner's whole session with the three real programs on a private Xvfb,
# clicked and typed with xdotool; then what only a window manager does
# (minimize, the close box, moves, stacking) under openbox.
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
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

for tool in Xvfb openbox xdotool xwininfo xprop import sqlcipher sha256sum; do
    if ! command -v "$tool" >/dev/null; then
        echo "e2e: $tool is missing (scripts/setup.sh installs it)"
        echo "0 passed, 1 failed"
        exit 1
    fi
done

# shellcheck source=../support/xsession.sh
source "$here/../support/xsession.sh"
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

programs=$bin

cleanup() {
    kill_ours
    if [ "$failed" -eq 0 ]; then
        rm -rf "$work"
    else
        echo "e2e: work folder kept: $work"
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# start_wm: openbox on $display, with the configuration kept beside this script.
start_wm() {
    DISPLAY=$display openbox --sm-disable --config-file "$here/openbox-rc.xml" >>"$work/openbox.log" 2>&1 &
    started+=($!)
    wait_until 10000 wm_running
}
wm_running() { DISPLAY=$display xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# start_pptdrill PIDVAR: pptdrill on $display, stderr (also the players') to $trace.
start_pptdrill() {
    DISPLAY=$display XDG_RUNTIME_DIR=$rt PPTDRILL_TRACE_FIRST_FRAME=1 PPTDRILL_TRACE_REVIEW=1 QT_QPA_PLATFORM=xcb \
        "$bin/pptdrill" >>"$work/pptdrill.out" 2>>"$trace" &
    started+=($!)
    printf -v "$1" '%s' "$!"
}

# click_in WINDOW X Y: a click at X,Y of the window's own area (inside any frame).
click_in() {
    x mousemove --window "$1" "$2" "$3"
    sleep 0.1
    x mousedown 1
    sleep 0.1
    x mouseup 1
}

# drag X Y DX DY: presses at X,Y, moves by DX,DY, releases. Like a hand, it
# starts with a one-pixel step (the icon's move begins at the first motion).
drag() {
    local i
    x mousemove "$1" "$2"
    sleep 0.1
    x mousedown 1
    sleep 0.1
    x mousemove $(($1 + ($3 > 0) - ($3 < 0))) $(($2 + ($4 > 0) - ($4 < 0)))
    sleep 0.05
    for i in 1 2 3 4; do
        x mousemove $(($1 + $3 * i / 4)) $(($2 + $4 * i / 4))
        sleep 0.05
    done
    x mouseup 1
}

# Where a window's own area lies on the screen (inside any frame), its size
# and map state, as xwininfo reports them.
geometry() { DISPLAY=$display xwininfo -id "$1" 2>/dev/null; }
origin() { geometry "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4} END {print x, y}'; }
width() { geometry "$1" | awk '/^ *Width:/ {print $2}'; }
height() { geometry "$1" | awk '/^ *Height:/ {print $2}'; }
is_at() { [ "$(origin "$1")" = "$2 $3" ]; }
is_mapped() { geometry "$1" | grep -q 'Map State: IsViewable'; }
is_unmapped() { ! is_mapped "$1"; }
wm_state() { DISPLAY=$display xprop -id "$1" WM_STATE 2>/dev/null | awk '/window state/ {print $3}'; }
is_iconic() { [ "$(wm_state "$1")" = Iconic ]; }
is_active() { [ "$(x getactivewindow 2>/dev/null)" = "$1" ]; }

# above A B: window A lies above window B. The top-level windows bottom to
# top: the window manager's stacking list, else the root's children.
stacking() {
    if wm_running; then
        DISPLAY=$display xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, /\n/g'
    else
        DISPLAY=$display xwininfo -root -children | awk '$1 ~ /^0x/ {print $1}' | tac
    fi
}
above() {
    local a b order
    a=$(printf '0x%x' "$1")
    b=$(printf '0x%x' "$2")
    order=$(stacking)
    local ia ib
    ia=$(echo "$order" | grep -nx "$a" | cut -d: -f1)
    ib=$(echo "$order" | grep -nx "$b" | cut -d: -f1)
    [ -n "$ia" ] && [ -n "$ib" ] && [ "$ia" -gt "$ib" ]
}

# player_window N: the shown window of the player on question N.
player_window() {
    local w pid
    for w in $(x search --onlyvisible --name '^试题播放$' 2>/dev/null); do
        pid=$(x getwindowpid "$w" 2>/dev/null) || continue
        if tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -q "&$1 *$"; then
            echo "$w"
            return 0
        fi
    done
    return 1
}
player_up() { [ -n "$(player_window "$1")" ]; }

# The bar's icon: the program's one shown window of 52 × 52.
icon_window() {
    local w
    for w in $(x search --onlyvisible --class '^pptdrill$' 2>/dev/null); do
        [ "$(width "$w")x$(height "$w")" = 52x52 ] && echo "$w" && return 0
    done
    return 1
}
icon_up() { [ -n "$(icon_window)" ]; }
icon_gone() { [ -z "$(icon_window)" ]; }

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
    wait_until 20000 is_visible '^第1题  共40题$' || fail "no question bar \"第1题  共40题\"" || return
    wait_until 20000 is_visible '^试题播放$' || fail "no player window 试题播放" || return
    wait_until 10000 more_frames "$before" || fail "the player never reported its first frame" || return
    latencies+=("login -> question 1 painted: $(($(last_frame) - loggedin)) ms")
    local n
    for n in $(seq 1 40); do
        [ -s "$rt/pczcksw/$n.w" ] || fail "movie $n.w missing in the movie folder" || return
    done
    ! [ -e "$rt/pczcksw/41.w" ] || fail "movie 41.w written for a 40-question paper" || return
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
    wait_until 5000 is_visible '^第2题  共40题$' || fail "the bar does not say 第2题" || return
    wait_until 5000 one_player_on 2 ||
        fail "expected exactly one player with \"&2\", found: $(for p in $(our_processes drillplay); do tr '\0' ' ' </proc/$p/cmdline; echo; done)" || return
    click 911 554
    sleep 0.5
    kill -0 "$main_pid" 2>/dev/null || fail "pptdrill ended on 标识本题"
}

# Without a window manager a new player's window comes up over 上一题/下一题.
# The bar goes back on top as soon as the window is there, so that 下一题,
# clicked again right then, reaches the bar and not the player.
s_quick_moves() {
    local bar n
    bar=$(visible '^第2题  共40题$')
    [ -n "$bar" ] || fail "no bar \"第2题  共40题\"" || return
    for n in 3 4 5; do
        click 786 554
        wait_until 10000 player_up $n || fail "no player window on question $n after 下一题" || return
        # The next click on 下一题 comes at once: it reaches the bar only if the
        # bar went back on top as soon as the player's window was there.
        wait_until 5000 above "$bar" "$(player_window $n)" ||
            fail "the new player of question $n lies over the bar" || return
    done
    wait_until 5000 is_visible '^第5题  共40题$' ||
        fail "three quick 下一题 did not reach 第5题 (the bar: $(x getwindowname "$bar"))" || return
    # A player that is closed while its bridge still records may wait for it (up
    # to 20 s): on a busy machine the old players can take that long to go.
    wait_until 25000 one_player_on 5 || fail "not exactly one player, on question 5"
}

# Without a window manager there is no system move: the bar follows the
# pointer itself. It goes back where it was for the stages that follow.
s_drag_without_wm() {
    local bar x0 y0
    bar=$(visible '^第5题  共40题$')
    read -r x0 y0 < <(origin "$bar")
    drag $((x0 + 2)) $((y0 + 100)) -300 -200
    wait_until 3000 is_at "$bar" $((x0 - 300)) $((y0 - 200)) ||
        fail "the bar is at $(origin "$bar") after a drag by -300,-200 from $x0 $y0" || return
    drag $((x0 - 298)) $((y0 - 100)) 300 200
    wait_until 3000 is_at "$bar" "$x0" "$y0" || fail "the bar did not come back to $x0 $y0: $(origin "$bar")"
}

# hand_in: 结束考试, 确定 on both confirmations, the results window.
hand_in() {
    hand_in_confirmed || return
    is_gone '^第[0-9]+题  共[0-9]+题$' || fail "the question bar is still shown over the results"
}

# The trainer is killed mid-paper: its player closes by itself, and the next
# start offers the paper again at the question the learner was on.
s_kill_and_resume() {
    kill -9 "$main_pid"
    wait_until 10000 no_player || fail "the player stayed on screen after its trainer was killed" || return
    start_pptdrill main_pid
    wait_until 15000 is_visible '^朔禾软件$' || fail "no offer to take the paper up again" || return
    shot resume-offer
    answer_box Return || fail "the offer did not close on 是" || return
    wait_until 20000 is_visible '^第5题  共40题$' || fail "the paper did not come back at question 5" || return
    wait_until 20000 one_player_on 5 || fail "no player on question 5 after taking the paper up" || return
    row1_done || fail "question 1 lost its recorded answer" || return
    is_gone '^朔禾职称计算机考试练习系统$' || fail "the menu stays over the resumed paper"
}

s_hand_in() {
    hand_in || return
    local flags
    flags=$(q "select group_concat(e, '') from (select stk.错题 as e from st join stk on stk.ID = st.stkid order by st.rowid);")
    local expected
    expected=0$(printf '1%.0s' $(seq 1 39))
    [ "$flags" = "$expected" ] || fail "bank 错题 flags of the paper are $flags, expected $expected"
}

no_movies() { ! ls "$rt/pczcksw/" 2>/dev/null | grep -q '^[0-9]*\.w$'; }
no_player() { [ -z "$(our_processes drillplay)" ]; }

review_player_up() {
    local p
    for p in $(our_processes drillplay); do
        tr '\0' ' ' <"/proc/$p/cmdline" | grep -q -- "--review .*&2 *$" && return 0
    done
    return 1
}
row2_state() { q "select 是否已做 || '|' || 得分 from st order by rowid limit 1 offset 1;"; }
last_score() { q "select 得分 from 练习记录 order by 记录ID desc limit 1;"; }

review_window() { x search --onlyvisible --name '^试题回顾$' 2>/dev/null | head -1; }
review_up() { [ -n "$(review_window)" ]; }
review_gone() { [ -z "$(review_window)" ]; }
# The last review the trainer showed: "steps=N stem=…".
review_traced() { grep "^pptdrill: review $1: " "$trace" | tail -1 | sed "s/^pptdrill: review $1: //"; }
is_review_traced() { [ -n "$(review_traced "$1")" ]; }

s_check_and_new_paper() {
    # A red number opens the question's review (试题回顾): its stem and its
    # steps in words; its demonstration is a look back that records nothing,
    # left with one click on 返回成绩, and the score stays the one handed in.
    local score
    score=$(last_score)
    click 361 414
    wait_until 10000 review_up || fail "no 试题回顾 after the red number of question 2" || return
    local traced steps
    wait_until 5000 is_review_traced 2 || fail "the review of question 2 was not traced" || return
    traced=$(review_traced 2)
    steps=$(q "select 解析 from st order by rowid limit 1 offset 1;" | grep -c '^[0-9]*\. ')
    [ "$steps" -gt 0 ] || fail "question 2 of the paper has no steps in its 解析" || return
    [ "${traced%% *}" = "steps=$steps" ] || fail "the review shows ${traced%% *}, the bank has $steps steps" || return
    [ -n "${traced#*stem=}" ] || fail "the review shows no stem" || return
    shot review-window
    click_in "$(review_window)" 275 347
    wait_until 20000 review_player_up || fail "no review player after 观看全程演示" || return
    wait_until 10000 is_visible '^试题播放$' || fail "the review player shows no window" || return
    review_gone || fail "the review stays over its demonstration" || return
    sleep 8
    [ "$(row2_state)" = "0|0.0" ] || fail "the review recorded question 2 ($(row2_state))" || return
    shot review
    click_in "$(player_window 2)" 737 55
    # On a loaded machine a click can come before the window takes input: once more.
    wait_until 5000 no_player || { player_up 2 && click_in "$(player_window 2)" 737 55; wait_until 5000 no_player; } ||
        fail "返回成绩 did not close the review player" || return
    wait_until 5000 review_up || fail "the review did not come back after its demonstration" || return
    click_in "$(review_window)" 425 347
    wait_until 5000 review_gone || fail "关闭 did not close the review" || return
    is_visible '^交卷结束$' || fail "the results are gone after the review" || return
    click 512 340
    wait_until 5000 is_visible '^第5题  共40题$' || fail "返回检查 did not bring the bar back" || return
    is_gone '^交卷结束$' || fail "the results window stays after 返回检查" || return
    hand_in || return
    [ "$(last_score)" = "$score" ] || fail "handed in again after the review, the score went from $score to $(last_score)" || return
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
    wait_until 20000 is_visible '^第1题  共39题$' || fail "no bar \"第1题  共39题\" for the 39 wrong questions" || return
    wait_until 20000 is_visible '^试题播放$' || fail "no player window" || return
    [ "$(q 'select count(*) from st;')" = "39" ] || fail "the wrong-question paper has $(q 'select count(*) from st;') rows" || return
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

# ------------------------------------------------ under a window manager

wm_pid=""
wm_bar=""

# wm_log_in LOGIN ANSWER: the identity number, 登  陆 and ANSWER to the exam-mode question.
wm_log_in() {
    click_in "$1" 437 330
    sleep 0.2
    x type --delay 20 "$login_id"
    sleep 0.2
    click_in "$1" 296 440
    wait_until 5000 is_visible '^朔禾软件$' || fail "no exam-mode question after 登陆" || return
    answer_box "$2" || fail "the exam-mode question did not close"
}

s_wm_start() {
    start_xvfb 1024x768x24 || fail "Xvfb did not start" || return
    start_wm || fail "openbox did not start" || return
    start_pptdrill wm_pid
    wait_until 15000 is_visible '^朔禾职称计算机考试练习系统$' || fail "no menu under openbox" || return
    click_in "$(visible '^朔禾职称计算机考试练习系统$')" 318 270 # 第6套题
    wait_until 10000 is_visible '^考试登陆$' || fail "no login after 第6套题" || return
    wm_log_in "$(visible '^考试登陆$')" Escape || return
    wait_until 20000 is_visible '^第1题  共40题$' || fail "no question bar" || return
    wm_bar=$(visible '^第1题  共40题$')
    wait_until 20000 player_up 1 || fail "no player on question 1" || return
    above "$wm_bar" "$(player_window 1)" || fail "the player lies over the bar"
}

s_wm_next_question() {
    click_in "$wm_bar" 99 21 # 下一题
    wait_until 10000 player_up 2 || fail "no player on question 2 after 下一题" || return
    wait_until 5000 is_visible '^第2题  共40题$' || fail "the bar does not say 第2题" || return
    above "$wm_bar" "$(player_window 2)" || fail "the new player lies over the bar"
}

# The close box of the bar's frame: the request reaches the bar, which refuses it.
s_wm_close_box() {
    local x0 y0
    read -r x0 y0 < <(origin "$wm_bar")
    click $((x0 + $(width "$wm_bar") - 10)) $((y0 - 10))
    # 上一题 after it: once it has been handled, so has the close request.
    click_in "$wm_bar" 40 21
    wait_until 10000 is_visible '^第1题  共40题$' || fail "上一题 after the close box did nothing" || return
    is_mapped "$wm_bar" || fail "the close box closed the bar" || return
    kill -0 "$wm_pid" 2>/dev/null || fail "pptdrill ended"
}

s_wm_drag_bar() {
    local x0 y0
    read -r x0 y0 < <(origin "$wm_bar")
    drag $((x0 + 2)) $((y0 + 100)) -300 -200
    wait_until 3000 is_at "$wm_bar" $((x0 - 300)) $((y0 - 200)) ||
        fail "the bar is at $(origin "$wm_bar") after a drag by -300,-200 from $x0 $y0" || return
    wait_until 10000 player_up 1 || fail "no player on question 1" || return
    above "$wm_bar" "$(player_window 1)" || fail "the player lies over the moved bar"
}

# The iconify box: the bar gives way to its icon in the corner of the work
# area; the icon can be dragged and brings the bar back with a double-click.
s_wm_minimize_and_restore() {
    local x0 y0 icon
    read -r x0 y0 < <(origin "$wm_bar")
    click $((x0 + $(width "$wm_bar") - 42)) $((y0 - 10))
    wait_until 5000 is_unmapped "$wm_bar" || fail "the iconify box left the bar on screen" || return
    wait_until 5000 icon_up || fail "no icon after minimizing the bar" || return
    icon=$(icon_window)
    is_at "$icon" 972 716 || fail "the icon is at $(origin "$icon"), not in the corner 972 716" || return
    drag 990 734 -400 -300
    wait_until 3000 is_at "$icon" 572 416 || fail "the icon is at $(origin "$icon") after a drag by -400,-300" || return
    # The pointer wanders on over the icon with no button held: the icon stays.
    x mousemove 600 445
    sleep 0.3
    x mousemove 500 350
    sleep 0.3
    is_at "$icon" 572 416 || fail "the icon follows the pointer after the drag: $(origin "$icon")" || return
    x mousemove 590 434
    sleep 0.1
    x click --repeat 2 --delay 80 1
    wait_until 5000 is_mapped "$wm_bar" || fail "a double-click on the icon did not bring the bar back" || return
    wait_until 5000 icon_gone || fail "the icon stays after the double-click" || return
    is_at "$wm_bar" "$x0" "$y0" || fail "the bar came back at $(origin "$wm_bar"), not at $x0 $y0" || return
    above "$wm_bar" "$(player_window 1)" || fail "the player lies over the restored bar" || return
    # Minimized again, the icon starts from the corner again.
    click $((x0 + $(width "$wm_bar") - 42)) $((y0 - 10))
    wait_until 5000 icon_up || fail "no icon after the second minimize" || return
    is_at "$(icon_window)" 972 716 || fail "the second icon is at $(origin "$(icon_window)"), not in the corner" || return
    x mousemove 990 734
    sleep 0.1
    x click --repeat 2 --delay 80 1
    wait_until 5000 is_mapped "$wm_bar" || fail "the bar did not come back the second time"
}

# At 800 × 600 the menu has its own minimize button. After it, every way back
# to the menu must show it normal and active; the loading window fits the screen.
s_wm_menu_800() {
    local p menu login loading
    # The paper of the 1024 × 768 session is left as it stands.
    for p in $(our_processes drillplay) $(our_processes pptdrill); do kill -9 "$p" 2>/dev/null; done
    wait "$wm_pid" 2>/dev/null
    start_xvfb 800x600x24 || fail "the 800x600 Xvfb did not start" || return
    start_wm || fail "openbox did not start at 800x600" || return
    start_pptdrill wm_pid
    wait_until 15000 is_visible '^朔禾职称计算机考试练习系统$' || fail "no menu at 800x600" || return
    # The killed paper is offered again: 否 gives it up.
    wait_until 10000 is_visible '^朔禾软件$' || fail "the killed paper was not offered again" || return
    answer_box Escape || fail "the offer did not close on 否" || return
    menu=$(visible '^朔禾职称计算机考试练习系统$')
    click 338 510 # 最小化窗口
    wait_until 5000 is_iconic "$menu" || fail "最小化窗口 did not minimize the menu" || return
    x windowactivate "$menu" 2>/dev/null # as a taskbar would
    wait_until 5000 is_mapped "$menu" || fail "the minimized menu did not come back when activated" || return
    click 156 188 # 第1套题
    wait_until 10000 is_visible '^考试登陆$' || fail "no login after 第1套题" || return
    login=$(visible '^考试登陆$')
    click_in "$login" 472 440 # 返  回
    wait_until 5000 is_mapped "$menu" || fail "after 返  回 the menu stays $(wm_state "$menu")" || return
    [ "$(wm_state "$menu")" = Normal ] || fail "after 返  回 the menu is $(wm_state "$menu")" || return
    wait_until 3000 is_active "$menu" || fail "after 返  回 the menu is not the active window" || return
    # Once more, on to the loading window, which the screen must hold whole.
    click 338 510
    wait_until 5000 is_iconic "$menu" || fail "the second 最小化窗口 did not minimize the menu" || return
    x windowactivate "$menu" 2>/dev/null
    wait_until 5000 is_mapped "$menu" || fail "the menu did not come back the second time" || return
    click 156 188
    wait_until 10000 is_visible '^考试登陆$' || fail "no login after the second 第1套题" || return
    wm_log_in "$(visible '^考试登陆$')" Escape || return
    wait_until 10000 is_visible '^试题载入$' || fail "no loading window" || return
    loading=$(visible '^试题载入$')
    shot "$(printf '%02d' $((stage_no)))-loading-800x600"
    local lx ly
    read -r lx ly < <(origin "$loading")
    [ "$lx" -ge 0 ] && [ "$ly" -ge 0 ] && [ $((lx + $(width "$loading"))) -le 800 ] &&
        [ $((ly + $(height "$loading"))) -le 600 ] ||
        fail "the loading window ($(width "$loading")x$(height "$loading") at $lx $ly) runs off the 800x600 screen" || return
    wait_until 20000 is_visible '^第1题  共40题$' || fail "no bar after the loading window at 800x600"
}

stage start s_start
stage second-instance s_second_instance
stage set-paper s_set_paper
stage demonstration s_demonstration
stage move-and-mark s_move_and_mark
stage quick-moves s_quick_moves
stage drag-without-wm s_drag_without_wm
stage kill-and-resume s_kill_and_resume
stage hand-in s_hand_in
stage check-and-new-paper s_check_and_new_paper
stage wrong-paper s_wrong_paper
stage orderly-exit s_orderly_exit
stage small-screen s_small_screen
stage wm-start s_wm_start
stage wm-next-question s_wm_next_question
stage wm-close-box s_wm_close_box
stage wm-drag-bar s_wm_drag_bar
stage wm-minimize-and-restore s_wm_minimize_and_restore
stage wm-menu-800x600 s_wm_menu_800
report
