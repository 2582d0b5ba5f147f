// The studio in Debian's Chromium, headless, driven as an author would:
// a picture quiz made from nothing and checked under Wine with the player's
// own loader and the end-to-end driver; every example opened as a source and
// as a packed quiz and made again byte for byte (two of them as a page and a
// SCORM package too); bad inputs refused; the quiz kept across a closed
// page; a full storage said plainly.
//
//   node --test web/tests/studio.test.mjs
// Needs build/wasm (studio.html), build/win32 (player.exe, quizpack) and the
// Wine preset's build (its player.exe and web/studio_check.exe).
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { execFileSync } from 'node:child_process';
import { unzipSync } from 'fflate';
import { makePage } from '../tools/make-page.mjs';
import { launchPersistentContext } from './browser.mjs';
import { axeViolations } from './axe.mjs';
import { paths, quizSources, cp1252Hex, readFields } from './support.mjs';

const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'quiz-studio-'));
const wineEnv = { ...process.env, QUIZ_WINE_ARCH: process.env.QUIZ_WINE_ARCH || execFileSync(path.join(paths.root, 'scripts/wine-env'), ['preset']).toString().trim() };
const preset = wineEnv.QUIZ_WINE_ARCH;
const presetPlayer = path.join(paths.root, `build/${preset}/player.exe`);
const studioCheck = path.join(paths.root, `build/${preset}/web/studio_check.exe`);
// The page the Wine test downloads from: the studio made by the same code
// with the player that Wine runs here.
const testPage = path.join(paths.root, `build/wasm/web/studio-${preset}.html`);
const FLAGS = ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
  '--disable-sync', '--no-first-run', '--disable-quic', '--disable-extensions'];

before(() => {
  fs.writeFileSync(testPage, makePage(path.join(paths.root, 'web/pages/studio.html'),
    { module: paths.module, player: presetPlayer, page: paths.playerPage }));
});
after(() => fs.rmSync(temp, { recursive: true, force: true }));

const quizpack = (...args) => execFileSync(paths.quizpack, args, { cwd: temp, stdio: ['ignore', 'pipe', 'pipe'] });

// A browser with its own profile: the same folder again is the same browser
// opened again, storage included.
// `quota` (bytes) limits the page's storage, as a full disk would.
async function openStudio(profile, page = paths.studio, quota = 0, viewport = { width: 1200, height: 900 }) {
  const context = await launchPersistentContext(profile, {
    args: FLAGS, acceptDownloads: true, viewport,
  });
  const tab = context.pages()[0] || (await context.newPage());
  // Set before the page first stores anything, or the browser keeps its own.
  if (quota) await (await context.newCDPSession(tab)).send('Storage.overrideQuotaForOrigin', { origin: 'file:///', quotaSize: quota });
  const problems = [];
  tab.on('pageerror', (error) => problems.push(error.message));
  await tab.goto('file://' + page);
  await tab.waitForSelector('html[data-ready="true"]', { timeout: 30000 });
  return { context, page: tab, problems };
}

const profile = (name) => fs.mkdtempSync(path.join(temp, `${name}-`));
const card = (n) => `#question-list > li:nth-child(${n})`;

async function dropFile(page, selector, file, name = path.basename(file)) {
  await page.evaluate(({ selector, name, b64 }) => {
    const transfer = new DataTransfer();
    transfer.items.add(new File([Uint8Array.from(atob(b64), (c) => c.charCodeAt(0))], name));
    const target = document.querySelector(selector);
    for (const type of ['dragenter', 'dragover', 'drop'])
      target.dispatchEvent(new DragEvent(type, { bubbles: true, cancelable: true, dataTransfer: transfer }));
  }, { selector, name, b64: fs.readFileSync(file).toString('base64') });
}

// Waits until nothing blocks the download (checks of media done, no error).
async function downloadReady(page) {
  await page.waitForFunction(() => document.querySelector('#download').getAttribute('aria-disabled') === 'false',
    null, { timeout: 60000 });
}

async function downloaded(page, button) {
  const [download] = await Promise.all([page.waitForEvent('download', { timeout: 120000 }), page.click(button)]);
  const file = path.join(temp, `${Date.now()}-${download.suggestedFilename()}`);
  await download.saveAs(file);
  return { file, name: download.suggestedFilename(), bytes: fs.readFileSync(file) };
}

async function tryAnswer(page, question, field, typed) {
  const box = `${card(question)} .try:nth-child(${field})`;
  await page.fill(`${box} input`, typed);
  return { word: await page.textContent(`${box} .word`), reason: await page.textContent(`${box} .reason`) };
}

function unzipInto(bytes, folder) {
  for (const [name, data] of Object.entries(unzipSync(new Uint8Array(bytes)))) {
    fs.mkdirSync(path.dirname(path.join(folder, name)), { recursive: true });
    fs.writeFileSync(path.join(folder, name), data);
  }
}

const wine = (...args) => execFileSync(path.join(paths.root, 'scripts/wine-run'), args, { env: wineEnv, timeout: 120000 })
  .toString('latin1');
