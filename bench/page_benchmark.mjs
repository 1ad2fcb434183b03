// SPDX-License-Identifier: MIT
// The page in headless Chromium: time from navigation until a command can
// run; each conversion in WebAssembly on 16 MiB of mixed Chinese text beside
// the native build on the same text (file_conversions), as ratios; and the
// longest time the page does not answer input while 竖排 runs on that text.
// Run by scripts/bench-web.sh, which builds both.
import { execFileSync } from 'node:child_process';
import { mkdirSync, writeFileSync } from 'node:fs';

import { chromium } from '../web/node_modules/playwright-core/index.mjs';
import { serve } from '../web/serve.mjs';

const kBytes = 16 << 20;
const root = new URL('../build/', import.meta.url).pathname;

// 16 MiB of UTF-16: mostly common hanzi, some ASCII and punctuation, a line
// break now and then; the same every run.
function mixedText() {
  const hanzi = '的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动同工也能下过' +
    '子说产种面而方后多定行学法所民得经十三之进着等部度家电力里如水化高自二理起小物现实加量都两体制机当使点从业本去' +
    '爱处啊阿埃挨哎唉哀皑癌蔼矮艾碍隘鞍氨安俺按暗岸胺案肮昂盎凹敖熬翱袄傲奥懊澳芭捌扒叭吧笆八疤巴拔跋靶把耙坝霸罢爸';
  const other = 'abcxyz0123456789 ,.，。！？、；：“”（）';
  let seed = 2026, text = '';
  const next = () => (seed = (seed * 1103515245 + 12345) % 2147483648);
  const pieces = [];
  for (let units = 0; units < kBytes / 2 - 2;) {
    const kind = next() % 100;
    const piece = kind < 2 ? '\r\n' : (kind < 20 ? other : hanzi)[next() % (kind < 20 ? other : hanzi).length];
    pieces.push(piece);
    units += piece.length;
  }
  text = pieces.join('');
  return text;
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

mkdirSync(`${root}web/bench`, { recursive: true });
const text = mixedText();
const textFile = `${root}web/bench/text.u16`;
writeFileSync(textFile, Buffer.from(new Uint16Array([...text].map((c) => c.charCodeAt(0))).buffer));

// Native: milliseconds per conversion.
const native = {};
const report = JSON.parse(execFileSync(`${root}release/bench/file_conversions`,
  [textFile, '--benchmark_format=json', '--benchmark_min_time=1'], { maxBuffer: 1 << 26 }));
for (const run of report.benchmarks) native[run.name] = run.real_time;

const server = await serve(`${root}web`);
const address = `http://127.0.0.1:${server.address().port}/`;
const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
         '--disable-component-update', '--disable-sync', '--no-first-run'],
});
const context = await browser.newContext({ viewport: { width: 1024, height: 700 } });
await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: address });
const page = await context.newPage();

// Navigation until the commands are enabled, median of 5 fresh loads.
const starts = [];
for (let i = 0; i < 5; ++i) {
  await page.goto(address, { waitUntil: 'commit' });
  await page.waitForSelector('html[data-ready]');
  starts.push(await page.evaluate(() => performance.getEntriesByName('tavro-ready')[0].startTime));
}
console.log(`navigation to first command possible: ${median(starts).toFixed(0)} ms (median of 5)`);

