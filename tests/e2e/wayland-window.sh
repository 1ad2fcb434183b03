#!/usr/bin/env bash
# End-to-end check of the window on Wayland: runs the program as a native
# Wayland client of a headless sway and drives it with the keyboard alone, as
# a person would: wl-copy puts text on the clipboard, ctrl+v pastes it into
# the input field, Tab reaches a button and Space presses it, wl-paste reads
# the result. Then pastes again and again while another program takes the
# clipboard right after each ctrl+v, and takes a screenshot with grim.
# Usage: tests/e2e/wayland-window.sh [output.png] [pastes while the clipboard changes hands]
set -euo pipefail
cd "$(dirname "$0")/../.."
output=${1:-build/wayland/window.png}
pastes=${2:-250}

build-aux/setup-deps.sh sway wl-clipboard wtype grim qt6-wayland python3 procps
cmake --preset release >/dev/null
cmake --build --preset release --target tavro >/dev/null

# sway refuses to run as root: as root, run it and the program as a user of
# their own.
runtime=$(mktemp -d)
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  id tavro-wayland >/dev/null 2>&1 ||
    useradd --system --no-create-home --shell /usr/sbin/nologin tavro-wayland
  chown tavro-wayland "$runtime"
  as_user=(runuser -u tavro-wayland --)
fi
chmod 700 "$runtime"
# A copy the user can run whatever the permissions of this checkout.
install -m 755 build/release/app/tavro "$runtime/tavro"
cat >"$runtime/sway.conf" <<'EOF'
xwayland disable
default_border none
default_floating_border none
for_window [app_id="net.tavro.tavro"] floating enable
EOF
chmod 644 "$runtime/sway.conf"

# Runs a command in the session.
session() {
  "${as_user[@]}" env -i PATH="$PATH" LANG=C.UTF-8 XDG_RUNTIME_DIR="$runtime" \
    WAYLAND_DISPLAY=wayland-1 SWAYSOCK="$runtime/sway.sock" "$@"
}
cleanup() {
  session swaymsg exit >/dev/null 2>&1 || true
  pkill -u tavro-wayland 2>/dev/null || true
  wait 2>/dev/null
  rm -rf "$runtime"
}
trap cleanup EXIT

"${as_user[@]}" env -i PATH="$PATH" XDG_RUNTIME_DIR="$runtime" WLR_BACKENDS=headless \
  WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 SWAYSOCK="$runtime/sway.sock" \
  sway -c "$runtime/sway.conf" >"$runtime/sway.log" 2>&1 &
for _ in $(seq 100); do [ -S "$runtime/wayland-1" ] && [ -S "$runtime/sway.sock" ] && break; sleep 0.1; done
[ -S "$runtime/sway.sock" ] || { echo "wayland-window.sh: sway did not start" >&2; cat "$runtime/sway.log" >&2; exit 1; }

session QT_QPA_PLATFORM=wayland "$runtime/tavro" >"$runtime/tavro.log" 2>&1 &
program=$!
# The window as sway sees it, found by its title: "x y width height shell
# app_id".
window=""
for _ in $(seq 100); do
  window=$(session swaymsg -t get_tree | python3 -c '
import json, sys
def walk(node):
    if node.get("name") == "tavro字符工具":
        r = node["rect"]
        print(r["x"], r["y"], r["width"], r["height"], node.get("shell"), node.get("app_id"))
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))')
  [ -n "$window" ] && break
  sleep 0.1
done
read -r x y width height shell app_id <<<"$window"
[ "$shell" = xdg_shell ] || { echo "wayland-window.sh: no native Wayland window ($window)" >&2; exit 1; }
echo "the window is a native $shell client, ${width}x${height}"
# The app id names the menu entry, whose icon and name the desktop shows.
if [ "$app_id" != net.tavro.tavro ]; then
  echo "wayland-window.sh: the window's app id is '$app_id', not that of net.tavro.tavro.desktop" >&2
  exit 1
