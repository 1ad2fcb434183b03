// SPDX-License-Identifier: MIT
// Serves a built page on 127.0.0.1, for trying it and for its tests. The
// address is the loopback one, where browsers allow service workers without
// HTTPS. Usage: node serve.mjs FOLDER [PORT] [--host]
// PORT 0 takes any free port; a port that is taken gives way to a free one.
// --host serves on every address of this machine, so that a phone on the
// same network can open the page (without HTTPS there, the phone's browser
// keeps the clipboard and offline use to itself: see the README).
import { createReadStream, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { networkInterfaces } from 'node:os';
import { extname, join, normalize, resolve } from 'node:path';

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.woff2': 'font/woff2',
  '.webmanifest': 'application/manifest+json',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.txt': 'text/plain; charset=utf-8',
};

// Starts serving `folder` on `host`; resolves to the server once it listens,
// on `port` or, where that is taken, on a free one.
export function serve(folder, port = 0, host = '127.0.0.1') {
  const root = resolve(folder);
  const server = createServer((request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    let file = normalize(join(root, path));
    if (!file.startsWith(root)) {
      response.writeHead(403).end();
      return;
    }
    try {
      if (statSync(file).isDirectory()) {
        // As static hosts do: a folder's address ends in "/", so that the
        // page's relative addresses resolve inside it (/tool -> /tool/).
        if (!path.endsWith('/')) {
          response.writeHead(301, { Location: `${path}/` }).end();
          return;
        }
        file = join(file, 'index.html');
      }
      statSync(file);
    } catch {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, {
      'Content-Type': kTypes[extname(file)] ?? 'application/octet-stream',
      'Cache-Control': 'no-cache',
    });
    createReadStream(file).pipe(response);
  });
  return new Promise((done, fail) => {
    server.once('error', (error) => {
      if (error.code !== 'EADDRINUSE' || port === 0) return fail(error);
      server.listen(0, host, () => done(server));
    });
    server.listen(port, host, () => done(server));
  });
}

if (process.argv[1] && resolve(process.argv[1]) === resolve(new URL(import.meta.url).pathname)) {
  const args = process.argv.slice(2);
  const everyAddress = args.includes('--host');
  const [folder = '.', port = '8000'] = args.filter((arg) => arg !== '--host');
  try {
    const server = await serve(folder, Number(port), everyAddress ? '0.0.0.0' : '127.0.0.1');
    const addresses = everyAddress
      ? Object.values(networkInterfaces()).flat()
        .filter((address) => address.family === 'IPv4' && !address.internal)
        .map((address) => address.address)
      : ['127.0.0.1'];
    for (const address of addresses) {
      console.log(`tavro字符工具: http://${address}:${server.address().port}/`);
    }
  } catch (error) {
    console.error(`serve.mjs: cannot serve on port ${port}: ${error.message}`);
    process.exit(1);
  }
}
