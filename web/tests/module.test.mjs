// The WebAssembly module under node against the native build: the same
// quizzes packed to the same bytes, the same sources read back from them, the
// same verdicts, and bad inputs refused with their message and no file.
//
//   node --test web/tests/module.test.mjs
// Needs build/wasm (the module), build/win32 (player.exe and quizpack).
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { createRequire } from 'node:module';
import { execFile, execFileSync } from 'node:child_process';
import { promisify } from 'node:util';
import { paths, quizSources, mediaReader, cp1252Text, FAIR_TYPED } from './support.mjs';
import { makePage } from '../tools/make-page.mjs';

const require = createRequire(import.meta.url);
// Its .wasm given as bytes: this emscripten would fetch() it, which node's
// fetch cannot do from a file path.
const quiz = await require(paths.module)({ wasmBinary: fs.readFileSync(paths.module.replace(/\.js$/, '.wasm')) });
const player = fs.readFileSync(paths.player32);
quiz.set_player(player);
quiz.set_page(fs.readFileSync(paths.playerPage));
const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'quiz-module-'));
process.on('exit', () => fs.rmSync(temp, { recursive: true, force: true }));

const quizpack = (...args) => execFileSync(paths.quizpack, args, { cwd: temp, stdio: ['ignore', 'pipe', 'pipe'] });

function nativeBuild(source) {
  const output = path.join(temp, path.basename(source, '.toml') + '.exe');
  quizpack('build', source, '-o', output, '--player', paths.player32);
  return fs.readFileSync(output);
}

function moduleBuild(source) {
  const steps = [];
  const result = quiz.build_quiz(fs.readFileSync(source, 'utf8'), mediaReader(path.dirname(source)),
    (done, total) => steps.push([done, total]), false, 'exe', null);
  return { result, steps };
}

test('every example and end-to-end quiz, and pictures of every form, pack to the bytes quizpack build writes', () => {
  const forms = ['forms', 'phone'].map((name) => path.join(paths.root, `tests/data/forms/${name}.toml`));
  const sources = [...quizSources(), ...forms];
  assert.ok(sources.length >= 6);
  for (const source of sources) {
    const { result, steps } = moduleBuild(source);
    assert.ok(result.ok, `${source}: ${JSON.stringify(result.messages)}`);
    assert.ok(Buffer.from(result.bytes).equals(nativeBuild(source)), source);
    assert.equal(steps.length, result.pictures + result.clips, source);
  }
});

test('every quiz as a page and as a SCORM package: the bytes quizpack writes, its warnings in French', () => {
  for (const source of quizSources()) {
    for (const [form, output, extra] of [['html', 'quiz.html', []], ['scorm', 'quiz.zip', ['--scorm']]]) {
      const result = quiz.build_quiz(fs.readFileSync(source, 'utf8'), mediaReader(path.dirname(source)), () => {}, false, form, null);
      assert.ok(result.ok, `${source}: ${JSON.stringify(result.messages)}`);
      const written = path.join(temp, output);
      quizpack('build', source, '-o', written, '--page', paths.playerPage, ...extra);
      assert.ok(Buffer.from(result.bytes).equals(fs.readFileSync(written)), `${source} as ${form}`);
      const avi = result.messages.filter((m) => m.field === 'file' && /format AVI/.test(m.text));
      assert.equal(avi.length, /kind = "video"/.test(fs.readFileSync(source, 'utf8')) ? 1 : 0, source);
    }
  }
});

test('every packed quiz reads back to the source and media quizpack dump gives', () => {
  for (const source of quizSources()) {
    const exe = nativeBuild(source);
    const name = path.basename(source, '.toml') + '.exe';
    const opened = quiz.open_quiz(exe, name);
    assert.ok(opened.ok, source);
    assert.equal(opened.source, quizpack('dump', name).toString('utf8'), source);
    const folder = path.join(temp, 'dump-' + path.basename(source, '.toml'));
    quizpack('dump', name, '-o', folder);
    const written = fs.existsSync(path.join(folder, 'media')) ? fs.readdirSync(path.join(folder, 'media')) : [];
    assert.deepEqual(opened.media.map((m) => m.path).sort(), written.map((f) => 'media/' + f).sort(), source);
    for (const m of opened.media)
      assert.ok(Buffer.from(m.bytes).equals(fs.readFileSync(path.join(folder, m.path))), m.path);
    // The form the studio shows writes the same source again.
    assert.equal('# Read back from ' + name + ' by quizpack dump.\n' + quiz.write_source(opened.form), opened.source);
  }
});

// The try box on a one-question quiz expecting `answer`.
function tryAgainst(answer, typed) {
  const form = quiz.read_source(`kind = "text"\ntitle = "T"\n[[question]]\ntext = "Q"\nanswer = ${JSON.stringify(answer)}\n`).form;
  return quiz.try_answer(form, 0, 1, typed);
}

