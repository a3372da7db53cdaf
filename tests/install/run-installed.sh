#!/usr/bin/env bash
# Installs the Debian package and runs the installed trainer as a learner would:
# the programs' --version, the menu and its 关于, a paper, a question completed
# by its demonstration, the hand-in, the orderly exit with compaction, and
# 清除练习记录; its program folder is read-only, so the learner's database lives
# in their data folder. Every window must carry the menu entry's window class.
#
#   run-installed.sh DEB SHOTS_DIR
#
# Under CI (CI=true, as root) the package is installed system-wide with apt-get;
# elsewhere it is unpacked into a temporary root, never installed. The trainer
# runs as an ordinary user (nobody, when this script runs as root), with its own
# home, runtime folder and Xvfb. Prints "stage NAME: ok" or "stage NAME: FAILED — why",
# keeps one screenshot per stage in SHOTS_DIR and ends with "N passed, M failed".
set -u

deb=${1:?usage: run-installed.sh DEB SHOTS_DIR}
shots=${2:?usage: run-installed.sh DEB SHOTS_DIR}
deb=$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

for tool in Xvfb xdotool xprop import sqlcipher sha256sum dpkg-deb setpriv; do
  command -v "$tool" >/dev/null || {
    echo "installed: $tool is missing (scripts/setup.sh installs it)"
    echo "0 passed, 1 failed"
    exit 1
  }
done

# shellcheck source=../support/xsession.sh
source "$here/../support/xsession.sh"
work=$(mktemp -d /tmp/pptdrill-installed.XXXXXX)
chmod 0755 "$work"
rm -rf "$shots"
mkdir -p "$shots"

