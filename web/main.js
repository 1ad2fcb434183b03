// SPDX-License-Identifier: MIT
// The page's front end: reads the fields, hands them to the conversions in
// WebAssembly (tavro.wasm, built from the desktop program's own code) and
// publishes the result as the window does: in the output field, focused and
// selected whole, and on the clipboard, or says that it is not there.
import createTavro from './tavro.js';

// The page's own notices; those it shares with the window come from the
// module.
const kNotices = {
  notCopied: '结果未能复制到剪贴板。请长按输出框选择“复制”，或在输出框按 Ctrl+C。',
  working: '正在转换，请稍候……',
};
// A text this long (in code units) makes a command take long enough to say
// so: a quarter of what the window calls large, since a browser lays text out
// more slowly.
const kLargeText = 1 << 18;

const byId = (id) => document.getElementById(id);
const panel = byId('Form1');
const input = byId('Text1');
const output = byId('Text2');
const separator = byId('Text3');
const notice = byId('notice');
const noticeText = byId('notice-text');
const buttons = [...document.querySelectorAll('button[data-command]')];

const separatorShown = byId('separator-shown');
const marksLayer = byId('marks');
const chooser = byId('chooser');
const marksStatus = byId('marks-status');
const shareButton = byId('share');
const takeSuggestionsButton = byId('take-suggestions');
const kPrompt = input.value;
// Phones and tablets: a keyboard on the screen comes up with every focused
// field that takes text.
const touchScreen = matchMedia('(pointer: coarse)').matches;

// A control character (U+001A, the window's separator at start, or one that
// 随机 drew) shows as nothing: the field's text is shown again over it, each
// control character as its picture (␚) in a muted colour.
const isControl = (character) => character < ' ' || character === '\x7F';
function showSeparator() {
  const characters = [...separator.value];
  separator.classList.toggle('shown-over', characters.some(isControl));
  separatorShown.replaceChildren(...characters.map((character) => {
    if (!isControl(character)) return document.createTextNode(character);
    const picture = document.createElement('span');
    picture.className = 'control-picture';
    const code = character.charCodeAt(0);
    picture.textContent = String.fromCharCode(code === 0x7F ? 0x2421 : 0x2400 + code);
    return picture;
  }));
}
separator.value = '\x1A';
showSeparator();
separator.addEventListener('input', showSeparator);

// Selects a field's whole text when it gets the focus, also when a click or
// a tap would then put the caret somewhere: typing or pasting replaces it.
function selectWholeOnFocus(field, wanted = () => true) {
  let clickAfterFocus = false;
  field.addEventListener('focus', () => {
    if (!wanted()) return;
    field.select();
    clickAfterFocus = true;
  });
  field.addEventListener('mouseup', (event) => {
    if (clickAfterFocus) event.preventDefault();
    clickAfterFocus = false;
  });
  field.addEventListener('blur', () => { clickAfterFocus = false; });
}
selectWholeOnFocus(separator);
// The prompt goes away at the first touch: until the user edits it, its first
// focus selects it whole.
let promptUntouched = true;
selectWholeOnFocus(input, () => promptUntouched && input.value === kPrompt);
input.addEventListener('input', () => { promptUntouched = false; });
input.addEventListener('blur', () => { promptUntouched = false; });

// The output field keeps room below its last line for the notice, so that
// the notice never hides a line of the result.
function fitOutputToNotice() {
  output.style.paddingBottom = notice.hidden ? '' : `${notice.offsetHeight + 4}px`;
}
function showNotice(text, kind = 'warning') {
  noticeText.textContent = text;
  notice.classList.toggle('working', kind === 'working');
  notice.hidden = false;
  fitOutputToNotice();
}
function hideNotice() {
  notice.hidden = true;
  fitOutputToNotice();
}
byId('notice-close').addEventListener('click', hideNotice);

// Copies `text` into the module's memory, code unit by code unit (lone
// surrogates too); the caller frees it.
function toModule(tavro, text) {
  const pointer = tavro._tavro_allocate(text.length);
  if (!pointer) throw new RangeError('out of memory');
  const units = new Uint16Array(tavro.HEAPU16.buffer, pointer, text.length);
  for (let i = 0; i < text.length; ++i) units[i] = text.charCodeAt(i);
  return pointer;
}