// The verdict test cases of the core, and variants of every expected answer
// of the quizzes above: what the studio's try box says against quizpack try.
function verdictCases() {
  const cases = [];
  const text = fs.readFileSync(path.join(paths.root, 'tests/core/verdict_test.cpp'), 'latin1');
  const literal = '((?:"(?:[^"\\\\]|\\\\.)*"\\s*)+)';
  const unquote = (group) => [...group.matchAll(/"((?:[^"\\]|\\.)*)"/g)].map((m) => m[1]).join('')
    .replace(/\\x([0-9A-Fa-f]{2})/g, (_, hex) => String.fromCharCode(parseInt(hex, 16)));
  for (const m of text.matchAll(new RegExp(`judged\\(${literal},\\s*${literal}\\)`, 'g')))
    cases.push([cp1252Text(unquote(m[1])), cp1252Text(unquote(m[2]))]);
  // Every call of the native test on two literals read, or the pattern has
  // drifted from how that test is written.
  const written = text.split('judged("').length - 1;
  const fromTest = cases.length;
  const variants = (answer) => {
    const a = [...answer];
    const variant = [answer, answer.toUpperCase(), ` ${answer.toLowerCase()}  `, a.slice().reverse().join(''),
      a.slice(1).join(''), answer + 's', a.slice(0, -1).join(''), a.map((c, i) => (i === 1 ? 'x' : c)).join(''),
      answer.replace(/e/g, 'é'), answer.replace(/[éèê]/g, 'e'), answer.replace(/É/g, 'é'),
      a.slice(0, Math.ceil(a.length * 0.75)).join(''), a.slice(0, Math.ceil(a.length * 0.55)).join(''),
      a.slice(2, -2).join(''), answer + ' et encore', a.map((c, i) => (i > a.length * 0.85 ? 'z' : c)).join(''),
      'rien à voir'];
    if (a.length > 3) variant.push(a[1] + a[0] + a.slice(2).join(''));
    return variant;
  };
  for (const source of quizSources()) {
    const form = quiz.read_source(fs.readFileSync(source, 'utf8')).form;
    for (const q of form.questions)
      for (const answer of q.answer.slice(0, form.answers)) for (const typed of variants(answer)) cases.push([answer, typed]);
  }
  // quizpack try judges the answers of a source: these must be expected answers it accepts.
  const seen = new Set();
  const kept = cases.filter(([expected, typed]) => {
    const key = JSON.stringify([expected, typed]);
    if (seen.has(key)) return false;
    seen.add(key);
    return expected !== '' && expected.trim() === expected && !expected.includes('|');
  });
  return { cases: kept, written, fromTest, keptFromTest: kept.filter((c) => cases.indexOf(c) < fromTest).length };
}

test('the try box gives the native ladder\'s verdict on every case', async () => {
  const { cases, written, fromTest, keptFromTest } = verdictCases();
  assert.ok(written >= 20, `${written} calls in verdict_test.cpp`);
  assert.equal(fromTest, written, "every case of verdict_test.cpp read");
  assert.ok(keptFromTest >= written - 2, `${keptFromTest} of its cases tried`);
  assert.ok(cases.length > 300, String(cases.length));
  const expected = [...new Set(cases.map(([e]) => e))];
  const jobs = [];
  for (let start = 0; start < expected.length; start += 96) {
    const chunk = expected.slice(start, start + 96);
    const source = path.join(temp, `answers-${start}.toml`);
    fs.writeFileSync(source, 'kind = "text"\ntitle = "Essais"\n' +
      chunk.map((e) => `[[question]]\ntext = "Q"\nanswer = ${JSON.stringify(e)}\n`).join(''));
    for (const [answer, typed] of cases.filter(([e]) => chunk.includes(e)))
      jobs.push({ answer, typed, args: ['try', source, String(chunk.indexOf(answer) + 1), '--', typed] });
  }
  // One quizpack per case, a few at a time.
  const run = promisify(execFile);
  const worker = async () => {
    for (let job; (job = jobs.pop());) {
      const native = (await run(paths.quizpack, job.args)).stdout.trimEnd();
      const tried = tryAgainst(job.answer, job.typed);
      assert.ok(tried.ok);
      assert.equal(tried.word, native, `${JSON.stringify(job.answer)} / ${JSON.stringify(job.typed)}`);
      assert.ok(tried.reason.length > 0);
    }
  };
  await Promise.all([worker(), worker(), worker(), worker()]);
});

