// Opens each quiz RUNS times in player.html and prints the median and the
// range of the time from choosing the file to the first paint of its page,
// in a window where the Windows layout fits (1100 × 800) and on a phone
// (390 × 844, touch), where the page lays the quiz out in one column.
//   node bench/web-player.mjs RUNS QUIZ.exe...
import path from 'node:path';
import { chromium } from '../web/node_modules/playwright-core/index.mjs';

const [runs, ...quizzes] = process.argv.slice(2);
const page = path.resolve(new URL('..', import.meta.url).pathname, 'build/wasm/web/player.html');
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu'] });
const SCREENS = [
  { name: '1100 × 800', options: { viewport: { width: 1100, height: 800 } } },
  { name: 'a phone, 390 × 844', options: { viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2 } },
];
for (const screen of SCREENS) {
  const tab = await browser.newPage(screen.options);
  await tab.goto('file://' + page);
  await tab.waitForSelector('html[data-ready="true"]');
  for (const quiz of quizzes) {
    const times = [];
    for (let i = 0; i < Number(runs); ++i) {
      await tab.evaluate(() => { localStorage.clear(); window.benchStart = performance.now(); });
      await tab.setInputFiles('#open-quiz', quiz);
      await tab.waitForFunction(() => document.documentElement.dataset.ready === 'true' && document.querySelector('.qp-field'));
      times.push(await tab.evaluate(() => new Promise((done) => requestAnimationFrame(() => setTimeout(() => done(performance.now() - window.benchStart))))));
    }
    times.sort((a, b) => a - b);
    const ms = (t) => `${t.toFixed(0)} ms`;
    console.log(`${path.basename(quiz)}, ${screen.name}: open to first paint ${ms(times[times.length >> 1])} (median of ${runs}; ${ms(times[0])} to ${ms(times[times.length - 1])})`);
  }
  await tab.close();
}
await browser.close();
