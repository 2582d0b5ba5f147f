// player.html on phones, a tablet and a laptop, in Debian's Chromium,
// headless, touched or typed into as a user would: every example and the
// hostile quizzes play at each size, the same as in the module; where the
// Windows page does not fit, the quiz is one column that never scrolls
// sideways, with each question's text or picture in view while its field is
// typed in, fields at least 44 pixels high with 16-pixel text; turning the
// device loses nothing typed; a quiz played to the end with the keyboard
// alone; axe-core finds nothing in either layout.
//
//   node --test web/tests/player-screens.test.mjs
// Needs build/wasm (player.html), build/win32 (player.exe, quizpack) and
// build/native/tests/put_resource.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { launch } from './browser.mjs';
import { axeViolations } from './axe.mjs';
import { paths, quizSources } from './support.mjs';
import { quiz, pack, script, playInModule, hostileCases } from './player-support.mjs';

const PAGE = 'file://' + path.join(paths.root, 'build/wasm/web/player.html');
const FLAGS = ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
  '--disable-sync', '--no-first-run', '--disable-extensions'];
const examples = quizSources().map((source) => ({ name: path.basename(source, '.toml'), exe: pack(source) }));
const exeOf = (name) => examples.find((e) => e.name === name).exe;
const hostile = hostileCases();

// A fresh page at `size` ({ width, height, touch }), storage empty.
async function openPage(browser, size) {
  const context = await browser.newContext({
    viewport: { width: size.width, height: size.height }, isMobile: size.touch, hasTouch: size.touch,
    deviceScaleFactor: size.touch ? 2 : 1, acceptDownloads: true,
  });
  const tab = await context.newPage();
  const problems = [];
  tab.on('pageerror', (error) => problems.push(error.message));
  await tab.goto(PAGE);
  await tab.waitForSelector('html[data-ready="true"]');
  return { context, tab, problems };
}

async function openQuiz(tab, file) {
  await tab.setInputFiles('#open-quiz', file);
  await tab.waitForFunction(() => document.documentElement.dataset.ready === 'true');
}

const closeBoxes = async (tab) => {
  while (await tab.locator('dialog.qp-dialog[open]').count()) await tab.keyboard.press('Enter');
};
const field = (k) => `.qp-field[data-field="${k}"]`;

// What the user sees of field k: whether the page is in one column and
// scrolls sideways, the field's height and text size, and whether the
// field, its verdict and its question's text or picture are whole in view
// (below the header kept there).
const seen = (tab, k) => tab.evaluate((k) => {
  const input = document.querySelector(`.qp-field[data-field="${k}"]`);
  const n = input.dataset.question;
  const head = document.querySelector(`.qp-content > [data-question="${n}"]:is(.qp-question, .qp-picture, .qp-play)`);
  const top = document.querySelector('.qp-header').getBoundingClientRect().bottom;
  const whole = (node) => {
    const box = node.getBoundingClientRect();
    return box.top >= Math.max(0, top) - 1 && box.bottom <= innerHeight + 1 && box.left >= -1 && box.right <= innerWidth + 1;
  };
  return {
    narrow: document.querySelector('#player').classList.contains('qp-narrow'),
    sideways: document.scrollingElement.scrollWidth > document.scrollingElement.clientWidth,
    height: input.getBoundingClientRect().height,
    text: getComputedStyle(input).fontSize,
    inView: whole(input) && whole(document.querySelector(`.qp-verdict[data-control="${5000 + k}"]`)) && (!head || whole(head)),
  };
}, k);

const SIZES = [
  { name: 'a phone, 390 × 844', width: 390, height: 844, touch: true, narrow: true },
  { name: 'a phone, 412 × 915', width: 412, height: 915, touch: true, narrow: true },
  { name: 'a tablet, 768 × 1024', width: 768, height: 1024, touch: true, narrow: true },
  { name: 'a laptop, 1366 × 768', width: 1366, height: 768, touch: false, narrow: false },
];

