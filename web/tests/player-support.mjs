// What the web player's tests share: the module, quizzes packed by quizpack,
// a scripted play of them in the module and in the native core.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { createRequire } from 'node:module';
import { execFileSync } from 'node:child_process';
import { paths, readFields, cp1252Text, cp1252Hex } from './support.mjs';

const require = createRequire(import.meta.url);
const load = (module) => require(module)({ wasmBinary: fs.readFileSync(module.replace(/\.js$/, '.wasm')) });
// The studio's module (authoring, and the player it tries quizzes in) and the
// play-only module of player.html and every quiz page.
export const quiz = await load(paths.module);
export const play = await load(paths.playModule);
export const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'quiz-player-'));
process.on('exit', () => fs.rmSync(temp, { recursive: true, force: true }));
export const replay = path.join(paths.root, 'build/native/tests/session_replay');
const putResource = path.join(paths.root, 'build/native/tests/put_resource');

export function pack(source, player = paths.player32, suffix = '') {
  const output = path.join(temp, path.basename(source, '.toml') + suffix + '.exe');
  execFileSync(paths.quizpack, ['build', source, '-o', output, '--player', player], { stdio: 'ignore' });
  return output;
}

// The quiz as a page, made from player.html.
export function packPage(source, suffix = '') {
  const output = path.join(temp, path.basename(source, '.toml') + suffix + '.html');
  execFileSync(paths.quizpack, ['build', source, '-o', output, '--page', paths.playerPage], { stdio: 'ignore' });
  return output;
}

// Typed texts for a quiz's fields: right, one letter off, wrong, accents
// lost, then F1 in the next field with the first answer; the rest untouched.
export function script(exe) {
  const form = quiz.open_quiz(fs.readFileSync(exe), path.basename(exe)).form;
  const answers = form.questions.flatMap((q) => q.answer.slice(0, form.answers));
  const plain = (t) => t.normalize('NFD').replace(/[\u0300-\u036f]/g, '');
  const typed = [answers[0], answers[1]?.slice(0, -1), 'zzz', answers[3] && plain(answers[3]).toUpperCase()];
  const steps = typed.map((text, i) => ({ k: i + 1, text, spread: false })).filter((s) => s.text !== undefined && s.k <= answers.length);
  if (answers.length > steps.length) steps.push({ k: steps.length + 1, text: answers[2] ?? answers[0], spread: true });
  return steps;
}

// A recording view over a WebQuiz.
export function recorder(q) {
  const seen = { pictures: [], boxes: [], saves: 0 };
  q.start({
    show_text() {}, show_verdict() {}, show_reveal() {}, show_score() {},
    show_answer_picture: (n) => seen.pictures.push(n),
    show_message: (text) => seen.boxes.push(text),
    save_answers: () => { seen.saves += 1; q.saved(); },
  });
  return seen;
}

// The play-only module's play of a quiz .exe or page: the same fields
// studio_check and session_replay print.
export function playInModule(exe, steps, answersFile = null) {
  const q = new play.WebQuiz();
  const opened = q.open(fs.readFileSync(exe));
  if (!opened.ok) throw new Error(opened.problem);
  const seen = recorder(q);
  if (answersFile) q.restore(answersFile);
  q.judge_all();
  for (const s of steps) s.spread ? q.spread(s.k, s.text) : q.judge(s.k, s.text);
  const state = q.state();
  const fields = {};
  for (let k = 1; k <= state.field_count; ++k) fields[`verdict${k}`] = q.field(k).word;
  state.revealed.forEach((r, i) => { fields[`reveal${i + 1}`] = r ? '1' : '0'; });
  fields.pictures = seen.pictures.join(',');
  fields.boxes = seen.boxes.map((b) => b + '|').join('');
  fields.score = state.score;
  fields.code = state.code;
  const bytes = q.answers();
  fields.answers = cp1252Text(String.fromCharCode(...bytes));
  q.delete();
  return { fields, bytes, title: opened.title };
}

export function playNatively(exe, steps, answersPath = '-') {
  const args = [exe, answersPath, ...steps.map((s) => `${s.k}${s.spread ? '!' : '='}${cp1252Hex(s.text)}`)];
  return readFields(execFileSync(replay, args).toString('latin1'));
}

