#!/usr/bin/env bash
# Installs the Debian package and runs the installed trainer as a learner would:
# the menu, a paper, a question completed by its demonstration, the hand-in, and
# the orderly exit with compaction; its program folder is read-only, so the
# learner's database lives in their data folder.
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

for tool in Xvfb xdotool import sqlcipher sha256sum dpkg-deb setpriv; do
  command -v "$tool" >/dev/null || {
    echo "installed: $tool is missing (scripts/setup.sh installs it)"
    echo "0 passed, 1 failed"
    exit 1
  }
done

now() { date +%s%3N; }
work=$(mktemp -d /tmp/pptdrill-installed.XXXXXX)
chmod 0755 "$work"
rm -rf "$shots"
mkdir -p "$shots"
passed=0
failed=0
started=()
display=""
latencies=()

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
q() { sqlcipher "$db" "PRAGMA key=\"x'$dbkey'\";" "$1" 2>&1 | grep -v '^ok$'; }
trace=$work/pptdrill.err

our_processes() {
  local d
  for d in /proc/[0-9]*; do
    [ "$(readlink "$d/exe" 2>/dev/null)" = "$program_dir/$1" ] || continue
    [ "$(awk '{print $3}' "$d/stat" 2>/dev/null)" = Z ] && continue
    echo "${d#/proc/}"
  done
}