for (const size of SIZES) {
  test(`${size.name}: every example and the hostile quizzes play; axe finds nothing`, async () => {
    const browser = await launch({ args: FLAGS });
    const { tab, problems } = await openPage(browser, size);
    // The Windows page's rectangles stay the Windows player's where they
    // fit: its 20-pixel fields are below the 24-pixel targets asked for,
    // and the column layout ("Disposition en colonne") is there instead.
    const skip = size.narrow ? [] : ['target-size'];
    for (const { name, exe } of examples) {
      await openQuiz(tab, exe);
      await closeBoxes(tab);
      const steps = script(exe);
      for (const s of steps) {
        if (size.touch) await tab.tap(field(s.k));
        else await tab.click(field(s.k));
        const at = await seen(tab, s.k);
        assert.equal(at.narrow, size.narrow, `${name}, field ${s.k}: the layout`);
        if (size.narrow) {
          assert.deepEqual(at, { narrow: true, sideways: false, height: at.height, text: '16px', inView: true }, `${name}, field ${s.k}`);
          assert.ok(at.height >= 44, `${name}, field ${s.k}: ${at.height} pixels high`);
        }
        await tab.fill(field(s.k), s.text);
        await tab.press(field(s.k), s.spread ? 'F1' : 'Enter');
        await closeBoxes(tab);
      }
      // Played as in the module: the same verdicts, score and code.
      const module = playInModule(exe, steps).fields;
      const page = await tab.evaluate(() => ({
        words: [...document.querySelectorAll('.qp-verdict .qp-text')].map((t) => t.textContent),
        score: document.querySelector('.qp-score').textContent,
        code: document.querySelector('.qp-code').textContent,
      }));
      assert.deepEqual(page, {
        words: page.words.map((_, i) => module[`verdict${i + 1}`]), score: module.score, code: module.code,
      }, name);
      assert.deepEqual(await axeViolations(tab, { skip }), [], `${name} on ${size.name}`);
    }
    for (const c of hostile) {
      const name = path.basename(c.file);
      await openQuiz(tab, c.file);
      await closeBoxes(tab);
      if (c.questions) {
        await tab.fill(field(1), 'zzz');
        await tab.press(field(1), 'Enter');
        await closeBoxes(tab);
        assert.equal(await tab.textContent('.qp-verdict .qp-text'), 'FAUX', name);
        const at = await seen(tab, 1);
        assert.equal(at.narrow, size.narrow, name);
        assert.equal(at.sideways, false, `${name}: no sideways scrolling`);
      }
      assert.deepEqual(await axeViolations(tab, { skip }), [], `${name} on ${size.name}`);
    }
    assert.deepEqual(problems, []);
  });
}

// Turning the device, or a phone's keyboard coming up: the layout follows
// the width, and what was typed, judged or not yet, the verdicts and the
// focus stay, the focused field in view with its question.
const TURNS = [
  { name: 'formes on a phone, turned', quiz: 'formes', sizes: [[390, 844, true], [844, 390, true], [390, 844, true]] },
  { name: 'capitales on a tablet, turned', quiz: 'capitales', sizes: [[768, 1024, true], [1024, 768, false], [768, 1024, true]] },
  { name: 'formes on a phone, its keyboard up', quiz: 'formes', sizes: [[390, 844, true], [390, 450, true]] },
];
for (const turn of TURNS) {
  test(`turning the device: ${turn.name}`, async () => {
    const browser = await launch({ args: FLAGS });
    const [width, height] = turn.sizes[0];
    const { tab, problems } = await openPage(browser, { width, height, touch: true });
    const exe = exeOf(turn.quiz);
    await openQuiz(tab, exe);
    const steps = script(exe);
    await tab.fill(field(1), steps[0].text);
    await tab.press(field(1), 'Enter');
    await closeBoxes(tab);
    await tab.tap(field(3));
    await tab.keyboard.type('en cours');
    const state = () => tab.evaluate(() => ({
      values: [...document.querySelectorAll('.qp-field')].slice(0, 3).map((f) => f.value),
      words: [...document.querySelectorAll('.qp-verdict .qp-text')].slice(0, 3).map((t) => t.textContent),
      focused: document.activeElement.dataset.field,
    }));
    const before = await state();
    assert.deepEqual(before.values, [steps[0].text, '', 'en cours']);
    // The field low on the screen, where a keyboard coming up covers it.
    await tab.evaluate(() => scrollBy(0, document.activeElement.getBoundingClientRect().bottom - innerHeight + 20));
    for (const [width, height, narrow] of turn.sizes.slice(1)) {
      await tab.setViewportSize({ width, height });
      await tab.waitForFunction((narrow) => document.querySelector('#player').classList.contains('qp-narrow') === narrow, narrow);
      await tab.waitForTimeout(100); // the visual viewport's own event
      const at = `${turn.name} at ${width} × ${height}`;
      assert.deepEqual(await state(), before, at);
      assert.equal((await seen(tab, 3)).inView, true, `${at}: the focused field in view with its question`);
    }
    await tab.press(field(3), 'Enter');
    assert.notEqual((await state()).words[2], '?', 'what was typed is judged');
    assert.deepEqual(problems, []);
  });
}

