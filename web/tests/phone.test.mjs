// SPDX-License-Identifier: MIT
// The first minute on a phone, and the page at every size: paste over the
// prompt, type a separator, press, and the result is in sight, selected and
// copied, with nothing over it.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';

import { button, clipboardText, inputField, kPhone, openPage, outputState, separatorField,
         useBrowser } from './browser.mjs';

useBrowser();

// Where the output field is, and whether it takes the keyboard's text.
const outputBox = (page) => page.evaluate(() => {
  const output = document.getElementById('Text2');
  const box = output.getBoundingClientRect();
  return { top: box.top, bottom: box.bottom, height: box.height, inputMode: output.inputMode,
           viewport: innerHeight, lines: output.value.split('\n').length,
           wraps: output.scrollWidth <= output.clientWidth,
           scrolls: output.scrollHeight > output.clientHeight };
});

describe('on a phone', () => {
  test('tap and paste replace the prompt; a tapped separator field takes what is typed', async () => {
    const { context, page, errors } = await openPage(kPhone);
    await page.evaluate(() => navigator.clipboard.writeText('中文'));
    await inputField(page).tap();
    await page.keyboard.press('Control+V');
    assert.equal(await inputField(page).inputValue(), '中文');
    // The separator field shows its U+001A as ␚, and a tap selects it.
    assert.equal(await page.locator('#separator-shown').textContent(), '\u241A');
    await separatorField(page).tap();
    await page.keyboard.type('~');
    assert.equal(await separatorField(page).inputValue(), '~');
    assert.equal(await page.locator('#separator-shown').isVisible(), false);
    await button(page, '加字符').tap();
    assert.equal(await clipboardText(page), '~中~文');
    assert.deepEqual(errors, []);
    await context.close();
  });

  test('a result is in sight with the keyboard down; a tap on it edits', async () => {
    // With the keyboard up the page has about 340 px of height left.
    const { context, page } = await openPage({ ...kPhone, viewport: { width: 360, height: 340 } });
    await inputField(page).tap();
    await inputField(page).fill('手机上的文字'.repeat(10));
    await button(page, '倒序').tap();
    const box = await outputBox(page);
    assert.ok(box.top >= 0 && box.top < box.viewport - 40, `the output at ${box.top} px`);
    assert.equal(box.inputMode, 'none');  // no keyboard over it
    assert.equal((await outputState(page)).selected, 60);
    // The user taps the result: the keyboard may come, the field is editable.
    await page.locator('#Text2').tap();
    assert.equal((await outputBox(page)).inputMode, '');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'Text2');
    await context.close();
  });

  test('a long result wraps, a 竖排 grid does not', async () => {
    const { context, page } = await openPage(kPhone);
    await inputField(page).fill('一二三四五六七八九十'.repeat(8));
    await button(page, '加字符').tap();
    assert.equal((await outputBox(page)).wraps, true);
    // 400 characters: 20 columns, wider than the field, which scrolls sideways.
    await inputField(page).fill('一二三四五六七八九十'.repeat(40));
    await button(page, '竖排').tap();
    const grid = await outputBox(page);
    assert.equal(grid.wraps, false);
    assert.equal(grid.lines, 21);  // 20 lines, each ended by a line break
    await context.close();
  });

  test('the share button hands the result to the share sheet, where there is one', async () => {
    const { context, page } = await openPage(kPhone);
    assert.equal(await button(page, '分享').isVisible(), false);  // no share sheet here
    await context.addInitScript(() => {
      navigator.share = (data) => { window.shared = data; return Promise.resolve(); };
    });
    await page.reload();
    await page.waitForSelector('html[data-ready]');
    await inputField(page).fill('分享的文字');
    await button(page, '倒序').tap();
    await button(page, '分享').tap();
    assert.deepEqual(await page.evaluate(() => window.shared), { text: '字文的享分' });
    await context.close();
  });
});

test('every size: everything reachable, no sideways scrolling, the output grows', async () => {
  const sizes = [[320, 568, kPhone], [360, 640, kPhone], [640, 360, kPhone], [768, 1024, {}],
                 [1280, 800, {}]];
  for (const [width, height, device] of sizes) {
    const { context, page } = await openPage({ ...device, viewport: { width, height } });
    const name = `${width} × ${height}`;
    const layout = await page.evaluate(() => ({
      scrollWidth: document.documentElement.scrollWidth,
      controls: [...document.querySelectorAll('textarea, input, button[data-command]')]
        .map((control) => ({ id: control.id, ...control.getBoundingClientRect().toJSON() })),
    }));
    assert.ok(layout.scrollWidth <= width, `${name}: the page is ${layout.scrollWidth} px wide`);
    for (const control of layout.controls) {
      assert.ok(control.left >= 0 && control.right <= width && control.bottom <= height,
                `${name}: ${control.id} is off the screen`);
      // Fingertip-sized on a phone held upright.
      const least = width === 360 ? 44 : 40;
      if (control.id.startsWith('Command')) assert.ok(control.height >= least, `${name}: ${control.id}`);
    }
    if (width >= 1280) {
      // A grid of 20 lines, the tallest there is, fits without scrolling.
      await inputField(page).fill('字'.repeat(400));
      await button(page, '竖排').click();
      const grid = await outputBox(page);
      assert.equal(grid.scrolls, false, `${name}: a 20-line grid scrolls`);
    }
    await context.close();
  }
});

test('a notice never hides the last line of a result', async () => {
  const { context, page } = await openPage();
  await page.evaluate(() => { document.execCommand = () => false; });
  await page.evaluate(() => {
    navigator.clipboard.writeText = () => Promise.reject(new DOMException('denied', 'NotAllowedError'));
  });
  await inputField(page).fill('字'.repeat(400));
  await button(page, '竖排').click();
  await page.getByRole('status').waitFor();
  // Scrolled to its end, the field shows its last line above the notice.
  const covered = await page.evaluate(() => {
    const output = document.getElementById('Text2');
    output.scrollTop = output.scrollHeight;
    const lineHeight = parseFloat(getComputedStyle(output).lineHeight);
    const lastLineBottom = output.getBoundingClientRect().top + output.clientHeight -
      parseFloat(getComputedStyle(output).paddingBottom);
    return { noticeTop: document.getElementById('notice').getBoundingClientRect().top,
             lastLineBottom, lineHeight };
  });
  assert.ok(covered.lastLineBottom <= covered.noticeTop + 1, JSON.stringify(covered));
  await context.close();
});
