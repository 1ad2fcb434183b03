// SPDX-License-Identifier: MIT
// The built page (build/web) in Debian's Chromium, driven as a person drives
// it: typing and pasting, clicking and tapping, the real clipboard read back.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { describe, test } from 'node:test';

import { button, clipboardText, inputField, openPage, outputState, paste, useBrowser }
  from './browser.mjs';

useBrowser();

describe('on a desktop browser', () => {
  test('the prompt is selected at load; each command publishes the desktop\'s result', async () => {
    const { page } = await openPage();
    assert.deepEqual(await page.evaluate(() => {
      const input = document.activeElement;
      return [input.id, input.value.slice(input.selectionStart, input.selectionEnd),
              document.getElementById('Text3').value];
    }), ['Text1', '请将要转换的文字粘贴到此处！', '\x1A']);
    // The window's tests run the same cases, in the same order (随机 draws on).
    const cases = JSON.parse(readFileSync(new URL('../../tests/command_cases.json', import.meta.url)));
    for (const { case: name, button: buttonName, input, expected, marks = [], suggestions = [],
                 taken } of cases) {
      await inputField(page).fill(input);
      await button(page, buttonName).click();
      assert.equal(await clipboardText(page), expected, name);
      assert.deepEqual(await outputState(page),
                       { text: expected, focused: true, selected: expected.length }, name);
      // The marked characters, as the layer draws them: each its written
      // form; those flagged once the phrases are in; and every suggestion
      // taken at once.
      if (marks.length) await page.locator('#marks .mark').first().waitFor();
      if (taken) await page.locator('#marks .mark.suggested').nth(suggestions.length - 1).waitFor();
      assert.deepEqual(await page.locator('#marks .mark').allTextContents(),
                       marks.map((mark) => mark.split(':')[1][0]), name);
      assert.equal(await page.locator('#marks .mark.suggested').count(), suggestions.length, name);
      if (!taken) continue;
      await button(page, `全部改写（${suggestions.length}）`).click();
      assert.equal(await clipboardText(page), taken, name);
    }
    // A paste with ctrl+v works as typing; a lone surrogate stays one.
    await paste(page, '第一行\r\n第二行');
    await button(page, '倒序').click();
    assert.equal(await clipboardText(page), '行二第\n行一第');
    // (Checked inside the page: the way to the browser and back carries
    // UTF-8, where a lone surrogate cannot travel.)
    await page.evaluate(() => { document.getElementById('Text1').value = 'a\uD800b'; });
    await button(page, '倒序').click();
    assert.ok(await page.evaluate(() => document.getElementById('Text2').value === 'b\uD800a'));
  });

  test('real text through 简→繁 and 繁→简 comes out as OpenCC writes it, the more once every ' +
       'suggestion is taken', async () => {
    // git's message catalogues and OpenCC's conversion of them (s2tw, t2s).
    const folder = mkdtempSync(join(tmpdir(), 'tavro-real-text-'));
    execFileSync(new URL('../../tests/real_text/prepare.py', import.meta.url).pathname, [folder]);
    const read = (name) => readFileSync(join(folder, `${name}.txt`), 'utf8').split('\n');
    const { page } = await openPage();
    for (const [name, language, openCCName, leastShare, leastTaken] of [
      ['简体转繁体', 'zh_CN', 'zh_CN.s2tw', 0.95, 0.995],
      ['繁体转简体', 'zh_TW', 'zh_TW.t2s', 0.999, 0.999]]) {
      const input = read(language), openCC = read(openCCName);
      await paste(page, input.join('\n'));
      await button(page, name).click();
      const written = (await clipboardText(page)).split('\n');
      await page.getByRole('button', { name: /^全部改写/ }).click();
      const taken = (await clipboardText(page)).split('\n');
      assert.ok(written.length === input.length && taken.length === input.length, name);
      // Of the characters OpenCC changes, the share the page changes alike;
      // a phrase OpenCC writes in another length is not compared.
      const share = (ours) => {
        let changes = 0, alike = 0;
        input.forEach((line, index) => {
          if (openCC[index].length !== line.length) return;
          for (let pos = 0; pos < line.length; ++pos) {
            if (openCC[index][pos] === line[pos]) continue;
            ++changes;
            alike += ours[index][pos] === openCC[index][pos];
          }
        });
        assert.ok(changes > 5000, name);
        return alike / changes;
      };
      const [before, after] = [share(written), share(taken)];
      console.log(`${name}: ${(100 * before).toFixed(2)} % of OpenCC's changes alike, ` +
                  `${(100 * after).toFixed(2)} % once every suggestion is taken`);
      assert.ok(before >= leastShare && after >= before && after >= leastTaken, name);
    }
    rmSync(folder, { recursive: true });
  });

  test('1 MB: every command publishes its whole result, saying it is working; past the bound ' +
       'nothing changes', async () => {
    const { page } = await openPage();
    await paste(page, '爱中a\n'.repeat(1 << 17));  // 1 MiB
    await page.evaluate(() => {
      window.sawWorking = false;
      new MutationObserver(() => {
        window.sawWorking ||= document.getElementById('notice-text').textContent.startsWith('正在转换');
      }).observe(document.getElementById('notice'), { subtree: true, childList: true, attributes: true });
    });
    for (const [name, length] of [['倒序', 1 << 19], ['简体转繁体', 1 << 19], ['竖排', 0]]) {
      await button(page, name).click();
      const { text, selected } = await outputState(page);
      assert.ok(await clipboardText(page) === text && selected === text.length, name);
      if (length) assert.equal(text.length, length, name);
    }
    assert.ok(await page.evaluate(() => window.sawWorking));
    assert.equal(await page.getByRole('status').isVisible(), false);
    // 7,000 characters with a separator of 10,000: 70 million code units.
    const { text } = await outputState(page);
    await page.locator('#Text3').fill('*'.repeat(10000));
    await inputField(page).fill('字'.repeat(7000));
    await button(page, '加字符').click();
    await page.getByRole('status').getByText('结果太长（超过 6710 万字），未转换。').waitFor();
    assert.ok(await clipboardText(page) === text && (await outputState(page)).text === text);
  });

  test('a refused clipboard: the older copy, else a notice that hides no line, never "copied"',
       async () => {
    const { page } = await openPage();
    await page.evaluate(() => navigator.clipboard.writeText('clipboard before'));
    // The asynchronous clipboard refuses; the copy command on the selected
    // field still copies.
    await page.evaluate(() => {
      navigator.clipboard.writeText = () => Promise.reject(new DOMException('denied', 'NotAllowedError'));
    });
    await inputField(page).fill('中文');
    await button(page, '倒序').click();
    assert.equal(await clipboardText(page), '文中');
    assert.equal(await page.getByRole('status').isVisible(), false);
    // Neither copies: the notice says how to copy, and the clipboard keeps
    // what it held.
    await page.evaluate(() => { document.execCommand = () => false; });
    await inputField(page).fill('字'.repeat(400));
    await button(page, '竖排').click();
    const notice = page.getByRole('status');
    await notice.getByText('结果未能复制到剪贴板。').waitFor();
    assert.equal(await clipboardText(page), '文中');
    const { text, focused, selected } = await outputState(page);
    assert.ok(text.startsWith('字|字|') && focused && selected === text.length);
    // Scrolled to its end, the field shows its last line above the notice.
    const covered = await page.evaluate(() => {
      const output = document.getElementById('Text2');
      output.scrollTop = output.scrollHeight;
      const lastLineBottom = output.getBoundingClientRect().top + output.clientHeight -
        parseFloat(getComputedStyle(output).paddingBottom);
      return { noticeTop: document.getElementById('notice').getBoundingClientRect().top,
               lastLineBottom };
    });
    assert.ok(covered.lastLineBottom <= covered.noticeTop + 1, JSON.stringify(covered));
    // It stays through key presses, until the user closes it.
    await page.keyboard.press('End');
    assert.equal(await notice.isVisible(), true);
    await page.getByRole('button', { name: '关闭提示' }).click();
    assert.equal(await notice.isVisible(), false);
  });

  test('竖排 reads as a grid in the output field, Hangul included', async () => {
    const { page } = await openPage();
    await inputField(page).fill('一-二=-三=으二=一-=一-三');
    await button(page, '竖排').click();
    // Where each "|" stands, in the field's own font, line by line.
    const strokes = await page.evaluate(async () => {
      const output = document.getElementById('Text2');
      const style = getComputedStyle(output);
      await document.fonts.load(`${style.fontSize} "tavro grid"`, 'a|');
      const context = document.createElement('canvas').getContext('2d');
      context.font = `${style.fontSize} ${style.fontFamily}`;
      return output.value.split('\n').filter(Boolean).map((line) => [...line.matchAll(/\|/g)]
        .map((match) => context.measureText(line.slice(0, match.index)).width));
    });
    assert.equal(strokes.length, 4);
    // Within a hundredth of a pixel: glyphs of two fonts add up in floats.
    const rounded = strokes.map((line) => line.map((x) => Math.round(x * 100) / 100));
    for (const line of rounded) assert.deepEqual(line, rounded[0]);
  });

  test('a click on the bare panel opens the forum page, a click on a control does not', async () => {
    const { context, page } = await openPage();
    const opened = [];
    context.on('page', (popup) => opened.push(popup));
    await context.route('http://bbs.tavro.net/**', (route) => route.fulfill({ body: 'forum' }));
    await button(page, '倒序').click();
    await inputField(page).click();
    assert.equal(opened.length, 0);
    const box = await page.locator('#Form1').boundingBox();
    await page.mouse.click(box.x + 3, box.y + 3);
    await page.waitForEvent('popup');
    assert.equal(opened.length, 1);
    assert.equal(await opened[0].evaluate(() => window.opener), null);  // noopener
  });

});

test('under a dark theme every text keeps a contrast of at least 4.5:1', async () => {
  const { page } = await openPage({ colorScheme: 'dark' });
  await page.evaluate(() => { document.getElementById('notice').hidden = false; });
  const ratios = await page.evaluate(() => {
    // WCAG's relative luminance of a computed rgb() colour.
    const luminance = (colour) => {
      const [r, g, b] = colour.match(/[\d.]+/g).slice(0, 3).map((v) => {
        const c = v / 255;
        return c <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4;
      });
      return 0.2126 * r + 0.7152 * g + 0.0722 * b;
    };
    const background = (element) => {
      for (let e = element; e; e = e.parentElement) {
        const colour = getComputedStyle(e).backgroundColor;
        if (!colour.endsWith(', 0)') && colour !== 'transparent') return colour;
      }
      return getComputedStyle(document.body).backgroundColor;
    };
    return [...document.querySelectorAll('textarea, input, button, .notice-text')].map((e) => {
      const [a, b] = [luminance(getComputedStyle(e).color), luminance(background(e))];
      return { id: e.id || e.className, ratio: (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05) };
    });
  });
  for (const { id, ratio } of ratios) assert.ok(ratio >= 4.5, `${id}: ${ratio.toFixed(2)}`);
});
