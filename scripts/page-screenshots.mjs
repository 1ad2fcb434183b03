// SPDX-License-Identifier: MIT
// Screenshots of the built page after 竖排, to look at: a phone upright and
// sideways, a desktop, light and dark, at scale 1 and 2; and a wide screen
// with a grid of 20 lines. Then, at the same sizes, a 简→繁 result with its
// marked characters, those their word asks to change, and the chooser of
// one. Usage: node
// scripts/page-screenshots.mjs FOLDER (after scripts/web.sh --build-only and
// npm ci in web/)
import { mkdirSync } from 'node:fs';

import { serve } from '../web/serve.mjs';
import { launchBrowser } from '../web/tests/browser.mjs';

const folder = process.argv[2] ?? 'screenshots';
mkdirSync(folder, { recursive: true });
const server = await serve(new URL('../build/web/', import.meta.url).pathname);
const address = `http://127.0.0.1:${server.address().port}/`;
const browser = await launchBrowser();
const phone = { isMobile: true, hasTouch: true };
const sizes = {
  phone: { viewport: { width: 360, height: 640 }, ...phone },
  landscape: { viewport: { width: 640, height: 360 }, ...phone },
  desktop: { viewport: { width: 1024, height: 560 } },
  wide: { viewport: { width: 1280, height: 800 } },
};
// A grid with an emoji and Hangul; on the wide screen, 400 characters.
const text = (size) => size === 'wide' ? '东风夜放花千树，更吹落，星如雨。'.repeat(25)
  : '一-二=-三=으二=一-=一-三东风夜放花千树，更吹落，星如雨😊';
for (const [size, options] of Object.entries(sizes)) {
  for (const colorScheme of ['light', 'dark']) {
    for (const deviceScaleFactor of [1, 2]) {
      const context = await browser.newContext({ ...options, colorScheme, deviceScaleFactor });
      await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: address });
      const page = await context.newPage();
      await page.goto(address);
      await page.waitForSelector('html[data-ready]');
      await page.fill('#Text1', text(size));
      await page.getByRole('button', { name: '竖排', exact: true }).click();
      await page.keyboard.press('Control+Home');  // the grid without the selection
      const file = `${folder}/page-${size}-${colorScheme}-${deviceScaleFactor}x.png`;
      await page.screenshot({ path: file });
      console.log(file);
      await page.fill('#Text1', '头发很干，台风吹过山谷。我们一起干杯！面条里面有点咸。'.repeat(3));
      await page.getByRole('button', { name: '简体转繁体', exact: true }).click();
      await page.locator('#marks .mark.suggested').first().waitFor();
      const mark = await page.locator('#marks .mark').nth(1).boundingBox();
      await page.mouse.click(mark.x + mark.width / 2, mark.y + mark.height / 2);
      const forms = `${folder}/forms-${size}-${colorScheme}-${deviceScaleFactor}x.png`;
      await page.screenshot({ path: forms });
      console.log(forms);
      await context.close();
    }
  }
}
await browser.close();
server.close();
