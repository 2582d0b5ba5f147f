#!/usr/bin/env node
// The studio's picture for the README, in Debian's Chromium, headless, at a
// laptop's 1366 x 768: studio.html of build/wasm opens the picture example
// with its media, a try box of question 1 takes "cercel", and the page is
// shot as an author sees it then, scrolled to its questions.
//
//   node web/tools/studio-screenshot.mjs OUT.png
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { chromium } from 'playwright-core';

const [out] = process.argv.slice(2);
if (!out) {
  console.error('usage: studio-screenshot.mjs OUT.png');
  process.exit(2);
}
const root = path.resolve(new URL('../..', import.meta.url).pathname);
const source = path.join(root, 'examples/formes.toml');
const media = [...fs.readFileSync(source, 'utf8').matchAll(/^(?:picture|answer_picture) = "(.*)"$/gm)]
  .map((m) => path.join(root, 'examples', m[1]));
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'studio-shot-'));
const context = await chromium.launchPersistentContext(profile, {
  executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu'], viewport: { width: 1366, height: 768 },
});
try {
  const tab = context.pages()[0] || (await context.newPage());
  await tab.goto('file://' + path.join(root, 'build/wasm/web/studio.html'));
  await tab.waitForSelector('html[data-ready="true"]', { timeout: 30000 });
  await tab.setInputFiles('#open-files', [source, ...media]);
  await tab.waitForFunction(() => document.querySelector('#download').getAttribute('aria-disabled') === 'false', null, { timeout: 30000 });
  await tab.fill('#question-list > li:nth-child(1) .try:nth-child(1) input', 'cercel');
  await tab.evaluate(() => document.activeElement.blur());
  // Its first question in view, under the bar that stays on top.
  await tab.evaluate(() => document.querySelector('#questions-title').scrollIntoView());
  await tab.screenshot({ path: out });
} finally {
  await context.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