// The text at `pointer` in the module's memory, up to its U+0000 (or its
// NUL, for `bytes`).
function textFromModule(tavro, pointer, bytes = false) {
  const units = bytes ? tavro.HEAPU8 : tavro.HEAPU16;
  let end = bytes ? pointer : pointer / 2;
  while (units[end] !== 0) ++end;
  return String.fromCharCode(...units.subarray(bytes ? pointer : pointer / 2, end));
}

// The result waiting in the module, as a string, code unit by code unit.
function resultFromModule(tavro) {
  const length = tavro._tavro_result_length();
  const units = new Uint16Array(tavro.HEAPU16.buffer, tavro._tavro_result(), length);
  const pieces = [];
  for (let start = 0; start < length; start += 8192) {
    pieces.push(String.fromCharCode.apply(null, units.subarray(start, start + 8192)));
  }
  tavro._tavro_release_result();
  return pieces.join('');
}

// The characters of the result that 简→繁 or 繁→简 could have written in
// another form: their positions in order, each with its source character,
// and the forms of every source, the one written first. Null: none.
let marks = null;
let newMarks = null;  // those of the result being published

function marksFromModule(tavro) {
  const count = tavro._tavro_mark_count();
  if (count === 0) return null;
  const pairs = new Uint32Array(tavro.HEAPU32.buffer, tavro._tavro_marks(), 2 * count);
  const positions = new Uint32Array(count), sources = new Uint16Array(count);
  for (let i = 0; i < count; ++i) {
    positions[i] = pairs[2 * i];
    sources[i] = pairs[2 * i + 1];
  }
  const units = new Uint16Array(tavro.HEAPU16.buffer, tavro._tavro_forms(),
                                tavro._tavro_forms_length());
  const forms = new Map();
  for (let start = 0, end = 0; end < units.length; ++end) {
    if (units[end] !== 0) continue;
    forms.set(units[start], String.fromCharCode(...units.subarray(start + 1, end)));
    start = end + 1;
  }
  return { positions, sources, forms, suggested: new Map() };
}

// Runs the command named `command` ("reverse-text") on the fields' text;
// returns the result, or null after saying why there is none.
function convert(tavro, command) {
  let namePointer = 0, inputPointer = 0, separatorPointer = 0;
  try {
    namePointer = toModule(tavro, command);
    inputPointer = toModule(tavro, input.value);
    separatorPointer = toModule(tavro, separator.value);
    if (tavro._tavro_run(namePointer, command.length, inputPointer, input.value.length,
                         separatorPointer, separator.value.length)) {
      const drawn = tavro._tavro_drawn_separator();
      if (drawn) {
        separator.value = String.fromCharCode(drawn);  // 随机's new separator
        showSeparator();
      }
      const result = resultFromModule(tavro);
      newMarks = marksFromModule(tavro);
      return result;
    }
    showNotice(textFromModule(tavro, tavro._tavro_notice()));
  } catch (error) {
    if (!(error instanceof RangeError) && !String(error).includes('memory')) throw error;
    showNotice(textFromModule(tavro, tavro._tavro_out_of_memory_notice()));
  } finally {
    for (const pointer of [namePointer, inputPointer, separatorPointer]) {
      if (pointer) tavro._tavro_free(pointer);
    }
  }
  return null;
}

function selectOutput() {
  // On a touch screen the command does not bring up the keyboard, which
  // would cover the result; a tap on the output field does (below).
  if (touchScreen) output.inputMode = 'none';
  output.focus({ preventScroll: true });
  output.setSelectionRange(0, output.value.length);
  output.scrollTop = 0;  // the result's beginning in sight
  output.scrollLeft = 0;
}
output.addEventListener('pointerdown', () => {
  if (output.inputMode !== 'none') return;
  // The user means to edit: the tap focuses the field afresh, with its keyboard.
  output.inputMode = '';
  output.blur();
});

// Copies what the output field holds: the asynchronous clipboard first, then
// the older copy command on the selected field. True only when one of them
// says it copied.
async function copyOutput() {
  const text = output.value;
  try {
    await navigator.clipboard.writeText(text);
    return true;
  } catch {
    // Refused (no permission, or the page lost focus): try the older way.
  }
  selectOutput();
  try {
    return document.execCommand('copy');
  } catch {
    return false;
  }
}