// Content bytes as the loader reads them, written by hand to be hostile: the
// kind, count and answers-per-question bytes, five header texts, the
// records, the answer mode, its reveals, the colour.
function content({ kind = 0, count, per = 1, texts = ['Hostile', 'Auteur', 'Explication', 'L1', 'L2'], records, mode = 0, reveals = [] }) {
  const text = (t) => t + '|';
  return Buffer.concat([Buffer.from([0, kind + 1, count, per]), Buffer.from(texts.map(text).join('') + records.map((r) => r.map(text).join('')).join(''), 'latin1'),
    Buffer.from([mode]), Buffer.from(reveals.map(text).join(''), 'latin1'), Buffer.from([10, 20, 30])]);
}

// A copy of `exe` whose resource TYPE ID holds `bytes` (LZW-encoded with --encode).
function withResource(exe, name, type, id, bytes, ...options) {
  const data = path.join(temp, name + '.bin');
  const output = path.join(temp, name + '.exe');
  fs.writeFileSync(data, bytes);
  execFileSync(putResource, [exe, output, type, String(id), data, ...options]);
  return output;
}

// Hostile files for the web player, each with what the page must show: a
// `status` or a `box` it says, and for those that open, the `questions`
// (and `fields`, `pictures`, `title` length) on the page. Needs
// build/native/tests/put_resource.
export function hostileCases() {
  const capitales = pack(path.join(paths.root, 'examples/capitales.toml'));
  const records = (n, per = 1) => Array.from({ length: n }, (_, i) => [...Array(per === 2 ? 2 : 1).fill(`r${i + 1}`), `Question ${i + 1}`]);
  const long = 'é'.repeat(1000);
  const good = content({ count: 3, records: records(3), mode: 2, reveals: ['a', 'b', 'c'] });
  const notes = path.join(temp, 'notes.exe');
  fs.copyFileSync(path.join(paths.root, 'README.md'), notes);
  const formes = pack(path.join(paths.root, 'examples/formes.toml'));
  const garbage = Buffer.from(Array.from({ length: 5000 }, (_, i) => (i * 7919) % 251));
  // A quiz page cut inside its content block, as a broken download leaves it.
  const page = fs.readFileSync(packPage(path.join(paths.root, 'examples/capitales.toml')));
  const cutPage = path.join(temp, 'coupée.html');
  fs.writeFileSync(cutPage, page.subarray(0, page.indexOf('</script>', page.indexOf('id="quiz-content"')) - 20));
  return [
    // What is not a quiz at all: the page says so and opens nothing. Streams
    // that do not decode: the player's own box, then its defaults.
    { file: notes, status: /ne s’ouvre pas\. Ce fichier n'est pas un quiz : ce n'est ni un programme Windows ni une page de quiz/ },
    { file: cutPage, status: /ne s’ouvre pas\. Cette page de quiz est abîmée/ },
    // A quiz page, whole, opens as its .exe does.
    { file: packPage(path.join(paths.root, 'examples/capitales.toml'), '-entière'), questions: 6, fields: 6 },
    { file: withResource(capitales, 'coupe', 'PATCH', 104, good, '--encode', '--cut', '9'), box: /Erreur dans le décryptage des reponses/, questions: 2 },
    { file: withResource(capitales, 'codes-coupes', 'PATCH', 105, Buffer.from('CODE\r\n'.repeat(6)), '--encode', '--cut', '3'), box: /Erreur dans le décryptage des codes/, questions: 6 },
    { file: withResource(capitales, 'brut', 'PATCH', 104, garbage), box: /Erreur dans le décryptage des reponses/, questions: 2 },
    // The parser's guards: at most 96 questions, a count above the records,
    // answers per question 0 and 3 read as 1, texts cut at 259 bytes.
    { file: withResource(capitales, 'q200', 'PATCH', 104, content({ count: 200, records: records(200) }), '--encode'), questions: 96 },
    { file: withResource(capitales, 'q255', 'PATCH', 104, content({ count: 255, records: records(4) }), '--encode'), questions: 4 },
    { file: withResource(capitales, 'a0', 'PATCH', 104, content({ count: 3, per: 0, records: records(3) }), '--encode'), questions: 3, fields: 3 },
    { file: withResource(capitales, 'a3', 'PATCH', 104, content({ count: 3, per: 3, records: records(3) }), '--encode'), questions: 3, fields: 3 },
    { file: withResource(capitales, 'longs', 'PATCH', 104, Buffer.concat([Buffer.from([0, 1, 2, 1]),
      Buffer.from(`${long}|${long}|${long}|${long}|${long}|${long}|${long}|r2|${long}|\x02${long}|${long}|\x0a\x14\x1e`, 'latin1')]), '--encode'), questions: 2, title: 259 },
    // Pictures that do not decode: the page lays out their boxes empty.
    { file: withResource(formes, 'images', 'IMG', 401, garbage), questions: 4, pictures: 3 },
  ];
}