cleanup() {
  local p
  for p in $(our_processes drillplay) $(our_processes drillbridge) $(our_processes pptdrill) "${started[@]}"; do
    kill -9 "$p" 2>/dev/null
  done
  wait 2>/dev/null
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

start_xvfb() {
  local numfile=$work/display.$RANDOM deadline
  # -ac: the learner's programs run as another user than this script.
  Xvfb -displayfd 9 -screen 0 "$1" -nolisten tcp -ac 9>"$numfile" >"$work/xvfb.log" 2>&1 &
  started+=($!)
  deadline=$(($(now) + 10000))
  while [ ! -s "$numfile" ] && [ "$(now)" -lt "$deadline" ]; do sleep 0.05; done
  [ -s "$numfile" ] || return 1
  display=:$(tr -d '\n' <"$numfile")
}

start_pptdrill() {
  env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$rt" DISPLAY="$display" LANG=C.UTF-8 \
    PPTDRILL_TRACE_FIRST_FRAME=1 QT_QPA_PLATFORM=xcb "${run_as[@]}" "$launcher" >>"$work/pptdrill.out" 2>>"$trace" &
  started+=($!)
  printf -v "$1" '%s' "$!"
}

x() { DISPLAY=$display xdotool "$@"; }
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
wait_until() {
  local deadline=$(($(now) + $1))
  shift
  until "$@"; do
    [ "$(now)" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}
answer_box() {
  local box
  box=$(visible '^朔禾软件$')
  [ -n "$box" ] || return 1
  x windowfocus "$box" 2>/dev/null
  sleep 0.1
  x key "$1"
  wait_until 3000 is_gone '^朔禾软件$'
}
ended() { ! kill -0 "$1" 2>/dev/null; }
frames() { grep -c '^first-frame ' "$trace" 2>/dev/null || true; }
last_frame() { grep '^first-frame ' "$trace" | tail -1 | cut -d' ' -f2; }
more_frames() { [ "$(frames)" -gt "$1" ]; }
shot() { DISPLAY=$display import -window root -resize 50% -quality 70 "$shots/$1.jpg" 2>/dev/null; }

stage_no=0
stage() {
  stage_no=$((stage_no + 1))
  reason=""
  "$2"
  local rc=$?
  shot "$(printf '%02d' $stage_no)-$1"
  if [ $rc -eq 0 ]; then
    echo "stage $1: ok"
    passed=$((passed + 1))
    return 0
  fi
  echo "stage $1: FAILED — ${reason:-no reason given}"
  [ -s "$trace" ] && sed 's/^/  pptdrill: /' "$trace" | grep -v first-frame | tail -20
  failed=$((failed + 1))
  report
  exit 1
}
report() {
  local l
  for l in "${latencies[@]}"; do echo "latency $l"; done
  echo "$passed passed, $failed failed"
}
fail() {
  reason=$1
  return 1
}

# ------------------------------------------------------------------ stages
main_pid=""

s_first_start() {
  start_xvfb 1024x768x24 || fail "Xvfb did not start" || return
  local launched
  launched=$(now)
  start_pptdrill main_pid
  wait_until 15000 is_visible '^朔禾职称计算机考试练习系统$' || fail "the menu window did not appear" || return
  wait_until 10000 more_frames 0 || fail "the menu never reported its first frame" || return
  latencies+=("first start -> menu painted: $(($(last_frame) - launched)) ms")
  [ -f "$db" ] || fail "no database in the learner's data folder $data" || return
  [ -f "$data/stdata.db.lock" ] || fail "no lock beside the learner's database" || return
  [ "$(stat -c %a "$data")" = 700 ] || fail "the data folder is not private: $(stat -c %a "$data")" || return
  [ "$(q 'select count(*) > 0 from stk;')" = 1 ] || fail "the learner's database does not open: $(q 'select count(*) from stk;')"
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
  wait_until 20000 is_visible '^第1题  共10题$' || fail "no question bar \"第1题  共10题\"" || return
  wait_until 20000 is_visible '^试题播放$' || fail "no player window 试题播放" || return
  [ "$(q 'select count(*) from st;')" = 10 ] || fail "the paper has $(q 'select count(*) from st;') rows"
}

row1_done() { [ "$(q "select 是否已做 || '|' || 得分 from st order by rowid limit 1;")" = "1|2.5" ]; }

s_question() {
  sleep 1
  click 969 686
  wait_until 60000 row1_done || fail "the bridge did not record question 1 in the learner's database" || return
}

second_reminder() {
  local w
  w=$(visible '^提醒$')
  [ -n "$w" ] && [ "$w" != "$1" ]
}

s_hand_in() {
  click 729 686
  wait_until 5000 is_visible '^提醒$' || fail "no confirmation after 结束考试" || return
  local first
  first=$(visible '^提醒$')
  click 440 460
  wait_until 5000 second_reminder "$first" || fail "no second confirmation" || return
  click 436 460
  wait_until 5000 is_visible '^交卷结束$' || fail "no results window 交卷结束" || return
  [ "$(q 'select count(*) from stk where 错题 <> 0;')" = 9 ] ||
    fail "$(q 'select count(*) from stk where 错题 <> 0;') wrong questions flagged, 9 expected" || return
  shot "$(printf '%02d' $stage_no)-results" # the stage's own picture comes after 退出
  click 636 340 # 退出
  wait_until 10000 ended "$main_pid" || fail "pptdrill still runs after 退出"
}

s_orderly_exit() {
  start_xvfb 800x600x24 || fail "the 800x600 Xvfb did not start" || return
  local menu_pid
  start_pptdrill menu_pid
  wait_until 15000 is_visible '^朔禾职称计算机考试练习系统$' || fail "no menu at 800x600" || return
  click 459 510 # 退出系统
  wait_until 15000 ended "$menu_pid" || fail "pptdrill still runs after 退出系统" || return
  [ "$(q 'select count(*) from st;')" = 0 ] || fail "the paper was not emptied at the exit" || return
  [ "$(q 'select count(*) from stk where 错题 <> 0;')" = 9 ] || fail "the flags did not survive the restart and compaction" || return
  ! [ -e "$data/stdata.~db" ] || fail "the compaction left stdata.~db behind" || return
  [ "$(sha256sum "$program_dir/stdata.db" | cut -d' ' -f1)" = "$bank_sum" ] || fail "the installed bank was changed" || return
  [ "$(ls -la --time-style=+%s "$program_dir")" = "$program_files" ] || fail "the program folder was changed"
}

stage first-start s_first_start
stage paper s_paper
stage question s_question
stage hand-in s_hand_in
stage orderly-exit s_orderly_exit
report