// The window's PublishResult: the output field gets the result, focused and
// selected whole, and the clipboard gets what the field holds.
async function publishResult(result, command) {
  // Text wraps at the field's width, but a 竖排 grid must not: a grid wider
  // than the field scrolls sideways.
  output.wrap = command === 'vertical-layout' ? 'off' : 'soft';
  output.value = result;
  selectOutput();
  output.scrollIntoView({ block: 'nearest' });
  if (!notice.hidden) {
    // Said to be working: gone once the browser has laid the result out.
    await nextPaint();
    hideNotice();
  }
  if (!(await copyOutput())) showNotice(kNotices.notCopied);
  showMarks(newMarks);
}

// Lets the browser draw what changed (the "working" notice, say) before the
// page goes on.
function nextPaint() {
  return new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0)));
}

// Runs the command named `command` and publishes its result; then, where
// it marked characters, finds those whose word asks for another form.
async function convertAndPublish(tavro, command) {
  hideNotice();  // a new command: the last one's news is old
  showMarks(null);
  newMarks = null;
  const large = input.value.length * Math.max(1, separator.value.length) >= kLargeText;
  if (large) {
    showNotice(kNotices.working, 'working');
    await nextPaint();
  }
  const converted = input.value;
  const result = convert(tavro, command);
  if (result === null) return;
  await publishResult(result, command);
  if (marks !== null) showSuggestions(tavro, marks, command, converted);
}

let running = false;
async function runCommand(tavro, command) {
  if (running) return;  // one command at a time, as in the window
  running = true;
  document.body.setAttribute('aria-busy', 'true');
  try {
    await convertAndPublish(tavro, command);
  } finally {
    document.body.removeAttribute('aria-busy');
    running = false;
  }
}

// The marks are drawn once the result is published, for the text up to a
// point, which moves on as the user scrolls towards it: a marked megabyte
// costs no more to show than the part of it the user sees.
const kMarksDrawnAtFirst = 1 << 12;
let marksDrawnUpTo = 0;
const marksEnd = document.createElement('span');  // where the drawn text ends
const marksSpacer = document.createElement('div');  // the field's whole height

function showMarks(shown) {
  marks = shown;
  closeChooser();
  marksDrawnUpTo = kMarksDrawnAtFirst;
  // After the result's first frame, whose layout drawing them first would
  // do twice.
  if (marks === null) drawMarks();
  else nextPaint().then(drawMarks);
  announceMarks();
}

// What screen readers hear of the marks, and the button that takes every
// suggestion, with their count.
function announceMarks() {
  const suggested = marks?.suggested.size ?? 0;
  marksStatus.textContent = marks === null ? '' : `${marks.positions.length} 个字有其他写法` +
    (suggested ? `，${suggested} 个字按词语应改写` : '');
  takeSuggestionsButton.hidden = suggested === 0;
  takeSuggestionsButton.textContent = `全部改写（${suggested}）`;
}

// The phrases that say which form a word asks for: fetched the first time
// 简→繁 or 繁→简 runs, never with the page itself, and handed to the module.
let phrases = null;
function loadPhrases(tavro) {
  phrases ??= fetch('phrases.bin', { cache: 'no-cache' })
    .then((response) => (response.ok ? response.arrayBuffer() : Promise.reject(response.status)))
    .then((buffer) => {
      const units = new Uint16Array(buffer);
      const pointer = tavro._tavro_allocate(units.length);
      if (!pointer) throw new RangeError('out of memory');
      tavro.HEAPU16.set(units, pointer / 2);
      tavro._tavro_load_phrases(pointer, units.length);
      tavro._tavro_free(pointer);
    })
    .catch(() => {
      phrases = null;  // offline before they ever came: asked for again next time
    });
  return phrases;
}

// The marked characters of `shown`, the marks of the command `command` on
// `text`, whose word asks for another form: flagged once the phrases are
// there, if the marks are still those of the output field by then.
async function showSuggestions(tavro, shown, command, text) {
  await loadPhrases(tavro);
  if (marks !== shown) return;
  let namePointer = 0, textPointer = 0;
  try {
    namePointer = toModule(tavro, command);
    textPointer = toModule(tavro, text);
    const count = tavro._tavro_suggest(namePointer, command.length, textPointer, text.length);
    const pairs = new Uint32Array(tavro.HEAPU32.buffer, tavro._tavro_suggestions(), 2 * count);
    for (let i = 0; i < count; ++i) shown.suggested.set(pairs[2 * i], pairs[2 * i + 1]);
  } catch {
    return;  // no room for them: the marks stand as they are
  } finally {
    for (const pointer of [namePointer, textPointer]) if (pointer) tavro._tavro_free(pointer);
  }
  drawMarks();
  announceMarks();
}

