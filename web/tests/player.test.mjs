// player.html in Debian's Chromium, headless: a packed example opened from
// disk, typed into, judged on Enter and on leaving a field, its verdict
// words on their colours, its score and code; the answers exported with the
// bytes the Windows player writes, kept in the browser ("Sauver", F2, each
// judgement) and restored on reopening, imported from a file; audio clips
// played and stopped, one at a time; a clip that cannot play says so; a
// hostile file gets the French message; hostile quizzes dropped on the page
// (cut streams, counts above 96, answers per question 0 and 3, 1,000-byte
// texts, pictures that do not decode) get a message or a page that plays.
//
//   node --test web/tests/player.test.mjs
// Needs build/wasm (player.html), build/win32 (player.exe, quizpack) and
// build/native/tests/put_resource.
import { test, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { execFileSync } from 'node:child_process';
import { launchPersistentContext } from './browser.mjs';
import { paths } from './support.mjs';
import { temp, pack, hostileCases } from './player-support.mjs';

const page = path.join(paths.root, 'build/wasm/web/player.html');
const FLAGS = ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
  '--disable-sync', '--no-first-run', '--disable-quic', '--disable-extensions'];
const profile = fs.mkdtempSync(path.join(temp, 'profile-'));
const capitales = pack(path.join(paths.root, 'examples/capitales.toml'));

async function openPlayer(viewport = { width: 1100, height: 800 }, folder = profile) {
  const context = await launchPersistentContext(folder, {
    args: FLAGS, acceptDownloads: true, viewport, hasTouch: viewport.width < 600,
  });
  const tab = context.pages()[0] || (await context.newPage());
  const problems = [];
  tab.on('pageerror', (error) => problems.push(error.message));
  await tab.goto('file://' + page);
  await tab.waitForSelector('html[data-ready="true"]');
  return { context, tab, problems };
}

async function openQuiz(tab, file) {
  await tab.setInputFiles('#open-quiz', file);
  await tab.waitForFunction(() => document.documentElement.dataset.ready === 'true');
}

const field = (k) => `.qp-field[data-field="${k}"]`;
const verdict = (tab, k) => tab.evaluate((k) => {
  const label = document.querySelectorAll('.qp-verdict')[k - 1];
  return { word: label.textContent, paint: label.style.background, back: label.querySelector('.qp-text').style.background };
}, k);
// Files dropped on the page, as a user drops them from a folder.
async function dropFile(tab, file) {
  const bytes = fs.readFileSync(file).toString('base64');
  await tab.evaluate(([name, b64]) => {
    const transfer = new DataTransfer();
    transfer.items.add(new File([Uint8Array.from(atob(b64), (c) => c.charCodeAt(0))], name));
    for (const type of ['dragover', 'drop']) document.body.dispatchEvent(new DragEvent(type, { dataTransfer: transfer, bubbles: true, cancelable: true }));
  }, [path.basename(file), bytes]);
  await tab.waitForFunction(() => document.documentElement.dataset.ready === 'true', null, { timeout: 15000 });
}

// Each header control's box in the panel's client, and the panel's width there.
const headerPlaces = (tab) => tab.evaluate(() => {
  const panel = document.querySelector('.qp-header');
  const origin = panel.getBoundingClientRect();
  const places = { client: panel.clientWidth, colour: getComputedStyle(panel).backgroundColor };
  for (const name of ['hyperlink', 'author', 'save', 'explanation', 'title', 'score', 'code', 'line-right']) {
    const box = panel.querySelector(`.qp-${name}`).getBoundingClientRect();
    places[name] = [box.left - origin.left - panel.clientLeft, box.top - origin.top - panel.clientTop, box.width, box.height];
  }
  return places;
});
const header = (tab) => tab.evaluate(() => ({ score: document.querySelector('.qp-score').textContent, code: document.querySelector('.qp-code').textContent }));

after(() => fs.rmSync(temp, { recursive: true, force: true }));