# ------------------------------------------------------------ the installation
if [ "${CI:-}" = true ] && [ "$(id -u)" -eq 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall "$deb" >"$work/apt.log" 2>&1 || {
    cat "$work/apt.log"
    echo "0 passed, 1 failed"
    exit 1
  }
  root=""
else
  root=$work/root
  dpkg-deb -x "$deb" "$root"
  # An installed program folder: no one may write in it.
  chmod -R a-w "$root/usr/lib/pptdrill"
fi
launcher=$root/usr/bin/pptdrill
program_dir=$root/usr/lib/pptdrill
programs=$program_dir
bank_sum=$(sha256sum "$program_dir/stdata.db" | cut -d' ' -f1)
program_files=$(ls -la --time-style=+%s "$program_dir")

# The learner: an ordinary user with a home of their own.
run_as=()
if [ "$(id -u)" -eq 0 ]; then
  run_as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
home=$work/home
rt=$work/rt
mkdir -p "$home" && mkdir -m 0700 "$rt"
[ "$(id -u)" -eq 0 ] && chown 65534:65534 "$home" "$rt"
data=$home/.local/share/pptdrill
db=$data/stdata.db
dbkey=$(printf '%s' 'áéíóúàèìòù' | sha256sum | cut -d' ' -f1)
trace=$work/pptdrill.err

cleanup() {
  kill_ours
  if [ "${CI:-}" = true ] && [ -z "$root" ]; then
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq pptdrill >/dev/null 2>&1
  fi
  if [ "$failed" -eq 0 ]; then
    chmod -R u+w "$work" 2>/dev/null
    rm -rf "$work"
  else
    echo "installed: work folder kept: $work"
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

start_pptdrill() {
  env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$rt" DISPLAY="$display" LANG=C.UTF-8 \
    PPTDRILL_TRACE_FIRST_FRAME=1 QT_QPA_PLATFORM=xcb "${run_as[@]}" "$launcher" >>"$work/pptdrill.out" 2>>"$trace" &
  started+=($!)
  printf -v "$1" '%s' "$!"
}

ended() { ! kill -0 "$1" 2>/dev/null; }

# window_class TITLE: the X window class of the visible window of that title.
window_class() { DISPLAY=$display xprop -id "$(visible "$1")" WM_CLASS 2>/dev/null | sed 's/^WM_CLASS([A-Z_]*) = //'; }
# Every window of every program groups under the menu entry (StartupWMClass=pptdrill).
grouped_class='"pptdrill", "pptdrill"'

# click_in TITLE X Y: a click at X, Y inside the visible window of that title.
click_in() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(x getwindowgeometry --shell "$(visible "$1")")"
    click $((X + $2)) $((Y + $3))
}


# ------------------------------------------------------------------ stages
main_pid=""

# Every program answers --version and --help and ends, without a display; the
# version is the package's.
s_version() {
    local version p out
    version=$(dpkg-deb -f "$deb" Version)
    if [ -z "$root" ]; then
        [ "$(dpkg-query -W -f='${Version}' pptdrill)" = "$version" ] || fail "dpkg -s says another version" || return
    fi
    for p in pptdrill drillplay drillbridge; do
        out=$(env -i PATH=/usr/bin:/bin HOME="$home" "${run_as[@]}" "$program_dir/$p" --version 2>&1)
        [ "$out" = "$p $version" ] || fail "$p --version printed \"$out\", not \"$p $version\"" || return
        env -i PATH=/usr/bin:/bin HOME="$home" "${run_as[@]}" "$program_dir/$p" -h >"$work/help.out" 2>&1 ||
            fail "$p -h failed: $(cat "$work/help.out")" || return
        grep -q -- '--version' "$work/help.out" || fail "$p -h printed no options" || return
    done
    out=$(env -i PATH=/usr/bin:/bin HOME="$home" "${run_as[@]}" "$launcher" --version 2>&1)
    [ "$out" = "pptdrill $version" ] || fail "the launcher printed \"$out\"" || return
    [ ! -e "$home/.local/share/pptdrill" ] || fail "an option made the learner's data folder"
}

s_first_start() {
  start_xvfb 1024x768x24 -ac || fail "Xvfb did not start" || return
  local launched
  launched=$(now)
  start_pptdrill main_pid
  wait_until 15000 is_visible '^朔禾职称计算机考试练习系统$' || fail "the menu window did not appear" || return
  wait_until 10000 more_frames 0 || fail "the menu never reported its first frame" || return
  latencies+=("first start -> menu painted: $(($(last_frame) - launched)) ms")
  [ -f "$db" ] || fail "no database in the learner's data folder $data" || return
  [ -f "$data/stdata.db.lock" ] || fail "no lock beside the learner's database" || return
  [ "$(stat -c %a "$data")" = 700 ] || fail "the data folder is not private: $(stat -c %a "$data")" || return
  [ "$(q 'select count(*) > 0 from stk;')" = 1 ] || fail "the learner's database does not open: $(q 'select count(*) from stk;')" || return
  [ "$(window_class '^朔禾职称计算机考试练习系统$')" = "$grouped_class" ] ||
    fail "the menu's window class is $(window_class '^朔禾职称计算机考试练习系统$')"
}

# 关于 in the menu's footer: the version, the licence and the learner's data folder.
s_about() {
  click_in '^朔禾职称计算机考试练习系统$' 328 576
  wait_until 5000 is_visible '^关于$' || fail "no 关于 box" || return
  sleep 0.3
  shot "$(printf '%02d' $stage_no)-about-box"
  x windowfocus "$(visible '^关于$')" 2>/dev/null
  x key Return
  wait_until 3000 is_gone '^关于$' || fail "the 关于 box did not close on Return"
}

s_paper() {
  click 430 334
  wait_until 10000 is_visible '^考试登陆$' || fail "no login after 第6套题" || return
  click 540 412
  sleep 0.2
  x type --delay 20 110101199001011234
  sleep 0.2
  click 408 524
  wait_until 5000 is_visible '^朔禾软件$' || fail "no exam-mode question after 登陆" || return
  answer_box Escape || fail "the exam-mode question did not close" || return
  wait_until 20000 is_visible '^第1题  共40题$' || fail "no question bar \"第1题  共40题\"" || return
  wait_until 20000 is_visible '^试题播放$' || fail "no player window 试题播放" || return
  [ "$(window_class '^试题播放$')" = "$grouped_class" ] ||
    fail "the player's window class is $(window_class '^试题播放$'), not the menu entry's" || return
  [ "$(q 'select count(*) from st;')" = 40 ] || fail "the paper has $(q 'select count(*) from st;') rows"
}

row1_done() { [ "$(q "select 是否已做 || '|' || 得分 from st order by rowid limit 1;")" = "1|2.5" ]; }

s_question() {
  sleep 1
  click 969 686
  wait_until 60000 row1_done || fail "the bridge did not record question 1 in the learner's database" || return
}


s_hand_in() {
  hand_in_confirmed || return
  [ "$(q 'select count(*) from stk where 错题 <> 0;')" = 39 ] ||
    fail "$(q 'select count(*) from stk where 错题 <> 0;') wrong questions flagged, 39 expected" || return
  shot "$(printf '%02d' $stage_no)-results" # the stage's own picture comes after 退出
  click 636 340 # 退出
  wait_until 10000 ended "$main_pid" || fail "pptdrill still runs after 退出"
}

s_orderly_exit() {
  start_xvfb 800x600x24 -ac || fail "the 800x600 Xvfb did not start" || return
  local menu_pid
  start_pptdrill menu_pid
  wait_until 15000 is_visible '^朔禾职称计算机考试练习系统$' || fail "no menu at 800x600" || return
  click 459 510 # 退出系统
  wait_until 15000 ended "$menu_pid" || fail "pptdrill still runs after 退出系统" || return
  [ "$(q 'select count(*) from st;')" = 0 ] || fail "the paper was not emptied at the exit" || return
  [ "$(q 'select count(*) from stk where 错题 <> 0;')" = 39 ] || fail "the flags did not survive the restart and compaction" || return
  ! [ -e "$data/stdata.~db" ] || fail "the compaction left stdata.~db behind" || return
  [ "$(sha256sum "$program_dir/stdata.db" | cut -d' ' -f1)" = "$bank_sum" ] || fail "the installed bank was changed" || return
  [ "$(ls -la --time-style=+%s "$program_dir")" = "$program_files" ] || fail "the program folder was changed"
}

history_empty() { [ "$(q 'select count(*) from 练习记录;')" = 0 ]; }

# 练习记录 → 清除练习记录 → 是: the history and the 错题 flags go, the bank stays,
# and so it is after the exit's compaction.
s_reset() {
  start_xvfb 800x600x24 -ac || fail "the 800x600 Xvfb did not start" || return
  local menu_pid bank_rows
  bank_rows=$(q 'select count(*) from stk;')
  [ "$(q 'select count(*) from 练习记录;')" -gt 0 ] || fail "no history to clear" || return
  start_pptdrill menu_pid
  wait_until 15000 is_visible '^朔禾职称计算机考试练习系统$' || fail "no menu at 800x600" || return
  click 156 436 # 练习记录
  wait_until 10000 is_visible '^练习记录$' || fail "no 练习记录 window" || return
  sleep 0.3
  click_in '^练习记录$' 486 529 # 清除练习记录
  wait_until 5000 is_visible '^朔禾软件$' || fail "no confirmation after 清除练习记录" || return
  sleep 0.3
  shot "$(printf '%02d' $stage_no)-reset-confirmation"
  answer_box alt+y || fail "the confirmation did not take 是" || return # 否 is the default
  wait_until 5000 history_empty || fail "the history was not cleared" || return
  [ "$(q 'select count(*) from stk where 错题 <> 0;')" = 0 ] || fail "the 错题 flags were not cleared" || return
  click_in '^练习记录$' 726 529 # 关  闭
  wait_until 5000 is_gone '^练习记录$' || fail "the 练习记录 window did not close" || return
  click 459 510 # 退出系统
  wait_until 15000 ended "$menu_pid" || fail "pptdrill still runs after 退出系统" || return
  [ "$(q 'select count(*) from 练习记录明细;')" = 0 ] || fail "questions of the history are left" || return
  [ "$(q 'select count(*) from stk;')" = "$bank_rows" ] || fail "the bank lost questions"
}

stage version s_version
stage first-start s_first_start
stage about s_about
stage paper s_paper
stage question s_question
stage hand-in s_hand_in
stage orderly-exit s_orderly_exit
stage reset s_reset
report