const windowsPath = (file) => 'Z:' + file.replace(/\//g, '\\');

test('an author makes a picture quiz from nothing; the player loads it and plays it under Wine', async () => {
  const { context, page, problems } = await openStudio(profile('new'), testPage);
  await page.check('#f-kind-picture');
  await page.selectOption('#f-answers', '2');
  await page.fill('#f-title', 'Fruits et couleurs');
  await page.fill('#f-author', 'Élise');
  await page.fill('#f-explanation', 'Nommez le fruit et sa couleur.');
  await page.fill('#f-label1', 'Fruit');
  await page.fill('#f-label2', 'Couleur');
  await page.selectOption('#f-answer-mode', 'picture');
  // The preview reads numbers and captions as the player will: white on a
  // dark background, black on a light one; with their contrast in the
  // Windows player, and a word where it reads poorly there (black on a
  // mid-dark blue), where the pages draw them lighter.
  const previewText = () => page.$eval('#background-preview', (e) => getComputedStyle(e).color);
  const contrast = () => page.$eval('#background-contrast', (e) => [e.textContent, e.classList.contains('warning')]);
  await page.fill('#f-background', '#f0f0c0');
  assert.equal(await previewText(), 'rgb(0, 0, 0)');
  assert.deepEqual(await contrast(), ['Contraste dans le lecteur Windows : 17,9 : 1.', false]);
  await page.fill('#f-background', '#5a5f96');
  assert.equal(await previewText(), 'rgb(224, 224, 224)');
  assert.deepEqual(await contrast(), ['Contraste dans le lecteur Windows : 3,5 : 1, difficile à lire (il faut plus de 4,5 : 1) : '
    + 'il écrit les numéros et les libellés en noir sur ce fond. Les pages web les montrent comme ci-dessus ; un fond plus clair ou plus sombre se lira partout.', true]);
  await page.fill('#f-background', '#203040');
  assert.equal(await previewText(), 'rgb(255, 255, 255)');
  await page.fill('#f-codes', 'POMME\nCERISE\nBANANE');
  const media = (name) => path.join(paths.root, 'examples/media', name);
  const fruits = [['pomme', 'rouge', 'formes-1.jpg'], ['banane', 'jaune', 'formes-2.jpg'], ['cerise', 'rouge', 'formes-3.jpg']];
  for (let i = 0; i < fruits.length; ++i) {
    if (i > 0) await page.click('#add-question');
    await page.fill(`${card(i + 1)} [data-key=answer1]`, fruits[i][0]);
    await page.fill(`${card(i + 1)} [data-key=answer2]`, fruits[i][1]);
    await dropFile(page, `${card(i + 1)} .media[data-key=picture] .drop`, media(fruits[i][2]));
  }
  // An answer picture chosen with the file button rather than dropped.
  await page.setInputFiles(`${card(1)} .media[data-key=answer_picture] input`, media('formes-1-reponse.jpg'));
  // The large picture says it will be scaled.
  await page.waitForFunction((s) => /réduite à 260 × 173/.test(document.querySelector(s).textContent),
    `${card(1)} .media[data-key=picture] .media-info`);
  // Cerise goes up, before banane, with its keyboard-reachable button.
  await page.focus(`${card(3)} [data-action=up]`);
  await page.keyboard.press('Enter');
  assert.equal(await page.inputValue(`${card(2)} [data-key=answer1]`), 'cerise');
  assert.equal(await page.evaluate((s) => document.activeElement === document.querySelector(s), `${card(2)} [data-action=up]`), true);
  // A new quiz is judged with the fair preset, offered first: what a teacher
  // accepts is right, and the try box says which of its rules let it pass.
  assert.equal(await page.isChecked('#j-present'), true);
  assert.equal(await page.inputValue('#j-preset'), 'fair');
  assert.equal(await page.$eval('#j-preset', (s) => s.options[0].value), 'fair');
  assert.match(await page.$eval('#j-hyphens', (s) => s.options[s.selectedIndex].textContent), /^comme le préréglage : un blanc/);
  assert.deepEqual(await tryAnswer(page, 1, 1, '« Pomme ! »'),
    { word: 'BRAVO', reason: 'la réponse attendue, à la ponctuation des bouts et aux guillemets près' });
  // The author judges by the plain ladder instead.
  await page.uncheck('#j-present');
  assert.equal(await page.inputValue('#j-preset'), '');
  // The try boxes show the player's verdicts, and why.
  assert.deepEqual(await tryAnswer(page, 1, 1, ' POMME'), { word: 'BRAVO', reason: 'la réponse attendue : les blancs autour et la casse de a à z ne comptent pas' });
  assert.deepEqual(await tryAnswer(page, 1, 1, 'pome'), { word: 'Quasiment', reason: 'une lettre en moins' });
  assert.deepEqual(await tryAnswer(page, 2, 2, 'ROUGR'), { word: 'Quasiment', reason: 'une lettre de différence' });
  assert.deepEqual(await tryAnswer(page, 3, 1, 'nabane'), { word: 'Anagramme', reason: 'les mêmes lettres dans un autre ordre' });
  // Judging options: the quiz's rules, an anticipated wrong answer and another
  // accepted answer, and the try boxes judge with them.
  await page.selectOption('#j-accents', 'hint');
  await page.selectOption('#j-accented-case', 'true');
  assert.equal(await page.isChecked('#j-present'), true);
  await page.click(`${card(2)} .question-judging summary`);
  // A wrong answer listed twice: the first verdict is kept, and the author told.
  await page.fill(`${card(2)} [data-field="q2.wrong1"]`, 'griotte | Non\ngriotte | Pas une griotte');
  await page.press(`${card(2)} [data-field="q2.wrong1"]`, 'Tab');
  await page.waitForFunction(() => /est la même réponse que « griotte » une fois comparée : son verdict ne serait jamais montré/
    .test(document.querySelector('[data-messages="q2.wrong1"]').textContent));
  assert.equal((await tryAnswer(page, 2, 1, 'griotte')).word, 'Non');
  await page.fill(`${card(2)} [data-field="q2.wrong1"]`, 'griotte | Non');
  await page.click(`${card(3)} .question-judging summary`);
  await page.fill(`${card(3)} [data-field="q3.also2"]`, 'or');
  assert.deepEqual(await tryAnswer(page, 2, 1, 'Griotte'), { word: 'Non', reason: 'une réponse fausse prévue : « griotte »' });
  assert.deepEqual(await tryAnswer(page, 3, 2, 'OR'), { word: 'BRAVO', reason: 'une autre réponse acceptée : « or »' });
  assert.deepEqual(await tryAnswer(page, 3, 1, 'BÂNANE'),
    { word: 'Accents', reason: 'la réponse attendue à ses accents près : les accents comptent' });
  const typed = ['POMME', 'rouge', 'griotte', 'Rouge', 'bânane', 'or'];
  const expectedVerdicts = [];
  for (let k = 0; k < typed.length; ++k)
    expectedVerdicts.push((await tryAnswer(page, Math.floor(k / 2) + 1, (k % 2) + 1, typed[k])).word);
  await downloadReady(page);
  const exe = await downloaded(page, '#download');
  assert.equal(exe.name, 'Fruits et couleurs.exe');
  const zip = await downloaded(page, '#save-source');
  assert.equal(zip.name, 'Fruits et couleurs.zip');
  assert.deepEqual(problems, []);
  await context.close();

  // The saved source builds the downloaded quiz with quizpack, byte for byte.
  const folder = path.join(temp, 'fruits');
  unzipInto(zip.bytes, folder);
  const built = path.join(temp, 'fruits-built.exe');
  quizpack('build', path.join(folder, 'quiz.toml'), '-o', built, '--player', presetPlayer, '--fields', built + '.fields');
  assert.ok(fs.readFileSync(built).equals(exe.bytes));

  // The player's own loader reads what quizpack says the source holds.
  const loaded = readFields(wine(studioCheck, 'fields', windowsPath(exe.file)));
  const wanted = readFields(fs.readFileSync(built + '.fields', 'latin1'));
  assert.deepEqual(loaded, wanted);
  assert.equal(loaded.title, 'Fruits et couleurs');
  assert.equal(loaded.author, 'Élise');
  assert.equal(loaded['q2.answer1'], 'cerise');
  assert.equal(Object.keys(loaded).filter((k) => k.startsWith('img')).length, 4);

  // Played with the end-to-end driver: the verdicts the try boxes showed.
  const played = readFields(wine(studioCheck, 'play', windowsPath(exe.file), 'fruits', ...typed.map(cp1252Hex)));
  assert.deepEqual(typed.map((_, k) => played[`verdict${k + 1}`]), expectedVerdicts);
  assert.deepEqual(expectedVerdicts, ['BRAVO', 'BRAVO', 'Non', 'BRAVO', 'Accents', 'BRAVO']);
  assert.equal(played.score, ' 1 / 3');
  assert.equal(played.code, 'POMME');
  assert.equal(played.exit, '0');
  assert.equal(played.answers, typed.join('\r\n') + '\r\n');
});

test('every example opens as a source and as a packed quiz, and comes out byte for byte', async () => {
  const { context, page, problems } = await openStudio(profile('examples'));
  for (const source of quizSources()) {
    const native = path.join(temp, path.basename(source, '.toml') + '.exe');
    quizpack('build', source, '-o', native, '--player', paths.player32);
    const nativeBytes = fs.readFileSync(native);
    // The source with every media file it names, chosen at once.
    const text = fs.readFileSync(source, 'utf8');
    const files = [source, ...[...text.matchAll(/^(?:picture|answer_picture|clip) = "(.*)"$/gm)]
      .map((m) => path.join(path.dirname(source), m[1]))];
    await page.setInputFiles('#open-files', files);
    await page.waitForFunction((name) => document.querySelector('#status').textContent.includes(name), path.basename(source));
    if (await page.isVisible('#confirm')) throw new Error('asked to replace an empty quiz');
    await downloadReady(page);
    const fromSource = await downloaded(page, '#download');
    assert.ok(fromSource.bytes.equals(nativeBytes), `${source} opened as a source`);
    // The other two forms, for a picture quiz and a video quiz.
    if (/\/(formes|films)\.toml$/.test(source)) {
      for (const [form, extension, extra] of [['html', '.html', []], ['scorm', '.zip', ['--scorm']]]) {
        const made = path.join(temp, path.basename(source, '.toml') + extension);
        quizpack('build', source, '-o', made, '--page', paths.playerPage, ...extra);
        await page.selectOption('#download-form', form);
        const download = await downloaded(page, '#download');
        assert.ok(download.bytes.equals(fs.readFileSync(made)), `${source} as ${form}`);
        assert.ok(download.name.endsWith(extension), download.name);
        if (source.endsWith('films.toml')) assert.match(await page.textContent('#status'), /format AVI/);
      }
      await page.selectOption('#download-form', 'exe');
    }
    // The packed quiz, opened in its turn (replacing the quiz, once asked).
    await page.setInputFiles('#open-files', native);
    await page.click('#confirm-ok');
    await page.waitForFunction((name) => document.querySelector('#status').textContent.includes(name), path.basename(native));
    await downloadReady(page);
    const fromExe = await downloaded(page, '#download');
    assert.ok(fromExe.bytes.equals(nativeBytes), `${native} opened as a packed quiz`);
    // Its source, saved, builds the same quiz with quizpack.
    const zip = await downloaded(page, '#save-source');
    const folder = path.join(temp, 'saved-' + path.basename(source, '.toml'));
    unzipInto(zip.bytes, folder);
    const again = path.join(folder, 'again.exe');
    quizpack('build', path.join(folder, 'quiz.toml'), '-o', again, '--player', paths.player32);
    assert.ok(fs.readFileSync(again).equals(nativeBytes), `${source} saved and built again`);
    // A saved zip opens too (the next example replaces it).
    await page.setInputFiles('#open-files', zip.file);
    await page.click('#confirm-ok');
    await page.waitForFunction((name) => document.querySelector('#status').textContent.includes(name), 'quiz.toml');
    await page.click('#new-quiz');
    await page.click('#confirm-ok');
  }
  assert.deepEqual(problems, []);
  await context.close();
});

test('a spreadsheet opens with its pictures as a quiz; its questions export for a platform as quizpack exports them', async () => {
  const { context, page, problems } = await openStudio(profile('sheet'));
  // A sheet naming pictures beside it, as a French spreadsheet program saves it.
  const folder = path.join(temp, 'tableur');
  fs.mkdirSync(folder, { recursive: true });
  const sheet = path.join(folder, 'formes.csv');
  fs.writeFileSync(sheet, Buffer.from('Image;Réponse;Autres réponses\r\nun.jpg;cercle;rond\r\ndeux.jpg;carré;\r\n', 'latin1'));
  for (const [name, source] of [['un.jpg', 'formes-1.jpg'], ['deux.jpg', 'formes-4.jpg']])
    fs.copyFileSync(path.join(paths.root, 'examples/media', source), path.join(folder, name));
  await page.setInputFiles('#open-files', [sheet, path.join(folder, 'un.jpg'), path.join(folder, 'deux.jpg')]);
  await page.waitForFunction(() => document.querySelector('#status').textContent.includes('formes.csv'));
  assert.ok(await page.isChecked('#f-kind-picture'));
  assert.equal(await page.inputValue(`${card(2)} [data-key=answer1]`), 'carré');
  await downloadReady(page);  // both pictures came with it, checked
  const exe = await downloaded(page, '#download');
  const native = path.join(temp, 'formes-tableur.toml');
  quizpack('import', sheet, '-o', path.join(folder, 'quiz.toml'));
  quizpack('build', path.join(folder, 'quiz.toml'), '-o', path.join(temp, 'tableur.exe'), '--player', paths.player32);
  assert.ok(exe.bytes.equals(fs.readFileSync(path.join(temp, 'tableur.exe'))), 'the sheet opened in the studio packs as quizpack packs it');
  // Exported for a platform: the bytes quizpack export writes, in French.
  await page.click('#export summary');
  const xml = await downloaded(page, '#export [data-format=xml]');
  quizpack('--lang', 'fr', 'export', path.join(folder, 'quiz.toml'), '-o', native + '.xml');
  assert.equal(xml.name, 'formes.xml');
  assert.equal(xml.bytes.toString('utf8'), fs.readFileSync(native + '.xml', 'utf8'));
  await page.click('#export summary');
  const gift = await downloaded(page, '#export [data-format=gift]');
  assert.match(gift.bytes.toString("utf8"), /::formes 2:: \{=carré\}/);
  assert.deepEqual(problems, []);
  await context.close();
});

test('bad inputs show their message beside their field and never give a file', async () => {
  const { context, page, problems } = await openStudio(profile('bad'));
  let downloads = 0;
  page.on('download', () => ++downloads);
  const blocked = async (field, pattern) => {
    await page.waitForFunction(({ field, source }) => {
      const box = document.querySelector(`[data-messages="${field}"]`);
      return box && new RegExp(source).test(box.textContent);
    }, { field, source: pattern.source });
    assert.equal(await page.getAttribute('#download', 'aria-disabled'), 'true');
    assert.match(await page.textContent('#problems'), pattern);
    await page.click('#download', { force: true });
  };
  await page.check('#f-kind-picture');
  await page.fill('#f-title', 'Mauvais');
  await page.fill(`${card(1)} [data-key=answer1]`, 'A');
  const heic = path.join(temp, 'photo.heic');
  fs.writeFileSync(heic, Buffer.from('\0\0\0\x18ftypheic\0\0\0\0mif1heic', 'latin1'));
  await dropFile(page, `${card(1)} .media[data-key=picture] .drop`, heic);
  // Named as the author knows the file, not by a folder of the studio's.
  await blocked('q1.picture', /« photo\.heic » est une photo HEIC, un format que le quiz ne prend pas : sur un iPhone/);
  await page.click(`${card(1)} .media[data-key=picture] [data-action=remove]`);
  // The thumbnail is the picture the quiz will carry, as the core decodes
  // it: a phone's photo stored on its side, upright at its fitted size.
  await dropFile(page, `${card(1)} .media[data-key=picture] .drop`, path.join(paths.root, 'tests/data/forms/phone-sideways.jpg'));
  const thumb = await page.waitForSelector(`${card(1)} .thumb:not([hidden])`);
  assert.deepEqual(await thumb.evaluate(async (img) => { await img.decode(); return [img.naturalWidth, img.naturalHeight]; }), [195, 260]);
  await page.click(`${card(1)} .media[data-key=picture] [data-action=remove]`);
  await page.fill('#f-title', 'Un | deux');
  await blocked('title', /contient « \| », un signe que le lecteur se réserve/);
  await page.fill('#f-title', 'Flèche → ici');
  await blocked('title', /« → » \(U\+2192\) n'existe pas dans l'alphabet du lecteur/);
  await page.fill('#f-title', 'Bien');
  await page.fill(`${card(1)} [data-key=answer1]`, 'A ');
  await blocked('q1.answer1', /commence ou finit par un blanc/);
  await page.fill(`${card(1)} [data-key=answer1]`, 'A');
  for (let n = 2; n <= 97; ++n) await page.click(`${card(1)} [data-action=duplicate]`);
  await blocked('questions', /le quiz a 97 questions ; le lecteur en tient 96 au plus/);
  await page.click(`${card(97)} [data-action=delete]`);
  assert.match(await page.textContent('#confirm-text'), /Supprimer la question 97/);
  await page.click('#confirm-ok');
  // Packed quizzes that are not quizzes leave the quiz being edited as it is.
  const exe = path.join(temp, 'formes.exe');
  quizpack('build', path.join(paths.root, 'examples/formes.toml'), '-o', exe, '--player', paths.player32);
  const truncated = path.join(temp, 'coupé.exe');
  fs.writeFileSync(truncated, fs.readFileSync(exe).subarray(0, 3000));
  for (const [file, pattern] of [[paths.player32, /ne contient aucun quiz/], [truncated, /n’est pas un quiz|n'est pas un quiz/]]) {
    await page.setInputFiles('#open-files', file);
    await page.waitForFunction((s) => new RegExp(s).test(document.querySelector('#notices').textContent), pattern.source);
    assert.match(await page.textContent('#notices'), new RegExp(`« ${path.basename(file)} » ne s’ouvre pas`));
    assert.equal(await page.inputValue('#f-title'), 'Bien');
  }
  assert.equal(await page.$$eval('#question-list > li', (items) => items.length), 96);
  await downloadReady(page);
  assert.equal(downloads, 0);
  assert.deepEqual(problems, []);
  await context.close();
});

// Waits until the browser's storage holds the quiz the page shows (its title
// and how many media it keeps): the form is saved a moment after typing
// stops, and a page closed before that would lose it on any machine.
async function stored(page, title, media) {
  let saved = null;
  for (let tries = 0; tries < 200; ++tries) {
    saved = await page.evaluate(async () => {
      const { form, media } = await StudioStore.load();
      return form && [form.title, media.length];
    });
    if (saved && saved[0] === title && saved[1] === media) return;
    await page.waitForTimeout(50);
  }
  assert.fail(`the storage holds ${JSON.stringify(saved)}, not the quiz the page shows`);
}

test('the quiz comes back when the page is opened again; a new quiz asks first', async () => {
  const folder = profile('again');
  let { context, page } = await openStudio(folder);
  await page.check('#f-kind-picture');
  await page.fill('#f-title', 'Gardé');
  await page.fill(`${card(1)} [data-key=answer1]`, 'soleil');
  await dropFile(page, `${card(1)} .media[data-key=picture] .drop`, path.join(paths.root, 'examples/media/formes-4.jpg'), 'soleil.jpg');
  await page.waitForFunction(() => document.querySelector('.thumb:not([hidden])'));
  await stored(page, 'Gardé', 1);
  await context.close();
  ({ context, page } = await openStudio(folder));
  assert.equal(await page.inputValue('#f-title'), 'Gardé');
  assert.equal(await page.isChecked('#f-kind-picture'), true);
  assert.equal(await page.inputValue(`${card(1)} [data-key=answer1]`), 'soleil');
  assert.equal(await page.textContent(`${card(1)} .media[data-key=picture] .media-name`), 'soleil.jpg');
  await downloadReady(page);
  // "Nouveau quiz" asks; cancelling keeps everything.
  await page.click('#new-quiz');
  assert.match(await page.textContent('#confirm-text'), /Commencer un nouveau quiz/);
  await page.keyboard.press('Escape');
  assert.equal(await page.inputValue('#f-title'), 'Gardé');
  await page.click('#new-quiz');
  await page.click('#confirm-ok');
  assert.equal(await page.inputValue('#f-title'), '');
  await stored(page, '', 0);
  await context.close();
  ({ context, page } = await openStudio(folder));
  assert.equal(await page.inputValue('#f-title'), '');
  assert.equal(await page.$$eval('.media-name', (names) => names.length), 0);
  await context.close();
});

test('a full storage is said plainly, and what is on the page stays usable', async () => {
  const { context, page } = await openStudio(profile('quota'), paths.studio, 20000);
  await page.check('#f-kind-picture');
  await page.fill('#f-title', 'Trop grand');
  await page.fill(`${card(1)} [data-key=answer1]`, 'A');
  const photo = path.join(temp, 'grande.jpg');
  execFileSync('convert', ['-size', '1200x900', 'plasma:fractal', '-quality', '95', photo]);
  await dropFile(page, `${card(1)} .media[data-key=picture] .drop`, photo);
  await page.waitForFunction(() => /plus de place/.test(document.querySelector('#notices').textContent));
  assert.match(await page.textContent('#notices'), /« grande\.jpg » : son espace de stockage est plein.*enregistrez le quiz \(\.zip\)/);
  await downloadReady(page);
  const exe = await downloaded(page, '#download');
  assert.ok(exe.bytes.length > 50000);
  await context.close();
});

test('every input is labelled, and packing shows its progress without freezing the page', async () => {
  const { context, page } = await openStudio(profile('labels'));
  await page.check('#f-kind-picture');
  await page.selectOption('#f-answers', '2');
  await page.fill('#f-title', 'Vingt photos');
  const photo = path.join(temp, 'photo.jpg');
  execFileSync('convert', ['-size', '1600x1200', 'plasma:fractal', '-seed', '7', '-quality', '90', photo]);
  for (let n = 1; n <= 20; ++n) {
    if (n > 1) await page.click('#add-question');
    await page.fill(`${card(n)} [data-key=answer1]`, `photo ${n}`);
    await page.fill(`${card(n)} [data-key=answer2]`, 'oui');
    // The same picture, each file's bytes its own (a JPEG comment holds n).
    const own = path.join(temp, `photo-${n}.jpg`);
    const bytes = fs.readFileSync(photo);
    fs.writeFileSync(own, Buffer.concat([bytes.subarray(0, 2), Buffer.from([0xff, 0xfe, 0, 3, n]), bytes.subarray(2)]));
    await dropFile(page, `${card(n)} .media[data-key=picture] .drop`, own);
  }
  const unlabelled = await page.$$eval('input, select, textarea', (all) => all
    .filter((e) => !(e.labels && e.labels.length) && !e.getAttribute('aria-label'))
    .map((e) => e.id || e.outerHTML.slice(0, 60)));
  assert.deepEqual(unlabelled, []);
  await downloadReady(page);
  // Frames keep coming while the worker packs, and the progress moves.
  await page.evaluate(() => {
    window.seen = { frames: 0, values: new Set() };
    const tick = () => {
      window.seen.frames += 1;
      const bar = document.querySelector('#progress');
      if (!bar.hidden) window.seen.values.add(bar.value);
      if (!window.seen.stop) requestAnimationFrame(tick);
    };
    requestAnimationFrame(tick);
  });
  const first = await downloaded(page, '#download');
  const seen = await page.evaluate(() => ({ frames: window.seen.frames, values: window.seen.values.size, ms: window.studioLastBuild.ms }));
  assert.ok(seen.values >= 3, JSON.stringify(seen));
  assert.ok(seen.frames > seen.ms / 100, JSON.stringify(seen));
  assert.match(await page.textContent('#status'), /^« Vingt photos\.exe » est prêt \(\d+ Ko\) : 20 questions, 20 images dont 20 réduites\.$/);
  // Downloaded again, the quiz takes every picture as it was scaled (known
  // by its content) and comes out the same; bench/studio times it.
  assert.equal(await page.evaluate(() => window.studioLastBuild.reused), 0);
  const again = await downloaded(page, '#download');
  assert.equal(await page.evaluate(() => window.studioLastBuild.reused), 20);
  assert.ok(again.bytes.equals(first.bytes));
  await context.close();
});

// What the author sees of the problems: beside each field, and in the bar.
const shownProblems = (page) => page.evaluate(() => ({
  beside: [...document.querySelectorAll('main .problems span')].map((line) => line.textContent),
  invalid: [...document.querySelectorAll('[aria-invalid="true"]')].map((e) => e.id || e.dataset.field),
  bar: document.querySelector('#problems').hidden ? '' : document.querySelector('#problems').textContent.replace(/\s+/g, ' ').trim(),
}));
const dump = (file) => quizpack('dump', file).toString();

test('the first hour: no problem before a field is touched, a short list that never hides the form, kinds changed and back', async () => {
  const viewport = { width: 1366, height: 768 };
  const { context, page, problems } = await openStudio(profile('first-hour'), paths.studio, 0, viewport);
  assert.deepEqual(await shownProblems(page), { beside: [], invalid: [], bar: '' }, 'a new quiz is not in the wrong');
  assert.equal(await page.$$eval('.warning:not([hidden])', (all) => all.filter((e) => e.getClientRects().length).length), 0,
    'nor warned about the background it did not choose');
  // A field left empty is a problem once left; a quiz needs a title.
  await page.focus('#f-title');
  await page.keyboard.press('Tab');
  let shown = await shownProblems(page);
  assert.deepEqual(shown.beside, ['le quiz n\'a pas de titre']);
  assert.deepEqual(shown.invalid, ['f-title']);
  // Thirteen more questions, all empty: asking to download shows every problem,
  // in a list of three and a count, under a bar that stays small.
  for (let n = 2; n <= 14; ++n) await page.click('#add-question');
  assert.equal((await shownProblems(page)).beside.length, 1, 'new questions are not in the wrong either');
  await page.click('#download', { force: true }); // aria-disabled: it says why, when pressed
  shown = await shownProblems(page);
  assert.equal(shown.beside.length, 30); // and a warning: no code for any score
  assert.match(shown.bar, /^29 problèmes empêchent le téléchargement : Titre : le quiz n'a pas de titreQuestion 1, texte : .*Question 1, réponse attendue : .*et 26 autres Problème suivant$/);
  assert.equal(await page.evaluate(() => document.activeElement.textContent), 'Titre : le quiz n\'a pas de titre');
  const bar = await page.$eval('#bar', (e) => e.getBoundingClientRect().height);
  assert.ok(bar <= 130, `the bar is ${bar} px high`);
  // Stepping through them brings each field into view below the bar.
  const steps = ['title', 'q1.text', 'q1.answer1', 'q2.text', ...Array(24).fill(null), 'q14.answer1', 'title'];
  for (const field of steps) {
    await page.click('#problem-next');
    if (!field) continue;
    const seen = await page.evaluate(() => {
      const box = document.activeElement.getBoundingClientRect();
      return { field: document.activeElement.dataset.field, top: box.top, bottom: box.bottom,
        bar: document.querySelector('#bar').getBoundingClientRect().bottom };
    });
    assert.equal(seen.field, field);
    assert.ok(seen.top >= seen.bar && seen.bottom <= viewport.height, `${field}: ${JSON.stringify(seen)}`);
  }

  // A text quiz, then pictures, then text again, then clips, then pictures:
  // what a kind does not use is set aside, never lost and never in the way.
  await page.click('#new-quiz'); // nothing typed yet: nothing to ask
  assert.equal(await page.locator('#confirm[open]').count(), 0);
  assert.deepEqual(await shownProblems(page), { beside: [], invalid: [], bar: '' });
  await page.fill('#f-title', 'Aller-retour');
  await page.fill(`${card(1)} [data-key=text]`, 'Capitale de la France ?');
  await page.fill(`${card(1)} [data-key=answer1]`, 'Paris');
  await page.fill('#f-codes', 'PARIS');
  const visible = (selector) => page.$$eval(selector, (all) => all.filter((e) => e.getClientRects().length > 0).length);
  assert.equal(await visible('[data-use="labels"], [data-use="answers"], .media'), 0, 'a text quiz shows no labels, answer count or media');
  await page.check('#f-kind-picture');
  assert.equal(await visible(`${card(1)} [data-key=text]`), 0, 'a picture quiz shows no question text');
  await page.selectOption('#f-answers', '2');
  await page.fill('#f-label1', 'Ville');
  await page.fill('#f-label2', 'Pays');
  await page.fill(`${card(1)} [data-key=answer2]`, 'France');
  assert.equal(await visible(`${card(1)} .media[data-key=answer_picture]`), 0, 'no answer picture with "rien de plus"');
  await page.selectOption('#f-answer-mode', 'picture');
  const media = (name) => path.join(paths.root, 'examples/media', name);
  await dropFile(page, `${card(1)} .media[data-key=picture] .drop`, media('formes-1.jpg'));
  await dropFile(page, `${card(1)} .media[data-key=answer_picture] .drop`, media('formes-1-reponse.jpg'));
  await downloadReady(page);
  let exe = await downloaded(page, '#download');
  assert.match(await page.textContent('#status'), /^« Aller-retour\.exe » est prêt \(\d+ Ko\) : 1 question, 2 images dont 1 réduite\.$/);
  await page.check('#f-kind-text');
  assert.equal(await visible('[data-use="labels"], [data-use="answers"], .media'), 0);
  assert.equal(await page.inputValue(`${card(1)} [data-key=text]`), 'Capitale de la France ?');
  assert.equal(await page.inputValue('#f-answer-mode'), 'none');
  assert.equal(await visible('#f-answer-mode option[value=picture]'), 0);
  await downloadReady(page);
  exe = await downloaded(page, '#download');
  assert.match(await page.textContent('#status'), /^« Aller-retour\.exe » est prêt \(\d+ Ko\) : 1 question\.$/);
  let source = dump(exe.file);
  assert.match(source, /^kind = "text"$/m);
  assert.match(source, /^text = "Capitale de la France \?"$/m);
  assert.doesNotMatch(source, /picture|France"|Ville/);
  // Each kind's chooser offers its own files.
  await page.check('#f-kind-audio');
  assert.equal(await page.getAttribute(`${card(1)} .media[data-key=clip] input`, 'accept'), '.mp3,audio/mpeg');
  // A clip can be heard in the studio.
  await dropFile(page, `${card(1)} .media[data-key=clip] .drop`, path.join(paths.root, 'examples/media/voix-1.mp3'));
  await page.waitForSelector(`${card(1)} .listen audio[controls]`);
  assert.match(await page.getAttribute(`${card(1)} .listen audio`, 'aria-label'), /Écouter l’extrait de la question 1/);
  const audio = await page.$(`${card(1)} .listen audio`);
  await audio.evaluate((a) => a.play());
  await page.waitForFunction((a) => a.currentTime > 0, audio, { timeout: 15000 });
  await audio.evaluate((a) => a.pause());
  await page.check('#f-kind-video');
  assert.equal(await page.getAttribute(`${card(1)} .media[data-key=clip] input`, 'accept'), '.avi,video/x-msvideo,video/avi');
  await page.check('#f-kind-picture');
  assert.equal(await page.inputValue('#f-answers'), '2');
  assert.equal(await page.inputValue('#f-label1'), 'Ville');
  assert.equal(await page.inputValue('#f-answer-mode'), 'picture');
  assert.equal(await page.inputValue(`${card(1)} [data-key=answer2]`), 'France');
  await page.waitForFunction((c) => document.querySelectorAll(`${c} .thumb:not([hidden])`).length === 2, card(1));
  assert.equal(await page.textContent(`${card(1)} .media[data-key=picture] .media-name`), 'formes-1.jpg');
  await downloadReady(page);
  exe = await downloaded(page, '#download');
  source = dump(exe.file);
  assert.match(source, /^answer = \["Paris", "France"\]$/m);
  assert.match(source, /^answer_picture = /m);
  assert.deepEqual(problems, []);
  await context.close();
});

// Tab (Shift+Tab with `back`) until the focus is on `selector`; the focus
// must be seen on every control it passes (a hidden file input shows it on
// its label).
async function tabTo(page, selector, back = false) {
  for (let i = 0; i < 150; ++i) {
    await page.keyboard.press(back ? 'Shift+Tab' : 'Tab');
    const at = await page.evaluate((selector) => {
      const e = document.activeElement;
      const ringed = (node) => {
        const style = getComputedStyle(node);
        return (style.outlineStyle !== 'none' && parseFloat(style.outlineWidth) >= 2) || style.boxShadow !== 'none';
      };
      return { here: e.matches(selector), seen: ringed(e) || (e.closest('.button') && ringed(e.closest('.button'))),
        what: e.id || e.dataset.field || e.outerHTML.slice(0, 80) };
    }, selector);
    assert.ok(at.seen, `the focus on ${at.what} is not seen`);
    if (at.here) return;
  }
  assert.fail(`the keyboard never reached ${selector}`);
}

test('keyboard alone: a quiz made in the studio and played to the end in its trial; axe finds nothing; no text cut', async () => {
  const { context, page, problems } = await openStudio(profile('keyboard'), paths.studio, 0, { width: 1366, height: 768 });
  // Nothing cut at 1366 pixels: the kinds, and every list's choices.
  const cut = await page.evaluate(() => {
    const out = [];
    for (const label of document.querySelectorAll('.kind')) if (label.scrollWidth > label.clientWidth) out.push(label.textContent);
    const measure = document.createElement('canvas').getContext('2d');
    for (const select of document.querySelectorAll('select')) {
      if (!select.getClientRects().length) continue;
      const style = getComputedStyle(select);
      measure.font = `${style.fontWeight} ${style.fontSize} ${style.fontFamily}`;
      const room = select.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight) - 20; // its arrow
      for (const option of select.options) if (!option.hidden && measure.measureText(option.text).width > room) out.push(option.text);
    }
    return out;
  });
  assert.deepEqual(cut, []);
  // A title left empty: its problem tied to its field, and axe content.
  await tabTo(page, '#f-title');
  await page.keyboard.press('Tab');
  assert.equal(await page.getAttribute('#f-title', 'aria-invalid'), 'true');
  assert.match(await page.$eval('#f-title', (e) => e.getAttribute('aria-describedby')
    .split(' ').map((id) => document.getElementById(id).textContent).join(' ')), /pas de titre/);
  assert.deepEqual(await axeViolations(page), []);
  await tabTo(page, '#f-title', true);
  await page.keyboard.type('Au clavier');
  await tabTo(page, '#f-codes');
  await page.keyboard.type('QUATRE');
  await page.keyboard.press('Enter');
  await page.keyboard.type('CINQ');
  await tabTo(page, `${card(1)} [data-key=text]`);
  await page.keyboard.type('Deux et deux ?');
  await page.keyboard.press('Tab');
  await page.keyboard.type('quatre');
  await tabTo(page, '#add-question');
  await page.keyboard.press('Enter');
  assert.equal(await page.evaluate(() => document.activeElement.dataset.field), 'q2.text');
  await page.keyboard.type('Deux et trois ?');
  await page.keyboard.press('Tab');
  await page.keyboard.type('cinq');
  // Tried in the page, and played to the end without a mouse.
  await tabTo(page, '#try-quiz', true);
  await page.keyboard.press('Enter');
  await page.waitForSelector('#try-dialog[open] .qp-field');
  await page.waitForFunction(() => document.activeElement.classList.contains('qp-field'));
  await page.keyboard.type('QUATRE');
  await page.keyboard.press('Enter');
  await page.keyboard.press('Tab');
  assert.equal(await page.evaluate(() => document.activeElement.dataset.field), '2');
  await page.keyboard.type('cinq');
  await page.keyboard.press('Enter');
  assert.deepEqual(await page.$$eval('#try-dialog .qp-verdict', (all) => all.map((v) => v.textContent)), ['BRAVO', 'BRAVO']);
  assert.equal(await page.textContent('#try-dialog .qp-finished'), 'Bravo, tout est trouvé ! Votre code : CINQ');
  await page.keyboard.press('Escape');
  assert.equal(await page.locator('#try-dialog[open]').count(), 0);
  assert.equal(await page.evaluate(() => document.activeElement.id), 'try-quiz');
  assert.deepEqual(await axeViolations(page), []);
  // On a phone too.
  await page.setViewportSize({ width: 390, height: 844 });
  assert.deepEqual(await axeViolations(page), []);
  assert.deepEqual(problems, []);
  await context.close();
});

test('every text the studio can show is in the French a teacher reads', async () => {
  const { context, page, problems } = await openStudio(profile('words'));
  // Every text shown, as it changes (statuses and notices come and go), and
  // every label, name and choice of the page at each step.
  await page.evaluate(() => {
    window.seenTexts = new Set();
    const note = (node) => node && (node.innerText || '').split('\n').forEach((t) => t.trim() && window.seenTexts.add(t.trim()));
    new MutationObserver(() => ['#status', '#notices', '#problems', '#confirm'].forEach((s) => note(document.querySelector(s))))
      .observe(document.body, { subtree: true, childList: true, characterData: true, attributes: true });
  });
  const collect = () => page.evaluate(() => {
    const add = (t) => t && t.trim() && window.seenTexts.add(t.trim());
    document.body.innerText.split('\n').forEach(add);
    for (const e of document.querySelectorAll('[aria-label], [title], [placeholder], [alt]'))
      for (const name of ['aria-label', 'title', 'placeholder', 'alt']) add(e.getAttribute(name));
    for (const option of document.querySelectorAll('option')) add(option.textContent);
    for (const template of document.querySelectorAll('template')) template.content.textContent.split('\n').forEach(add);
    for (const help of document.querySelectorAll('.help')) help.textContent.split('\n').forEach(add);
  });
  const field = (name, value) => page.fill(name, value).then(() => page.focus('#f-author')).then(collect);
  // Every kind, answer count and answer mode.
  for (const kind of ['picture', 'audio', 'video', 'text']) {
    await page.check(`#f-kind-${kind}`);
    if (kind !== 'text') await page.selectOption('#f-answers', '2');
    for (const mode of ['none', 'picture', 'reveal', 'reveal-box', 'reveal-all'])
      if (await page.$eval(`#f-answer-mode option[value="${mode}"]`, (o) => !o.hidden)) {
        await page.selectOption('#f-answer-mode', mode);
        await collect();
      }
  }
  // The checks' problems, as an author provokes them.
  for (const title of ['a|b', 'Flèche → ici', 'x'.repeat(300), ' ', 'Les mots']) await field('#f-title', title);
  for (const link of ['www.ecole.example', `https://${'a'.repeat(300)}`, '']) await field('#f-link', link);
  await field('#f-link-text', 'Le site');
  await field('#f-link-text', '');
  await field('#f-codes', 'UN\nDEUX\nTROIS');
  await field(`${card(1)} [data-key=text]`, '');
  await field(`${card(1)} [data-key=answer1]`, ' Paris');
  await field(`${card(1)} [data-key=answer1]`, 'Paris');
  await page.click(`${card(1)} .question-judging summary`);
  await field(`${card(1)} [data-field="q1.also1"]`, 'PARIS');
  await field(`${card(1)} [data-field="q1.wrong1"]`, 'paris | BRAVO\nLyon | Non, ce n’est pas la bonne ville du tout');
  await field(`${card(1)} [data-key=text]`, 'La capitale ?');
  await page.click('#download', { force: true });
  await collect();
  await page.click('#problem-next');
  await collect();
  // Pictures and clips that will not do, and those that will.
  const bad = path.join(temp, 'mauvais.jpg');
  fs.writeFileSync(bad, 'pas une image');
  const empty = path.join(temp, 'vide.jpg');
  fs.writeFileSync(empty, '');
  await page.check('#f-kind-picture');
  await dropFile(page, `${card(1)} .media[data-key=picture] .drop`, bad);
  await page.waitForFunction(() => document.querySelector('[data-messages="q1.picture"]').textContent);
  await collect();
  await dropFile(page, `${card(1)} .media[data-key=picture] .drop`, empty);
  await page.waitForFunction(() => /vide/.test(document.querySelector('[data-messages="q1.picture"]').textContent));
  await collect();
  await dropFile(page, `${card(1)} .media[data-key=picture] .drop`, path.join(paths.root, 'examples/media/formes-1.jpg'));
  await page.waitForFunction(() => /réduite/.test(document.querySelector('main').innerText));
  await collect();
  for (const kind of ['audio', 'video']) {
    await page.check(`#f-kind-${kind}`);
    await dropFile(page, `${card(1)} .media[data-key=clip] .drop`, bad, `mauvais.${kind === 'audio' ? 'mp3' : 'avi'}`);
    await page.waitForFunction((kind) => new RegExp(kind === 'audio' ? 'MP3' : 'AVI').test(document.querySelector('[data-messages="q1.clip"]').textContent), kind);
    await collect();
  }
  await dropFile(page, `${card(1)} .media[data-key=clip] .drop`, path.join(paths.root, 'examples/media/film-1.avi'));
  await page.waitForFunction(() => document.querySelector('.listen').textContent || document.querySelector('.listen video'));
  await collect();
  // Downloading, saving, trying, asking before replacing.
  await page.check('#f-kind-text');
  await page.fill(`${card(1)} [data-field="q1.wrong1"]`, '');
  await page.fill('#f-codes', 'UN');
  await downloadReady(page);
  await downloaded(page, '#download');
  await downloaded(page, '#save-source');
  await page.selectOption('#f-answer-mode', 'reveal-box');
  await page.fill(`${card(1)} [data-key=reveal]`, 'Sur la Seine.');
  await page.click('#try-quiz');
  await page.waitForSelector('#try-dialog[open] .qp-field');
  await page.keyboard.type('Paris');
  await page.keyboard.press('Enter');
  await page.waitForSelector('#try-dialog dialog.qp-dialog[open]');
  await collect();
  await page.keyboard.press('Enter');
  await collect();
  await page.keyboard.press('Escape');
  await page.click('#new-quiz');
  await collect();
  await page.keyboard.press('Escape');
  // Files that are no quiz, and a source opened without its pictures.
  const text = path.join(temp, 'notes.txt');
  fs.writeFileSync(text, 'rien');
  await page.setInputFiles('#open-files', text);
  await collect();
  await page.setInputFiles('#open-files', paths.player32);
  await page.waitForFunction(() => /aucun quiz/.test(document.querySelector('#notices').textContent));
  await page.setInputFiles('#open-files', path.join(paths.root, 'examples/formes.toml'));
  await page.click('#confirm-ok');
  await page.waitForFunction(() => /introuvable/.test(document.querySelector('main').innerText));
  await collect();

  const seen = await page.evaluate(() => [...window.seenTexts]);
  const english = /\b(the|and|is|are|of|with|must|cannot|file|files|error|warning|picture|pictures|clip|clips|answer|answers|line|key|unknown|empty|true|false|player|not)\b/i;
  const jargon = /TOML|quizpack|UTF-8|Windows-1252|LZW|\bPE\b|\bblob\b|wasm|WebAssembly|\bworker\b|JSON|IndexedDB|undefined|\bnull\b|NaN|\[object|\[\[|media\//;
  const singular = /\b[01] (questions|images|extraits|fichiers|codes|problèmes|réduites|octets|autres|caractères)\b/;
  const plural = /\b([2-9]|[1-9]\d+) (question|image|extrait|fichier|code|problème|réduite|octet|autre|caractère)\b/;
  // The author's own words and file names (in « » or by their extension) are theirs.
  const ours = (t) => t.replace(/«[^»]*»/g, '«»').replace(/\S+\.(jpe?g|png|mp3|avi|exe|zip|toml|txt)\b/gi, 'fichier');
  const wrong = seen.filter((t) => [english, jargon, singular, plural].some((rule) => rule.test(ours(t))));
  assert.deepEqual(wrong, []);
  assert.ok(seen.length > 150, `${seen.length} texts read`);
  assert.ok(seen.some((t) => /est prêt/.test(t)) && seen.some((t) => /garde le quiz/.test(t)), 'the statuses were read');
  assert.deepEqual(problems, []);
  await context.close();
});
