// The web player's play-only module under node against the native core:
// every packed example and end-to-end quiz, as a program and as a page,
// played with the same typed answers, gives the same verdicts, reveals,
// boxes, answer pictures, score, code and answers file; restoring that file
// gives the same page again; anything that is not a quiz, a damaged page
// too, is refused with a French message; a quiz whose content stream is
// damaged opens on the player's defaults, with its box.
//
//   node --test web/tests/player-module.test.mjs
// Needs build/wasm (the module), build/win32 (player.exe, quizpack) and
// build/native/tests/session_replay.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { paths, quizSources } from './support.mjs';
import { play as quiz, temp, pack, packPage, script, playInModule, playNatively } from './player-support.mjs';

test('every packed quiz plays in the module as in the native core', () => {
  for (const source of quizSources()) {
    const exe = pack(source);
    const steps = script(exe);
    assert.ok(steps.length >= 2, source);
    const web = playInModule(exe, steps);
    const native = playNatively(exe, steps);
    assert.deepEqual(web.fields, native, source);
    assert.deepEqual(playInModule(packPage(source), steps).fields, native, `${source} as a page`);
    // The answers file read back: the same page, judged again.
    const file = path.join(temp, path.basename(exe, '.exe') + '.txt');
    fs.writeFileSync(file, web.bytes);
    assert.deepEqual(playInModule(exe, [], web.bytes).fields, playNatively(exe, [], file), source);
  }
});

test('a text quiz: the verdicts, the box of mode 3, the score and the code', () => {
  const exe = pack(path.join(paths.root, 'examples/capitales.toml'));
  const { fields, bytes } = playInModule(exe, [
    { k: 1, text: 'paris' }, { k: 2, text: 'Rme' }, { k: 3, text: 'berlin' }, { k: 3, text: 'berlin' }, { k: 4, text: 'Varsovie😀' },
  ]);
  assert.equal(fields.verdict1, 'BRAVO');
  assert.notEqual(fields.verdict2, 'BRAVO');
  assert.equal(fields.verdict3, 'BRAVO');
  assert.equal(fields.boxes.split('|').length - 1, 2, 'one box per question found, none when judged right again');
  assert.equal(fields.score, ' 2 / 6');
  assert.equal(fields.reveal1, '1');
  assert.equal(fields.reveal2, '0');
  // A character with no Windows-1252 form is written as "?", as the player reads it.
  assert.equal(Buffer.from(bytes).toString('latin1'), 'paris\r\nRme\r\nberlin\r\nVarsovie?\r\n\r\n\r\n');
});

test('the page lays out every control, pictures fitted as the player fits them', () => {
  const exe = pack(path.join(paths.root, 'examples/formes.toml'));
  const q = new quiz.WebQuiz();
  assert.ok(q.open(fs.readFileSync(exe)).ok);
  const page = q.lay_out([[520, 346], [100, 300], [600, 200], [50, 50]]);
  assert.deepEqual(page.questions.map((x) => [x.picture.width, x.picture.height]), [[260, 173], [86, 260], [260, 86], [260, 260]]);
  const roles = page.questions[0].places.map((p) => p.role);
  assert.deepEqual(roles.filter((r) => r === 'field').length, 2);
  assert.equal(page.questions[0].picture_box.height, 260, 'a row is as high as its tallest picture');
  assert.deepEqual(quiz.fit_picture(520, 346, 260, 260), { width: 260, height: 173 });
  assert.ok(page.width > 800 && page.height > 500);
  q.delete();
});

test('anything that is not a quiz gets a French message, a damaged stream the player\'s box; the bare player its demonstration', () => {
  const exe = fs.readFileSync(pack(path.join(paths.root, 'examples/capitales.toml')));
  const notes = fs.readFileSync(path.join(paths.root, 'README.md'));
  const garbage = Uint8Array.from({ length: 70000 }, (_, i) => (i * 7919) % 251);
  const cut = exe.subarray(0, exe.length - 4000);
  for (const bytes of [notes, garbage, cut, new Uint8Array(0), exe.subarray(0, 64)]) {
    const q = new quiz.WebQuiz();
    const opened = q.open(bytes);
    assert.equal(opened.ok, false);
    assert.match(opened.problem, /n'est pas un (quiz|programme)/);
    q.delete();
  }
  // The content resource's bytes damaged in place (found by their start, as
  // the module reads them): its LZW stream no longer decodes. The quiz opens,
  // with the player's French box, on the player's defaults; nothing hangs.
  const probe = new quiz.WebQuiz();
  assert.ok(probe.open(exe).ok);
  const start = Buffer.from(probe.content_bytes()).subarray(0, 32);
  probe.delete();
  const at = exe.indexOf(start);
  assert.ok(at > 0 && exe.indexOf(start, at + 1) < 0, 'the stream found once');
  const damaged = Buffer.from(exe).fill(0xff, at + 6, at + 40);
  const broken = new quiz.WebQuiz();
  const read = broken.open(damaged);
  assert.ok(read.ok);
  assert.deepEqual(read.messages.map((m) => m.text), ['Erreur dans le décryptage des reponses']);
  assert.equal(read.question_count, 2);
  const file = path.join(temp, 'abime.exe');
  fs.writeFileSync(file, damaged);
  assert.equal(playInModule(file, [{ k: 1, text: 'zzz' }]).fields.verdict1, 'FAUX', 'the defaults play');
  broken.delete();
  const bare = new quiz.WebQuiz();
  const demo = bare.open(fs.readFileSync(paths.player32));
  assert.ok(demo.ok && demo.demonstration && demo.question_count > 0);
  bare.delete();
  assert.equal(quiz.WebQuiz.answers_name('Mon quiz.exe'), 'Mon quiz.txt');
  assert.equal(quiz.WebQuiz.answers_name('Mon quiz.html'), 'Mon quiz.txt');

  // Pages: cut short, their block damaged, the web player's own page.
  const page = fs.readFileSync(packPage(path.join(paths.root, 'examples/capitales.toml')));
  const block = page.indexOf('id="quiz-content">'), end = page.indexOf('</script>', block);
  const spoilt = Buffer.from(page);
  spoilt[end - 100] = '*'.charCodeAt(0);
  for (const [bytes, text] of [[page.subarray(0, end - 10), /Cette page de quiz est abîmée/],
    [spoilt, /Cette page de quiz est abîmée/], [fs.readFileSync(paths.playerPage), /Cette page n'est pas un quiz/]]) {
    const q = new quiz.WebQuiz();
    const opened = q.open(bytes);
    assert.equal(opened.ok, false);
    assert.match(opened.problem, text);
    q.delete();
  }
});
