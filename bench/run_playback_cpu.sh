#!/usr/bin/env bash
# What playing costs: the CPU the viewer uses to play one recording with both cameras at
# normal speed, against mpv showing the same two movies in two windows of the viewer's movie
# views' sizes, and against ffmpeg decoding them alone (`ffmpeg -re -i MOVIE -f null -`, the
# floor). Everything runs on one virtual X display (xvfb-run); each player is measured the
# same way: once its pictures are seen to move, 3 s of warm-up, then the CPU time (user +
# system, all threads, from /proc/PID/stat) over 15 s, as % of one core. Two rounds,
# interleaved (viewer, mpv, ffmpeg, viewer, mpv, ffmpeg); the figures and the ratios
# viewer/mpv and viewer/decode come last.
#
# The recording (1920 x 1080 at 30 fps main camera, 1280 x 720 at 27.5 fps sub camera, 40 s,
# in a recorder card's folders) is written once into $QUORVA_BENCH_DIR (default
# /tmp/quorva-bench). Its pictures carry a frame stamp, read back from the screen: that is how
# the script finds the viewer's movie views, knows that a player plays (and at what rate),
# and fails when it does not.
#
# Usage: bench/run_playback_cpu.sh [BUILD_DIR]     (default build)
#   WARMUP_S, WINDOW_S   warm-up and measured seconds (default 3 and 15)
# It installs what only it needs (mpv, xdotool) with apt when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
self="$root/bench/run_playback_cpu.sh"
screen=1920x1080
warmup=${WARMUP_S:-3}
window=${WINDOW_S:-15}
rounds=2
seconds=40

# ---------------------------------------------------------------------------------------
# The frame stamp read from the screen (a row of 24 black and white cells across the top of
# every picture: guards, the camera bit, 18 bits of frame number, parity; see
# src/cardwriter/frame_stamp.h). One screen grab per call, with ffmpeg's x11grab.
#   find            waits until two windows of the display show the main (camera 0) and the
#                   sub camera's (camera 1) stamp exactly over their width; prints
#                   "X Y W H X Y W H" (main, then sub)
#   read X Y W H X Y W H
#                   prints "TIME MAIN SUB": the grab's time (seconds since the epoch) and the
#                   frame numbers shown in the two rectangles ("-" when not readable there)
# ---------------------------------------------------------------------------------------
read -r -d '' stamp_py <<'PY' || true
import os, re, subprocess, sys, time

W, H = (int(v) for v in os.environ["SCREEN"].split("x"))

def grab():
    t0 = time.time()
    run = subprocess.run(
        ["ffmpeg", "-nostdin", "-loglevel", "error", "-f", "x11grab", "-draw_mouse", "0",
         "-video_size", f"{W}x{H}", "-i", os.environ["DISPLAY"], "-frames:v", "1",
         "-f", "rawvideo", "-pix_fmt", "gray", "-"], capture_output=True)
    t1 = time.time()
    if run.returncode != 0 or len(run.stdout) != W * H:
        sys.exit("screen grab failed: " + run.stderr.decode(errors="replace").strip())
    return (t0 + t1) / 2, run.stdout