test('with judging options the try box says what quizpack try says, question by question', async () => {
  const source = path.join(paths.root, 'examples/francais.toml');
  const form = quiz.read_source(fs.readFileSync(source, 'utf8')).form;
  const typed = ['Seine', 'le Seine', 'Paname', 'Panam', 'lyon', 'Marseile', 'la Cité', 'l’île de la Cite',
    'Athenes', 'ATHÈNES', 'Ahtènes', 'La Fontaine', 'Fontaine', 'les miserables', 'Lens', 'Lile', 'Loire', ''];
  // The quiz judged with the "fair" preset, on what its learners type.
  const fair = path.join(paths.root, 'tests/e2e/quizzes/equitable.toml');
  const fairForm = quiz.read_source(fs.readFileSync(fair, 'utf8')).form;
  const run = promisify(execFile);
  const jobs = [];
  form.questions.forEach((q, index) => {
    for (const t of typed) jobs.push({ source, form, index, t });
  });
  fairForm.questions.forEach((q, index) => {
    for (const t of FAIR_TYPED) jobs.push({ source: fair, form: fairForm, index, t });
  });
  const worker = async () => {
    for (let job; (job = jobs.pop());) {
      const native = (await run(paths.quizpack, ['try', job.source, String(job.index + 1), '--', job.t])).stdout.trimEnd().split('\n');
      const tried = quiz.try_answer(job.form, job.index, 1, job.t);
      assert.ok(tried.ok, JSON.stringify(tried));
      assert.deepEqual([tried.word, ...tried.lines.map((l) => '  ' + l)], native, `${job.index + 1} / ${job.t}`);
      assert.ok(tried.reason.length > 0);
    }
  };
  await Promise.all([worker(), worker()]);
  const listed = quiz.try_answer(form, 1, 1, 'Lyon');
  assert.deepEqual([listed.word, listed.reason, listed.look.paint], ['Pas Lyon', 'une réponse fausse prévue : « Lyon »', '#FFCB26']);
  // A problem in the question stops the try box with its message; one elsewhere does not.
  const broken = structuredClone(form);
  broken.title = 'a|b';
  assert.equal(quiz.try_answer(broken, 1, 1, 'Paname').word, 'BRAVO');
  broken.questions[1].wrong[0].push({ answer: 'paris', verdict: 'Non' });
  assert.match(quiz.try_answer(broken, 1, 1, 'Paname').problem, /accept/);
});

test('the try box shows the words on the page\'s colours, and why', () => {
  const right = tryAgainst('Paris', ' paris');
  assert.deepEqual([right.word, right.look.paint, right.look.back], ['BRAVO', '#00FF00', '#00FF00']);
  assert.equal(right.reason, 'la réponse attendue : les blancs autour et la casse de a à z ne comptent pas');
  const anagram = tryAgainst('Paris', 'PARSI');
  assert.deepEqual([anagram.word, anagram.look.paint, anagram.reason], ['Anagramme', '#FF6400', 'les mêmes lettres dans un autre ordre']);
  assert.equal(tryAgainst('Paris', 'Pares').reason, 'une lettre de différence');
  assert.equal(tryAgainst('Paris', 'Lyon').look.paint, '#FF0000');
  assert.equal(tryAgainst('Paris', '').look.paint, '');  // "?" keeps the dialog's colours
  const typedBadly = tryAgainst('Paris', 'Paris →');
  assert.equal(typedBadly.ok, false);
  assert.match(typedBadly.problem, /U\+2192/);
  assert.equal(quiz.caption_look(250, 250, 250).text, '#000000');
  assert.equal(quiz.caption_look(10, 10, 40).text, '#FFFFFF');
});

