// The quiz studio's page: the form, its questions and media, the try boxes,
// opening and saving. Every check, verdict, colour and byte comes from the
// project's core (the module); this lays them out and handles the author.
(function () {
  'use strict';
  const $ = (selector, root = document) => root.querySelector(selector);
  const $$ = (selector, root = document) => [...root.querySelectorAll(selector)];

  const MEDIA_KEYS = ['picture', 'answer_picture', 'clip'];
  // Each chooser offers its own kind of file: the pictures quizpack takes
  // (the module says why it refuses any other); a clip is MP3 in an audio
  // quiz, AVI in a video quiz.
  const PICTURE_FILES = '.jpg,.jpeg,.png,.gif,.bmp,.webp,image/jpeg,image/png,image/gif,image/bmp,image/webp';
  const MEDIA_TEXTS = {
    picture: { label: 'Image', choose: 'Choisir une image…', the: 'l’image', accept: PICTURE_FILES },
    answer_picture: { label: 'Image réponse', choose: 'Choisir une image…', the: 'l’image réponse', accept: PICTURE_FILES },
    audio: { label: 'Extrait audio (MP3)', choose: 'Choisir un extrait…', the: 'l’extrait', accept: '.mp3,audio/mpeg' },
    video: { label: 'Extrait vidéo (AVI)', choose: 'Choisir une vidéo…', the: 'la vidéo', accept: '.avi,video/x-msvideo,video/avi' },
  };
  const mediaTexts = (key) => MEDIA_TEXTS[key === 'clip' ? state.form.kind : key] || MEDIA_TEXTS.audio;
  const SAVE_DELAY = 300;
  const PROBLEMS_LISTED = 3;

  let quiz;        // the module on this thread: checks, tries, looks (all quick)
  let worker;      // the module in a worker: pictures, packing, reading quizzes
  let nextId = 1;  // ids of requests to the worker, and of questions on the page
  const pending = new Map();
  const state = {
    form: null,
    // path as the source names it -> {blob, name, checks: {kind: result}, url, digest}
    media: new Map(),
    // Problems are shown for the fields the author has touched (typed in or
    // left), and all of them once a quiz is opened or a download asked for.
    touched: new Set(),
    showAll: false,
  };
  // What of the form the quiz uses (the module's form_use): the rest is set
  // aside, kept but neither shown nor written.
  let use = null;
  let check = { ok: false, messages: [] };
  let buildMessages = [];
  let busy = false;
  let saveTimer = 0;

  // ---- the worker ----------------------------------------------------------

  const bytesOf = (id) => Uint8Array.from(atob(document.getElementById(id).textContent.trim()), (c) => c.charCodeAt(0));

  // The module's WebAssembly, compiled once for this page and its worker.
  function instantiateWith(wasm) {
    return (imports, done) => {
      WebAssembly.instantiate(wasm, imports).then((instance) => done(instance, wasm));
      return {};
    };
  }

  function startWorker(wasm) {
    const parts = ['quiz-module', 'fflate-library', 'studio-worker'].map((id) => document.getElementById(id).textContent);
    const url = URL.createObjectURL(new Blob(parts, { type: 'text/javascript' }));
    worker = new Worker(url);
    worker.onmessage = (event) => {
      const answer = event.data;
      const waiting = pending.get(answer.id);
      if (!waiting) return;
      if (answer.progress) {
        if (waiting.progress) waiting.progress(answer.progress);
        return;
      }
      pending.delete(answer.id);
      if (answer.failure) waiting.reject(new Error(answer.failure));
      else waiting.resolve(answer.result);
    };
    const player = bytesOf('player-exe'), page = bytesOf('player-page');
    return ask('start', { wasm, player: player.buffer, page: page.buffer }, null, [player.buffer, page.buffer]);
  }

  function ask(type, request, progress, transfer) {
    const id = nextId++;
    return new Promise((resolve, reject) => {
      pending.set(id, { resolve, reject, progress });
      worker.postMessage({ ...request, type, id }, transfer || []);
    });
  }

  // ---- the form ------------------------------------------------------------

  // The rules of a judging table: a key left out is ''.
  const RULES = ['preset', 'accented_case', 'accents', 'articles', 'hyphens', 'punctuation', 'ligatures',
    'unaccented_capitals', 'numbers', 'optional_circumflex',
    'capital_articles'];

  function newJudging() {
    return Object.fromEntries([['present', false], ...RULES.map((rule) => [rule, ''])]);
  }

  function newQuestion() {
    return {
      id: nextId++, text: '', answer: ['', ''], reveal: '', picture: '', answer_picture: '', clip: '',
      also: [[], []], wrong: [[], []], judging: newJudging(),
    };
  }

  function newForm() {
    return {
      kind: 'text', answers: 1, title: '', author: '', explanation: '', link: '', link_text: '', labels: ['', ''],
      // A new quiz is judged as a teacher would: the "fair" preset, offered first.
      answer_mode: 'none', background: '#5A5F96', codes: [], mastery_score: '',
      judging: { ...newJudging(), present: true, preset: 'fair' },
      questions: [newQuestion()],
    };
  }

  // A form from the module, with the page's own ids on its questions.
  function adopt(form) {
    form.judging = form.judging || newJudging();
    form.questions.forEach((q) => {
      q.id = nextId++;
      q.also = q.also || [[], []];
      q.wrong = q.wrong || [[], []];
      q.judging = q.judging || newJudging();
    });
    if (!form.background) form.background = '#5A5F96';
    form.link = form.link || '';
    form.link_text = form.link_text || '';
    if (!form.answer_mode) form.answer_mode = 'none';
    return form;
  }

  function isEmpty() {
    const f = state.form;
    return !f.title && !f.author && !f.explanation && !f.link && !f.link_text && f.codes.length === 0 && state.media.size === 0 &&
      f.questions.every((q) => !q.text && !q.answer[0] && !q.answer[1] && !q.reveal);
  }

  // The quiz's source: what its kind and answer mode do not use left out.
  function source() {
    return quiz.write_source(state.form);
  }

  function refreshUse() {
    use = quiz.form_use(state.form);
  }

  function usedMediaKeys() {
    return MEDIA_KEYS.filter((key) => use[key]);
  }

  // French counts: 0 and 1 take the singular.
  function counted(n, one, many) {
    return `${n} ${n > 1 ? many : one}`;
  }

  // ---- rendering -----------------------------------------------------------

  function renderQuiz() {
    const f = state.form;
    refreshUse();
    for (const input of $$('.quiz [data-key]')) {
      const key = input.dataset.key;
      if (input.type === 'radio') input.checked = input.value === f[key];
      else if (key === 'label1') input.value = f.labels[0];
      else if (key === 'label2') input.value = f.labels[1];
      else if (key === 'codes') input.value = f.codes.join('\n');
      else if (key === 'answers') input.value = String(f.answers);
      else if (key === 'answer_mode') input.value = use.answer_mode;
      else if (key === 'background') input.value = /^#[0-9a-fA-F]{6}$/.test(f.background) ? f.background.toLowerCase() : '#5a5f96';
      else input.value = f[key] ?? '';
    }
    showUse();
    showBackground();
    renderJudging();
  }

  // Fields that do nothing for the quiz's kind or answer mode are not shown.
  function showUse() {
    $('[data-use="answers"]').hidden = use.known_kind && use.question_text; // a text quiz has one
    for (const field of $$('[data-use="labels"]')) field.hidden = !use.labels;
    $('#f-answer-mode option[value="picture"]').hidden = !use.picture_mode;
    $('#f-answer-mode').value = use.answer_mode;
  }

  // The numbers and captions on the background as the pages draw them (in
  // a colour that reads), and their contrast in the Windows player, which
  // writes them black or white: said plainly when they read poorly there.
  function showBackground() {
    const colour = state.form.background;
    const preview = $('#background-preview');
    if (!/^#[0-9a-fA-F]{6}$/.test(colour)) return;
    const look = quiz.caption_look(parseInt(colour.slice(1, 3), 16), parseInt(colour.slice(3, 5), 16), parseInt(colour.slice(5, 7), 16));
    preview.style.background = look.paint || colour;
    preview.style.color = look.text;
    const ratio = `${(Math.floor(look.player_contrast * 10) / 10).toFixed(1).replace('.', ',')} : 1`;
    const note = $('#background-contrast');
    // The player's own background, never chosen, is not the author's to
    // mend: a new quiz opens without a warning, as with its other problems.
    const chosen = state.showAll || state.touched.has('background');
    note.textContent = look.player_reads || !chosen
      ? `Contraste dans le lecteur Windows : ${ratio}.`
      : `Contraste dans le lecteur Windows : ${ratio}, difficile à lire (il faut plus de 4,5 : 1) : il écrit les numéros et les libellés en ${look.player_text === '#FFFFFF' ? 'blanc' : 'noir'} sur ce fond. Les pages web les montrent comme ci-dessus ; un fond plus clair ou plus sombre se lira partout.`;
    note.classList.toggle('warning', chosen && !look.player_reads);
  }

  function renderQuestions(focusId, focusSelector) {
    const list = $('#question-list');
    list.textContent = '';
    state.form.questions.forEach((q, index) => list.appendChild(questionCard(q, index)));
    $('#question-count').textContent = `(${state.form.questions.length})`;
    if (focusId) {
      const card = list.querySelector(`[data-question="${focusId}"]`);
      const shown = (element) => element && element.getClientRects().length > 0;
      const target = card && [card.querySelector(focusSelector), ...card.querySelectorAll('input')].find(shown);
      if (target) focusForAuthor(target);
    }
  }

  function questionCard(q, index) {
    const card = $('#question-template').content.firstElementChild.cloneNode(true);
    const number = index + 1;
    const prefix = `q${number}`;
    card.dataset.question = q.id;
    card.dataset.field = prefix;
    $('.question-title', card).textContent = `Question ${number}`;
    $('[data-messages="question"]', card).dataset.messages = prefix;
    for (const button of $$('.question-actions button', card)) {
      button.setAttribute('aria-label', `${button.textContent} la question ${number}`);
      button.addEventListener('click', () => questionAction(q, button.dataset.action));
    }
    $('[data-action="up"]', card).disabled = index === 0;
    $('[data-action="down"]', card).disabled = index === state.form.questions.length - 1;
    for (const part of $$('[data-part]', card)) {
      const key = part.dataset.part;
      const input = $('input, textarea', part);
      const id = `q${q.id}-${key}`;
      input.id = id;
      $('label', part).htmlFor = id;
      input.dataset.field = `${prefix}.${key}`;
      input.dataset.touch = `${q.id}:${key}`;
      input.value = key === 'answer1' ? q.answer[0] : key === 'answer2' ? q.answer[1] : q[key];
      const messages = document.createElement('p');
      messages.className = 'problems';
      messages.id = `${id}-messages`;
      messages.dataset.messages = input.dataset.field;
      part.appendChild(messages);
      input.setAttribute('aria-describedby', messages.id);
      input.addEventListener('input', () => {
        if (key === 'answer1') q.answer[0] = input.value;
        else if (key === 'answer2') q.answer[1] = input.value;
        else q[key] = input.value;
        if (key.startsWith('answer')) retry(card, q);
        changed();
      });
    }
    $('[data-part="text"]', card).hidden = !use.question_text;
    $('[data-part="answer2"]', card).hidden = use.answers !== 2;
    if (use.answers === 2) $('[data-part="answer1"] label', card).textContent = 'Réponse attendue 1';
    $('[data-part="reveal"]', card).hidden = !use.reveal;
    judgingBox(q, card, prefix);
    const row = $('.media-row', card);
    for (const key of usedMediaKeys()) row.appendChild(mediaBox(q, key, prefix));
    const tries = $('.tries', card);
    for (let field = 1; field <= use.answers; ++field) tries.appendChild(tryBox(q, field));
    card.addEventListener('dragover', (event) => dragOver(event, card));
    card.addEventListener('dragleave', () => card.classList.remove('dragover'));
    card.addEventListener('drop', (event) => dropOnQuestion(event, q, card));
    return card;
  }

  // Each field's other accepted answers (one a line) and anticipated wrong
  // answers ("answer | verdict" a line: "|" cannot be in a text of the
  // quiz), and the question's own rules.
  function judgingBox(q, card, prefix) {
    const box = $('.question-judging', card);
    const fields = $('.judging-fields', box);
    const answers = use.answers;
    const used = q.judging.present || [0, 1].some((j) => q.also[j].length || q.wrong[j].length);
    if (used) box.open = true;
    for (let j = 0; j < answers; ++j) {
      const which = answers === 2 ? ` (réponse ${j + 1})` : '';
      fields.appendChild(listField(q, `also${j + 1}`, `${prefix}.also${j + 1}`,
        `Autres réponses acceptées${which}, une par ligne`, q.also[j].join('\n'), (text) => {
          q.also[j] = lines(text);
        }, card));
      fields.appendChild(listField(q, `wrong${j + 1}`, `${prefix}.wrong${j + 1}`,
        `Réponses fausses prévues${which}, une par ligne : réponse | verdict`,
        q.wrong[j].map((w) => `${w.answer} | ${w.verdict}`).join('\n'), (text) => {
          q.wrong[j] = lines(text).map((line) => {
            const bar = line.indexOf('|');
            return bar < 0 ? { answer: line.trim(), verdict: '' }
              : { answer: line.slice(0, bar).trim(), verdict: line.slice(bar + 1).trim() };
          });
        }, card));
    }
    const messages = $('[data-messages="judging"]', box);
    messages.dataset.messages = `${prefix}.judging`;
    messages.id = `q${q.id}-judging-messages`;
    for (const select of $$('select[data-rule]', box)) {
      select.setAttribute('aria-describedby', messages.id);
      const rule = select.dataset.rule;
      select.id = `q${q.id}-${rule}`;
      $(`label[data-for="${rule}"]`, box).htmlFor = select.id;
      select.dataset.field = `${prefix}.judging`;
      select.dataset.touch = `${q.id}:judging`;
      select.value = q.judging[rule];
      select.addEventListener('change', () => {
        q.judging[rule] = select.value;
        q.judging.present = RULES.some((r) => q.judging[r]);
        retry(card, q);
        changed();
      });
    }
  }

  function lines(text) {
    return text.replace(/\r/g, '').split('\n').filter((line) => line.trim() !== '');
  }

  function listField(q, key, field, label, value, set, card) {
    const id = `q${q.id}-${key}`;
    const part = document.createElement('div');
    part.className = 'field';
    const title = document.createElement('label');
    title.htmlFor = id;
    title.textContent = label;
    const input = document.createElement('textarea');
    input.id = id;
    input.rows = 2;
    input.spellcheck = false;
    input.dataset.field = field;
    input.dataset.touch = `${q.id}:${key}`;
    input.value = value;
    const messages = document.createElement('p');
    messages.className = 'problems';
    messages.id = `${id}-messages`;
    messages.dataset.messages = field;
    input.setAttribute('aria-describedby', messages.id);
    input.addEventListener('input', () => {
      set(input.value);
      retry(card, q);
      changed();
    });
    part.append(title, input, messages);
    return part;
  }

  // The quiz's [judging] table.
  function renderJudging() {
    const judging = state.form.judging;
    $('#j-present').checked = judging.present;
    // A rule left out is the preset's: its first choice says which.
    const preset = judging.preset ? quiz.preset_rules(judging.preset) : null;
    for (const select of $$('#judging select[data-rule]')) {
      const rule = select.dataset.rule;
      select.value = judging[rule];
      const first = select.options[0];
      if (rule === 'preset' || first.value !== '') continue;
      first.dataset.plain ??= first.textContent;
      const chosen = preset && [...select.options].find((o) => o.value === preset[rule]);
      first.textContent = chosen ? `comme le préréglage : ${chosen.textContent.replace(/, écrit dans la source$/, '')}`
        : first.dataset.plain;
    }
    showJudgingNote();
  }

  function showJudgingNote() {
    const byQuestions = state.form.questions.some((q) => q.judging.present ||
      [0, 1].some((j) => q.also[j].length || q.wrong[j].length));
    $('#j-note').hidden = !byQuestions || state.form.judging.present;
  }

  function judgingChanged(input) {
    const judging = state.form.judging;
    const rule = input.dataset.rule;
    if (rule === 'present') {
      judging.present = input.checked;
      if (!input.checked) for (const r of RULES) judging[r] = '';
    } else {
      judging[rule] = input.value;
      if (input.value) judging.present = true;
    }
    renderJudging();
    for (const card of $$('#question-list .question')) {
      const q = state.form.questions.find((item) => String(item.id) === card.dataset.question);
      if (q) retry(card, q);
    }
    changed();
  }

  function mediaBox(q, key, prefix) {
    const box = $('#media-template').content.firstElementChild.cloneNode(true);
    const texts = mediaTexts(key);
    const field = `${prefix}.${key}`;
    const number = prefix.slice(1);
    box.dataset.key = key;
    box.dataset.question = String(q.id);
    $('.media-label', box).textContent = texts.label;
    $('.choose', box).textContent = texts.choose;
    const input = $('input', box);
    input.accept = texts.accept;
    input.dataset.field = field;
    input.dataset.touch = `${q.id}:${key}`;
    input.setAttribute('aria-label', `${texts.label}, question ${number} : ${texts.choose.replace('…', '').toLowerCase()}`);
    input.addEventListener('change', () => {
      if (input.files.length) setMedia(q, key, input.files[0]);
    });
    const problems = $('.problems', box);
    problems.dataset.messages = field;
    problems.id = `q${q.id}-${key}-messages`;
    input.setAttribute('aria-describedby', problems.id);
    const remove = $('[data-action="remove"]', box);
    remove.setAttribute('aria-label', `Retirer ${texts.the} de la question ${number}`);
    remove.hidden = !q[key];
    remove.addEventListener('click', () => {
      q[key] = '';
      forgetUnusedMedia();
      renderQuestions(q.id, `.media[data-key="${key}"] input`);
      changed();
    });
    const drop = $('.drop', box);
    drop.addEventListener('dragover', (event) => dragOver(event, drop));
    drop.addEventListener('dragleave', () => drop.classList.remove('dragover'));
    drop.addEventListener('drop', (event) => {
      event.preventDefault();
      event.stopPropagation();
      drop.classList.remove('dragover');
      const file = event.dataTransfer.files[0];
      if (file) setMedia(q, key, file);
    });
    showMedia(box, q[key]);
    return box;
  }

  function sizeText(bytes) {
    if (bytes < 1024) return counted(bytes, 'octet', 'octets');
    if (bytes < 1024 * 1024) return `${Math.round(bytes / 1024)} Ko`;
    return `${(bytes / 1024 / 1024).toFixed(1).replace('.', ',')} Mo`;
  }

  // The name the author knows a media file by: its own file name.
  function mediaName(path) {
    const media = state.media.get(path);
    return media && /^media\//.test(path) ? media.name : path;
  }

  function showMedia(box, path) {
    const media = path && state.media.get(path);
    const thumb = $('.thumb', box);
    $('.media-name', box).textContent = path ? mediaName(path) : 'aucun fichier : déposez-en un ici';
    let info = '';
    const checked = media && media.checks[state.form.kind];
    if (media) {
      info = sizeText(media.blob.size);
      if (checked && checked.ok && checked.width) {
        info = `${checked.width} × ${checked.height}, ${info}`;
        if (checked.scaled) info += ` : sera réduite à ${checked.fitted_width} × ${checked.fitted_height}`;
      }
      if (!checked) info += ' : vérification…';
      if (box.dataset.key !== 'clip' && checked && checked.ok && checked.thumbnail) {
        thumb.src = thumbnailUrl(media, checked.thumbnail);
        thumb.alt = `Aperçu de ${mediaName(path)}`;
        thumb.hidden = false;
      }
    }
    $('.media-info', box).textContent = info;
    if (box.dataset.key === 'clip') {
      if (checked && checked.ok && !media.clipUrl) media.clipUrl = URL.createObjectURL(media.blob);
      showClip(box, checked && checked.ok ? media.clipUrl : '');
    }
  }

  // The clip can be heard (or seen) in the page, with the browser's own
  // controls; a video the browser cannot decode says so.
  function showClip(box, url) {
    const listen = $('.listen', box);
    const playing = $('audio, video', listen);
    if (playing && playing.dataset.url === url) return;
    listen.textContent = '';
    if (!url) return;
    const video = state.form.kind === 'video';
    const number = $('input', box).dataset.field.replace(/^q(\d+)\..*$/, '$1');
    const player = document.createElement(video ? 'video' : 'audio');
    player.controls = true;
    player.preload = 'metadata';
    player.src = player.dataset.url = url;
    player.setAttribute('aria-label', `${video ? 'Regarder la vidéo' : 'Écouter l’extrait'} de la question ${number}`);
    player.addEventListener('error', () => {
      listen.textContent = video
        ? 'Ce navigateur ne sait pas lire cette vidéo AVI ; le quiz la jouera sous Windows.'
        : 'Ce navigateur ne sait pas lire cet extrait ; le quiz le jouera sous Windows.';
    });
    listen.appendChild(player);
  }

  // The picture the quiz will carry, as the module decodes it (turned
  // upright, on the page colour), not the browser's reading of the file.
  function thumbnailUrl(media, thumbnail) {
    if (media.thumbnail !== thumbnail) {
      const canvas = document.createElement('canvas');
      canvas.width = thumbnail.width;
      canvas.height = thumbnail.height;
      const rgba = new Uint8ClampedArray(thumbnail.rgba.buffer, thumbnail.rgba.byteOffset, thumbnail.rgba.length);
      canvas.getContext('2d').putImageData(new ImageData(rgba, thumbnail.width, thumbnail.height), 0, 0);
      media.thumbnail = thumbnail;
      media.url = canvas.toDataURL('image/png');
    }
    return media.url;
  }

  function tryBox(q, field) {
    const box = $('#try-template').content.firstElementChild.cloneNode(true);
    const input = $('input', box);
    input.id = `q${q.id}-try${field}`;
    $('label', box).htmlFor = input.id;
    if (use.answers === 2) $('label', box).textContent = `Essayer une réponse ${field}`;
    box.dataset.field = String(field);
    input.value = q[`try${field}`] || '';
    input.addEventListener('input', () => {
      q[`try${field}`] = input.value;
      showTry(box, q);
    });
    showTry(box, q);
    return box;
  }

  // The verdict the player gives what is typed, on its colours, and why.
  function showTry(box, q) {
    const field = Number(box.dataset.field);
    const typed = $('input', box).value;
    const verdict = $('.verdict', box);
    const word = $('.word', box);
    const reason = $('.reason', box);
    if (!typed) {
      word.textContent = '';
      verdict.style.background = word.style.background = word.style.color = '';
      reason.textContent = '';
      return;
    }
    const tried = quiz.try_answer(state.form, state.form.questions.indexOf(q), field, typed);
    if (!tried.ok) {
      word.textContent = '';
      verdict.style.background = word.style.background = '';
      reason.textContent = tried.problem || '';
      return;
    }
    word.textContent = tried.word;
    verdict.style.background = tried.look.paint;
    word.style.background = tried.look.back;
    word.style.color = tried.look.text || '#000000';
    reason.textContent = tried.reason;
  }

  function retry(card, q) {
    for (const box of $$('.try', card)) showTry(box, q);
  }

  // ---- messages ------------------------------------------------------------

  // Every problem beside its field: the checks of the source, then what the
  // worker found in each picture or clip the quiz uses.
  function allMessages() {
    const messages = [...check.messages];
    state.form.questions.forEach((q, index) => {
      for (const key of usedMediaKeys()) {
        if (!q[key]) continue;
        const media = state.media.get(q[key]);
        const checked = media ? media.checks[state.form.kind] : missingChecks.get(`${state.form.kind} ${q[key]}`);
        if (checked && !checked.ok) messages.push({ error: true, field: `q${index + 1}.${key}`, text: checked.problem });
      }
    });
    for (const m of buildMessages) messages.push(m);
    return messages;
  }

  function mediaPending() {
    return state.form.questions.some((q) => usedMediaKeys().some((key) => {
      if (!q[key]) return false;
      const media = state.media.get(q[key]);
      return media ? !media.checks[state.form.kind] : !missingChecks.has(`${state.form.kind} ${q[key]}`);
    }));
  }

  // What marks a message's field touched: "title", "codes" (every code),
  // "<question id>:answer1"... (a question keeps its id when it moves).
  function touchOf(field) {
    if (/^code\d+$/.test(field)) return 'codes';
    const match = /^q(\d+)(?:\.(\w+))?$/.exec(field);
    const q = match && state.form.questions[Number(match[1]) - 1];
    if (!q) return field;
    return `${q.id}:${match[2] || ''}`;
  }

  function shown(m) {
    if (state.showAll) return true;
    const touch = touchOf(m.field);
    // A question's own problem shows once any of its fields is touched.
    if (touch.endsWith(':')) return [...state.touched].some((t) => t.startsWith(touch));
    return state.touched.has(touch);
  }

  function touch(key) {
    if (state.touched.has(key)) return false;
    state.touched.add(key);
    return true;
  }

  // Messages name media by the author's own file names.
  function withFileNames(text) {
    return text.replace(/« ([^»]+) »/g, (whole, path) => (state.media.has(path) ? `« ${mediaName(path)} »` : whole));
  }

  function containerOf(field) {
    let match = /^code(\d+)$/.exec(field);
    if (match) return $('[data-messages="codes"]');
    return $(`[data-messages="${field}"]`) || $('[data-messages="source"]');
  }

  function showMessages() {
    for (const element of $$('[data-messages]')) element.textContent = '';
    for (const element of $$('[aria-invalid]')) element.removeAttribute('aria-invalid');
    const messages = allMessages();
    const visible = messages.filter(shown);
    for (const m of visible) {
      const line = document.createElement('span');
      line.className = m.error ? 'error' : 'warning';
      const code = /^code(\d+)$/.exec(m.field);
      line.textContent = (m.error ? '' : 'Attention : ') + (code ? `code ${code[1]} : ` : '') + withFileNames(m.text);
      const container = containerOf(m.field);
      container.appendChild(line);
      const details = container.closest('details');
      if (details) details.open = true;
      if (m.error) {
        const input = fieldElement(m.field);
        if (input && input.matches('input, textarea, select, fieldset')) input.setAttribute('aria-invalid', 'true');
      }
    }
    showProblems(visible.filter((m) => m.error), messages.some((m) => m.error));
  }

  function fieldElement(field) {
    const code = /^code\d+$/.test(field) ? 'codes' : field;
    return $(`[data-field="${code}"]`);
  }

  function fieldName(field) {
    const names = {
      kind: 'Genre', answers: 'Champs de réponse', title: 'Titre', author: 'Auteur', explanation: 'Explication',
      link: 'Adresse du lien', link_text: 'Texte du lien',
      label1: 'Libellé de la réponse 1', label2: 'Libellé de la réponse 2', answer_mode: 'Quand une question est résolue',
      background: 'Couleur de fond', codes: 'Codes', questions: 'Questions', source: 'Quiz', player: 'Lecteur',
      text: 'texte', answer1: use.answers === 2 ? 'réponse attendue 1' : 'réponse attendue',
      answer2: 'réponse attendue 2', reveal: 'texte révélé', picture: 'image', answer_picture: 'image réponse', clip: 'extrait',
      judging: 'Jugement des réponses', also1: 'réponses acceptées', also2: 'réponses acceptées 2',
      wrong1: 'réponses fausses prévues', wrong2: 'réponses fausses prévues 2',
    };
    let match = /^code(\d+)$/.exec(field);
    if (match) return `Code ${match[1]}`;
    match = /^q(\d+)(?:\.(\w+))?$/.exec(field);
    if (match) return `Question ${match[1]}${match[2] ? ', ' + names[match[2]] : ''}`;
    return names[field] || field;
  }

  // The problems that stop the download, in a short list under the bar: a
  // count, the first few, and a button that steps through them all. The
  // quiz's own problems come first, then the questions' in order.
  let problems = [];
  let problemAt = -1;
  function showProblems(errors, blocking) {
    const bar = $('#problems');
    const button = $('#download');
    const waiting = mediaPending();
    button.setAttribute('aria-disabled', String(busy || waiting || blocking));
    button.disabled = busy;
    problems = [...errors].sort((a, b) => /^q\d/.test(a.field) - /^q\d/.test(b.field));
    const list = $('#problem-list');
    list.textContent = '';
    bar.hidden = busy || (problems.length === 0 && !waiting);
    if (problems.length === 0) {
      $('#problem-count').textContent = waiting ? 'Le téléchargement attend la vérification des images et extraits…' : '';
      $('#problem-next').hidden = true;
      return;
    }
    $('#problem-count').textContent = problems.length === 1
      ? 'Un problème empêche le téléchargement :'
      : `${problems.length} problèmes empêchent le téléchargement :`;
    for (const m of problems.slice(0, PROBLEMS_LISTED)) {
      const item = document.createElement('li');
      const link = document.createElement('button');
      link.type = 'button';
      link.className = 'link';
      link.textContent = `${fieldName(m.field)} : ${withFileNames(m.text)}`;
      link.addEventListener('click', () => {
        problemAt = problems.indexOf(m);
        focusField(m.field);
      });
      item.appendChild(link);
      list.appendChild(item);
    }
    if (problems.length > PROBLEMS_LISTED) {
      const item = document.createElement('li');
      item.textContent = `et ${counted(problems.length - PROBLEMS_LISTED, 'autre', 'autres')}`;
      list.appendChild(item);
    }
    $('#problem-next').hidden = problems.length < 2;
  }

  function nextProblem() {
    if (!problems.length) return;
    problemAt = (problemAt + 1) % problems.length;
    focusField(problems[problemAt].field);
    status(`Problème ${problemAt + 1} sur ${problems.length} : ${fieldName(problems[problemAt].field)}.`);
  }

  function focusField(field) {
    const target = fieldElement(field) || containerOf(field);
    const details = target.closest('details');
    if (details) details.open = true;
    const input = target.matches('fieldset') ? $('input:checked, input', target)
      : target.matches('input, textarea, select') ? target
        : $('input, button', target.closest('.media, .question') || target);
    (input || target).focus();
  }

  // ---- changes, checks and saving -----------------------------------------

  function changed() {
    buildMessages = [];
    showJudgingNote();
    check = quiz.check_form(state.form);
    showMessages();
    clearTimeout(saveTimer);
    saveTimer = setTimeout(saveForm, SAVE_DELAY);
  }

  const notices = new Map();
  function notice(key, text) {
    if (text) notices.set(key, text);
    else notices.delete(key);
    const box = $('#notices');
    box.textContent = '';
    for (const line of notices.values()) {
      const p = document.createElement('p');
      p.textContent = line;
      box.appendChild(p);
    }
  }

  function storageProblem(error, what) {
    if (error && error.name === 'QuotaExceededError')
      return `Le navigateur n’a plus de place pour garder ${what} : son espace de stockage est plein. ` +
        'Rien n’est perdu tant que la page reste ouverte ; enregistrez le quiz (.zip) pour le garder, ou libérez de la place.';
    return `Le navigateur n’a pas pu garder ${what} (${(error && (error.message || error.name)) || 'erreur inconnue'}). ` +
      'Rien n’est perdu tant que la page reste ouverte ; enregistrez le quiz (.zip) pour le garder.';
  }

  async function saveForm() {
    try {
      const form = { ...state.form, questions: state.form.questions.map(({ id, ...q }) => q) };
      await StudioStore.saveForm(form);
      notice('form', '');
    } catch (error) {
      notice('form', storageProblem(error, 'le quiz'));
    }
  }

  async function keepMedia(path) {
    const media = state.media.get(path);
    try {
      await StudioStore.putMedia(path, media.blob, media.name);
      notice(`media ${path}`, '');
    } catch (error) {
      notice(`media ${path}`, storageProblem(error, `« ${media.name} »`));
    }
  }

  // Every media file the form names, set aside or not: those the page keeps.
  function referencedPaths() {
    const used = new Set();
    for (const q of state.form.questions) {
      for (const key of MEDIA_KEYS) if (q[key]) used.add(q[key]);
      for (const path of Object.values(q.clips || {})) if (path) used.add(path);
    }
    return used;
  }

  // The media files the quiz uses: those packed and saved.
  function usedPaths() {
    const used = new Set();
    for (const q of state.form.questions) for (const key of usedMediaKeys()) if (q[key]) used.add(q[key]);
    return used;
  }

  function forgetUnusedMedia() {
    const used = referencedPaths();
    for (const [path, media] of state.media) {
      if (used.has(path)) continue;
      if (media.clipUrl) URL.revokeObjectURL(media.clipUrl);
      state.media.delete(path);
      notice(`media ${path}`, '');
      StudioStore.deleteMedia(path).catch(() => {});
    }
  }

  // Results of the worker for media the source names but the page does not
  // have (a source opened without them): "kind path" -> result.
  const missingChecks = new Map();

  function checkAllMedia() {
    const kind = state.form.kind;
    for (const q of state.form.questions) {
      for (const key of usedMediaKeys()) {
        const path = q[key];
        if (!path) continue;
        const media = state.media.get(path);
        if (media) {
          if (media.checks[kind] || media.checking === kind) continue;
          media.checking = kind;
          ask('checkMedia', { blob: media.blob, kind, name: path, background: state.form.background }).then((result) => {
            media.checks[kind] = result;
            if (result.digest) media.digest = result.digest;
            media.checking = null;
            mediaChecked();
          });
        } else if (!missingChecks.has(`${kind} ${path}`)) {
          missingChecks.set(`${kind} ${path}`, null);
          ask('checkMedia', { blob: null, kind, name: path, background: state.form.background }).then((result) => {
            missingChecks.set(`${kind} ${path}`, result);
            mediaChecked();
          });
        }
      }
    }
  }

  let mediaTimer = 0;
  function mediaChecked() {
    clearTimeout(mediaTimer);
    mediaTimer = setTimeout(() => {
      for (const box of $$('.media')) {
        const q = state.form.questions.find((item) => String(item.id) === box.dataset.question);
        if (q) showMedia(box, q[box.dataset.key]);
      }
      showMessages();
    }, 30);
  }

  // A media file's path in the source: its own name under media/, made unique.
  function mediaPath(file) {
    const safe = file.name.replace(/[\\/:*?"<>|\u0000-\u001f]/g, '_') || 'fichier';
    const dot = safe.lastIndexOf('.');
    const stem = dot > 0 ? safe.slice(0, dot) : safe;
    const extension = dot > 0 ? safe.slice(dot) : '';
    for (let n = 1; ; ++n) {
      const path = `media/${stem}${n > 1 ? '-' + n : ''}${extension}`;
      const known = state.media.get(path);
      if (!known || known.blob === file) return path;
    }
  }

  function setMedia(q, key, file) {
    touch(`${q.id}:${key}`);
    const path = mediaPath(file);
    if (!state.media.has(path)) {
      state.media.set(path, { blob: file, name: file.name, checks: {} });
      keepMedia(path);
      if (navigator.storage && navigator.storage.persist) navigator.storage.persist().catch(() => {});
    }
    q[key] = path;
    forgetUnusedMedia();
    renderQuestions(q.id, `.media[data-key="${key}"] input`);
    checkAllMedia();
    changed();
  }

  // The page puts the focus where the author will type next (a new question's
  // first field): leaving it untouched is not touching it.
  let placedFocus = null;
  function focusForAuthor(element) {
    placedFocus = element;
    element.focus();
  }

  // ---- questions -----------------------------------------------------------

  async function questionAction(q, action) {
    touch('questions');
    const list = state.form.questions;
    const index = list.indexOf(q);
    if (action === 'up' && index > 0) {
      list.splice(index - 1, 0, list.splice(index, 1)[0]);
    } else if (action === 'down' && index < list.length - 1) {
      list.splice(index + 1, 0, list.splice(index, 1)[0]);
    } else if (action === 'duplicate') {
      const copy = { ...structuredClone(q), id: nextId++ };
      list.splice(index + 1, 0, copy);
      renderQuestions(copy.id, '[data-key="text"]');
      changed();
      return;
    } else if (action === 'delete') {
      const filled = q.text || q.answer[0] || q.answer[1] || q.reveal || q.picture || q.answer_picture || q.clip;
      if (filled && !(await confirmed(`Supprimer la question ${index + 1} ?`, 'Supprimer'))) return;
      list.splice(index, 1);
      forgetUnusedMedia();
      const next = list[Math.min(index, list.length - 1)];
      renderQuestions(next && next.id, '[data-action="delete"]');
      if (!next) $('#add-question').focus();
      changed();
      return;
    } else {
      return;
    }
    renderQuestions(q.id, `[data-action="${action}"]:not(:disabled)`);
    changed();
  }

  function addQuestion() {
    touch('questions');
    const q = newQuestion();
    state.form.questions.push(q);
    renderQuestions(q.id, state.form.kind === 'text' ? '[data-key="text"]' : '[data-key="answer1"]');
    changed();
  }

  // ---- the quiz's own fields ----------------------------------------------

  // Changing the kind, the answer fields or the answer mode keeps what the
  // quiz then uses and sets the rest aside, shown again on the way back.
  function quizFieldChanged(input) {
    const f = state.form;
    const key = input.dataset.key;
    const before = JSON.stringify(use);
    if (key === 'kind' && input.value !== f.kind) switchClips(f.kind, input.value);
    if (key === 'label1') f.labels[0] = input.value;
    else if (key === 'label2') f.labels[1] = input.value;
    else if (key === 'codes') f.codes = input.value === '' ? [] : input.value.replace(/\r/g, '').replace(/\n$/, '').split('\n');
    else if (key === 'answers') f.answers = Number(input.value);
    else if (key === 'background') f.background = input.value.toUpperCase();
    else f[key] = input.value;
    if (key === 'background') {
      showBackground();
      // Transparent pictures are laid over the page colour: checked again on it.
      for (const media of state.media.values())
        for (const kind of Object.keys(media.checks))
          if (media.checks[kind] && media.checks[kind].transparent) delete media.checks[kind];
      checkAllMedia();
    }
    refreshUse();
    // A new kind also changes what a clip is (MP3 or AVI).
    if (JSON.stringify(use) !== before || key === 'kind') {
      showUse();
      renderQuestions();
      checkAllMedia();
    }
    changed();
  }

  // An audio quiz's clips are MP3 and a video quiz's AVI: each kind keeps its
  // own, set aside while the quiz is of another kind.
  function switchClips(from, to) {
    const clipKind = (kind) => kind === 'audio' || kind === 'video';
    for (const q of state.form.questions) {
      q.clips = q.clips || {};
      if (clipKind(from)) q.clips[from] = q.clip;
      if (clipKind(to)) q.clip = q.clips[to] || '';
    }
  }

  // ---- dialogs, files ------------------------------------------------------

  function confirmed(text, ok) {
    const dialog = $('#confirm');
    $('#confirm-text').textContent = text;
    $('#confirm-ok').textContent = ok;
    dialog.returnValue = '';
    dialog.showModal();
    return new Promise((resolve) => {
      dialog.addEventListener('close', () => resolve(dialog.returnValue === 'ok'), { once: true });
    });
  }

  function fileName(title, extension) {
    const safe = title.replace(/[\\/:*?"<>|\u0000-\u001f]/g, '_').replace(/[. ]+$/, '').trim();
    return (safe || 'quiz') + extension;
  }

  function status(text) {
    $('#status').textContent = text;
  }

  function showProgress(done, total) {
    const bar = $('#progress');
    bar.hidden = false;
    bar.max = Math.max(total, 1);
    bar.value = done;
    status(done < total ? `Préparation des images et extraits : ${done} sur ${total}…` : 'Écriture du quiz…');
  }

  // Whether the quiz can be packed now; if not, every problem is shown and
  // the focus goes to the first.
  function readyToPack() {
    if (busy) return false;
    state.showAll = true;
    showMessages();
    if (problems.length || mediaPending()) {
      ($('#problem-list button') || $('#problems')).focus();
      return false;
    }
    return true;
  }

  // The quiz packed by the worker in `form` ("exe", "html" or "scorm"), with
  // the media it uses and their digests, by which the pictures packed before
  // are taken again.
  function packQuiz(form = 'exe') {
    const media = {}, keys = {};
    for (const path of usedPaths()) {
      const item = state.media.get(path);
      if (!item) continue;
      media[path] = item.blob;
      if (item.digest) keys[path] = item.digest;
    }
    return ask('build', { source: source(), media, keys, form }, ({ done, total }) => showProgress(done, total));
  }

  // What a packed quiz holds, as a teacher counts it: only what its kind has.
  function packedCounts(result) {
    const parts = [counted(result.questions, 'question', 'questions')];
    if (use.picture && use.known_kind) {
      const pictures = result.pictures ? counted(result.pictures, 'image', 'images') : 'aucune image';
      const changed = [];
      if (result.scaled) changed.push(counted(result.scaled, 'réduite', 'réduites'));
      if (result.converted) changed.push(`${counted(result.converted, 'convertie', 'converties')} en JPEG`);
      if (result.reencoded) changed.push(`${counted(result.reencoded, 'réenregistrée', 'réenregistrées')} en JPEG simple`);
      parts.push(changed.length ? `${pictures} dont ${changed.join(', ')}` : pictures);
    }
    if (use.clip && use.known_kind) {
      const kind = state.form.kind === 'video' ? 'vidéo' : 'audio';
      parts.push(result.clips ? `${counted(result.clips, 'extrait', 'extraits')} ${kind}` : `aucun extrait ${kind}`);
    }
    return parts.join(', ');
  }

  // What each form of the quiz is downloaded as.
  const FORMS = {
    exe: { extension: '.exe', type: 'application/vnd.microsoft.portable-executable' },
    html: { extension: '.html', type: 'text/html' },
    scorm: { extension: '.zip', type: 'application/zip' },
  };

  async function download() {
    if (!readyToPack()) return;
    busy = true;
    showMessages();
    showProgress(0, 0);
    status('Préparation du quiz…');
    try {
      const started = performance.now();
      const form = $('#download-form').value;
      const result = await packQuiz(form);
      if (result.ok) {
        const name = fileName(state.form.title, FORMS[form].extension);
        QuizPlayer.download(result.bytes, name, FORMS[form].type);
        window.studioLastBuild = { ms: performance.now() - started, size: result.bytes.length, name, reused: result.reused };
        // What the page or package cannot do as the program does, said by the core.
        const notes = result.messages.filter((m) => !m.error && m.field === 'file').map((m) => ` ${m.text[0].toUpperCase()}${m.text.slice(1)}.`);
        status(`« ${name} » est prêt (${sizeText(result.bytes.length)}) : ${packedCounts(result)}.${notes.join('')}`);
      } else {
        buildMessages = result.messages.filter((m) => !check.messages.some((c) => c.field === m.field && c.text === m.text));
        status('Le quiz n’a pas été fait : voyez les erreurs.');
      }
    } catch (error) {
      status(`Le quiz n’a pas pu être fait : ${error.message}.`);
    } finally {
      busy = false;
      $('#progress').hidden = true;
      showMessages();
    }
  }

  // The quiz being edited, packed as download packs it, played in the web player.
  let tryPlayer = null;
  async function tryQuiz() {
    if (!readyToPack()) return;
    busy = true;
    status('Préparation de l’essai…');
    try {
      const result = await packQuiz();
      if (!result.ok) {
        status('Le quiz ne peut pas être essayé : voyez les erreurs.');
        return;
      }
      if (!tryPlayer) tryPlayer = QuizPlayer.create($('#try-player'), quiz, { store: false });
      $('#try-dialog').showModal();
      await tryPlayer.open(result.bytes, fileName(state.form.title, '.exe'));
      status('');
    } catch (error) {
      status(`Le quiz n’a pas pu être essayé : ${error.message}.`);
    } finally {
      busy = false;
      $('#progress').hidden = true;
      showMessages();
    }
  }

  async function saveSource() {
    if (busy) return;
    busy = true;
    status('Enregistrement du quiz…');
    try {
      const files = [{ path: 'quiz.toml', text: source() }];
      for (const path of usedPaths()) if (state.media.has(path)) files.push({ path, blob: state.media.get(path).blob });
      const result = await ask('zip', { files });
      const name = fileName(state.form.title, '.zip');
      QuizPlayer.download(result.bytes, name, 'application/zip');
      const media = files.length - 1;
      const noun = state.form.kind === 'picture' ? ['image', 'images'] : ['extrait', 'extraits'];
      const kept = media === 0 ? '' : media === 1 ? ` et son ${noun[0]}` : ` et ses ${media} ${noun[1]}`;
      status(`« ${name} » garde le quiz${kept} : rouvrez-le ici avec « Ouvrir… » pour le modifier.`);
    } catch (error) {
      status(`Le quiz n’a pas pu être enregistré : ${error.message}.`);
    } finally {
      busy = false;
      showMessages();
    }
  }

  // The quiz's questions for a learning platform, as GIFT or Moodle XML.
  function exportQuestions(format) {
    $('#export').open = false;
    const result = quiz.export_questions(state.form, format);
    if (!result.ok) {
      status(`Les questions ne s’exportent pas : ${result.messages.filter((m) => m.error).map((m) => m.text).join(' ; ')}.`);
      return;
    }
    const name = fileName(state.form.title, format === 'xml' ? '.xml' : '.gift');
    QuizPlayer.download(new TextEncoder().encode(result.text), name, format === 'xml' ? 'application/xml' : 'text/plain');
    status(`« ${name} » contient les ${state.form.questions.length} questions, à importer dans la banque de questions d’une plateforme.`);
  }

  // Opened files with the path each one has: in a folder, in a zip, or alone.
  async function gather(fileList) {
    const files = [];
    for (const file of fileList) {
      if (/\.zip$/i.test(file.name)) {
        const { files: entries } = await ask('unzip', { blob: file });
        for (const entry of entries) {
          const name = entry.path.split('/').pop();
          files.push({ path: entry.path, file: new File([entry.bytes], name) });
        }
      } else {
        files.push({ path: file.webkitRelativePath || file.name, file });
      }
    }
    return files;
  }

  // The opened file a source's media path names: the same path below the
  // source's folder, or else the same file name.
  function findMedia(files, sourcePath, path) {
    const folder = sourcePath.includes('/') ? sourcePath.slice(0, sourcePath.lastIndexOf('/') + 1) : '';
    const exact = files.find((f) => f.path === folder + path || f.path === path);
    if (exact) return exact.file;
    const name = path.split('/').pop();
    const same = files.filter((f) => f.file.name === name);
    return same.length === 1 ? same[0].file : null;
  }

  async function openFiles(fileList) {
    if (busy || !fileList.length) return;
    notice('open', '');
    let files;
    try {
      files = await gather(fileList);
    } catch (error) {
      notice('open', `Ce fichier .zip ne se lit pas : ${error.message}.`);
      return;
    }
    const exe = files.find((f) => /\.(exe|html?)$/i.test(f.path));
    const toml = files.find((f) => /\.toml$/i.test(f.path));
    const bank = !exe && !toml && files.find((f) => /\.(gift|xml|csv|tsv|txt)$/i.test(f.path));
    if (!exe && !toml && !bank) {
      notice('open', 'Choisissez un quiz enregistré ici (.zip), un quiz déjà fait (.exe ou .html), un quiz écrit à la main (.toml) avec ses images ou extraits, ou des questions GIFT, Moodle XML ou d’un tableur (CSV, TSV).');
      return;
    }
    let form, media = [], warnings = [];
    if (exe) {
      const result = await ask('openExe', { blob: exe.file, name: exe.file.name });
      if (!result.ok) {
        notice('open', `« ${exe.file.name} » ne s’ouvre pas : ${result.messages.filter((m) => m.error).map((m) => m.text).join(' ; ')}.`);
        return;
      }
      form = result.form;
      media = result.media.map((m) => ({ path: m.path, blob: new Blob([m.bytes]), name: m.path.split('/').pop() }));
      warnings = result.messages.filter((m) => !m.error);
    } else if (bank) {
      const bytes = new Uint8Array(await bank.file.arrayBuffer());
      const result = quiz.import_questions(bytes, bank.file.name, (path) => Boolean(findMedia(files, bank.path, path)));
      if (!result.ok) {
        notice('open', `« ${bank.file.name} » ne s’importe pas : ${result.messages.filter((m) => m.error).map((m) => m.text).join(' ; ')}.`);
        return;
      }
      form = result.form;
      for (const q of form.questions) {
        for (const key of MEDIA_KEYS) {
          const file = q[key] && findMedia(files, bank.path, q[key]);
          if (file && !media.some((m) => m.path === q[key])) media.push({ path: q[key], blob: file, name: file.name });
        }
      }
      warnings = result.messages;
    } else {
      const result = quiz.read_source(await toml.file.text());
      if (!result.ok) {
        notice('open', `« ${toml.file.name} » ne se lit pas : ${result.messages.map((m) => m.text).join(' ; ')}.`);
        return;
      }
      form = result.form;
      const wanted = new Set();
      for (const q of form.questions) for (const key of MEDIA_KEYS) if (q[key]) wanted.add(q[key]);
      for (const path of wanted) {
        const file = findMedia(files, toml.path, path);
        if (file) media.push({ path, blob: file, name: file.name });
      }
      warnings = result.messages.filter((m) => m.field === 'source' || m.field.startsWith('q') && !m.field.includes('.'));
    }
    if (!isEmpty() && !(await confirmed('Remplacer le quiz en cours par celui-ci ? Le quiz en cours n’est gardé que dans ce navigateur.', 'Remplacer'))) return;
    replaceQuiz(adopt(form), media, true);
    const name = (exe || toml || bank).file.name;
    status(`« ${name} » est ouvert${media.length ? ` avec ${counted(media.length, 'fichier', 'fichiers')}` : ''}.`);
    if (warnings.length) notice('open', `À l’ouverture de « ${name} » : ${warnings.map((m) => m.text).join(' ; ')}.`);
  }

  // `opened`: a quiz from files, whose problems are all shown at once; a new
  // quiz shows none until its fields are touched.
  function replaceQuiz(form, media, opened) {
    for (const item of state.media.values()) if (item.clipUrl) URL.revokeObjectURL(item.clipUrl);
    state.form = form;
    state.touched = new Set();
    state.showAll = opened;
    state.media = new Map(media.map((m) => [m.path, { blob: m.blob, name: m.name, checks: {} }]));
    missingChecks.clear();
    for (const key of [...notices.keys()]) if (key !== 'open') notice(key, '');
    renderQuiz();
    renderQuestions();
    checkAllMedia();
    changed();
    clearTimeout(saveTimer); // the store takes the new form with its media, below
    const plain = { ...form, questions: form.questions.map(({ id, ...q }) => q) };
    StudioStore.replace(plain, media).catch((error) => notice('form', storageProblem(error, 'le quiz')));
  }

  async function newQuiz() {
    if (!isEmpty() && !(await confirmed('Commencer un nouveau quiz ? Le quiz en cours sera remplacé ; il n’est gardé que dans ce navigateur.', 'Remplacer'))) return;
    notice('open', '');
    replaceQuiz(newForm(), [], false);
    focusForAuthor($('#f-title'));
  }

  // ---- drag and drop -------------------------------------------------------

  function dragOver(event, element) {
    if (![...event.dataTransfer.types].includes('Files')) return;
    event.preventDefault();
    event.stopPropagation();
    element.classList.add('dragover');
  }

  // Pictures or clips dropped on a question fill its empty media fields in order.
  function dropOnQuestion(event, q, card) {
    event.preventDefault();
    event.stopPropagation();
    card.classList.remove('dragover');
    const files = [...event.dataTransfer.files];
    if (files.some((f) => /\.(toml|exe|html?|zip|gift|xml|csv|tsv)$/i.test(f.name))) {
      openFiles(files);
      return;
    }
    const keys = usedMediaKeys();
    const free = keys.filter((key) => !q[key]);
    files.forEach((file, i) => {
      const key = free[i] || keys[0];
      if (key) setMedia(q, key, file);
    });
  }

  function bindPage() {
    for (const input of $$('.quiz [data-key]')) {
      input.dataset.touch = input.dataset.key === 'kind' ? 'kind' : input.dataset.field;
      if (input.type === 'radio') {
        input.addEventListener('change', () => quizFieldChanged(input));
        continue;
      }
      const messages = document.createElement('p');
      messages.className = 'problems';
      messages.id = `${input.id}-messages`;
      messages.dataset.messages = input.dataset.field;
      input.closest('.field').appendChild(messages);
      input.setAttribute('aria-describedby', messages.id);
      input.addEventListener(input.tagName === 'SELECT' ? 'change' : 'input', () => quizFieldChanged(input));
    }
    for (const input of $$('#judging [data-rule]')) {
      input.dataset.field = input.dataset.touch = 'judging';
      input.setAttribute('aria-describedby', 'msg-judging');
      input.addEventListener('change', () => judgingChanged(input));
    }
    // A field is touched once typed in, or left after the author went to
    // it; its problems show from then.
    const touched = (event) => {
      const field = event.target.closest && event.target.closest('[data-touch]');
      if (!field) return;
      if (event.type === 'focusout' && field === placedFocus) {
        placedFocus = null;
        return;
      }
      if (touch(field.dataset.touch) && event.type === 'focusout') showMessages();
    };
    for (const type of ['input', 'change', 'focusout']) document.addEventListener(type, touched, true);
    $('#problem-next').addEventListener('click', nextProblem);
    // Whatever the focus goes to stays clear of the bar that stays on top.
    new ResizeObserver(() => {
      document.documentElement.style.scrollPaddingTop = `${$('#bar').offsetHeight + 8}px`;
    }).observe($('#bar'));
    $('#add-question').addEventListener('click', addQuestion);
    $('#new-quiz').addEventListener('click', newQuiz);
    $('#download').addEventListener('click', download);
    $('#try-quiz').addEventListener('click', tryQuiz);
    $('#try-dialog').addEventListener('close', () => tryPlayer && tryPlayer.close());
    $('#save-source').addEventListener('click', saveSource);
    for (const button of $$('#export [data-format]')) button.addEventListener('click', () => exportQuestions(button.dataset.format));
    for (const id of ['#open-files', '#open-folder']) {
      const input = $(id);
      input.addEventListener('change', () => {
        const files = [...input.files];
        input.value = '';
        openFiles(files);
      });
    }
    QuizPlayer.acceptDroppedFiles(openFiles);
  }

  async function start() {
    performance.mark('studio-start');
    const wasm = await WebAssembly.compile(bytesOf('quiz-wasm'));
    performance.mark('studio-compiled');
    quiz = await QuizModule({ instantiateWasm: instantiateWith(wasm) });
    performance.mark('studio-module');
    const workerReady = startWorker(wasm);
    bindPage();
    let saved = { form: null, media: [] };
    try {
      saved = await StudioStore.load();
    } catch (error) {
      notice('form', storageProblem(error, 'le quiz'));
    }
    if (saved.form) {
      state.form = adopt(saved.form);
      state.media = new Map(saved.media.map((m) => [m.path, { blob: m.blob, name: m.name, checks: {} }]));
      // The author's work coming back: its problems are theirs to see.
      state.showAll = !isEmpty();
    } else {
      state.form = newForm();
    }
    renderQuiz();
    renderQuestions();
    changed();
    performance.mark('studio-form');
    await workerReady;
    performance.mark('studio-worker');
    checkAllMedia();
    document.documentElement.dataset.ready = 'true';
    window.studioReadyAt = performance.now();
  }

  start().catch((error) => {
    status(`Le studio n’a pas pu démarrer : ${error.message}.`);
  });
})();
