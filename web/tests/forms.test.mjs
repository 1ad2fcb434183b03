// SPDX-License-Identifier: MIT
// After 简→繁 or 繁→简 the characters with other forms are marked, and a tap
// or a click on one offers them: on a phone with touch and on a desktop.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { button, clipboardText, inputField, kPhone, openPage, outputState,
         useBrowser } from './browser.mjs';

useBrowser();

const marks = (page) => page.locator('#marks .mark');
const chooser = (page, shown) => page.getByRole('group', { name: `“${shown}”的其他写法` });

for (const [device, options] of [['phone', kPhone], ['desktop', {}]]) {
  test(`${device}: a marked character offers its other forms, and choosing one publishes`, async () => {
    const { context, page, errors } = await openPage(options);
    const touch = Boolean(options.hasTouch);
    const press = async (locator) => (touch ? locator.tap() : locator.click());
    // The layer under the field lets taps through: tap where the mark is drawn.
    const pressMark = async (index) => {
      const box = await marks(page).nth(index).boundingBox();
      const [x, y] = [box.x + box.width / 2, box.y + box.height / 2];
      await (touch ? page.touchscreen.tap(x, y) : page.mouse.click(x, y));
    };
    await inputField(page).fill('头发很干，头发');
    await press(button(page, '简体转繁体'));
    assert.equal(await clipboardText(page), '頭發很幹，頭發');
    await marks(page).first().waitFor();  // drawn after the result's first frame
    assert.equal(await marks(page).count(), 3);
    assert.equal(await page.locator('#marks-status').textContent(), '3 个字有其他写法');

    await pressMark(0);
    const forms = chooser(page, '發').getByRole('button');
    assert.deepEqual(await forms.allTextContents(),
                     ['改为 髮', '全部改为 髮', ...(touch ? ['编辑'] : [])]);
    for (const box of await Promise.all((await forms.all()).map((form) => form.boundingBox()))) {
      assert.ok(box.height >= 44, `a button ${box.height} px high`);
    }
    await press(forms.first());
    assert.equal(await clipboardText(page), '頭髮很幹，頭發');
    assert.deepEqual(await outputState(page), { text: '頭髮很幹，頭發', focused: true, selected: 7 });
    assert.equal(await marks(page).count(), 3);  // the marks stay

    await pressMark(1);
    assert.deepEqual(await chooser(page, '幹').getByRole('button').allTextContents(),
                     ['改为 乾', '改为 干', ...(touch ? ['编辑'] : [])]);
    if (touch) {
      // 编辑: the caret after the character, the keyboard allowed.
      await chooser(page, '幹').getByRole('button', { name: '编辑' }).tap();
      assert.deepEqual(await page.evaluate(() => {
        const output = document.getElementById('Text2');
        return [document.activeElement.id, output.inputMode, output.selectionStart];
      }), ['Text2', '', 4]);
    } else {
      await page.keyboard.press('Escape');
      assert.equal(await chooser(page, '幹').count(), 0);
      await pressMark(2);
      await chooser(page, '發').getByRole('button', { name: '全部改为 髮' }).click();
      assert.equal(await clipboardText(page), '頭髮很幹，頭髮');
    }
    // The user's own typing ends the marks, and so does the next command.
    await page.keyboard.type('x');
    assert.equal(await marks(page).count(), 0);
    assert.equal(await page.locator('#marks-status').textContent(), '');
    await inputField(page).fill('重疊');
    await press(button(page, '繁体转简体'));
    await marks(page).first().waitFor();
    assert.equal(await page.locator('#marks-status').textContent(), '1 个字有其他写法');
    await press(button(page, '倒序'));
    assert.equal(await marks(page).count(), 0);
    assert.deepEqual(errors, []);
    await context.close();
  });
}
