// SPDX-License-Identifier: MIT
// Screenshots of the built page after 竖排, to look at: phone and desktop
// size, light and dark, at scale 1 and 2. Usage: node screenshots.mjs FOLDER
import { mkdirSync } from 'node:fs';
import { chromium } from 'playwright-core';

import { serve } from './serve.mjs';

const folder = process.argv[2] ?? 'screenshots';
mkdirSync(folder, { recursive: true });
const server = await serve(new URL('../build/web/', import.meta.url).pathname);
const address = `http://127.0.0.1:${server.address().port}/`;
const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
         '--disable-component-update', '--disable-sync', '--no-first-run'],
});
const sizes = {
  phone: { viewport: { width: 360, height: 640 }, isMobile: true, hasTouch: true },
  desktop: { viewport: { width: 1024, height: 560 } },
};
for (const [size, options] of Object.entries(sizes)) {
  for (const colorScheme of ['light', 'dark']) {
    for (const deviceScaleFactor of [1, 2]) {
      const context = await browser.newContext({ ...options, colorScheme, deviceScaleFactor });
      await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: address });
      const page = await context.newPage();
      await page.goto(address);
      await page.waitForSelector('html[data-ready]');
      await page.fill('#Text1', '一-二=-三=一二=一-=一-三东风夜放花千树，更吹落，星如雨。');
      await page.getByRole('button', { name: '竖排', exact: true }).click();
      await page.keyboard.press('Control+Home');  // the grid without the selection
      const file = `${folder}/page-${size}-${colorScheme}-${deviceScaleFactor}x.png`;
      await page.screenshot({ path: file });
      console.log(file);
      await context.close();
    }
  }
}
await browser.close();
server.close();
