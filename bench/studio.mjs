// The measuring half of bench/studio: see there.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { execFileSync } from 'node:child_process';
import { chromium } from '../web/node_modules/playwright-core/index.mjs';

const [dir, runsText] = process.argv.slice(2);
const runs = Number(runsText);
const root = path.resolve(new URL('..', import.meta.url).pathname);
const studio = path.join(root, 'build/wasm/web/studio.html');
const player = path.join(root, 'build/win32/player.exe');
const quizpack = path.join(root, 'build/win32/host/quizpack');
const FLAGS = ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
  '--disable-sync', '--no-first-run', '--disable-quic'];
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'bench-studio-'));

async function open(profile) {
  const context = await chromium.launchPersistentContext(profile, { executablePath: '/usr/bin/chromium', args: FLAGS });
  const page = context.pages()[0];
  const started = Date.now();
  await page.goto('file://' + studio);
  await page.waitForSelector('html[data-ready="true"]', { timeout: 60000 });
  const wall = Date.now() - started;
  const fromNavigation = await page.evaluate(() => window.studioReadyAt);
  return { context, page, wall, fromNavigation };
}

// Page load: a new browser profile each time (nothing kept), five loads.
const loads = [];
for (let i = 0; i < 5; ++i) {
  const { context, fromNavigation } = await open(fs.mkdtempSync(path.join(temp, 'load-')));
  loads.push(fromNavigation);
  await context.close();
}

// Native packing.
const source = path.join(dir, 'photos.toml');
const nativeExe = path.join(temp, 'native.exe');
const native = [];
for (let i = 0; i < runs; ++i) {
  const started = process.hrtime.bigint();
  execFileSync(quizpack, ['build', source, '-o', nativeExe, '--player', player]);
  native.push(Number(process.hrtime.bigint() - started) / 1e6);
}

// Packing in the page: the source and its 96 photos opened at once.
const files = [source, ...fs.readdirSync(path.join(dir, 'media')).sort().map((f) => path.join(dir, 'media', f))];
const checking = await open(fs.mkdtempSync(path.join(temp, 'check-')));
const opened = Date.now();
await checking.page.setInputFiles('#open-files', files);
await checking.page.waitForFunction(() => document.querySelector('#download').getAttribute('aria-disabled') === 'false',
  null, { timeout: 600000 });
const checkMs = Date.now() - opened;
await checking.context.close();
// The first packing of each page scales every photo; the same page packing
// again takes what it scaled (by the photos' content).
const browser = [], again = [];
let same = true, reused = 0;
async function packInPage(page, i) {
  const [download] = await Promise.all([page.waitForEvent('download', { timeout: 600000 }), page.click('#download')]);
  const file = path.join(temp, `page-${i}.exe`);
  await download.saveAs(file);
  same = same && fs.readFileSync(file).equals(fs.readFileSync(nativeExe));
  return page.evaluate(() => window.studioLastBuild);
}
let { context, page } = await open(fs.mkdtempSync(path.join(temp, 'pack-')));
for (let i = 0; i < runs; ++i) {
  if (i > 0) {
    await context.close();
    ({ context, page } = await open(fs.mkdtempSync(path.join(temp, 'pack-'))));
  }
  await page.setInputFiles('#open-files', files);
  await page.waitForFunction(() => document.querySelector('#download').getAttribute('aria-disabled') === 'false',
    null, { timeout: 600000 });
  browser.push((await packInPage(page, i)).ms);
  const second = await packInPage(page, `${i}-again`);
  again.push(second.ms);
  reused = second.reused;
}
await context.close();

const page_html = fs.readFileSync(studio, 'utf8');
const part = (id) => {
  const match = new RegExp(`<script[^>]*id="${id}"[^>]*>([\\s\\S]*?)</script>`).exec(page_html);
  return match ? Buffer.byteLength(match[1]) : 0;
};
const kb = (bytes) => `${(bytes / 1024).toFixed(0)} KiB`;
const ms = (value) => `${value.toFixed(0)} ms`;
console.log(`page load to ready (median of 5, from navigation): ${ms(median(loads))}  [${loads.map(ms).join(', ')}]`);
console.log(`checking the 96 photos after opening them (in the worker): ${ms(checkMs)}`);
console.log(`packing the 96-photo quiz, median of ${runs}:`);
console.log(`  native quizpack build: ${ms(median(native))}  [${native.map(ms).join(', ')}]`);
console.log(`  in the page:           ${ms(median(browser))}  [${browser.map(ms).join(', ')}]`);
console.log(`  page / native: ${(median(browser) / median(native)).toFixed(2)} (goal: within 2)`);
console.log(`  in the same page again: ${ms(median(again))}  [${again.map(ms).join(', ')}], ${reused} of 96 pictures taken as scaled before`);
console.log(`  same bytes as quizpack build: ${same ? 'yes' : 'NO'}`);
console.log(`studio.html: ${kb(fs.statSync(studio).size)} (${fs.statSync(studio).size} bytes): the module ${kb(part('quiz-module'))}, ` +
  `its .wasm ${kb(part('quiz-wasm'))} (base64), the player ${kb(part('player-exe'))} (base64), ` +
  `the zip library ${kb(part('fflate-library'))}, the page's own code and style the rest`);
fs.rmSync(temp, { recursive: true, force: true });
