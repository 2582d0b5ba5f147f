// The web player against the Windows player under Wine: the same packed
// quizzes (the examples and the end-to-end suite's own), answered with the
// same typed texts (Enter after each, the "texte" box of answer mode 3
// answered; for the quiz judged with the "fair" preset, what a learner
// types that a teacher accepts), give the same verdict labels, boxes, reveal
// labels shown, score, code and answers file bytes, in the WebAssembly module,
// in player.html in Debian's Chromium, headless, typed into as a user types,
// and in the quiz's own page opened from disk with every network request
// refused (a page that carries no program); and the question page's
// controls stand at the same places in both.
//
//   node --test web/tests/player-wine.test.mjs
// Needs build/wasm, build/win32 (quizpack) and the Wine preset's build
// (player.exe, web/studio_check.exe), with scripts/wine-env up.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { execFileSync } from 'node:child_process';
import { launch } from './browser.mjs';
import { paths, quizSources, readFields, cp1252Hex, cp1252Text, holdsProgram, FAIR_TYPED } from './support.mjs';
import { pack, packPage, script, playInModule } from './player-support.mjs';

const wineEnv = { ...process.env, QUIZ_WINE_ARCH: process.env.QUIZ_WINE_ARCH || execFileSync(path.join(paths.root, 'scripts/wine-env'), ['preset']).toString().trim() };
const preset = wineEnv.QUIZ_WINE_ARCH;
const presetPlayer = path.join(paths.root, `build/${preset}/player.exe`);
const studioCheck = path.join(paths.root, `build/${preset}/web/studio_check.exe`);
const wine = (...args) => execFileSync(path.join(paths.root, 'scripts/wine-run'), args, { env: wineEnv, timeout: 120000 }).toString('latin1');
const windowsPath = (file) => 'Z:' + file.replace(/\//g, '\\');

// player.html's play of `exe`: each text typed into its field and Enter
// pressed; every "texte" box read and closed with Enter; the answers file
// as "Exporter les réponses" gives it.
async function playInPage(tab, exe, typed) {
  await tab.setInputFiles('#open-quiz', exe);
  return playOpened(tab, typed);
}

// The same play of a quiz page opened from disk, every request but the
// page's own refused and counted.
async function playQuizPage(browser, page, typed) {
  const tab = await browser.newPage({ viewport: { width: 1100, height: 800 }, acceptDownloads: true });
  const requests = [], problems = [];
  tab.on('pageerror', (error) => problems.push(error.message));
  await tab.route('**/*', (route) => {
    const url = route.request().url();
    if (url === 'file://' + page) return route.continue();
    requests.push(url);
    return route.abort();
  });
  await tab.goto('file://' + page);
  const fields = await playOpened(tab, typed);
  fields.title = await tab.title();
  await tab.close();
  return { fields, requests, problems };
}

async function playOpened(tab, typed) {
  await tab.waitForFunction(() => document.documentElement.dataset.ready === 'true' && document.querySelector('.qp-field'));
  const boxes = [];
  for (const s of typed) {
    const field = `.qp-field[data-field="${s.k}"]`;
    await tab.fill(field, s.text);
    await tab.press(field, 'Enter');
    while (await tab.locator('dialog.qp-dialog[open]').count()) {
      boxes.push(await tab.textContent('.qp-dialog-text'));
      await tab.keyboard.press('Enter');
    }
  }
  const fields = await tab.evaluate(() => {
    const out = {};
    document.querySelectorAll('.qp-verdict').forEach((label, i) => { out[`verdict${i + 1}`] = label.querySelector('.qp-text').textContent; });
    document.querySelectorAll('.qp-reveal').forEach((label) => { out[`reveal${label.dataset.question}`] = label.hidden ? '0' : '1'; });
    out.score = document.querySelector('.qp-score').textContent;
    out.code = document.querySelector('.qp-code').textContent;
    return out;
  });
  fields.boxes = boxes.map((b) => b + '|').join('');
  const [download] = await Promise.all([tab.waitForEvent('download'), tab.click('.qp-export')]);
  fields.answers = cp1252Text(fs.readFileSync(await download.path()).toString('latin1'));
  return fields;
}

test('every packed quiz answers the same in the web player and in the Windows player', async () => {
  const browser = await launch({ args: ['--no-sandbox', '--disable-gpu'] });
  const tab = await browser.newPage({ viewport: { width: 1100, height: 800 }, acceptDownloads: true });
  const problems = [];
  tab.on('pageerror', (error) => problems.push(error.message));
  await tab.goto('file://' + path.join(paths.root, 'build/wasm/web/player.html'));
  await tab.waitForSelector('html[data-ready="true"]');
  let reveals = 0, boxes = 0;
  for (const source of quizSources()) {
    const exe = pack(source, presetPlayer, `-${preset}`);
    const name = path.basename(source, '.toml');
    const typed = (name === 'equitable' ? FAIR_TYPED : script(exe).filter((s) => !s.spread).map((s) => s.text))
      .map((text, i) => ({ k: i + 1, text }));
    const windows = readFields(wine(studioCheck, 'play', windowsPath(exe), name, ...typed.map((s) => cp1252Hex(s.text))));
    const web = playInModule(exe, typed).fields;
    for (const s of typed) assert.equal(web[`verdict${s.k}`], windows[`verdict${s.k}`], `${name}: field ${s.k}`);
    // The reveal labels the Windows page has, shown or hidden alike.
    for (const key of Object.keys(windows).filter((k) => /^reveal\d+$/.test(k))) {
      assert.equal(web[key], windows[key], `${name}: ${key}`);
      reveals += windows[key] === '1';
    }
    assert.equal(web.boxes, windows.boxes, `${name}: the "texte" boxes`);
    boxes += windows.boxes.length > 0;
    assert.equal(web.score, windows.score, name);
    assert.equal(web.code, windows.code, name);
    assert.equal(windows.exit, '0', name);
    assert.equal(web.answers, windows.answers, name);

    const page = await playInPage(tab, exe, typed);
    // The quiz's page: the same play, from disk, asking the network for nothing.
    const quizPage = packPage(source);
    assert.equal(holdsProgram(fs.readFileSync(quizPage)), false, `${name}: the page holds a program`);
    const own = await playQuizPage(browser, quizPage, typed);
    assert.deepEqual(own.requests, [], `${name}: the page asked the network`);
    assert.deepEqual(own.problems, [], name);
    assert.equal(own.fields.title, playInModule(exe, []).title, `${name}: the page's title`);
    for (const [form, fields] of [['player.html', page], ['its page', own.fields]]) {
      for (const s of typed) assert.equal(fields[`verdict${s.k}`], windows[`verdict${s.k}`], `${name} in ${form}: field ${s.k}`);
      for (const key of Object.keys(windows).filter((k) => /^reveal\d+$/.test(k))) {
        assert.equal(fields[key], windows[key], `${name} in ${form}: ${key}`);
      }
      for (const key of ['boxes', 'score', 'code', 'answers']) assert.equal(fields[key], windows[key], `${name} in ${form}: ${key}`);
    }
  }
  // The check finds a program where there is one: the studio carries the player.
  assert.equal(holdsProgram(fs.readFileSync(paths.studio)), true);
  assert.deepEqual(problems, []);
  await browser.close();
  assert.ok(reveals > 0 && boxes > 0, 'some reveal shown and some box told');
});

// Every control of the question page, as "ID X Y WIDTH HEIGHT" in the
// page's own coordinates, sorted (some ids are shared), for a text quiz, a
// picture quiz with two fields and an audio quiz with its buttons and reveal
// labels: under Wine the Windows page's child windows, scrolled to the top
// left; in Chromium the elements player.html places from the same layout,
// against the page's content box, hidden ones (reveal labels) measured shown.
// The Windows page's media host (9900, the clips' player window, no place
// of the layout's) has no element until a clip plays.
// No difference is allowed: the elements are boxes of whole pixels with
// their borders inside (border-box), as the child windows are.
test("the question page's controls stand where the Windows page puts them", async () => {
  const browser = await launch({ args: ['--no-sandbox', '--disable-gpu'] });
  try {
    const tab = await browser.newPage({ viewport: { width: 1100, height: 800 } });
    await tab.goto('file://' + path.join(paths.root, 'build/wasm/web/player.html'));
    await tab.waitForSelector('html[data-ready="true"]');
    for (const name of ['capitales', 'formes', 'voix']) {
      const exe = pack(path.join(paths.root, `examples/${name}.toml`), presetPlayer, `-${preset}`);
      const windows = Object.entries(readFields(wine(studioCheck, 'places', windowsPath(exe))))
        .filter(([key, value]) => /^control\d+$/.test(key) && !value.startsWith('9900 ')).map(([, value]) => value).sort();
      await tab.setInputFiles('#open-quiz', exe);
      await tab.waitForFunction(() => document.documentElement.dataset.ready === 'true' && document.querySelector('.qp-field'));
      const page = await tab.evaluate(() => {
        const content = document.querySelector('.qp-content');
        const origin = content.getBoundingClientRect();
        return [...content.querySelectorAll(':scope > [data-control]')].map((node) => {
          const hidden = node.hidden;
          node.hidden = false;
          const box = node.getBoundingClientRect();
          node.hidden = hidden;
          return [node.dataset.control, box.left - origin.left, box.top - origin.top, box.width, box.height].join(' ');
        }).sort();
      });
      assert.ok(windows.length >= 18, `${name}: the Windows page's controls read`);
      assert.deepEqual(page, windows, name);
    }
  } finally {
    await browser.close();
  }
});