def stamp(img, x, y, w, h):
    if w < 24 or h < 10 or x < 0 or y < 0 or x + w > W or y + h > H:
        return None
    band = h // 10
    y0 = band // 4
    y1 = max(y0 + 1, band * 3 // 4)
    mean = []
    for c in range(24):
        left, right = c * w // 24, (c + 1) * w // 24
        cw = right - left
        x0 = left + cw // 4
        x1 = max(x0 + 1, right - cw // 4)
        total = 0
        for row in range(y0, y1):
            start = (y + row) * W + x
            total += sum(img[start + x0:start + x1])
        mean.append(total // ((y1 - y0) * (x1 - x0)))
    white = (mean[0] + mean[2]) // 2
    black = (mean[1] + mean[23]) // 2
    if white - black < 48:
        return None
    on = [m > (white + black) // 2 for m in mean]
    if not on[0] or on[1] or not on[2] or on[23]:
        return None
    if sum(on[3:22]) % 2 != on[22]:
        return None
    frame = 0
    for b in on[4:22]:
        frame = frame * 2 + b
    return int(on[3]), frame

def windows():
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout
    found = set()
    for m in re.finditer(r"(\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+\+(-?\d+)\+(-?\d+)", tree):
        w, h, x, y = (int(v) for v in m.groups())
        found.add((x, y, w, h))
    return found

if sys.argv[1] == "find":
    deadline = time.time() + 60
    while time.time() < deadline:
        _, img = grab()
        seen = {}
        for r in sorted(windows(), key=lambda r: r[2] * r[3]):
            s = stamp(img, *r)
            if s:
                seen.setdefault(s[0], r)
        if 0 in seen and 1 in seen:
            print(*seen[0], *seen[1])
            sys.exit(0)
        time.sleep(0.5)
    sys.exit("no window shows the main and the sub camera's pictures")
elif sys.argv[1] == "read":
    r = [int(v) for v in sys.argv[2:10]]
    t, img = grab()
    out = [f"{t:.3f}"]
    for camera, rect in ((0, r[0:4]), (1, r[4:8])):
        s = stamp(img, *rect)
        out.append(str(s[1]) if s and s[0] == camera else "-")
    print(*out)
PY

fail() {
  echo "run_playback_cpu.sh: $*" >&2
  exit 1
}

# CPU ticks (user + system, all threads) of the processes given.
ticks() {
  local total=0 p s
  local -a f
  for p in "$@"; do
    s=$(<"/proc/$p/stat") || fail "process $p is gone"
    s=${s##*) }
    read -ra f <<<"$s"
    total=$((total + f[11] + f[12]))
  done
  echo "$total"
}

# "% of one core" that the processes used over the measured window; fails when one of
# them ends before the window does.
measure() {
  local hz c0 c1 t0 t1
  hz=$(getconf CLK_TCK)
  c0=$(ticks "$@")
  t0=$EPOCHREALTIME
  sleep "$window"
  c1=$(ticks "$@")
  t1=$EPOCHREALTIME
  awk -v c="$((c1 - c0))" -v hz="$hz" -v t0="$t0" -v t1="$t1" \
    'BEGIN { printf "%.1f\n", 100 * c / hz / (t1 - t0) }'
}

# ---------------------------------------------------------------------------------------
# On the virtual display: --on-display BUILD CARD MAIN_MOVIE SUB_MOVIE WORK
# ---------------------------------------------------------------------------------------
on_display() {
  local build=$1 card=$2 main_movie=$3 sub_movie=$4 work=$5
  local viewer="$build/src/app/quorva"
  started=()  # every process started here, stopped on the way out
  results=()  # viewer, mpv, decode; round after round
  # shellcheck disable=SC2317  # called by the trap
  stop_all() {
    local p
    for p in "${started[@]}"; do
      kill "$p" 2>/dev/null || true
    done
    for p in "${started[@]}"; do
      wait "$p" 2>/dev/null || true
    done
    started=()
  }
  trap stop_all EXIT
  export SCREEN=$screen XDG_RUNTIME_DIR="$work/runtime" QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
  mkdir -p "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"

  # shellcheck disable=SC2086  # the rectangles' numbers are words of their own
  stamps() { python3 -c "$stamp_py" read $rects; }
  alive() {
    local p
    for p in "$@"; do
      kill -0 "$p" 2>/dev/null || return 1
    done
  }

  # The viewer's window that holds the main movie view (where the keys go).
  main_window() {  # pid
    local id x y
    read -r x y _ <<<"$rects"
    for id in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
      xwininfo -id "$id" | awk -v x="$x" -v y="$y" -v id="$id" '
        /Absolute upper-left X:/ { l = $NF } /Absolute upper-left Y:/ { t = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF }
        END { if (x >= l && y >= t && x < l + w && y < t + h) print id }'
    done | head -1
  }

  # Waits until the pictures in both rectangles move (two reads 1 s apart), for players
  # that start by themselves; sets first_read to the later read.
  wait_moving() {  # what, log, pids...
    local what=$1 log=$2 a b i
    shift 2
    for ((i = 0; i < 60; ++i)); do
      alive "$@" || fail "$what ended before playing; its output: $(tail -5 "$log")"
      a=$(stamps)
      sleep 1
      b=$(stamps)
      if moved "$a" "$b"; then
        first_read=$b
        return 0
      fi
    done
    fail "$what does not play (the pictures in its windows do not move)"
  }
  # Whether both frame numbers of read $2 are past those of read $1.
  moved() {
    local -a a b
    read -ra a <<<"$1"
    read -ra b <<<"$2"
    [[ ${a[1]} != - && ${b[1]} != - && ${a[2]} != - && ${b[2]} != - ]] &&
      ((b[1] > a[1] && b[2] > a[2]))
  }
  # The pictures' rates between two reads; fails unless they are the movies' own rates
  # (within 10 %): the player played at normal speed through the measured window.
  check_rates() {  # what, first read, last read
    local -a a b
    read -ra a <<<"$2"
    read -ra b <<<"$3"
    [[ ${b[1]} != - && ${b[2]} != - ]] || fail "$1: its pictures are no longer readable"
    awk -v what="$1" -v t="$(awk -v a="${a[0]}" -v b="${b[0]}" 'BEGIN { print b - a }')" \
      -v m="$((b[1] - a[1]))" -v s="$((b[2] - a[2]))" 'BEGIN {
        printf "    %s: main camera %.1f frames/s, sub camera %.1f frames/s over %.1f s\n",
               what, m / t, s / t, t
        if (m / t < 27 || m / t > 33 || s / t < 24.75 || s / t > 30.25) exit 1 }' ||
      fail "$1 did not play at normal speed (expected 30 and 27.5 frames/s)"
  }

  # The movie views of the viewer's default window: a viewer whose every widget is a
  # window of its own (QT_USE_NATIVE_WINDOWS) shows the recording; the two windows that
  # show the cameras' stamps over exactly their width are the movie views.
  local probe="$work/probe" pid
  mkdir -p "$probe"
  (cd "$probe" && QT_USE_NATIVE_WINDOWS=1 exec "$viewer" --settings-dir "$probe" "$card" \
     >"$probe/log" 2>&1) &
  pid=$!
  started+=("$pid")
  rects=$(python3 -c "$stamp_py" find) ||
    fail "the viewer did not show the recording; its output: $(tail -5 "$probe/log")"
  stop_all
  local -a r
  read -ra r <<<"$rects"
  echo "== the viewer's movie views (default window, ${screen} screen): main ${r[2]}x${r[3]}" \
    "at +${r[0]}+${r[1]}, sub ${r[6]}x${r[7]} at +${r[4]}+${r[5]}"

  local round cpu first last w
  for ((round = 1; round <= rounds; ++round)); do
    echo "== round $round"

    # The viewer as a user plays: opened on the card (the recording is selected and its
    # first pictures shown), then the space key. First-run settings: a fresh folder. The
    # pointer rests in a corner of the screen, off the recording list (hovering a row
    # previews it, which is work of its own).
    xdotool mousemove 0 0
    local run="$work/viewer-$round"
    mkdir -p "$run"
    (cd "$run" && exec "$viewer" --settings-dir "$run" "$card" >"$run/log" 2>&1) &
    pid=$!
    started+=("$pid")
    local i shown=
    for ((i = 0; i < 120; ++i)); do
      alive "$pid" || fail "the viewer ended; its output: $(tail -5 "$run/log")"
      first=$(stamps)
      read -ra r <<<"$first"
      if [[ ${r[1]} != - && ${r[2]} != - ]]; then
        shown=1
        break
      fi
      sleep 0.5
    done
    [ -n "$shown" ] || fail "the viewer does not show the recording where the movie views were"
    w=$(main_window "$pid")
    [ -n "$w" ] || fail "the viewer's main window is not found"
    local playing=
    for ((i = 0; i < 10 && !playing; ++i)); do
      xdotool windowfocus --sync "$w" key space
      sleep 1
      last=$(stamps)
      if moved "$first" "$last"; then
        playing=1
      else
        first=$last  # the key came before the recording was ready: press it again
      fi
    done
    [ -n "$playing" ] || fail "the viewer does not play after the space key"
    first=$last
    sleep "$warmup"
    cpu=$(measure "$pid")
    last=$(stamps)
    printf '  %-44s %6s %% of one core\n' "viewer, both cameras, rate code 1" "$cpu"
    check_rates viewer "$first" "$last"
    local children
    children=$(ps -o pid= --ppid "$pid" | xargs || true)
    [ -z "$children" ] || echo "    (the viewer has child processes, not counted: $children)"
    results+=("$cpu")
    stop_all

    # mpv: two windows of the movie views' sizes, where the movie views are.
    read -ra r <<<"$rects"
    local -a mpv_pids=()
    local cam
    for cam in 0 1; do
      local movie=$main_movie
      [ "$cam" = 1 ] && movie=$sub_movie
      (exec mpv --no-config --vo=x11 --hwdec=no --ao=null --no-terminal \
         --geometry="${r[cam * 4 + 2]}x${r[cam * 4 + 3]}+${r[cam * 4]}+${r[cam * 4 + 1]}" \
         "$movie" >"$work/mpv-$round-$cam.log" 2>&1) &
      mpv_pids+=("$!")
      started+=("$!")
    done
    wait_moving mpv "$work/mpv-$round-0.log" "${mpv_pids[@]}"
    if [ "$round" = 1 ]; then
      local sizes=""
      for pid in "${mpv_pids[@]}"; do
        for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
          sizes+=" $(xwininfo -id "$w" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 }
                                             END { print w "x" h }')"
        done
      done
      echo "    (mpv's windows:$sizes)"
    fi
    first=$first_read
    sleep "$warmup"
    cpu=$(measure "${mpv_pids[@]}")
    last=$(stamps)
    printf '  %-44s %6s %% of one core\n' "mpv, two windows (--vo=x11 --hwdec=no)" "$cpu"
    check_rates mpv "$first" "$last"
    results+=("$cpu")
    stop_all

    # ffmpeg decoding both movies at their own rate, showing nothing: the floor.
    local -a ff_pids=()
    for movie in "$main_movie" "$sub_movie"; do
      local log
      log="$work/ffmpeg-$round-$(basename "$movie").log"
      (exec ffmpeg -nostdin -hide_banner -loglevel error -stats -re -i "$movie" -f null - \
         2>"$log") &
      ff_pids+=("$!")
      started+=("$!")
    done
    # Its progress lines ("frame=  N ...") say that it decodes and at what rate.
    ff_frames() {  # log
      tr '\r' '\n' <"$1" | awk '/frame=/ { sub(/.*frame= */, ""); n = $1 } END { print n + 0 }'
    }
    local m0 s0 t0 m1 s1 t1
    for ((i = 0; i < 40; ++i)); do
      alive "${ff_pids[@]}" || fail "ffmpeg ended before decoding"
      sleep 0.5
      (($(ff_frames "$work/ffmpeg-$round-$(basename "$main_movie").log") > 0)) &&
        (($(ff_frames "$work/ffmpeg-$round-$(basename "$sub_movie").log") > 0)) && break
    done
    sleep "$warmup"
    m0=$(ff_frames "$work/ffmpeg-$round-$(basename "$main_movie").log")
    s0=$(ff_frames "$work/ffmpeg-$round-$(basename "$sub_movie").log")
    t0=$EPOCHREALTIME
    cpu=$(measure "${ff_pids[@]}")
    m1=$(ff_frames "$work/ffmpeg-$round-$(basename "$main_movie").log")
    s1=$(ff_frames "$work/ffmpeg-$round-$(basename "$sub_movie").log")
    t1=$EPOCHREALTIME
    printf '  %-44s %6s %% of one core\n' "ffmpeg -re, both movies (decoding alone)" "$cpu"
    check_rates ffmpeg "$t0 $m0 $s0" "$t1 $m1 $s1"
    results+=("$cpu")
    stop_all
  done

  echo "== CPU, % of one core (${warmup} s warm-up, ${window} s measured)"
  printf '  %-6s %8s %8s %8s %12s %14s\n' round viewer mpv decode viewer/mpv viewer/decode
  printf '%s\n' "${results[@]}" | awk '
    function row(name, v, m, d) {
      printf "  %-6s %8.1f %8.1f %8.1f %12.2f %14.2f\n", name, v, m, d, v / m, v / d }
    { f[NR % 3] = $1; s[NR % 3] += $1 }
    NR % 3 == 0 { row(NR / 3, f[1], f[2], f[0]) }
    END { n = NR / 3; if (n > 1) row("mean", s[1] / n, s[2] / n, s[0] / n) }'

}

if [ "${1:-}" = --on-display ]; then
  shift
  on_display "$@"
  exit 0
fi

# ---------------------------------------------------------------------------------------
# What only this benchmark needs, the build, the recording; then the rest on a virtual
# display of its own.
# ---------------------------------------------------------------------------------------
missing=()
for tool in mpv:mpv xdotool:xdotool xwininfo:x11-utils xvfb-run:xvfb ffmpeg:ffmpeg \
  python3:python3 setsid:util-linux; do
  command -v "${tool%%:*}" >/dev/null || missing+=("${tool#*:}")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "run_playback_cpu.sh: installing ${missing[*]}"
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    "${missing[@]}" ||
    { "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q &&
      "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
        --no-install-recommends "${missing[@]}"; }
fi

build=$(realpath -m "${1:-build}")
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target quorva quorva-cli -j2

dir=${QUORVA_BENCH_DIR:-/tmp/quorva-bench}
card="$dir/playback-cpu-1920x1080-1280x720-${seconds}s"
mkdir -p "$dir"
if [ ! -d "$card" ]; then
  echo "run_playback_cpu.sh: writing the recording into $card (once)"
  rm -rf "$card.part"
  "$build/src/cli/quorva-cli" make-demo-card "$card.part" --runs 1 --per-run 1 --no-extras \
    --seconds "$seconds" --size 1920x1080 --fps 30 --sub-size 1280x720 --sub-fps 27.5 \
    --gop 30 >/dev/null
  mv "$card.part" "$card"
fi
main_movie=$(find "$card" -name '*M.MOV' | head -1)
sub_movie=$(find "$card" -name '*S.MOV' | head -1)
if [ -z "$main_movie" ] || [ -z "$sub_movie" ]; then
  fail "$card holds no main and sub movie"
fi
echo "== $(basename "$main_movie") (1920x1080, 30 fps) and $(basename "$sub_movie")" \
  "(1280x720, 27.5 fps), ${seconds} s"

work=$(mktemp -d)
display_group=
# shellcheck disable=SC2317  # called by the trap
cleanup() {
  # The virtual display and everything on it run in a process group of their own.
  if [ -n "$display_group" ]; then
    kill -- "-$display_group" 2>/dev/null || true
    wait "$display_group" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
setsid xvfb-run -a -s "-screen 0 ${screen}x24" \
  "$self" --on-display "$build" "$card" "$main_movie" "$sub_movie" "$work" &
display_group=$!
status=0
wait "$display_group" || status=$?
display_group=
exit "$status"
