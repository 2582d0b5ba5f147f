#!/usr/bin/env node
// A picture of the web player for the README, at a fixed size in Debian's
// Chromium, headless: player.html of build/wasm opens QUIZ.exe (a quiz page,
// QUIZ.html, is opened itself, from disk), the first field takes ANSWER and
// Enter when one is given (a "texte" box it opens is closed). With --phone
// the page is seen as a phone shows it (touch, a phone's browser, two device
// pixels to the pixel).
//
//   node web/tools/screenshot.mjs [--phone] QUIZ.exe|QUIZ.html OUT.png [WIDTHxHEIGHT] [ANSWER]
import path from 'node:path';
import { chromium } from 'playwright-core';

const args = process.argv.slice(2);
const phone = args.includes('--phone');
const [quiz, out, size = '1008x779', answer] = args.filter((a) => a !== '--phone');
if (!quiz || !out) {
  console.error('usage: screenshot.mjs [--phone] QUIZ.exe|QUIZ.html OUT.png [WIDTHxHEIGHT] [ANSWER]');
  process.exit(2);
}
const [width, height] = size.split('x').map(Number);
const page = path.resolve(new URL('../..', import.meta.url).pathname, 'build/wasm/web/player.html');
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu'] });
try {
  const tab = await browser.newPage({
    viewport: { width, height }, ...(phone ? { isMobile: true, hasTouch: true, deviceScaleFactor: 2 } : {}),
  });
  const quizPage = /\.html?$/i.test(quiz);
  await tab.goto('file://' + (quizPage ? path.resolve(quiz) : page));
  await tab.waitForSelector('html[data-ready="true"]');
  if (!quizPage) {
    await tab.setInputFiles('#open-quiz', path.resolve(quiz));
    await tab.waitForFunction(() => document.documentElement.dataset.ready === 'true');
  }
  if (answer) {
    await tab.fill('.qp-field[data-field="1"]', answer);
    await tab.press('.qp-field[data-field="1"]', 'Enter');
    while (await tab.locator('dialog.qp-dialog[open]').count()) await tab.keyboard.press('Enter');
    await tab.evaluate(() => { document.activeElement.blur(); scrollTo(0, 0); });
  }
  await tab.screenshot({ path: out });
} finally {
  await browser.close();
}