test('a text quiz: Enter and leaving a field judge; the box of mode 3; export, Sauver and F2, reload, import', async () => {
  let { context, tab, problems } = await openPlayer();
  await openQuiz(tab, capitales);
  assert.equal(await tab.textContent('.qp-title'), "Capitales d'Europe");
  // A quiz that gives no link shows no address and opens nothing.
  assert.equal(await tab.getAttribute('.qp-link', 'href'), null);
  assert.equal(await tab.textContent('.qp-link'), '');
  // The header at the Windows panel's places, right block anchored to the
  // right edge, only the explanation stretching, at two widths where the
  // Windows page fits.
  for (const width of [1100, 900]) {
    await tab.setViewportSize({ width, height: 800 });
    await tab.waitForFunction((w) => document.querySelector('.qp-header').clientWidth === w - 13, width);
    const w = width - 13; // the panel at 5 with the frame's width less 11, inside its 1-pixel border
    assert.deepEqual(await headerPlaces(tab), {
      client: w, colour: 'rgb(128, 128, 255)',
      hyperlink: [w - 134, 0, 115, 18], author: [w - 107, 25, 105, 18], save: [w - 204, 25, 55, 18],
      explanation: [110, 19, w - 324, 28], title: [110, 3, 260, 18], score: [10, 1, 80, 20], code: [44, 29, 53, 16],
      'line-right': [w - 145, 0, 1, 50],
    }, `at ${width}`);
  }
  assert.equal(await tab.evaluate(() => document.activeElement.dataset.field), '1', 'the first open field has the focus');
  await tab.fill(field(1), 'paris');
  await tab.press(field(1), 'Enter');
  // Mode 3: the reveal text in an accessible dialog, its OK button focused.
  await tab.waitForSelector('dialog.qp-dialog[open]');
  assert.equal(await tab.textContent('.qp-dialog-caption'), 'texte');
  assert.equal(await tab.getAttribute('dialog.qp-dialog', 'role'), 'alertdialog');
  await tab.keyboard.press('Enter');
  assert.deepEqual(await verdict(tab, 1), { word: 'BRAVO', paint: 'rgb(0, 255, 0)', back: 'rgb(0, 255, 0)' });
  assert.deepEqual(await header(tab), { score: ' 1 / 6', code: 'ÉTÉ' });
  await tab.fill(field(2), 'Rom');
  await tab.focus(field(3)); // leaving field 2 judges it
  assert.equal((await verdict(tab, 2)).paint, 'rgb(255, 203, 38)', 'a near miss on the hint colour');
  await tab.fill(field(3), 'zzz');
  await tab.press(field(3), 'Tab');
  assert.deepEqual(await verdict(tab, 3), { word: 'FAUX', paint: 'rgb(255, 0, 0)', back: 'rgb(255, 0, 0)' });
  assert.equal(await tab.evaluate(() => document.activeElement.dataset.field), '4');

  const wanted = 'paris\r\nRom\r\nzzz\r\n\r\n\r\n\r\n';
  const [download] = await Promise.all([tab.waitForEvent('download'), tab.click('.qp-export')]);
  assert.equal(download.suggestedFilename(), 'capitales.txt');
  assert.equal(fs.readFileSync(await download.path(), 'latin1'), wanted);
  // "Sauver" keeps the answers in the browser as they stand and says so; F2
  // judges its field first, then does the same. The kept copy is cleared
  // before each, as judging a changed answer keeps them too.
  const forget = () => tab.evaluate(() => { localStorage.clear(); document.querySelector('.qp-status').textContent = ''; });
  const kept = () => tab.evaluate(() => {
    const keys = Object.keys(localStorage).filter((k) => k.startsWith('quiz-player-answers:'));
    return { keys: keys.length, bytes: keys.length ? atob(localStorage.getItem(keys[0])) : '', status: document.querySelector('.qp-status').textContent };
  });
  await forget();
  await tab.click('.qp-save');
  assert.deepEqual(await kept(), { keys: 1, bytes: wanted, status: 'Réponses enregistrées.' });
  await forget();
  await tab.focus(field(3));
  await tab.press(field(3), 'F2');
  assert.deepEqual(await kept(), { keys: 1, bytes: wanted, status: 'Réponses enregistrées.' }, 'F2 with nothing changed');
  await forget();
  await tab.fill(field(4), 'zzz');
  await tab.press(field(4), 'F2');
  assert.equal((await verdict(tab, 4)).word, 'FAUX', 'F2 judged its field');
  assert.deepEqual(await kept(), { keys: 1, bytes: 'paris\r\nRom\r\nzzz\r\nzzz\r\n\r\n\r\n', status: 'Réponses enregistrées.' });
  assert.deepEqual(problems, []);
  await context.close();

  // The same quiz under another name: its answers come back, judged again.
  const renamed = path.join(temp, 'autre-nom.exe');
  fs.copyFileSync(capitales, renamed);
  ({ context, tab, problems } = await openPlayer());
  await openQuiz(tab, renamed);
  assert.equal(await tab.inputValue(field(2)), 'Rom');
  assert.equal(await tab.inputValue(field(4)), 'zzz', 'what F2 kept');
  assert.equal((await verdict(tab, 1)).word, 'BRAVO');
  assert.equal((await verdict(tab, 3)).word, 'FAUX');
  assert.equal(await tab.locator('dialog.qp-dialog[open]').count(), 0, 'restoring an answer is not finding it');
  assert.deepEqual(await header(tab), { score: ' 1 / 6', code: 'ÉTÉ' });

  // An answers file from the Windows player: its lines, in Windows-1252.
  const file = path.join(temp, 'capitales.txt');
  fs.writeFileSync(file, Buffer.from('paris\r\nRome\r\nBerlin\r\nVarsovie\r\nAth\xe8nes\r\n', 'latin1'));
  await tab.setInputFiles('.qp-import input', file);
  await tab.waitForFunction(() => document.querySelector('.qp-score').textContent === ' 5 / 6');
  assert.equal(await tab.inputValue(field(5)), 'Athènes');
  assert.equal(await tab.textContent('.qp-finished'), '', 'not finished yet');
  // The full score is said plainly, its code shown large.
  await tab.fill(field(6), 'Dublin');
  await tab.press(field(6), 'Enter');
  await tab.waitForSelector('dialog.qp-dialog[open]');
  await tab.keyboard.press('Enter');
  assert.equal(await tab.textContent('.qp-finished'), 'Bravo, tout est trouvé ! Votre code : ÉCLIPSE');
  assert.equal(await tab.getAttribute('.qp-finished', 'role'), 'status');
  assert.ok(parseFloat(await tab.$eval('.qp-finished-code', (e) => getComputedStyle(e).fontSize)) >= 24);
  await tab.fill(field(6), 'Dubli');
  await tab.press(field(6), 'Enter');
  assert.equal(await tab.textContent('.qp-finished'), '', 'no longer finished');
  assert.deepEqual(problems, []);
  await context.close();
});

