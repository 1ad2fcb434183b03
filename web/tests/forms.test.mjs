// SPDX-License-Identifier: MIT
// After 简→繁 or 繁→简 the characters with other forms are marked, those whose
// word asks for another form flagged, and a tap or a click on one offers its
// forms, the word's first; 全部改写 takes every suggestion. On a phone with
// touch and on a desktop; the phrases come only when needed, and stay for
// use offline.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { button, clipboardText, inputField, kPhone, openPage, outputState, serviceWorkerReady,
         useBrowser } from './browser.mjs';

useBrowser();

const marks = (page) => page.locator('#marks .mark');
const chooser = (page, shown) => page.getByRole('group', { name: `“${shown}”的其他写法` });
const status = (page) => page.locator('#marks-status').textContent();

for (const [device, options] of [['phone', kPhone], ['desktop', {}]]) {
  test(`${device}: a marked character offers its forms, its word's first; choosing publishes`, async () => {
    const { context, page, errors } = await openPage(options);
    const touch = Boolean(options.hasTouch);
    const press = async (locator) => (touch ? locator.tap() : locator.click());
    // The layer under the field lets taps through: tap where the mark is drawn.
    const pressMark = async (index) => {
      const box = await marks(page).nth(index).boundingBox();
      const [x, y] = [box.x + box.width / 2, box.y + box.height / 2];
      await (touch ? page.touchscreen.tap(x, y) : page.mouse.click(x, y));
    };
    // The phrases are not part of the page as it loads.
    const phraseRequests = [];
    page.on('request', (request) => request.url().endsWith('phrases.bin') && phraseRequests.push(request));
    await serviceWorkerReady(page);
    assert.equal(phraseRequests.length, 0);

    // The phrases held back: the marks come with the result, before them.
    let sendPhrases;
    const phrasesHeld = new Promise((send) => { sendPhrases = send; });
    await context.route('**/phrases.bin', async (route) => route.continue(await phrasesHeld));
    await inputField(page).fill('头发很干，头发');
    await press(button(page, '简体转繁体'));
    assert.equal(await clipboardText(page), '頭發很幹，頭發');
    // Drawn after the result's first frame; flagged once the phrases are in.
    await marks(page).nth(2).waitFor();
    assert.equal(await page.locator('#marks .mark.suggested').count(), 0);
    sendPhrases();
    await page.locator('#marks .mark.suggested').nth(2).waitFor();
    assert.equal(await marks(page).count(), 3);
    assert.equal(await status(page), '3 个字有其他写法，3 个字按词语应改写');

    await pressMark(0);
    const forms = chooser(page, '發').getByRole('button');
    assert.deepEqual(await forms.allTextContents(),
                     ['改为 髮（按词语）', '全部改为 髮', ...(touch ? ['编辑'] : [])]);
    for (const box of await Promise.all((await forms.all()).map((form) => form.boundingBox()))) {
      assert.ok(box.height >= 44, `a button ${box.height} px high`);
    }
    await press(forms.first());
    assert.equal(await clipboardText(page), '頭髮很幹，頭發');
    assert.deepEqual(await outputState(page), { text: '頭髮很幹，頭發', focused: true, selected: 7 });
    assert.equal(await marks(page).count(), 3);  // the marks stay, two of them flagged
    assert.equal(await page.locator('#marks .mark.suggested').count(), 2);

    // The user's own choice stands: 全部改写 takes the other suggestions.
    await pressMark(1);
    assert.deepEqual(await chooser(page, '幹').getByRole('button').allTextContents(),
                     ['改为 乾（按词语）', '改为 干', ...(touch ? ['编辑'] : [])]);
    await press(chooser(page, '幹').getByRole('button', { name: '改为 干' }));
    await press(page.getByRole('button', { name: /^全部改写/ }));
    assert.equal(await clipboardText(page), '頭髮很干，頭髮');
    assert.equal(await page.getByRole('button', { name: /^全部改写/ }).isVisible(), false);
    assert.equal(await status(page), '3 个字有其他写法');
    if (touch) {
      // 编辑: the caret after the character, the keyboard allowed.
      await pressMark(1);
      await chooser(page, '干').getByRole('button', { name: '编辑' }).tap();
      assert.deepEqual(await page.evaluate(() => {
        const output = document.getElementById('Text2');
        return [document.activeElement.id, output.inputMode, output.selectionStart];
      }), ['Text2', '', 4]);
    } else {
      await pressMark(1);
      await page.keyboard.press('Escape');
      assert.equal(await chooser(page, '干').count(), 0);
    }
    // The user's own typing ends the marks, and so does the next command.
    await page.keyboard.type('x');
    assert.equal(await marks(page).count(), 0);
    assert.equal(await status(page), '');
    await inputField(page).fill('重疊');
    await press(button(page, '繁体转简体'));
    await marks(page).first().waitFor();
    assert.equal(await status(page), '1 个字有其他写法');
    await press(button(page, '倒序'));
    assert.equal(await marks(page).count(), 0);

    // Once fetched, the phrases stay for use offline.
    assert.equal(phraseRequests.length, 1);
    await context.setOffline(true);
    await page.reload();
    await page.waitForSelector('html[data-ready]');
    await inputField(page).fill('理发');
    await press(button(page, '简体转繁体'));
    await press(page.getByRole('button', { name: '全部改写（1）' }));
    assert.equal(await clipboardText(page), '理髮');
    assert.deepEqual(errors, []);
  });
}
