#!/usr/bin/env bash
# Measures how long Lindor takes from its start to a visible main window with three
# functions plotted, and its resident memory two seconds later, on a private X server
# (Xvfb) with a fresh home folder, so that every run is a first start. A plain Qt main
# window with a menu bar is measured the same way in the same run as the baseline.
# Usage: scripts/startup-probe.sh [PROGRAM] [RUNS]   (default build/src/lindor, 7 runs)
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/src/lindor}")
runs=${2:-7}
for p in Xvfb:xvfb xdotool:xdotool; do
    command -v "${p%%:*}" >/dev/null || { echo "needs ${p#*:}" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The baseline: an empty main window with a menu bar, maximised as Lindor's is, compiled here.
cat >"$work/baseline.cpp" <<'CPP'
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle("Lindor baseline");
    w.menuBar()->addMenu("&File");
    w.setGeometry(app.primaryScreen()->availableGeometry());
    w.showMaximized();
    return app.exec();
}
CPP
g++ -O2 -fPIC -o "$work/baseline" "$work/baseline.cpp" $(pkg-config --cflags --libs Qt6Widgets)

display=:$((150 + RANDOM % 50))
Xvfb "$display" -screen 0 1600x1000x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 0.5

# Prints "milliseconds rss_kb" for one start of the command.
probe() {
    local home; home=$(mktemp -d -p "$work")
    local start; start=$(date +%s%N)
    DISPLAY=$display HOME=$home XDG_CONFIG_HOME=$home/.config QT_QPA_PLATFORM=xcb "$@" \
        >/dev/null 2>&1 &
    local pid=$! ms=""
    for _ in $(seq 1 500); do
        if DISPLAY=$display xdotool search --onlyvisible --pid "$pid" --name '^Lindor' \
            >/dev/null 2>&1; then
            ms=$(( ($(date +%s%N) - start) / 1000000 )); break
        fi
        sleep 0.005
    done
    sleep 2
    local rss; rss=$(ps -o rss= -p "$pid" | tr -d ' ' || true)
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo "${ms:-timeout} ${rss:-gone}"
}

# The median of the numbers read (runs that timed out or ended early are left out).
median() { grep -E '^[0-9]+$' | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

declare -a lt lm bt bm
for i in $(seq 1 "$runs"); do
    read -r t m < <(probe "$program" 'x^2-2' 'sin x' '2x+1'); lt+=("$t"); lm+=("$m")
    read -r t m < <(probe "$work/baseline"); bt+=("$t"); bm+=("$m")
done
lindor_ms=$(printf '%s\n' "${lt[@]}" | median)
lindor_kb=$(printf '%s\n' "${lm[@]}" | median)
base_ms=$(printf '%s\n' "${bt[@]}" | median)
base_kb=$(printf '%s\n' "${bm[@]}" | median)
echo "lindor:   start ${lindor_ms} ms, resident ${lindor_kb} kB (runs: ${lt[*]})"
echo "baseline: start ${base_ms} ms, resident ${base_kb} kB (runs: ${bt[*]})"
awk -v a="$lindor_ms" -v b="$base_ms" 'BEGIN {printf "ratio:    %.2f\n", a / b}'
