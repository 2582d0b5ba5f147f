// player.html: the module compiled from the page's own bytes, a file chosen
// or dropped opened in the player.
(function () {
  'use strict';
  const bytesOf = (id) => Uint8Array.from(atob(document.getElementById(id).textContent.trim()), (c) => c.charCodeAt(0));
  let player = null;

  async function openFile(file) {
    if (!file || !player) return;
    document.documentElement.dataset.ready = 'opening';
    try {
      await player.open(new Uint8Array(await file.arrayBuffer()), file.name);
    } finally {
      document.documentElement.dataset.ready = 'true';
    }
  }

  async function start() {
    const wasm = await WebAssembly.compile(bytesOf('quiz-wasm'));
    const module = await QuizModule({
      instantiateWasm: (imports, done) => {
        WebAssembly.instantiate(wasm, imports).then((instance) => done(instance, wasm));
        return {};
      },
    });
    player = QuizPlayer.create(document.getElementById('player'), module);
    window.quizPlayer = player;
    const input = document.getElementById('open-quiz');
    input.addEventListener('change', () => {
      openFile(input.files[0]);
      input.value = '';
    });
    QuizPlayer.acceptDroppedFiles((files) => openFile(files[0]));
    document.documentElement.dataset.ready = 'true';
  }

  start().catch((error) => {
    document.getElementById('player').textContent = `Le lecteur n’a pas pu démarrer : ${error.message}.`;
  });
})();
