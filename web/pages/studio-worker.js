// The studio's worker: the module's long work (decoding and scaling pictures,
// packing, reading packed quizzes, zipping) away from the page's thread, so
// that the page never freezes. The module's script and fflate come before
// this text in the worker's script; the page sends the compiled module, the
// player and the web player's page first. Every request carries an id; its answer too.
'use strict';
let started;
const quizModule = new Promise((resolve) => (started = resolve));
const readBytes = (blob) => new Uint8Array(new FileReaderSync().readAsArrayBuffer(blob));

const handlers = {

  // A picture or clip as a question of a quiz of `kind` on the page colour
  // `background` would hold it, a picture with its thumbnail, and the digest
  // of its bytes by which packing knows it again; a missing file (no blob)
  // gets the message build gives it.
  async checkMedia(m, request) {
    const bytes = request.blob ? readBytes(request.blob) : null;
    const result = m.check_media(bytes, request.kind, request.name, request.background);
    if (bytes && self.crypto && crypto.subtle) {
      const digest = new Uint8Array(await crypto.subtle.digest('SHA-256', bytes));
      result.digest = [...digest].map((b) => b.toString(16).padStart(2, '0')).join('');
    }
    return { result, transfer: result.thumbnail ? [result.thumbnail.rgba.buffer] : [] };
  },

  // `keys`: each media path's digest, so that pictures packed before are
  // taken again rather than scaled again.
  build(m, request) {
    const read = (path) => (request.media[path] ? readBytes(request.media[path]) : null);
    const progress = (done, total) => postMessage({ id: request.id, progress: { done, total } });
    const result = m.build_quiz(request.source, read, progress, false, request.form || 'exe', request.keys || null);
    return { result, transfer: result.bytes ? [result.bytes.buffer] : [] };
  },

  openExe(m, request) {
    const result = m.open_quiz(readBytes(request.blob), request.name);
    return { result, transfer: (result.media || []).map((file) => file.bytes.buffer) };
  },

  // The source and its media, stored as they are: pictures and clips do not
  // compress, and a zip without compression is made at once.
  zip(m, request) {
    const entries = {};
    for (const file of request.files) {
      const bytes = file.text !== undefined ? fflate.strToU8(file.text) : readBytes(file.blob);
      entries[file.path] = [bytes, { level: 0 }];
    }
    const bytes = fflate.zipSync(entries);
    return { result: { bytes }, transfer: [bytes.buffer] };
  },

  unzip(m, request) {
    const entries = fflate.unzipSync(readBytes(request.blob));
    const files = Object.keys(entries)
      .filter((path) => !path.endsWith('/'))
      .map((path) => ({ path, bytes: entries[path] }));
    return { result: { files }, transfer: files.map((file) => file.bytes.buffer) };
  },
};

function start(request) {
  const instantiateWasm = (imports, done) => {
    WebAssembly.instantiate(request.wasm, imports).then((instance) => done(instance, request.wasm));
    return {};
  };
  QuizModule({ instantiateWasm }).then((m) => {
    m.set_player(new Uint8Array(request.player));
    m.set_page(new Uint8Array(request.page));
    started(m);
    postMessage({ id: request.id, result: {} });
  });
}

onmessage = async (event) => {
  const request = event.data;
  if (request.type === 'start') return start(request);
  const m = await quizModule;
  try {
    const answer = await handlers[request.type](m, request);
    const result = answer.result !== undefined ? answer.result : answer;
    postMessage({ id: request.id, result }, answer.transfer || []);
  } catch (error) {
    postMessage({ id: request.id, failure: String((error && error.message) || error) });
  }
};
