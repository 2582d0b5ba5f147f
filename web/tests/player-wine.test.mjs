// The web player against the Windows player under Wine: the same packed
// quizzes (the examples and the end-to-end suite's own), answered with the
// same typed texts (Enter after each, the "texte" box of answer mode 3
// answered), give the same verdict labels, boxes, reveal labels shown,
// score, code and answers file bytes.
//
//   node --test web/tests/player-wine.test.mjs
// Needs build/wasm, build/win32 (quizpack) and the Wine preset's build
// (player.exe, web/studio_check.exe), with scripts/wine-env up.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { execFileSync } from 'node:child_process';
import { paths, quizSources, readFields, cp1252Hex } from './support.mjs';
import { pack, script, playInModule } from './player-support.mjs';

const wineEnv = { ...process.env, QUIZ_WINE_ARCH: process.env.QUIZ_WINE_ARCH || execFileSync(path.join(paths.root, 'scripts/wine-env'), ['preset']).toString().trim() };
const preset = wineEnv.QUIZ_WINE_ARCH;
const presetPlayer = path.join(paths.root, `build/${preset}/player.exe`);
const studioCheck = path.join(paths.root, `build/${preset}/web/studio_check.exe`);
const wine = (...args) => execFileSync(path.join(paths.root, 'scripts/wine-run'), args, { env: wineEnv, timeout: 120000 }).toString('latin1');
const windowsPath = (file) => 'Z:' + file.replace(/\//g, '\\');

test('every packed quiz answers the same in the web player and in the Windows player', () => {
  let reveals = 0, boxes = 0;
  for (const source of quizSources()) {
    const exe = pack(source, presetPlayer, `-${preset}`);
    const typed = script(exe).filter((s) => !s.spread).map((s, i) => ({ k: i + 1, text: s.text }));
    const name = path.basename(source, '.toml');
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
  }
  assert.ok(reveals > 0 && boxes > 0, 'some reveal shown and some box told');
});
