#!/usr/bin/env node
// Serves a folder's pages on this machine only (127.0.0.1), for authors who
// prefer an address to a file:   node web/tools/serve.mjs FOLDER [PORT]
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';

const [folder, port = '8080'] = process.argv.slice(2);
const root = path.resolve(folder);
const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript' };
http.createServer((request, response) => {
  const name = decodeURIComponent(new URL(request.url, 'http://x').pathname).replace(/^\/+/, '') || 'studio.html';
  const file = path.resolve(root, name);
  if (!file.startsWith(root + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
    response.writeHead(404, { 'content-type': 'text/plain; charset=utf-8' }).end('Introuvable\n');
    return;
  }
  response.writeHead(200, { 'content-type': types[path.extname(file)] || 'application/octet-stream' });
  fs.createReadStream(file).pipe(response);
}).listen(Number(port), '127.0.0.1', () => console.log(`studio: http://127.0.0.1:${port}/studio.html`));