test('bad inputs are refused with their message beside their field, and give no file', () => {
  const head = 'kind = "picture"\ntitle = "T"\ncodes = ["A"]\n';
  const question = '[[question]]\nanswer = "A"\npicture = "media/a.jpg"\n';
  const jpeg = fs.readFileSync(path.join(paths.root, 'examples/media/formes-4.jpg'));
  const png = Buffer.from('89504e470d0a1a0a0000000d49484452', 'hex');
  const cases = [
    [head + question, { 'media/a.jpg': png }, 'q1.picture', /ne se décode pas comme une image PNG/],
    [head + question.repeat(97), { 'media/a.jpg': jpeg }, 'questions', /97 questions/],
    [head.replace('"T"', '"a|b"') + question, { 'media/a.jpg': jpeg }, 'title', /«\s\|\s»/],
    [head.replace('"T"', '"Ça → là"') + question, { 'media/a.jpg': jpeg }, 'title', /U\+2192/],
    [head + question, {}, 'q1.picture', /fichier introuvable/],
    [head.replace('"T"', '" "') + question, { 'media/a.jpg': jpeg }, 'title', /pas de titre/],
    [head + 'link = "file:///C:/Windows/calc.exe"\n' + question, { 'media/a.jpg': jpeg }, 'link', /adresse web qui commence par https/],
    [head + 'link_text = "Le site"\n' + question, { 'media/a.jpg': jpeg }, 'link_text', /donnez aussi l'adresse/],
  ];
  for (const [source, media, field, text] of cases) {
    const built = quiz.build_quiz(source, (p) => media[p] || null, () => {}, false, 'exe', null);
    assert.equal(built.ok, false);
    assert.equal(built.bytes, undefined);
    assert.ok(built.messages.some((m) => m.error && m.field === field && text.test(m.text)),
      `${field}: ${JSON.stringify(built.messages)}`);
  }
  assert.match(quiz.check_media(png, 'picture', 'media/a.png', '#5A5F96').problem, /^« media\/a\.png » ne se décode pas comme une image PNG/);
  assert.equal(quiz.check_media(new Uint8Array(0), 'audio', 'x.mp3', '#5A5F96').problem, '« x.mp3 » est un fichier vide');
  assert.equal(quiz.check_media(null, 'video', 'x.avi', '#5A5F96').problem, '« x.avi » ne se lit pas : fichier introuvable');
  const big = quiz.check_media(fs.readFileSync(path.join(paths.root, 'examples/media/formes-1.jpg')), 'picture', 'a.jpg', '#5A5F96');
  assert.deepEqual([big.width, big.height, big.scaled, big.fitted_width, big.fitted_height], [600, 400, true, 260, 173]);
  assert.deepEqual([big.thumbnail.width, big.thumbnail.height, big.thumbnail.rgba.length], [260, 173, 260 * 173 * 4]);
  // Packed quizzes that are not quizzes.
  const exe = nativeBuild(path.join(paths.root, 'examples/formes.toml'));
  for (const [bytes, text] of [[player, /aucun quiz/], [exe.subarray(0, 2000), /n'est pas un quiz/],
    [Buffer.from('MZ'), /n'est pas un programme Windows/], [Buffer.from('pas un programme'), /n'est pas un programme Windows/]]) {
    const opened = quiz.open_quiz(bytes, 'x.exe');
    assert.equal(opened.ok, false);
    assert.ok(opened.messages.some((m) => m.field === 'file' && text.test(m.text)), JSON.stringify(opened.messages));
  }
});

test('questions import and export in the module as quizpack imports and exports them', () => {
  const folder = path.join(paths.root, 'tests/data/import');
  for (const name of fs.readdirSync(folder).sort()) {
    const copy = path.join(temp, name);
    fs.copyFileSync(path.join(folder, name), copy);
    const output = path.join(temp, name + '.toml');
    let native = '';
    try {
      quizpack('--lang', 'fr', 'import', copy, '-o', output);
      native = fs.readFileSync(output, 'utf8');
    } catch {
      native = null;  // nothing to import
    }
    const imported = quiz.import_questions(fs.readFileSync(copy), name, () => false);
    assert.equal(imported.ok, native !== null, name);
    if (native !== null) assert.equal(quiz.write_source(imported.form), native, name);
    assert.ok(imported.messages.every((m) => m.field === 'source' && /^(ligne \d+ : )?\S/.test(m.text)), name);
  }
  for (const source of quizSources().filter((s) => s.includes('/examples/'))) {
    const form = quiz.read_source(fs.readFileSync(source, 'utf8')).form;
    for (const format of ['gift', 'xml']) {
      const output = path.join(temp, path.basename(source, '.toml') + '.' + format);
      const exported = quiz.export_questions(form, format);
      let native = null;
      try {
        quizpack('--lang', 'fr', 'export', source, '-o', output);
        native = fs.readFileSync(output, 'utf8');
      } catch {
        assert.match(exported.messages.map((m) => m.text).join(), /GIFT ne tient qu'une réponse/, source);
      }
      assert.equal(exported.ok, native !== null, `${source} ${format}`);
      if (native !== null) assert.equal(exported.text, native, `${source} ${format}`);
    }
  }
});

test('the page maker inlines each line it knows and refuses one it does not', () => {
  const folder = fs.mkdtempSync(path.join(temp, 'page-'));
  fs.writeFileSync(path.join(folder, 'a.css'), 'p { color: red }\n');
  const make = (line) => {
    fs.writeFileSync(path.join(folder, 'page.html'), `<p>\n${line}\n</p>\n`);
    return makePage(path.join(folder, 'page.html'), { module: paths.module });
  };
  assert.equal(make('<!-- inline style-text a-style a.css -->'), '<p>\n<style id="a-style">\np { color: red }\n</style>\n</p>\n');
  assert.equal(make('<!-- inline style a.css -->'), '<p>\n<style>\np { color: red }\n</style>\n</p>\n');
  for (const line of ['<!-- inline styles a.css -->', '<!-- inline script a-script -->', '<!--inline style a.css -->',
    '<!-- inline style a.css a.css -->', '<!-- inline  style a.css -->', '<!-- inline style a.css --> x'])
    assert.throws(() => make(line), /not an inline line it knows/, line);
});
