// What the web tests share: where the builds put things, the quizzes of the
// suites, and small conversions.
import fs from 'node:fs';
import path from 'node:path';

const root = path.resolve(new URL('../..', import.meta.url).pathname);

export const paths = {
  root,
  module: path.join(root, 'build/wasm/web/quiz_web.js'),
  // The play-only module of player.html and every quiz page.
  playModule: path.join(root, 'build/wasm/web/quiz_play.js'),
  playerPage: path.join(root, 'build/wasm/web/player.html'),
  studio: path.join(root, 'build/wasm/web/studio.html'),
  player32: path.join(root, 'build/win32/player.exe'),
  // The native quizpack of the cross build (release), as quiz_package() runs it.
  quizpack: process.env.QUIZPACK || path.join(root, 'build/win32/host/quizpack'),
};

// The example quizzes and the end-to-end suite's own, in a stable order.
export function quizSources() {
  const inFolder = (folder) => fs.readdirSync(path.join(root, folder))
    .filter((name) => name.endsWith('.toml')).sort().map((name) => path.join(root, folder, name));
  return [...inFolder('examples'), ...inFolder('tests/e2e/quizzes')];
}

// What the front ends are compared on for the quiz judged with the "fair"
// preset (tests/e2e/quizzes/equitable.toml): one typed answer a question, as
// tests/e2e/judging_e2e_test.cpp types them into the Windows player.
export const FAIR_TYPED = ['Saint Etienne', ' 1789.', 'Paris !', 'coeur', 'ETAT', 'Seine', 'Athenes',
  '« Le Cid »', 'Lile', 'Havre'];

// A media reader for the module: the files beside a source, by their path.
export function mediaReader(folder) {
  return (written) => {
    try {
      return fs.readFileSync(path.join(folder, written));
    } catch {
      return null;
    }
  };
}

// A text whose characters are Windows-1252 bytes, as the text they stand for.
export function cp1252Text(bytes) {
  return new TextDecoder('windows-1252').decode(Uint8Array.from(bytes, (c) => c.charCodeAt(0)));
}

// The Windows-1252 bytes of a text, in hex (the characters of the tests only).
export function cp1252Hex(text) {
  const high = { '€': 0x80, 'œ': 0x9c, 'Œ': 0x8c, '’': 0x92 };
  return [...text].map((c) => (high[c] ?? c.charCodeAt(0)).toString(16).padStart(2, '0')).join('');
}

// Fields printed as `quizpack build --fields` and studio_check print them,
// with \xHH escapes undone into Windows-1252 text.
export function readFields(text) {
  const fields = {};
  for (const line of text.replace(/\r/g, '').split('\n')) {
    const at = line.indexOf('=');
    if (at > 0) fields[line.slice(0, at)] = cp1252Text(line.slice(at + 1).replace(/\\x([0-9A-F]{2})/g, (_, h) => String.fromCharCode(parseInt(h, 16))));
  }
  return fields;
}

// Whether bytes hold a Windows program: "MZ" whose header offset leads to
// "PE\0\0", as they are or inside any run of base64 among them (read from
// each of its first four characters, whatever its alignment).
export function holdsProgram(bytes) {
  const isProgram = (buffer) => {
    for (let at = buffer.indexOf('MZ'); at >= 0; at = buffer.indexOf('MZ', at + 1)) {
      if (at + 0x40 > buffer.length) break;
      const header = at + buffer.readUInt32LE(at + 0x3c);
      if (header + 4 <= buffer.length && buffer.readUInt32LE(header) === 0x00004550) return true;
    }
    return false;
  };
  const buffer = Buffer.from(bytes);
  if (isProgram(buffer)) return true;
  for (const [run] of buffer.toString('latin1').matchAll(/[A-Za-z0-9+/]{64,}/g)) {
    for (let shift = 0; shift < 4; ++shift) if (isProgram(Buffer.from(run.slice(shift), 'base64'))) return true;
  }
  return false;
}
