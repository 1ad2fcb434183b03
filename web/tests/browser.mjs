// SPDX-License-Identifier: MIT
// What the page's tests share: the built page (build/web) served on
// loopback, Debian's Chromium, a fresh page of the tool, and ways to reach
// its fields and buttons as a person does.
import { after, afterEach, before } from 'node:test';
import { chromium } from 'playwright-core';

import { serve } from '../serve.mjs';

export const kPage = new URL('../../build/web/', import.meta.url).pathname;
export const kPhone = { viewport: { width: 360, height: 640 }, deviceScaleFactor: 3,
                        isMobile: true, hasTouch: true };

// The browser, and the page at `address`, for the tests of the file that
// calls this.
export const session = {};
const contexts = new Set();  // those openPage opened, closed after each test
export function useBrowser() {
  let server;
  before(async () => {
    server = await serve(kPage);
    session.address = `http://127.0.0.1:${server.address().port}/`;
    session.browser = await launchBrowser();
  });
  afterEach(async () => {
    await Promise.all([...contexts].map((context) => context.close()));
    contexts.clear();
  });
  after(async () => {
    await session.browser?.close();
    server?.close();
  });
}

export function launchBrowser() {
  return chromium.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    // This machine reaches no other site: Chromium must not try.
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--no-first-run'],
  });
}

// A fresh page of the tool, its commands ready; `options` shape the context,
// which is closed after the test. Console errors are collected in `errors`.
export async function openPage(options = {}, address = session.address) {
  const context = await session.browser.newContext({ viewport: { width: 1024, height: 700 },
                                                     ...options });
  contexts.add(context);
  await context.grantPermissions(['clipboard-read', 'clipboard-write'],
                                 { origin: new URL(address).origin });
  const page = await context.newPage();
  const errors = [];
  page.on('console', (message) => { if (message.type() === 'error') errors.push(message.text()); });
  page.on('pageerror', (error) => errors.push(String(error)));
  await page.goto(address);
  await page.waitForSelector('html[data-ready]');
  return { context, page, errors };
}

export const clipboardText = (page) => page.evaluate(() => navigator.clipboard.readText());
// Replaces the input field's text by `text` through the clipboard and ctrl+v.
export async function paste(page, text) {
  await page.evaluate((pasted) => navigator.clipboard.writeText(pasted), text);
  await inputField(page).focus();
  await page.keyboard.press('Control+A');
  await page.keyboard.press('Control+V');
}
export const button = (page, name) => page.getByRole('button', { name, exact: true });
export const inputField = (page) => page.getByLabel('请将文字粘贴到此处！');
export const separatorField = (page) => page.getByLabel('输入要添加的字符！');

// What the output field holds, whether it has the focus and how much of it
// is selected.
export const outputState = (page) => page.evaluate(() => {
  const output = document.getElementById('Text2');
  return { text: output.value, focused: document.activeElement === output,
           selected: output.selectionEnd - output.selectionStart };
});

// The scope of the page's service worker once it is active. One that fails to
// install is never ready: the test fails instead of hanging.
export const serviceWorkerReady = (page) => page.evaluate(() => Promise.race([
  navigator.serviceWorker.ready.then((registration) => registration.scope),
  new Promise((ready, fail) => setTimeout(() => fail(new Error('no service worker')), 30000)),
]));
