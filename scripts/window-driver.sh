# Drives the real window from outside as a person would, under Xvfb, with the
# X clipboard. Sourced by the screenshot scripts; needs xvfb, xauth,
# x11-utils, xdotool, xclip and imagemagick.

# Starts Xvfb on a free display and exports DISPLAY; stops it on exit.
start_display() {
  local display=:$((90 + RANDOM % 100))
  Xvfb "$display" -screen 0 1000x700x24 -nolisten tcp >/dev/null 2>&1 &
  local xvfb=$!
  export DISPLAY=$display
  trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  kill -0 "$xvfb"
}

# The window's client area on the screen: "x y", found from the window's
# outer geometry (a frame drawn around it, as wine draws one, is as wide at
# the bottom and sides).
client_origin() {
  local window=$1 scale=$2 X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  local border=$(((WIDTH - 412 * scale) / 2))
  echo "$((X + border)) $((Y + HEIGHT - 248 * scale - border))"
}

# Clicks the point (x, y) of the designed window, in pixels at scale 1.
click_at() {
  xdotool mousemove "$((origin_x + $1 * scale))" "$((origin_y + $2 * scale))" click 1
  sleep 0.5
}

# Puts `text` into the input field through the clipboard and ctrl+v.
paste_input() {
  printf '%s' "$1" | xclip -selection clipboard -i
  click_at 150 40  # the input field
  xdotool key ctrl+a ctrl+v
  sleep 0.5
}

# Clicks the button whose centre is at (x, y) and checks that the clipboard
# then holds `expected`.
expect_result() {
  local name=$1 x=$2 y=$3 expected=$4
  click_at "$x" "$y"
  local published
  published=$(xclip -selection clipboard -o | tr -d '\r')
  if [ "$published" != "$expected" ]; then
    echo "window-driver: after $name the clipboard holds '$published', expected '$expected'" >&2
    return 1
  fi
  printf 'clipboard after %s:\n%s\n' "$name" "$published"
}

# Starts the program (the arguments) and waits for its window; sets `window`.
start_program() {
  "$@" >/dev/null 2>&1 &
  window=""
  for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --name 'tavro' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "window-driver: the window of $* did not appear" >&2; return 1; }
}

# Starts the program (the arguments), pastes text into the input field,
# checks what 竖排 and then 简→繁 put on the clipboard, and takes a screenshot
# of the window. Uses DISPLAY, and SCALE when set.
drive_window() {
  local output=$1
  shift
  scale=${SCALE:-1}
  start_program "$@"
  sleep 2
  read -r origin_x origin_y < <(client_origin "$window" "$scale")
  xdotool windowfocus "$window" 2>/dev/null || true

  # Button centres: 竖排 at left 4800, top 1320, 简→繁 at top 2520, both
  # 1215 x 495 twips, 15 to a pixel. Six characters make two lines and a
  # column of fillers; among them a character of code page 936's user-defined
  # area (two bytes) and a cent sign (no code of its own: "?", one byte).
  paste_input $'竖排a\uE000¢字'
  expect_result 竖排 360 104 $'竖|a |¢ |  |\n排|\uE000|字|  |'
  paste_input '东风夜放花千树，更吹落，星如雨。宝马雕车香满路。'
  expect_result 简→繁 360 184 '東風夜放花千树，更吹落，星如雨。寶马雕車香满路。'

  mkdir -p "$(dirname "$output")"
  import -window root -crop "$((412 * scale))x$((248 * scale))+${origin_x}+${origin_y}" +repage "$output"
  echo "screenshot: $output"
}
