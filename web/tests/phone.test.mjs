// SPDX-License-Identifier: MIT
// The first minute on a phone, and the page at every size: paste over the
// prompt, type a separator, press, and the result is in sight, selected and
// copied, with nothing over it.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';

import { button, clipboardText, inputField, kPhone, openPage, outputState, separatorField,
         serviceWorkerReady, useBrowser } from './browser.mjs';

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
    const { page, errors } = await openPage(kPhone);
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
  });

  test('a result is in sight with the keyboard down; a tap on it edits', async () => {
    // With the keyboard up the page has about 340 px of height left.
    const { page } = await openPage({ ...kPhone, viewport: { width: 360, height: 340 } });
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
  });

  test('a long result wraps, a 竖排 grid does not', async () => {
    const { page } = await openPage(kPhone);
    await inputField(page).fill('一二三四五六七八九十'.repeat(8));
    await button(page, '加字符').tap();
    assert.equal((await outputBox(page)).wraps, true);
    // 400 characters: 20 columns, wider than the field, which scrolls sideways.
    await inputField(page).fill('一二三四五六七八九十'.repeat(40));
    await button(page, '竖排').tap();
    const grid = await outputBox(page);
    assert.equal(grid.wraps, false);
    assert.equal(grid.lines, 21);  // 20 lines, each ended by a line break
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
  });
  test('text shared from another app goes into the input as text and out of the address',
       async () => {
    const { context, page, errors } = await openPage(kPhone);
    await page.evaluate(() => navigator.clipboard.writeText('clipboard before'));
    await serviceWorkerReady(page);
    // The address a share sheet opens, from the manifest's share target.
    const { action, params } = await page.evaluate(async () =>
      (await (await fetch(document.querySelector('link[rel=manifest]').href)).json()).share_target);
    const sharing = (fields) => {
      const address = new URL(action, page.url());
      for (const [field, value] of Object.entries(fields)) address.searchParams.set(params[field], value);
      return address.href;
    };
    const opened = async (fields) => {
      await page.goto(sharing(fields));
      await page.waitForSelector('html[data-ready]');
      return page.evaluate(() => {
        const [shared, output] = [document.getElementById('Text1'), document.getElementById('Text2')];
        return { text: shared.value, query: location.search, focused: document.activeElement.id,
                 selected: shared.selectionEnd - shared.selectionStart, output: output.value,
                 elements: document.querySelectorAll('b').length };
      });
    };
    for (const [fields, text] of [
      [{ text: '分享的文字', title: '标题' }, '分享的文字'], [{ title: '只有标题' }, '只有标题'],
      [{ url: 'https://example.org/a' }, 'https://example.org/a'],
      [{ text: '看这个', url: 'https://example.org/b' }, '看这个\nhttps://example.org/b'],
      [{ text: '第一行\n<b>粗</b>😀' }, '第一行\n<b>粗</b>😀']]) {
      // Neither a keyboard nor a selection comes up, and no command runs.
      assert.deepEqual(await opened(fields), { text, query: '', focused: '', selected: 0,
                                               output: '转换后的文本！已经自动复制。', elements: 0 });
    }
    assert.equal(await clipboardText(page), 'clipboard before');
    await page.reload();
    await page.waitForSelector('html[data-ready]');
    assert.equal(await inputField(page).inputValue(), '请将要转换的文字粘贴到此处！');
    // Offline too; a tap edits the shared text, as any text, then a command.
    await context.setOffline(true);
    assert.equal((await opened({ text: '头发' })).text, '头发');
    await inputField(page).tap();
    assert.equal(await page.evaluate(() => document.getElementById('Text1').selectionStart ===
                                             document.getElementById('Text1').selectionEnd), true);
    await button(page, '简体转繁体').tap();
    assert.equal(await clipboardText(page), '頭發');
    // No error but the phrases', which cannot come offline before they ever came.
    assert.deepEqual(errors.filter((error) => !error.includes('net::ERR_FAILED')), []);
  });
});

test('every size: everything reachable, no sideways scrolling, the output grows', async () => {
  const sizes = [[320, 568, kPhone], [360, 640, kPhone], [640, 360, kPhone], [768, 1024, {}],
                 [1280, 800, {}]];
  for (const [width, height, device] of sizes) {
    const { page } = await openPage({ ...device, viewport: { width, height } });
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
  }
});
