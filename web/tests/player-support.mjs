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