fi
echo "app id: $app_id"

alive() {
  kill -0 "$program" 2>/dev/null || {
    echo "wayland-window.sh: the program is gone${1:+ $1}" >&2
    cat "$runtime/tavro.log" >&2
    exit 1
  }
}
# Keys through a new virtual keyboard, which the client needs a moment to take.
keys() { session wtype -s 250 "$@"; }
# Replaces the input field's text by the clipboard's; the input has the focus.
paste_input() { keys -M ctrl a v -m ctrl; }
# Pastes the clipboard into the input field, presses the button `tabs` Tab
# presses away and goes back to the input field (the output field has the
# focus after a command), all through one keyboard: keys typed while the
# program is busy reach it only from a keyboard it already knows. A large
# paste is given `seconds` to finish.
paste_and_press() {
  local tabs=() i
  for ((i = 0; i < $1; i++)); do tabs+=(-k Tab); done
  keys -M ctrl a v -m ctrl -s $((${2:-0} * 1000 + 100)) "${tabs[@]}" -k space -s 100 \
    -M shift -k Tab -m shift
}
readonly reverse_button=4 vertical_button=5 traditional_button=7
# Waits until the clipboard holds `expected`, the result of the command
# `name`, for as long as a large command may take.
expect() {
  local name=$1 expected=$2 published=""
  for _ in $(seq 100); do
    alive
    published=$(session wl-paste -n 2>/dev/null) || true
    if [ "$published" = "$expected" ]; then
      echo "clipboard after $name: ${published:0:60}"
      return
    fi
    sleep 0.2
  done
  echo "wayland-window.sh: after $name the clipboard holds '${published:0:100}', expected '${expected:0:100}'" >&2
  mkdir -p "$(dirname "$output")"
  session grim - >"${output%.png}-failed.png" && echo "the window then: ${output%.png}-failed.png" >&2
  exit 1
}

# The input field has the focus and its prompt selected at start.
session wl-copy '中文abc😀'
paste_and_press $reverse_button
expect 倒序 '😀cba文中'
session wl-copy '一-二=-三=一二=一-=一-三'
paste_and_press $vertical_button
expect 竖排 $'一|- |二|= |\n- |三|= |一|\n二|= |一|- |\n= |一|- |三|'
session wl-copy '东风夜放花千树，宝马雕车香满路。'
paste_and_press $traditional_button
expect 简→繁 '東風夜放花千樹，寶馬雕車香滿路。'
echo "types offered after a command: $(session wl-paste --list-types | paste -sd ' ')"

# 2 MB: its 简→繁 is its twin in traditional characters.
large=$runtime/large.txt
python3 -c 'print("爱处啊中ab" * 150000, end="")' >"$large"
chmod 644 "$large"
large_traditional=$(python3 -c 'print("愛處啊中ab" * 150000, end="")')
publish_large() {
  session sh -c "wl-copy <'$large'"
  paste_and_press $traditional_button 2
  expect "$1" "$large_traditional"
}
publish_large "简→繁 of 2 MB"

# Pastes, small and 2 MB, while another program takes the clipboard a moment
# after each ctrl+v, after 2 MB results.
for ((i = 1; i <= pastes; i++)); do
  ((i % 50 == 0)) && publish_large "a 2 MB result before paste $i" >/dev/null
  if ((i % 5 == 0)); then session sh -c "wl-copy <'$large'"; else session wl-copy "第${i}次"; fi
  (sleep "0.2$((RANDOM % 10))" && session wl-copy "别的程序 $i") &
  paste_input
  wait $!
  alive "after paste $i"
done
sleep 2  # for the last large paste to finish
session wl-copy '最后一次'
paste_and_press $reverse_button
expect "倒序 after $pastes pastes while the clipboard changed hands" '次一后最'

session grim -g "$x,$y ${width}x$height" - >"$runtime/window.png"
mkdir -p "$(dirname "$output")"
cp "$runtime/window.png" "$output"
echo "screenshot: $output"