// The sizes of the page's pictures, once one is decoded: a picture is laid
// in when its bytes are, so the page is not read at once.
const pictureSizes = async (tab) => {
  await tab.waitForFunction(() => [...document.querySelectorAll('.qp-picture img')].some((i) => i.complete && i.naturalWidth > 0));
  return tab.evaluate(() => [...document.querySelectorAll('.qp-picture img')].map((i) => [i.width, i.height]));
};

test('a picture quiz with two fields: F1 spreads, the answer picture takes its place', async () => {
  const { context, tab, problems } = await openPlayer();
  await openQuiz(tab, pack(path.join(paths.root, 'examples/formes.toml')));
  const size = await pictureSizes(tab);
  assert.equal(await tab.locator('.qp-picture img').count(), 4);
  assert.deepEqual(size[0], [260, 173]);
  assert.equal(await tab.evaluate(() => getComputedStyle(document.querySelector('.qp-page')).backgroundColor), 'rgb(46, 74, 59)');
  await tab.fill(field(1), 'cercle');
  await tab.press(field(1), 'Enter');
  await tab.fill(field(2), 'rouge');
  await tab.press(field(2), 'Enter');
  await tab.waitForSelector('.qp-picture.qp-answered img');
  await tab.fill(field(4), 'bleu');
  await tab.press(field(4), 'F1');
  assert.equal(await tab.inputValue(field(6)), 'bleu', 'F1 gave the other open fields its text');
  assert.deepEqual(problems, []);
  await context.close();
});

