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
for (const quiz of quizzes) {
  const times = [];
  const page = quiz.endsWith('.html');
  for (let i = 0; i < Number(runs); ++i) {
    if (page) {
      const own = await browser.newPage({ viewport: { width: 1100, height: 800 } });
      await own.goto('file://' + path.resolve(quiz));
      await own.waitForFunction(() => document.documentElement.dataset.ready === 'true' && document.querySelector('.qp-field'));
      times.push(await own.evaluate(painted, 0)); // performance.now() counts from the navigation's start
      await own.evaluate(() => localStorage.clear());
      await own.close();
      continue;
    }
    await tab.evaluate(() => { localStorage.clear(); window.benchStart = performance.now(); });
    await tab.setInputFiles('#open-quiz', quiz);
    await tab.waitForFunction(() => document.documentElement.dataset.ready === 'true' && document.querySelector('.qp-field'));
    times.push(await tab.evaluate(() => new Promise((done) => requestAnimationFrame(() => setTimeout(() => done(performance.now() - window.benchStart))))));
  }
  times.sort((a, b) => a - b);
  const ms = (t) => `${t.toFixed(0)} ms`;
  console.log(`${path.basename(quiz)}: ${page ? 'page opened' : 'open'} to first paint ${ms(times[times.length >> 1])} (median of ${runs}; ${ms(times[0])} to ${ms(times[times.length - 1])})`);
}
await browser.close();
