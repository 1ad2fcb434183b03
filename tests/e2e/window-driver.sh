# End-to-end checks of the window under X11, sourced by the X11 and the wine
# checks: drives the real window from outside as a person would, under Xvfb,
# with the X clipboard, and installs what that takes.
source build-aux/xvfb-display.sh
build-aux/setup-deps.sh xdotool xclip imagemagick python3

# The window's geometry, read from its design table (app/window_layout.*),
# in pixels at scale 1: 15 twips to a pixel.
design_pixels() { echo $(($1 / 15)); }
client_width=$(design_pixels "$(sed -n 's/.*kClientWidthTwips = \([0-9]*\);/\1/p' app/window_layout.h)")
client_height=$(design_pixels "$(sed -n 's/.*kClientHeightTwips = \([0-9]*\);/\1/p' app/window_layout.h)")
# "left top width height" of the control named `name` (Text2, Command4).
control_rect() {
  local left top width height
  read -r left top width height < <(sed -n "s/.*\.name = \"$1\".*\.left = \([0-9]*\), \.top = \([0-9]*\), \.width = \([0-9]*\), \.height = \([0-9]*\),.*/\1 \2 \3 \4/p" app/window_layout.cpp)
  [ -n "$height" ] || { echo "window-driver: no control $1 in the design" >&2; return 1; }
  echo "$(design_pixels "$left") $(design_pixels "$top") $(design_pixels "$width") $(design_pixels "$height")"
}

# The window's client area on the screen: "x y", found from the window's
# outer geometry (a frame drawn around it, as wine draws one, is as wide at
# the bottom and sides).
client_origin() {
  local window=$1 scale=$2 X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  local border=$(((WIDTH - client_width * scale) / 2))
  echo "$((X + border)) $((Y + HEIGHT - client_height * scale - border))"
}

# Clicks the centre of the control named `name`.
click_control() {
  local left top width height
  read -r left top width height < <(control_rect "$1")
  xdotool mousemove "$((origin_x + (left + width / 2) * scale))" \
    "$((origin_y + (top + height / 2) * scale))" click 1
  sleep 0.5
}

# Puts `text` into the input field through the clipboard and ctrl+v.
paste_input() {
  printf '%s' "$1" | xclip -selection clipboard -i
  click_control Text1
  xdotool key ctrl+a ctrl+v
  sleep 0.5
}

# Clicks the button `control` (the command `name`) and checks that the
# clipboard then holds `expected`.
expect_result() {
  local name=$1 control=$2 expected=$3
  click_control "$control"
  local published
  published=$(xclip -selection clipboard -o | tr -d '\r')
  if [ "$published" != "$expected" ]; then
    echo "window-driver: after $name the clipboard holds '$published', expected '$expected'" >&2
    return 1
  fi
  printf 'clipboard after %s:\n%s\n' "$name" "$published"
}

# Starts the program (the arguments) and waits for its window; sets `window`.
# What the program prints is shown when its window does not appear.
start_program() {
  local log
  log=$(mktemp)
  "$@" >"$log" 2>&1 &
  local program=$!
  window=""
  for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --name 'tavro' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "window-driver: the window of $* did not appear; it printed:" >&2
    cat "$log" >&2
    rm -f "$log"
    return 1
  fi
  rm -f "$log"
}

# Starts the program (the arguments), pastes text into the input field,
# checks what 竖排, 简→繁 and 竖排 again put on the clipboard, takes a
# screenshot of the window and checks that its grid lines up. Uses DISPLAY,
# and SCALE when set.
drive_window() {
  local output=$1
  shift
  scale=${SCALE:-1}
  start_program "$@"
  sleep 2
  read -r origin_x origin_y < <(client_origin "$window" "$scale")
  xdotool windowfocus "$window" 2>/dev/null || true

  # Six characters make two lines and a column of fillers; among them a character of code page 936's user-defined
  # area (two bytes) and a cent sign (no code of its own: "?", one byte).
  # U+E000 as its UTF-8 bytes: bash's \u escapes depend on the locale.
  local user_defined
  user_defined=$(printf '\xee\x80\x80')
  paste_input "竖排a${user_defined}¢字"
  expect_result 竖排 Command4 "竖|a |¢ |  |"$'\n'"排|${user_defined}|字|  |"
  paste_input '东风夜放花千树，更吹落，星如雨。宝马雕车香满路。'
  expect_result 简→繁 Command6 '東風夜放花千樹，更吹落，星如雨。寶馬雕車香滿路。'
  # A grid whose only upright strokes are its "|", shown without the
  # selection: the strokes must stand one above the other.
  paste_input '一-二=-三=으二=一-=一-三'
  expect_result 竖排 Command4 $'一|- |二|= |\n- |三|= |一|\n二|= |一|- |\n= |으|- |三|'
  xdotool key ctrl+Home
  sleep 0.5

  mkdir -p "$(dirname "$output")"
  import -window root -crop "$((client_width * scale))x$((client_height * scale))+${origin_x}+${origin_y}" \
    +repage "$output"
  echo "screenshot: $output"
  tests/e2e/check-grid.py "$output" "$scale" $(control_rect Text2)
}