// Each conversion in the browser: milliseconds per run, median of 3, on the
// 16 MiB text and on 1 MiB of ASCII, of hanzi and of hanzi with an emoji
// sequence every fourth character, as the native benchmarks' ConvertText.
const browserTimes = await page.evaluate(async () => {
  const tavro = await (await import('./tavro.js')).default();
  const kinds = { mixed: new Uint16Array(await (await fetch('bench/text.u16')).arrayBuffer()) };
  let seed = 2026;
  const next = () => (seed = (seed * 1103515245 + 12345) % 2147483648);
  const emoji = ['👍🏻', '🇨🇳', '👨‍👩‍👧', '☀️', '😊', '1️⃣'];
  for (const kind of ['ascii', 'hanzi', 'emoji']) {
    let text = '';
    while (text.length < (1 << 19)) {
      if (kind === 'emoji' && next() % 4 === 0) text += emoji[next() % emoji.length];
      else text += String.fromCharCode(kind === 'ascii' ? 0x20 + next() % 0x5F : 0x4E00 + next() % 0x51A6);
    }
    kinds[kind] = Uint16Array.from(text, (c) => c.charCodeAt(0));
  }
  const timesOf = (units) => {
    const input = tavro._tavro_allocate(units.length);
    new Uint16Array(tavro.HEAPU16.buffer, input, units.length).set(units);
    const separator = tavro._tavro_allocate(1);
    new Uint16Array(tavro.HEAPU16.buffer, separator, 1)[0] = 0x1A;
    const times = {};
    const commands = { AddCharacters: 'add-characters', ReverseText: 'reverse-text',
                       VerticalLayout: 'vertical-layout', Martian: 'martian',
                       SimplifiedToTraditional: 'to-traditional',
                       TraditionalToSimplified: 'to-simplified' };
    for (const [name, command] of Object.entries(commands)) {
      const commandName = tavro._tavro_allocate(command.length);
      new Uint16Array(tavro.HEAPU16.buffer, commandName, command.length)
          .set([...command].map((letter) => letter.charCodeAt(0)));
      const runs = [];
      for (let i = 0; i < 3; ++i) {
        const start = performance.now();
        if (!tavro._tavro_run(commandName, command.length, input, units.length, separator, 1)) {
          throw new Error(name);
        }
        runs.push(performance.now() - start);
        tavro._tavro_release_result();
      }
      times[name] = runs.sort((a, b) => a - b)[1];
      tavro._tavro_free(commandName);
    }
    tavro._tavro_free(input);
    tavro._tavro_free(separator);
    return times;
  };
  return Object.fromEntries(Object.entries(kinds).map(([kind, units]) => [kind, timesOf(units)]));
});
console.log('conversion on 16 MiB      native ms   browser ms   browser/native');
for (const [name, ms] of Object.entries(browserTimes.mixed)) {
  console.log(`${name.padEnd(26)} ${native[name].toFixed(1).padStart(9)} ${ms.toFixed(1).padStart(12)}` +
              `${(ms / native[name]).toFixed(2).padStart(16)}`);
}
console.log('browser ms on 1 MiB        ASCII   hanzi   emoji');
for (const name of Object.keys(browserTimes.ascii)) {
  console.log(`${name.padEnd(24)}` +
              ['ascii', 'hanzi', 'emoji'].map((kind) => browserTimes[kind][name].toFixed(2).padStart(8)).join(''));
}

// 竖排 through the page on the whole text: the longest task that kept the
// page from answering input.
await page.evaluate(async () => {
  const units = new Uint16Array(await (await fetch('bench/text.u16')).arrayBuffer());
  const pieces = [];
  for (let i = 0; i < units.length; i += 8192) pieces.push(String.fromCharCode(...units.subarray(i, i + 8192)));
  document.getElementById('Text1').value = pieces.join('');
  window.longestTask = 0;
  new PerformanceObserver((list) => {
    for (const entry of list.getEntries()) window.longestTask = Math.max(window.longestTask, entry.duration);
  }).observe({ type: 'longtask' });
});
const clicked = Date.now();
await page.getByRole('button', { name: '竖排', exact: true }).click({ noWaitAfter: true, timeout: 600000 });
await page.waitForFunction(() => document.getElementById('Text2').value.length > 1000000,
                           null, { timeout: 600000 });
await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => setTimeout(done, 500))));
const longest = await page.evaluate(() => window.longestTask);
console.log(`竖排 on 16 MiB through the page: ${Date.now() - clicked} ms until the result; ` +
            `longest time not answering input: ${longest.toFixed(0)} ms`);
await browser.close();
server.close();