function drawMarks() {
  marksLayer.hidden = marks === null;
  if (marks === null) {
    marksLayer.replaceChildren();
    return;
  }
  const text = output.value;
  const end = Math.min(text.length, marksDrawnUpTo);
  const drawn = document.createDocumentFragment();
  let from = 0;
  for (let index = 0; index < marks.positions.length && marks.positions[index] < end; ++index) {
    const position = marks.positions[index];
    drawn.append(text.slice(from, position));
    const mark = document.createElement('span');
    mark.className = marks.suggested.has(position) ? 'mark suggested' : 'mark';
    mark.textContent = text[position];
    mark.dataset.index = index;
    drawn.append(mark);
    from = position + 1;
  }
  drawn.append(text.slice(from, end), marksEnd, marksSpacer);
  marksLayer.replaceChildren(drawn);
  placeMarks();
}

// Over the field's box but its scroll bar, scrolled as the field is.
function placeMarks() {
  if (marks === null) return;
  Object.assign(marksLayer.style, {
    left: `${output.offsetLeft}px`, top: `${output.offsetTop}px`,
    width: `${output.clientWidth + 2 * output.clientLeft}px`,
    height: `${output.offsetHeight}px`,
  });
  marksSpacer.style.height = `${output.scrollHeight}px`;
  if (marksDrawnUpTo < output.value.length &&
      marksEnd.offsetTop < output.scrollTop + 2 * output.clientHeight) {
    marksDrawnUpTo *= 2;
    drawMarks();
    return;
  }
  marksLayer.scrollTop = output.scrollTop;
  marksLayer.scrollLeft = output.scrollLeft;
}
output.addEventListener('scroll', () => {
  closeChooser();  // it would point at another character
  placeMarks();
});
new ResizeObserver(() => placeMarks()).observe(output);
// The user's own typing ends the marks; choosing a form keeps them.
output.addEventListener('input', () => showMarks(null));

// The index of the marked character drawn at (x, y) of the viewport, or -1.
function markAt(x, y) {
  if (marks === null) return -1;
  for (const mark of marksLayer.getElementsByClassName('mark')) {
    const box = mark.getBoundingClientRect();
    if (x >= box.left && x < box.right && y >= box.top && y < box.bottom) {
      return Number(mark.dataset.index);
    }
  }
  return -1;
}

function closeChooser() {
  chooser.hidden = true;
  chooser.replaceChildren();
}

// The chooser next to the marked character `index`: one button per other
// form, for it alone and, where its source stands more than once, for all;
// on a touch screen also 编辑, which puts the caret there with the keyboard.
function openChooser(index, touch) {
  const position = marks.positions[index];
  const source = marks.sources[index];
  const shown = output.value[position];
  const everywhere = [];
  for (let i = 0; i < marks.positions.length; ++i) {
    if (marks.sources[i] === source) everywhere.push(marks.positions[i]);
  }
  const buttons = [];
  const addButton = (label, action) => {
    const choice = document.createElement('button');
    choice.type = 'button';
    choice.textContent = label;
    choice.addEventListener('click', action);
    buttons.push(choice);
  };
  // The form the word asks for first, whether or not the character's own
  // forms hold it.
  const suggested = String.fromCharCode(marks.suggested.get(position) ?? 0);
  const forms = [...new Set([...(marks.suggested.has(position) ? [suggested] : []),
                             ...marks.forms.get(source)])];
  for (const form of forms) {
    if (form === shown) continue;
    addButton(form === suggested ? `改为 ${form}（按词语）` : `改为 ${form}`,
              () => chooseForm([[position, form]]));
    if (everywhere.length > 1) {
      addButton(`全部改为 ${form}`, () => chooseForm(everywhere.map((at) => [at, form])));
    }
  }
  if (touch) {
    addButton('编辑', () => {
      closeChooser();
      output.inputMode = '';
      output.focus({ preventScroll: true });
      output.setSelectionRange(position + 1, position + 1);
    });
  }
  chooser.setAttribute('aria-label', `“${shown}”的其他写法`);
  chooser.replaceChildren(...buttons);
  chooser.hidden = false;
  const box = marksLayer.querySelector(`[data-index="${index}"]`).getBoundingClientRect();
  const area = chooser.parentElement.getBoundingClientRect();
  const left = Math.min(box.left - area.left, area.width - chooser.offsetWidth - 4);
  const below = box.bottom - area.top + 4;
  const top = below + chooser.offsetHeight <= area.height ? below
    : Math.max(0, box.top - area.top - chooser.offsetHeight - 4);
  Object.assign(chooser.style, { left: `${Math.max(0, left)}px`, top: `${top}px` });
  buttons[0].focus({ preventScroll: true });
}

