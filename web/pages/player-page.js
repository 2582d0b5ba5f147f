// player.html, and every quiz page made from it: the module compiled from the
// page's own bytes. A quiz page (its content block filled) opens straight on
// its quiz, keeps the answers in the browser or, inside a school platform, in
// the platform's run-time; the web player's own page opens a quiz .exe or a
// quiz page chosen or dropped.
(function () {
  'use strict';
  const bytesOf = (id) => Uint8Array.from(atob(document.getElementById(id).textContent.trim()), (c) => c.charCodeAt(0));
  let player = null;

  async function openQuiz(source, name) {
    if (!source || !player) return;
    document.documentElement.dataset.ready = 'opening';
    try {
      await player.open(source, name);
    } finally {
      document.documentElement.dataset.ready = 'true';
    }
  }

  // Opening from the moment the file is chosen: reading it comes first.
  async function openFile(file) {
    if (!file) return;
    document.documentElement.dataset.ready = 'opening';
    try {
      await openQuiz(new Uint8Array(await file.arrayBuffer()), file.name);
    } finally {
      document.documentElement.dataset.ready = 'true';
    }
  }

  // The page's own file name, which names its answers file.
  function pageName() {
    const name = decodeURIComponent(location.pathname.split('/').pop() || '');
    return /\.html?$/i.test(name) ? name : 'quiz.html';
  }

  async function start() {
    const wasm = await WebAssembly.compile(bytesOf('quiz-wasm'));
    const module = await QuizModule({
      instantiateWasm: (imports, done) => {
        WebAssembly.instantiate(wasm, imports).then((instance) => done(instance, wasm));
        return {};
      },
    });
    const block = document.getElementById('quiz-content').textContent;
    const quizPage = block.trim() !== '';
    const browserStore = QuizAnswerStore.browser();
    const platform = quizPage ? QuizScorm.connect(window, browserStore) : null;
    player = QuizPlayer.create(document.getElementById('player'), module, { storage: platform || browserStore });
    window.quizPlayer = player;
    if (platform) platform.finishOn(window, () => player.saveAll());
    else window.addEventListener('pagehide', () => player.saveAll());
    if (quizPage) {
      document.body.classList.add('quiz-page');
      await openQuiz(block, pageName());
      return;
    }
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
