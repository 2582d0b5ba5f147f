// Opens each quiz RUNS times in player.html and prints the median and the
// range of the time from choosing the file to the first paint of its page;
// a quiz page (QUIZ.html) is opened itself, timed from the start of its
// navigation to the same moment.
//   node bench/web-player.mjs RUNS QUIZ.exe|QUIZ.html...
import path from 'node:path';
import { chromium } from '../web/node_modules/playwright-core/index.mjs';

const [runs, ...quizzes] = process.argv.slice(2);
const page = path.resolve(new URL('..', import.meta.url).pathname, 'build/wasm/web/player.html');
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu'] });
const tab = await browser.newPage({ viewport: { width: 1100, height: 800 } });
await tab.goto('file://' + page);
await tab.waitForSelector('html[data-ready="true"]');
const painted = (start) => new Promise((done) => requestAnimationFrame(() => setTimeout(() => done(performance.now() - start))));
const ms = (t) => `${t.toFixed(0)} ms`;
const report = (name, what, times) => {
  times.sort((a, b) => a - b);
  console.log(`${name}: ${what} ${ms(times[times.length >> 1])} (median of ${runs}; ${ms(times[0])} to ${ms(times[times.length - 1])})`);
};
// player.html itself, opened as a quiz page is, to the moment a file can be chosen.
const own = [];
for (let i = 0; i < Number(runs); ++i) {
  const fresh = await browser.newPage({ viewport: { width: 1100, height: 800 } });
  await fresh.goto('file://' + page);
  await fresh.waitForSelector('html[data-ready="true"]');
  own.push(await fresh.evaluate(painted, 0));
  await fresh.close();
}
report('player.html', 'page opened to ready', own);
for (const quiz of quizzes) {
  const times = [];
  const isPage = quiz.endsWith('.html');
  for (let i = 0; i < Number(runs); ++i) {
    if (isPage) {
      const opened = await browser.newPage({ viewport: { width: 1100, height: 800 } });
      await opened.goto('file://' + path.resolve(quiz));
      await opened.waitForFunction(() => document.documentElement.dataset.ready === 'true' && document.querySelector('.qp-field'));
      times.push(await opened.evaluate(painted, 0)); // performance.now() counts from the navigation's start
      await opened.evaluate(() => localStorage.clear());
      await opened.close();
      continue;
    }
    await tab.evaluate(() => { localStorage.clear(); window.benchStart = performance.now(); });
    await tab.setInputFiles('#open-quiz', quiz);
    await tab.waitForFunction(() => document.documentElement.dataset.ready === 'true' && document.querySelector('.qp-field'));
    times.push(await tab.evaluate(() => new Promise((done) => requestAnimationFrame(() => setTimeout(() => done(performance.now() - window.benchStart))))));
  }
  report(path.basename(quiz), isPage ? 'page opened to first paint' : 'open to first paint', times);
}
await browser.close();
