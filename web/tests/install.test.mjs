// SPDX-License-Identifier: MIT
// The page as a host serves it and a phone installs it: under a sub-path, a
// new version arrives whatever the host's cache headers say; the
// Content-Security-Policy is in force; the manifest is what an install
// prompt wants.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cpSync, mkdtempSync, readFileSync, rmSync, statSync, utimesSync, writeFileSync }
  from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { extname, join } from 'node:path';
import { test } from 'node:test';

import { button, clipboardText, inputField, kPage, openPage, serviceWorkerReady, session,
         useBrowser } from './browser.mjs';

useBrowser();

const kTypes = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
                 '.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json' };

// A static host as people have them, serving whatever folder `host.folder`
// names at the time: `headers` is 'max-age' (Cache-Control: max-age=600, as
// nginx and many hosts are set up) or 'last-modified' (only Last-Modified,
// the default of nginx and Apache, answering If-Modified-Since with 304).
async function staticHost(headers) {
  const host = { folder: null };
  host.server = createServer((request, response) => {
    const path = new URL(request.url, 'http://h').pathname.replace(/\/$/, '/index.html');
    let modified;
    try {
      modified = new Date(Math.floor(statSync(join(host.folder, path)).mtimeMs / 1000) * 1000);
    } catch {
      return response.writeHead(404).end();
    }
    const since = request.headers['if-modified-since'];
    if (since && new Date(since) >= modified) return response.writeHead(304).end();
    response.writeHead(200, {
      'Content-Type': kTypes[extname(path)] ?? 'application/octet-stream',
      'Last-Modified': modified.toUTCString(),
      ...(headers === 'max-age' ? { 'Cache-Control': 'max-age=600' } : {}),
    }).end(readFileSync(join(host.folder, path)));
  });
  await new Promise((done) => host.server.listen(0, '127.0.0.1', done));
  host.address = `http://127.0.0.1:${host.server.address().port}/tool/`;
  return host;
}

// A copy of the built page under the sub-path tool/, as a host may put it;
// `version` changes its title and its script. With `anHourAgo`, its files
// are dated an hour back, as on a host that has served them a while;
// otherwise they are as new as a deploy makes them.
function deployable(version, { anHourAgo = false } = {}) {
  const root = mkdtempSync(join(tmpdir(), `tavro-page-${version}-`)), folder = join(root, 'tool');
  cpSync(kPage, folder, { recursive: true });
  const edit = (name, change) => writeFileSync(join(folder, name),
                                               change(readFileSync(join(folder, name), 'utf8')));
  edit('index.html', (html) => html.replace('<title>tavro字符工具</title>',
                                            `<title>tavro字符工具 ${version}</title>`));
  edit('main.js', (script) => `${script}\nwindow.pageVersion = '${version}';\n`);
  execFileSync(new URL('../make_service_worker.sh', import.meta.url).pathname, [folder]);
  const date = new Date(Date.now() - (anHourAgo ? 3600 * 1000 : 0));
  for (const name of execFileSync('find', [folder, '-type', 'f']).toString().trim().split('\n'))
    utimesSync(name, date, date);
  return root;
}

for (const headers of ['max-age', 'last-modified']) {
  test(`under a sub-path, a new version arrives within two visits on a host with ${headers} ` +
       'headers', async (t) => {
    const [pageA, pageB] = [deployable('A', { anHourAgo: true }), deployable('B')];
    const host = await staticHost(headers);
    const context = await session.browser.newContext();
    t.after(() => {
      host.server.close();
      for (const folder of [pageA, pageB]) rmSync(folder, { recursive: true });
      return context.close();
    });
    const page = await context.newPage();
    const stores = () => page.evaluate(() => caches.keys());
    const visit = async () => {
      await page.goto(host.address);
      await page.waitForSelector('html[data-ready]');
      return [...await page.evaluate(() => [document.title, window.pageVersion]),
              await serviceWorkerReady(page)];
    };
    host.folder = pageA;
    await visit();
    assert.deepEqual(await visit(), ['tavro字符工具 A', 'A', host.address]);
    const [storeA] = await stores();
    host.folder = pageB;  // the deploy
    await visit();
    // Between two visits the new version's service worker installs and
    // replaces the old store.
    for (let wait = 0; wait < 100; ++wait) {
      const names = await stores();
      if (names.length === 1 && names[0] !== storeA) break;
      await page.waitForTimeout(200);
    }
    assert.deepEqual(await visit(), ['tavro字符工具 B', 'B', host.address]);
    // Every file of B in the store, none of A.
    const stored = await page.evaluate(async () => {
      const store = await caches.open((await caches.keys())[0]);
      const texts = (await store.keys()).filter((request) => /\.(html|js)$|\/$/.test(request.url))
        .map(async (request) => (await store.match(request)).text());
      return (await Promise.all(texts)).join('\n');
    });
    assert.ok(!stored.includes("'A'") && !stored.includes('tavro字符工具 A'));
    assert.ok(stored.includes("'B'") && stored.includes('tavro字符工具 B'));
  });
}

test('the Content-Security-Policy is in force, and the page works under it, offline too', async () => {
  const { context, page, errors } = await openPage();
  const violation = page.evaluate(() => new Promise((resolve) => {
    document.addEventListener('securitypolicyviolation',
                              (event) => resolve(event.violatedDirective), { once: true });
  }));
  await page.evaluate(() => {
    const script = document.createElement('script');
    script.textContent = 'window.injected = true;';
    document.body.append(script);
  });
  assert.match(await violation, /^script-src/);
  assert.equal(await page.evaluate(() => window.injected), undefined);
  await serviceWorkerReady(page);
  await context.setOffline(true);
  await page.reload();
  await page.waitForSelector('html[data-ready]');
  for (const name of ['加字符', '倒序', '竖排', '火星文', '简体转繁体', '繁体转简体']) {
    await inputField(page).fill('离线的文字');
    await button(page, name).click();
  }
  assert.equal(await clipboardText(page), '离线的文字');
  // No error at load or during the commands but the one injected above.
  assert.deepEqual(errors.filter((error) => !error.includes('Content Security Policy')), []);
});

test('the manifest is what an install prompt wants', async () => {
  const { page } = await openPage();
  const manifest = await page.evaluate(async () => {
    const link = document.querySelector('link[rel=manifest]');
    const body = await (await fetch(link.href)).json();
    const icons = await Promise.all(body.icons.map(async (icon) => {
      const response = await fetch(new URL(icon.src, link.href));
      const bitmap = icon.type === 'image/png' ? await createImageBitmap(await response.blob()) : null;
      return { ...icon, ok: response.ok, size: bitmap && `${bitmap.width}x${bitmap.height}` };
    }));
    return { ...body, icons };
  });
  assert.equal(manifest.name, 'tavro字符工具');
  assert.equal(manifest.start_url, './');
  assert.equal(manifest.display, 'standalone');
  for (const icon of manifest.icons) {
    assert.ok(icon.ok, icon.src);
    if (icon.size) assert.equal(icon.size, icon.sizes, icon.src);
  }
  const sizes = manifest.icons.map((icon) => `${icon.sizes} ${icon.purpose ?? 'any'}`);
  for (const wanted of ['192x192 any', '512x512 any', '512x512 maskable'])
    assert.ok(sizes.includes(wanted), wanted);
});