// Writes each form over the character at its position ([position, form],
// in order) and publishes the field again, as a result is published, where
// the user is reading. No suggestion is left where a form is written.
async function chooseForm(changes) {
  const text = output.value;
  const pieces = [];
  let from = 0;
  for (const [position, form] of changes) {
    pieces.push(text.slice(from, position), form);
    from = position + 1;
    marks.suggested.delete(position);
  }
  pieces.push(text.slice(from));
  announceMarks();
  const { scrollTop, scrollLeft } = output;
  output.value = pieces.join('');
  closeChooser();
  drawMarks();
  output.focus({ preventScroll: true });
  output.setSelectionRange(0, output.value.length);
  Object.assign(output, { scrollTop, scrollLeft });
  hideNotice();
  if (!(await copyOutput())) showNotice(kNotices.notCopied);
}

output.addEventListener('pointerdown', (event) => {
  const index = markAt(event.clientX, event.clientY);
  if (index < 0) return;
  // The tap opens the chooser; it neither moves the caret nor brings the
  // keyboard.
  event.preventDefault();
  event.stopImmediatePropagation();
  openChooser(index, event.pointerType !== 'mouse');
}, { capture: true });  // before the tap that would bring the keyboard
chooser.addEventListener('keydown', (event) => {
  if (event.key !== 'Escape') return;
  closeChooser();
  output.focus({ preventScroll: true });
});
document.addEventListener('pointerdown', (event) => {
  if (!chooser.hidden && !chooser.contains(event.target)) closeChooser();
}, true);

takeSuggestionsButton.addEventListener('click', () => {
  chooseForm([...marks.suggested].sort((a, b) => a[0] - b[0])
    .map(([position, form]) => [position, String.fromCharCode(form)]));
});

// Where the browser offers the share sheet (phones), the result goes to a
// chat or a note from there too.
if (navigator.share) {
  shareButton.hidden = false;
  shareButton.addEventListener('click', () => {
    navigator.share({ text: output.value }).catch(() => {
      // Dismissed by the user, or refused: the result is still in the field.
    });
  });
}

// Text shared to the installed page from another app (the manifest's share
// target), or given in a link (?text=…): it replaces the input field's text
// as a paste would, as text and nothing else, and leaves the address, so
// that a reload does not bring it back. Apps put it in different fields: the
// text, else the title, and the link on a line of its own unless the text
// holds it. True when there was some.
function takeSharedText() {
  const query = new URLSearchParams(location.search);
  if (!['text', 'title', 'url'].some((name) => query.has(name))) return false;
  history.replaceState(history.state, '', location.pathname + location.hash);
  const [text, url] = [query.get('text') || query.get('title') || '', query.get('url') || ''];
  const shared = url && !text.includes(url) ? (text ? `${text}\n${url}` : url) : text;
  if (!shared) return false;
  input.value = shared;
  promptUntouched = false;
  return true;
}

// On a desktop browser the prompt is selected, ready to be pasted over; a
// phone would open its keyboard over the page. Shared text is left as it
// came, with the commands in sight and no keyboard over them.
if (!takeSharedText() && matchMedia('(pointer: fine)').matches) input.focus();

createTavro().then((tavro) => {
  for (const button of buttons) {
    button.addEventListener('click', () => runCommand(tavro, button.dataset.command));
    button.disabled = false;
  }
  // A click on the bare panel, not on a control, opens the forum.
  const forumPage = textFromModule(tavro, tavro._tavro_forum_address(), true);
  panel.addEventListener('click', (event) => {
    if (event.target === panel) window.open(forumPage, '_blank', 'noopener');
  });
  document.documentElement.dataset.ready = 'true';
  performance.mark('tavro-ready');  // the first command possible
});

if ('serviceWorker' in navigator) {
  navigator.serviceWorker.register('sw.js').catch(() => {
    // Without it the page still works; it only does not open offline.
  });
}
