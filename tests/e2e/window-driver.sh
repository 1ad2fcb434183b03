# The end-to-end drive of the real window, sourced by its X11, Wayland and
# wine checks: pastes text into the input field with ctrl+v, reaches a button
# with Tab and presses it with Space, and reads what lands on the clipboard,
# as a person would. How keys, the clipboard and the screen are reached
# differs per platform: use_x11 sets it up for X11 (under Xvfb, as wine uses
# it too); the Wayland check brings its own
#   send_keys KEY...      "ctrl+v", "Tab", "shift+Tab", or +MS to wait MS ms
#   put_clipboard TEXT    puts TEXT on the clipboard, as another program does
#   read_clipboard        prints the clipboard's text
#   alive                 fails when the program is gone

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

# The Tab presses from the input field to the control `name`, along the
# design's order, which is the tab order; hidden fields take no focus.
tabs_to() {
  local names from to i
  read -r -a names < <(sed -n '/\.hidden = true/d; s/.*{\.name = "\([A-Za-z0-9]*\)".*/\1/p' \
    app/window_layout.cpp | paste -sd ' ')
  for i in "${!names[@]}"; do
    [ "${names[i]}" = Text1 ] && from=$i
    [ "${names[i]}" = "$1" ] && to=$i
  done
  echo $(((to - from + ${#names[@]}) % ${#names[@]}))
}

# The keys that press the button `name` from the input field and go back
# there, which a command leaves for the output field: one a line.
keys_to_press() {
  local i
  for ((i = 0; i < $(tabs_to "$1"); i++)); do echo Tab; done
  printf '%s\n' space +300 shift+Tab
}

# Replaces the input field's text (the field has the focus) by `text`
# through the clipboard and presses the button `name`. A large text is
# given `seconds` to paste: one sending of keys, as keys sent while the
# program is busy reach it only from a keyboard it already knows.
paste_and_press() {
  local keys
  put_clipboard "$1"
  mapfile -t keys < <(keys_to_press "$2")
  send_keys ctrl+a ctrl+v "+$((${3:-0} * 1000 + 300))" "${keys[@]}"
}

# Waits until the clipboard holds `expected` (lines ended by LF), the result
# of the command `name`, for as long as a large command may take.
expect_clipboard() {
  local name=$1 expected=$2 published=""
  for _ in $(seq 100); do
    alive
    published=$(read_clipboard | tr -d '\r') || true
    if [ "$published" = "$expected" ]; then
      echo "clipboard after $name: ${published:0:60}"
      return
    fi
    sleep 0.2
  done
  echo "window-driver: after $name the clipboard holds '${published:0:100}', expected '${expected:0:100}'" >&2
  return 1
}

# What every platform checks, in a window just opened (its input field has
# the focus): 倒序 keeps a pair whole; 竖排 measures code page 936, with a
# character of its user-defined area (two bytes) and a cent sign (no code of
# its own: one); 简→繁; and a grid whose only upright strokes are its "|",
# which the output field then shows without its selection for a screenshot,
# with the focus.
drive_window() {
  paste_and_press '中文abc😀' Command3
  expect_clipboard 倒序 '😀cba文中'
  # U+E000 as its UTF-8 bytes: bash's \u escapes depend on the locale.
  local user_defined
  user_defined=$(printf '\xee\x80\x80')
  paste_and_press "竖排a${user_defined}¢字" Command4
  expect_clipboard 竖排 "竖|a |¢ |  |"$'\n'"排|${user_defined}|字|  |"
  paste_and_press '东风夜放花千树，更吹落，星如雨。宝马雕车香满路。' Command6
  expect_clipboard 简→繁 '東風夜放花千樹，更吹落，星如雨。寶馬雕車香滿路。'
  paste_and_press '一-二=-三=으二=一-=一-三' Command4
  expect_clipboard 竖排 $'一|- |二|= |\n- |三|= |一|\n二|= |一|- |\n= |으|- |三|'
  send_keys Tab ctrl+Home +500
}

# Checks that the 竖排 grid in the output field of the window's screenshot
# `image` (its client area, at `scale`) lines up.
check_grid() { tests/e2e/check-grid.py "$1" "$2" $(control_rect Text2); }

# The X11 way (under Xvfb; wine draws its windows there too), and what it
# needs installed; starts the display.
use_x11() {
  source build-aux/xvfb-display.sh
  build-aux/setup-deps.sh xdotool xclip imagemagick python3
  start_display
  send_keys() {
    local commands=() key
    for key in "$@"; do
      if [[ $key == +* ]]; then
        commands+=(sleep "$(printf '%d.%03d' $((${key#+} / 1000)) $((${key#+} % 1000)))")
      else
        commands+=(key "$key")
      fi
    done
    xdotool "${commands[@]}"
  }
  put_clipboard() { printf '%s' "$1" | xclip -selection clipboard -i; }
  read_clipboard() { xclip -selection clipboard -o 2>/dev/null; }
  alive() { kill -0 "$program" 2>/dev/null || { echo "window-driver: the program is gone" >&2; return 1; }; }
}

# Starts the program (the arguments) on X11 and waits for its window; sets
# `window` and `program`. What the program prints is shown when its window
# does not appear.
start_program() {
  local log
  log=$(mktemp)
  "$@" >"$log" 2>&1 &
  program=$!
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
  sleep 2
}

# Takes the window's client area at `scale` as `image` on X11. A frame drawn
# around it, as wine draws one, is as wide at the bottom and sides.
shot() {
  local image=$1 scale=$2 X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  local border=$(((WIDTH - client_width * scale) / 2))
  mkdir -p "$(dirname "$image")"
  import -window root -crop "$((client_width * scale))x$((client_height * scale))+$((X + border))+$((Y + HEIGHT - client_height * scale - border))" \
    +repage "$image"
}