// The keyboard alone, as a screen reader's user plays: the quiz opened from
// the page's button, every field reached with Tab and named by its
// question, its focus seen, each verdict announced with it, the "texte"
// boxes closed with Enter, the score and the last code announced at the
// end, the answers saved with "Sauver"; in the Windows layout, the column
// layout chosen and left with the keyboard.
const KEYBOARD = [
  { quiz: 'capitales', width: 1366, height: 768, narrow: false },
  { quiz: 'formes', width: 600, height: 900, narrow: true },
];
for (const play of KEYBOARD) {
  test(`the keyboard alone: ${play.quiz} played to the end at ${play.width} × ${play.height}`, async () => {
    const browser = await launch({ args: FLAGS });
    const { tab, problems } = await openPage(browser, { ...play, touch: false });
    const exe = exeOf(play.quiz);
    const form = quiz.open_quiz(fs.readFileSync(exe), path.basename(exe)).form;
    const focused = () => tab.evaluate(() => {
      const node = document.activeElement;
      const style = getComputedStyle(node.closest('label') || node);
      return { body: node === document.body, field: node.dataset.field, classes: node.className,
        ring: style.outlineStyle !== 'none' && parseFloat(style.outlineWidth) >= 2 };
    });
    const tabTo = async (wanted, what) => {
      for (let i = 0; i < 40; ++i) {
        await tab.keyboard.press('Tab');
        const now = await focused();
        if (now.body) continue; // past the last element, before the first
        assert.ok(now.ring, `${what}: the focus is seen on ${now.classes}`);
        if (wanted(now)) return;
      }
      assert.fail(`${what}: not reached with Tab`);
    };
    // Listened for before the key, so the browser's own box never opens.
    const chooser = new Promise((resolve) => tab.once('filechooser', resolve));
    await tabTo((f) => f.classes.includes('hidden-input'), 'Ouvrir un quiz');
    await tab.keyboard.press('Enter');
    await (await chooser).setFiles(exe);
    await tab.waitForSelector('.qp-field:focus');
    assert.equal(await tab.evaluate(() => document.querySelector('#player').classList.contains('qp-narrow')), play.narrow);
    let k = 0;
    for (const [i, question] of form.questions.entries()) {
      for (let j = 0; j < form.answers; ++j) {
        ++k;
        if (k > 1) await tabTo((f) => f.field === String(k), `field ${k}`);
        const name = form.answers > 1 ? `Question ${i + 1}, ${form.labels[j]}` : `Question ${i + 1}`;
        assert.equal(await tab.getByRole('textbox', { name, exact: true }).evaluate((node) => node === document.activeElement), true, name);
        assert.ok((await focused()).ring, `${name}: the focus is seen`);
        await tab.keyboard.type(question.answer[j]);
        await tab.keyboard.press('Enter');
        if (await tab.locator('dialog.qp-dialog[open]').count()) {
          assert.equal(await tab.evaluate(() => document.activeElement.textContent), 'OK');
          await tab.keyboard.press('Enter');
          assert.equal((await focused()).field, String(k), 'the focus back in its field');
        }
        await tab.waitForFunction((said) => document.querySelector('.qp-announce').textContent.startsWith(said), `${name} : BRAVO.`);
      }
    }
    const count = form.questions.length;
    const code = form.codes[count - 1];
    assert.equal(await tab.textContent('.qp-score'), ` ${count} / ${count}`);
    assert.equal(await tab.textContent('.qp-announce'), `${form.answers > 1 ? `Question ${count}, ${form.labels[1]}` : `Question ${count}`} : BRAVO. Score : ${count} sur ${count}, code : ${code}.`);
    await tabTo((f) => f.classes.includes('qp-save'), 'Sauver');
    await tab.keyboard.press('Enter');
    assert.equal(await tab.textContent('.qp-status'), 'Réponses enregistrées.');
    if (!play.narrow) {
      await tabTo((f) => f.classes.includes('qp-column'), 'Disposition en colonne');
      for (const narrow of [true, false]) {
        await tab.keyboard.press('Space');
        assert.equal(await tab.evaluate(() => document.querySelector('#player').classList.contains('qp-narrow')), narrow);
        assert.equal(await tab.getAttribute('.qp-column', 'aria-pressed'), String(narrow));
        assert.equal(await tab.inputValue(field(1)), form.questions[0].answer[0], 'the answers stay');
      }
    }
    assert.deepEqual(problems, []);
  });
}
