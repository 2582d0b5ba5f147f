// Opens each quiz RUNS times in player.html and prints the median and the
// range of the time from choosing the file to the first paint of its page,
// in a window where the Windows layout fits (1100 × 800) and on a phone
// (390 × 844, touch), where the page lays the quiz out in one column. A quiz
// page (QUIZ.html) is opened itself, timed from the start of its navigation
// to the same moment; player.html's own opening, to the moment a file can
// be chosen, is printed beside them.
//   node bench/web-player.mjs RUNS QUIZ.exe|QUIZ.html...
import path from 'node:path';
import { chromium } from '../web/node_modules/playwright-core/index.mjs';

const [runs, ...quizzes] = process.argv.slice(2);
const page = path.resolve(new URL('..', import.meta.url).pathname, 'build/wasm/web/player.html');
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu'] });
const SCREENS = [
  { name: '1100 × 800', options: { viewport: { width: 1100, height: 800 } } },
  { name: 'a phone, 390 × 844', options: { viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2 } },
];
const painted = (start) => new Promise((done) => requestAnimationFrame(() => setTimeout(() => done(performance.now() - start))));
const ms = (t) => `${t.toFixed(0)} ms`;
const report = (name, what, times) => {
  times.sort((a, b) => a - b);
  console.log(`${name}: ${what} ${ms(times[times.length >> 1])} (median of ${runs}; ${ms(times[0])} to ${ms(times[times.length - 1])})`);
};
// A page opened in a tab of its own, timed from its navigation's start.
async function openPage(options, url, ready) {
  const tab = await browser.newPage(options);
  await tab.goto(url);
  await tab.waitForFunction(ready);
  const time = await tab.evaluate(painted, 0);
  await tab.evaluate(() => localStorage.clear());
  await tab.close();
  return time;
}
for (const screen of SCREENS) {
  const own = [];
  for (let i = 0; i < Number(runs); ++i)
    own.push(await openPage(screen.options, 'file://' + page, () => document.documentElement.dataset.ready === 'true'));
  report(`player.html, ${screen.name}`, 'page opened to ready', own);
  const tab = await browser.newPage(screen.options);
  await tab.goto('file://' + page);
  await tab.waitForSelector('html[data-ready="true"]');
  for (const quiz of quizzes) {
    const times = [];
    const isPage = quiz.endsWith('.html');
    for (let i = 0; i < Number(runs); ++i) {
      if (isPage) {
        times.push(await openPage(screen.options, 'file://' + path.resolve(quiz),
          () => document.documentElement.dataset.ready === 'true' && document.querySelector('.qp-field')));
        continue;
      }
      await tab.evaluate(() => { localStorage.clear(); window.benchStart = performance.now(); });
      await tab.setInputFiles('#open-quiz', quiz);
      await tab.waitForFunction(() => document.documentElement.dataset.ready === 'true' && document.querySelector('.qp-field'));
      times.push(await tab.evaluate(() => new Promise((done) => requestAnimationFrame(() => setTimeout(() => done(performance.now() - window.benchStart))))));
    }
    report(`${path.basename(quiz)}, ${screen.name}`, isPage ? 'page opened to first paint' : 'open to first paint', times);
  }
  await tab.close();
}
await browser.close();
