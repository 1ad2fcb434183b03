// SPDX-License-Identifier: MIT
// The page's front end: reads the fields, hands them to the conversions in
// WebAssembly (tavro.wasm, built from the desktop program's own code) and
// publishes the result as the window does: in the output field, focused and
// selected whole, and on the clipboard, or says that it is not there.
import createTavro from './tavro.js';

const kForumPage = 'http://bbs.tavro.net/';
const kNotices = {
  tooLong: '结果太长（超过 6710 万字），未转换。',
  outOfMemory: '内存不足，未转换。',
  notCopied: '结果未能复制到剪贴板。请长按输出框选择“复制”，或在输出框按 Ctrl+C。',
  working: '正在转换，请稍候……',
};
// The outcomes of tavro_run, as binding.cpp numbers them.
const kPublished = 0, kTooLong = 1;
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
const shareButton = byId('share');
const kPrompt = input.value;
const kCommandVerticalLayout = 4;
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

// Runs `command` (numbered as the window's buttons) on the fields' text;
// returns the result, or null after saying why there is none.
function convert(tavro, command) {
  let inputPointer = 0, separatorPointer = 0;
  try {
    inputPointer = toModule(tavro, input.value);
    separatorPointer = toModule(tavro, separator.value);
    const outcome = tavro._tavro_run(command, inputPointer, input.value.length,
                                     separatorPointer, separator.value.length);
    if (outcome === kPublished) return resultFromModule(tavro);
    showNotice(outcome === kTooLong ? kNotices.tooLong : kNotices.outOfMemory);
  } catch (error) {
    if (!(error instanceof RangeError) && !String(error).includes('memory')) throw error;
    showNotice(kNotices.outOfMemory);
  } finally {
    if (inputPointer) tavro._tavro_free(inputPointer);
    if (separatorPointer) tavro._tavro_free(separatorPointer);
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
  output.wrap = command === kCommandVerticalLayout ? 'off' : 'soft';
  output.value = result;
  selectOutput();
  output.scrollIntoView({ block: 'nearest' });
  if (!notice.hidden) {
    // Said to be working: gone once the browser has laid the result out.
    await nextPaint();
    hideNotice();
  }
  if (!(await copyOutput())) showNotice(kNotices.notCopied);
}

// Lets the browser draw what changed (the "working" notice, say) before the
// page goes on.
function nextPaint() {
  return new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0)));
}

// Runs `command` (numbered as the window's buttons) and publishes its
// result; false when it changed nothing.
async function convertAndPublish(tavro, command) {
  hideNotice();  // a new command: the last one's news is old
  const large = input.value.length * Math.max(1, separator.value.length) >= kLargeText;
  if (large) {
    showNotice(kNotices.working, 'working');
    await nextPaint();
  }
  const result = convert(tavro, command);
  if (result === null) return false;
  await publishResult(result, command);
  return true;
}

let running = false;
async function runCommand(tavro, command) {
  if (running) return;  // one command at a time, as in the window
  running = true;
  document.body.setAttribute('aria-busy', 'true');
  try {
    if (command === 2) {
      // 随机: a new separator, drawn as the desktop draws it, then 加字符;
      // a command that changed nothing leaves the separator too.
      const before = separator.value;
      separator.value = String.fromCharCode(tavro._tavro_random_separator());
      showSeparator();
      if (!(await convertAndPublish(tavro, 1))) separator.value = before;
      showSeparator();
    } else {
      await convertAndPublish(tavro, command);
    }
  } finally {
    document.body.removeAttribute('aria-busy');
    running = false;
  }
}

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

// A click on the bare panel, not on a control, opens the forum.
panel.addEventListener('click', (event) => {
  if (event.target === panel) window.open(kForumPage, '_blank', 'noopener');
});

// On a desktop browser the prompt is selected, ready to be pasted over; a
// phone would open its keyboard over the page.
if (matchMedia('(pointer: fine)').matches) input.focus();

createTavro().then((tavro) => {
  for (const button of buttons) {
    button.addEventListener('click', () => runCommand(tavro, Number(button.dataset.command)));
    button.disabled = false;
  }
  document.documentElement.dataset.ready = 'true';
  performance.mark('tavro-ready');  // the first command possible
});

if ('serviceWorker' in navigator) {
  navigator.serviceWorker.register('sw.js').catch(() => {
    // Without it the page still works; it only does not open offline.
  });
}