test('a phone photo stored on its side shows upright, taller than wide', async () => {
  const { context, tab, problems } = await openPlayer();
  await openQuiz(tab, pack(path.join(paths.root, 'tests/data/forms/phone.toml')));
  const size = await pictureSizes(tab);
  assert.deepEqual(size, [[195, 260]]);
  assert.deepEqual(problems, []);
  await context.close();
});

const play = (n) => `button[aria-label="Lire l’extrait de la question ${n}"]`;
const stop = (n) => `button[aria-label="Arrêter l’extrait de la question ${n}"]`;
// An audio clip's element: playing is not paused with its time running on.
const playing = (audio) => audio.evaluate(async (a) => {
  const start = a.currentTime;
  await new Promise((resolve) => setTimeout(resolve, 300));
  return !a.paused && !a.ended && a.currentTime > start;
});
// Question n's audio element, once its time has started running.
const started = async (tab, n) => {
  const audio = await tab.waitForSelector(`audio.qp-audio[data-question="${n}"]`, { state: 'attached' });
  await tab.waitForFunction((a) => a.currentTime > 0, audio);
  return audio;
};

test('clips: audio plays and stops, one at a time; a video the browser cannot decode says so and offers the clip', async () => {
  const { context, tab, problems } = await openPlayer();
  try {
    await openQuiz(tab, pack(path.join(paths.root, 'examples/films.toml')));
    await tab.click(play(1));
    await tab.waitForSelector('.qp-clip-note a[download]', { timeout: 10000 });
    assert.match(await tab.textContent('.qp-clip-note'), /ne sait pas lire la vidéo/);
    await tab.click(stop(1));
    assert.equal(await tab.locator('.qp-video').count(), 0);
    // The MP3 clips of voix (2.4 s each), which Debian's Chromium decodes.
    await openQuiz(tab, pack(path.join(paths.root, 'examples/voix.toml')));
    await tab.click(play(1));
    const first = await started(tab, 1);
    assert.ok(await playing(first), 'the first clip plays');
    await tab.click(stop(1));
    assert.equal(await first.evaluate((a) => a.paused && !a.isConnected), true, 'stop stops it');
    assert.equal(await tab.locator('audio').count(), 0);
    await tab.click(play(1));
    const again = await started(tab, 1);
    await tab.click(play(2));
    const second = await started(tab, 2);
    assert.equal(await again.evaluate((a) => a.paused), true, 'playing the second clip stopped the first');
    assert.ok(await playing(second), 'the second clip plays');
    assert.equal(await tab.locator('audio').count(), 1, 'one clip at a time');
    assert.equal(await tab.textContent('.qp-status'), '', 'no clip problem told');
    assert.deepEqual(problems, []);
  } finally {
    await context.close();
  }
});

