#!/usr/bin/env bash
# The move a learner makes up to forty times a paper: a click on 下一题 in the
# question bar → the next question's window painted (the old player stopped,
# the new one started), on the bank's real movies of 第6套题. Runs the real
# trainer on a private Xvfb and its own copy of the program folder, clicks with
# xdotool, and times from the bar's traced click to the new player's first
# frame (both written by the programs with PPTDRILL_TRACE_FIRST_FRAME).
# Prints figures, asserts nothing.
#
#   bench/nextquestion.sh PROGRAM_DIR [MOVES]     (MOVES 1–39, 15 unless given)
set -u

program_dir=${1:?usage: nextquestion.sh PROGRAM_DIR [MOVES]}
moves=${2:-15}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "nextquestion: $tool is missing (scripts/setup.sh installs it)"; exit 1; }
done

# shellcheck source=../tests/support/xsession.sh
source "$here/../tests/support/xsession.sh"

work=$(mktemp -d /tmp/pptdrill-nextquestion.XXXXXX)
bin=$work/bin
rt=$work/rt
trace=$work/trace
programs=$bin
cp -a "$program_dir" "$bin"
rm -f "$bin"/stdata.db.lock
mkdir -m 0700 "$rt"
trap 'kill_ours; rm -rf "$work"' EXIT

give_up() {
    echo "nextquestion: $1"
    exit 1
}

start_xvfb 1024x768x24 || give_up "Xvfb did not start"
DISPLAY=$display XDG_RUNTIME_DIR=$rt PPTDRILL_TRACE_FIRST_FRAME=1 QT_QPA_PLATFORM=xcb \
    "$bin/pptdrill" >"$work/pptdrill.out" 2>>"$trace" &
started+=($!)
wait_until 15000 is_visible '^朔禾职称计算机考试练习系统$' || give_up "the menu did not appear"
click 430 334 # 第6套题
wait_until 10000 is_visible '^考试登陆$' || give_up "no login after 第6套题"
click 540 412
sleep 0.2
x type --delay 20 110101199001011234
sleep 0.2
before=$(frames)
click 408 524 # 登陆
wait_until 5000 is_visible '^朔禾软件$' || give_up "no exam-mode question after 登陆"
answer_box Escape || give_up "the exam-mode question did not close"
wait_until 20000 more_frames "$before" || give_up "question 1 was never painted"
sleep 1

last_moment() { grep "^$1 " "$trace" | tail -1 | cut -d' ' -f2; }

# The bar's traced click is where the wait begins; a trainer that does not trace
# it (an older build) is timed from the release xdotool sends, a few ms sooner.
times=()
released=()
for n in $(seq 2 $((moves + 1))); do
    before=$(frames)
    click 786 554 # 下一题
    wait_until 10000 more_frames "$before" || give_up "question $n was never painted"
    painted=$(last_moment first-frame)
    released+=($((painted - clicked)))
    moment=$(last_moment next-question)
    [ -n "$moment" ] && times+=($((painted - moment)))
    sleep 0.5
done

report() {
    printf '%s\n' "${@:2}" | sort -n | awk -v what="$1" -v moves="$moves" '
        { t[NR] = $1 }
        END {
            median = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
            printf "%s: median %d ms, min %d, max %d (%d moves, 第6套题)\n", what, median, t[1], t[NR], moves
        }'
}
[ ${#times[@]} -gt 0 ] && report "下一题 clicked -> next question painted" "${times[@]}"
report "mouse released on 下一题 -> next question painted" "${released[@]}"
