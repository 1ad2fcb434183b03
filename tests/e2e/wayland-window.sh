#!/usr/bin/env bash
# End-to-end check of the window on Wayland: runs the program as a native
# Wayland client of a headless sway and drives it with the keyboard alone
# (tests/e2e/window-driver.sh: wl-copy, ctrl+v, Tab, Space, wl-paste). Then
# a 2 MB paste and its command, and pastes again and again while another
# program takes the clipboard right after each ctrl+v; a screenshot with
# grim, whose grid must line up.
# Usage: tests/e2e/wayland-window.sh [output.png] [pastes while the clipboard changes hands]
set -euo pipefail
cd "$(dirname "$0")/../.."
output=${1:-build/wayland/window.png}
pastes=${2:-250}

source tests/e2e/window-driver.sh
build-aux/setup-deps.sh sway wl-clipboard wtype grim qt6-wayland python3 procps imagemagick
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
printf '%s\n' 'xwayland disable' 'default_border none' 'default_floating_border none' \
  'for_window [app_id="net.tavro.tavro"] floating enable' >"$runtime/sway.conf"
chmod 644 "$runtime/sway.conf"

# Runs a command in the session.
session() {
  "${as_user[@]}" env -i PATH="$PATH" LANG=C.UTF-8 XDG_RUNTIME_DIR="$runtime" \
    WAYLAND_DISPLAY=wayland-1 SWAYSOCK="$runtime/sway.sock" "$@"
}
# Whatever is already gone when the script ends (the program leaves with
# sway) is no failure of the check.
trap '{ session swaymsg exit; pkill -u tavro-wayland; wait; rm -rf "$runtime"; } >/dev/null 2>&1 || true' EXIT

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
# The app id names the menu entry, whose icon and name the desktop shows.
if [ "$app_id" != net.tavro.tavro ]; then
  echo "wayland-window.sh: the window's app id is '$app_id', not that of net.tavro.tavro.desktop" >&2
  exit 1
fi
echo "the window is a native $shell client, ${width}x${height}, app id $app_id"

alive() {
  kill -0 "$program" 2>/dev/null && return
  echo "wayland-window.sh: the program is gone" >&2
  cat "$runtime/tavro.log" >&2
  exit 1
}
# Keys through a new virtual keyboard, which the client needs a moment to take.
send_keys() {
  local arguments=() key
  for key in "$@"; do
    case $key in
      +*) arguments+=(-s "${key#+}") ;;
      *+*) arguments+=(-M "${key%+*}" -k "${key#*+}" -m "${key%+*}") ;;
      *) arguments+=(-k "$key") ;;
    esac
  done
  session wtype -s 250 "${arguments[@]}"
}
put_clipboard() { printf "%s" "$1" | session wl-copy; }
read_clipboard() { session wl-paste -n 2>/dev/null; }

drive_window
session grim -g "$x,$y ${width}x$height" - >"$runtime/window.png"
mkdir -p "$(dirname "$output")"
cp "$runtime/window.png" "$output"
echo "screenshot: $output"
check_grid "$output" 1
send_keys shift+Tab  # back to the input field

# 2 MB: its 简→繁 is its twin in traditional characters.
large=$(python3 -c 'print("爱处啊中ab" * 150000, end="")')
large_traditional=$(python3 -c 'print("愛處啊中ab" * 150000, end="")')
paste_and_press "$large" Command6 2
expect_clipboard "简→繁 of 2 MB" "$large_traditional"

# Pastes, small and 2 MB, while another program takes the clipboard a moment
# after each ctrl+v, after 2 MB results.
for ((i = 1; i <= pastes; i++)); do
  if ((i % 50 == 0)); then
    paste_and_press "$large" Command6 2
    expect_clipboard "a 2 MB result before paste $i" "$large_traditional" >/dev/null
  fi
  if ((i % 5 == 0)); then put_clipboard "$large"; else put_clipboard "第${i}次"; fi
  (sleep "0.2$((RANDOM % 10))" && put_clipboard "别的程序 $i") &
  send_keys ctrl+a ctrl+v
  wait $!
  alive
done
sleep 2  # for the last large paste to finish
paste_and_press '最后一次' Command3
expect_clipboard "倒序 after $pastes pastes while the clipboard changed hands" '次一后最'