test('a hostile file and a narrow touch screen', async () => {
  const { context, tab, problems } = await openPlayer({ width: 360, height: 640 });
  const hostile = path.join(temp, 'faux.exe');
  const exe = fs.readFileSync(capitales);
  fs.writeFileSync(hostile, Buffer.concat([exe.subarray(0, 1024), Buffer.alloc(200000, 0xff)]));
  await openQuiz(tab, hostile);
  assert.match(await tab.textContent('.qp-status'), /ne s’ouvre pas\. Ce fichier n'est pas un quiz/);
  await openQuiz(tab, pack(path.join(paths.root, 'examples/formes.toml')));
  // The Windows page is wider than the screen: the quiz is laid out in one
  // column under a compact header that holds its parts, and the page never
  // scrolls sideways, even to the last field. (The layout is chosen once
  // the quiz is drawn: waited for.)
  await tab.waitForSelector('.qp-narrow .qp-header.qp-compact');
  assert.ok(await tab.evaluate(() => {
    const panel = document.querySelector('.qp-narrow .qp-header.qp-compact');
    return panel && [...panel.children].every((c) => c.hidden || getComputedStyle(c).display === 'none' || (c.scrollWidth <= c.clientWidth + 1 && c.getBoundingClientRect().right <= panel.getBoundingClientRect().right));
  }), 'the compact header holds its parts');
  await tab.focus(field(6));
  assert.ok(await tab.evaluate(() => {
    const box = document.querySelector('.qp-field[data-field="6"]').getBoundingClientRect();
    return document.scrollingElement.scrollWidth <= innerWidth && box.right <= innerWidth && box.bottom <= innerHeight && box.top >= 0;
  }), 'the focused field is in view, the page not scrolled sideways');
  assert.deepEqual(problems, []);
  await context.close();
});

test('hostile files dropped on the page: a French message or a sound page, never a hang', async () => {
  // A profile of its own: no answers kept for these quizzes' content.
  const { context, tab, problems } = await openPlayer(undefined, fs.mkdtempSync(path.join(temp, 'hostile-')));
  try {
    const cases = hostileCases();
    for (const c of cases) {
      const name = path.basename(c.file);
      await dropFile(tab, c.file);
      const seen = await tab.evaluate(() => ({
        status: document.querySelector('.qp-status').textContent,
        box: document.querySelector('dialog.qp-dialog[open]') ? document.querySelector('.qp-dialog-text').textContent : '',
        questions: document.querySelectorAll('.qp-number').length,
        fields: document.querySelectorAll('.qp-field').length,
        pictures: document.querySelectorAll('.qp-picture img').length,
        title: document.querySelector('.qp-title').textContent.length,
      }));
      if (c.status) assert.match(seen.status, c.status, name);
      if (c.box) assert.match(seen.box, c.box, name);
      while (await tab.locator('dialog.qp-dialog[open]').count()) await tab.keyboard.press('Enter');
      if (c.questions !== undefined) {
        assert.equal(seen.questions, c.questions, name);
        if (c.fields !== undefined) assert.equal(seen.fields, c.fields, name);
        if (c.pictures !== undefined) assert.equal(seen.pictures, c.pictures, name);
        if (c.title !== undefined) assert.equal(seen.title, c.title, name);
        // The page plays: a wrong answer is judged and the score reads on.
        await tab.fill(field(1), 'zzz');
        await tab.press(field(1), 'Enter');
        while (await tab.locator('dialog.qp-dialog[open]').count()) await tab.keyboard.press('Enter');
        assert.equal(await tab.textContent('.qp-verdict >> nth=0'), 'FAUX', name);
        assert.match((await header(tab)).score, new RegExp(`^ 0 / ${c.questions}$`), name);
      }
    }
    // After them all, a sound quiz still opens and plays.
    await dropFile(tab, capitales);
    await tab.fill(field(1), 'Paris');
    await tab.press(field(1), 'Enter');
    await tab.waitForSelector('dialog.qp-dialog[open]');
    await tab.keyboard.press('Enter');
    assert.equal((await header(tab)).score, ' 1 / 6');
    assert.deepEqual(problems, []);
  } finally {
    await context.close();
  }
});

test("the README's picture: web/tools/screenshot.mjs shoots the page at the size asked", () => {
  const out = path.join(temp, 'shot.png');
  execFileSync(process.execPath, [path.join(paths.root, 'web/tools/screenshot.mjs'), capitales, out, '640x480', 'Paris']);
  const png = fs.readFileSync(out);
  assert.equal(png.subarray(1, 4).toString(), 'PNG');
  assert.deepEqual([png.readUInt32BE(16), png.readUInt32BE(20)], [640, 480]);
});

// Every control of the header and the page where `root` shows a quiz: its
// box (from the header's or the page's top left corner) and how it is drawn.
const shownQuiz = (tab, root) => tab.evaluate((root) => {
  const styles = ['fontFamily', 'fontSize', 'fontWeight', 'fontStyle', 'lineHeight', 'color', 'backgroundColor',
    'borderTopWidth', 'borderTopStyle', 'borderTopColor', 'textDecorationLine', 'textAlign', 'whiteSpace',
    'display', 'paddingLeft', 'paddingTop', 'justifyContent', 'alignItems'];
  const controls = {};
  for (const [part, origin] of [['header', '.qp-header'], ['page', '.qp-content']]) {
    const box = document.querySelector(`${root} ${origin}`);
    const at = box.getBoundingClientRect();
    [...box.children].forEach((node, i) => {
      const r = node.getBoundingClientRect();
      const style = getComputedStyle(node);
      controls[`${part} ${i} ${node.className}`] = {
        box: !node.getClientRects().length ? 'not shown'
          : [r.left - at.left, r.top - at.top, r.width, r.height].map((v) => Math.round(v * 10) / 10),
        text: node.textContent, ...Object.fromEntries(styles.map((name) => [name, style[name]])),
      };
    });
  }
  const header = document.querySelector(`${root} .qp-header`);
  return { controls, width: document.querySelector(root).clientWidth, folded: header.classList.contains('qp-folded') };
}, root);

test('"Essayer le quiz" in the studio shows the quiz laid out and drawn as the web player does, its link too', async () => {
  // The picture example with a link of its own in its header.
  const folder = path.join(temp, 'formes-lien');
  fs.mkdirSync(folder, { recursive: true });
  fs.cpSync(path.join(paths.root, 'examples/media'), path.join(folder, 'media'), { recursive: true });
  const source = path.join(folder, 'formes.toml');
  fs.writeFileSync(source, fs.readFileSync(path.join(paths.root, 'examples/formes.toml'), 'utf8')
    .replace(/^(explanation = .*)$/m, '$1\nlink = "https://ecole.example/cm2"\nlink_text = "Le site de la classe"'));
  const media = [...fs.readFileSync(source, 'utf8').matchAll(/^(?:picture|answer_picture) = "(.*)"$/gm)].map((m) => path.join(folder, m[1]));
  const context = await launchPersistentContext(fs.mkdtempSync(path.join(temp, 'studio-')), {
    args: FLAGS, viewport: { width: 1366, height: 900 },
  });
  const tab = context.pages()[0] || (await context.newPage());
  const problems = [];
  tab.on('pageerror', (error) => problems.push(error.message));
  await tab.goto('file://' + paths.studio);
  await tab.waitForSelector('html[data-ready="true"]', { timeout: 30000 });
  await tab.setInputFiles('#open-files', [source, ...media]);
  await tab.waitForFunction(() => document.querySelector('#status').textContent.includes('formes'));
  await tab.waitForFunction(() => document.querySelector('#download').getAttribute('aria-disabled') === 'false', null, { timeout: 30000 });
  await tab.click('#try-quiz');
  await tab.waitForSelector('#try-dialog[open] .qp-picture img');
  await tab.waitForFunction(() => document.querySelectorAll('#try-dialog .qp-picture img').length === 4);
  const trial = await shownQuiz(tab, '#try-player');

  // The same quiz, packed by quizpack, in player.html at the trial's width.
  const { context: playerContext, tab: player } = await openPlayer({ width: trial.width, height: 900 },
    fs.mkdtempSync(path.join(temp, 'profile-')));
  await openQuiz(player, pack(source));
  await player.waitForFunction(() => document.querySelectorAll('.qp-picture img').length === 4);
  const played = await shownQuiz(player, '#player');
  assert.equal(played.width, trial.width);
  assert.equal(trial.folded, false, 'the header laid out as the Windows panel');
  assert.deepEqual(trial.controls, played.controls);
  // What that means: the header on its colour, the link and its text, "Par :"
  // before the author, the grid of three pictures a row.
  const at = (name) => Object.entries(trial.controls).find(([key]) => key.includes(`qp-${name} `) || key.endsWith(`qp-${name}`))[1];
  assert.equal(at('hyperlink').text, 'Le site de la classe');
  assert.equal(at('hyperlink').textDecorationLine, 'underline');
  assert.equal(await tab.getAttribute('#try-dialog .qp-hyperlink', 'href'), 'https://ecole.example/cm2');
  assert.equal(await player.getAttribute('.qp-hyperlink', 'href'), 'https://ecole.example/cm2');
  assert.ok(at('author-caption').box[0] + at('author-caption').box[2] <= at('author').box[0]);
  assert.equal(at('title').fontStyle, 'italic');
  const pictures = Object.entries(trial.controls).filter(([key]) => key.includes('qp-picture')).map(([, c]) => c.box[0]);
  assert.equal(new Set(pictures).size, 3, 'three columns');
  await tab.click('#try-close');
  assert.equal(await tab.locator('#try-dialog[open]').count(), 0);
  assert.deepEqual(problems, []);
  await playerContext.close();
  await context.close();
});
