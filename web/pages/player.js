// The web player: a packed quiz played in a page with the player's own rules.
// The module (the project's C++ in WebAssembly) reads the quiz, lays out its
// page, judges, scores and writes the answers file; this script puts DOM
// elements at the places the layout returns, forwards the user's keys and
// clicks to the session, and shows what the session's view is told.
//
// Where the Windows page does not fit the page's width (a phone, a narrow
// window), the same elements flow one question after the other instead
// (the class "qp-narrow" on the root; player.css lays them out), with a
// compact header kept in view; turning the device lays the page out again.
// Either way every word and colour comes from the module.
//
//   const player = QuizPlayer.create(root, module, { storage });
//   await player.open(bytes, 'quiz.exe');   // a quiz .exe or a quiz page's bytes
//   await player.open(blockText, 'quiz.html'); // a quiz page's own content block
//
// Where the answers are kept is the `storage` adapter's business (the
// browser's storage by default, QuizAnswerStore; a school platform's
// run-time, QuizScorm; null: nowhere): restore(quiz, key) gives a quiz
// opened its kept answers and returns what to tell the player,
// opened(quiz) follows the first judgement, save(quiz, key) keeps them and
// returns { saved, note }.
(function (global) {
  'use strict';

  const KIND_PICTURE = 1, KIND_AUDIO = 2, KIND_VIDEO = 3;
  const VIDEO_MARGIN = 5;

  const element = (tag, className, text) => {
    const node = document.createElement(tag);
    if (className) node.className = className;
    if (text !== undefined) node.textContent = text;
    return node;
  };

  // A quiz is known by its content resources, whatever its file is called.
  async function contentKey(bytes) {
    if (global.crypto && crypto.subtle) {
      const digest = new Uint8Array(await crypto.subtle.digest('SHA-256', bytes));
      return [...digest].map((b) => b.toString(16).padStart(2, '0')).join('');
    }
    let hash = 0x811c9dc5; // FNV-1a where the page has no digest (an insecure origin)
    for (const b of bytes) hash = Math.imul(hash ^ b, 0x01000193) >>> 0;
    return 'fnv-' + hash.toString(16) + '-' + bytes.length;
  }

  // The picture's own size as the browser decodes it; 0 x 0 when it does not.
  async function decodedSize(url) {
    const image = new Image();
    image.src = url;
    try {
      await image.decode();
      return [image.naturalWidth, image.naturalHeight];
    } catch {
      return [0, 0];
    }
  }

  function paint(node, look) {
    node.style.background = look.paint || '';
    node.style.color = look.text || '';
    const text = node.querySelector('.qp-text');
    if (text) text.style.background = look.back || '';
  }

  const NO_BOX = { x: '', y: '', width: '', height: '' };

  // A box in pixels; empty values give the place back to the style sheet.
  function place(node, box) {
    const px = (value) => (value === '' ? '' : `${value}px`);
    node.style.left = px(box.x);
    node.style.top = px(box.y);
    node.style.width = px(box.width);
    node.style.height = px(box.height);
  }

  // Offers bytes to save under `name` (the studio saves its files with it too).
  function download(bytes, name, type) {
    const url = URL.createObjectURL(new Blob([bytes], { type }));
    const link = element('a');
    link.href = url;
    link.download = name;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  function create(root, module, options = {}) {
    const storage = 'storage' in options ? options.storage
      : options.store === false || !global.QuizAnswerStore ? null : global.QuizAnswerStore.browser();
    root.classList.add('qp');
    root.innerHTML = '';
    const header = element('div', 'qp-header');
    header.innerHTML = `
      <output class="qp-score" aria-label="Score" aria-live="off"></output>
      <span class="qp-code-caption"> Code :</span><output class="qp-code" aria-label="Code" aria-live="off"></output>
      <h2 class="qp-title"></h2><p class="qp-explanation"></p>
      <button type="button" class="qp-save" title="F2" aria-keyshortcuts="F2">Sauver</button>
      <a class="qp-hyperlink qp-link" target="_blank" rel="noopener"></a>
      <span class="qp-author-caption">Par :</span><span class="qp-author"></span>
      <span class="qp-line-under-score qp-line" aria-hidden="true"></span>
      <span class="qp-line-left qp-line" aria-hidden="true"></span>
      <span class="qp-line-right qp-line" aria-hidden="true"></span>`;
    // The narrow layout's header keeps the title, score, code and "Sauver"
    // in view; the explanation, author and link go below it, in `about`.
    const about = element('div', 'qp-about');
    about.hidden = true;
    // What a screen reader is told as the player answers: each verdict with
    // its question, the score and the code when they change. (The score
    // and code, outputs, would each be a live region of their own, said
    // without their names and at every restore.)
    const announcer = element('p', 'qp-announce');
    announcer.setAttribute('role', 'status');
    announcer.setAttribute('aria-atomic', 'true');
    const tools = element('div', 'qp-tools');
    tools.innerHTML = `<button type="button" class="qp-column" aria-pressed="false" hidden>Disposition en colonne</button>
      <span class="qp-file-buttons">
      <button type="button" class="qp-export">Exporter les réponses</button>
      <label class="qp-import button">Importer des réponses<input type="file" accept=".txt,text/plain" class="qp-hidden-input"></label></span>`;
    const status = element('p', 'qp-status');
    status.setAttribute('role', 'status');
    tools.appendChild(status);
    // Reaching the full score is said plainly, the code shown large: a live
    // region from the start, empty until then.
    const finished = element('p', 'qp-finished');
    finished.setAttribute('role', 'status');
    const pageBox = element('div', 'qp-page');
    pageBox.tabIndex = -1;
    pageBox.setAttribute('role', 'region');
    pageBox.setAttribute('aria-label', 'Questions');
    const content = element('div', 'qp-content');
    pageBox.appendChild(content);
    const dialog = element('dialog', 'qp-dialog');
    dialog.setAttribute('role', 'alertdialog');
    dialog.setAttribute('aria-modal', 'true');
    dialog.innerHTML = '<h3 class="qp-dialog-caption"></h3><p class="qp-dialog-text"></p><form method="dialog"><button value="ok">OK</button></form>';
    const id = `qp-${Math.random().toString(36).slice(2)}`;
    dialog.querySelector('h3').id = `${id}-caption`;
    dialog.querySelector('p').id = `${id}-text`;
    dialog.setAttribute('aria-labelledby', `${id}-caption`);
    dialog.setAttribute('aria-describedby', `${id}-text`);
    root.append(header, about, tools, finished, pageBox, dialog, announcer);
    header.hidden = true;
    const $ = (selector) => root.querySelector(selector);
    const fileButtons = $('.qp-file-buttons');
    fileButtons.hidden = true;

    let quiz = null, opened = null, key = '', fileName = 'quiz.exe';
    let fields = [], verdicts = [], reveals = [], pictures = [], layout = null;
    let heads = []; // question n's first elements: its number and its text, picture or play button
    let fieldNames = []; // field k as a screen reader names it: "Question 3, Forme"
    const boxes = new Map(); // every element of the page and its box in the Windows layout
    let narrow = false, laidOutWidth = -1;
    // The narrow layout chosen where the Windows one fits: its targets are
    // large enough to touch (the Windows page's fields are 20 pixels high).
    let columnChosen = false;
    let urls = [], clip = null;
    const messages = [];
    let returnFocus = null;

    // The header's controls in reading order (a screen reader's, and Tab's);
    // the Windows panel's stacking becomes their z-index.
    const HEADER_READING = ['score', 'code_caption', 'code', 'title', 'explanation', 'save', 'hyperlink',
      'author_caption', 'author', 'line_under_score', 'line_left', 'line_right'];
    const HEADER_KEPT_IN_VIEW = ['title', 'score', 'code_caption', 'code', 'save'];
    const headerNode = (name) => $(`.qp-${name.replace(/_/g, '-')}`);
    let headerCompact = null;

    // Where the hyperlink would run into the title, the Windows panel does
    // not fit either.
    function headerFits(width) {
      const at = Object.fromEntries(module.header_layout(width).controls.map((c) => [c.name, c]));
      return at.hyperlink.x >= at.title.x + at.title.width;
    }

    // The header panel at the places the player's panel gives its controls
    // for this width, stacked as it stacks them; in the narrow layout, a
    // compact bar that stays at the top while the page scrolls.
    function layOutHeader() {
      const look = module.header_layout(root.clientWidth);
      header.style.background = about.style.background = look.colour;
      header.style.borderWidth = `${look.border}px`;
      headerNode('hyperlink').style.color = look.link_colour;
      if (headerCompact !== narrow) {
        // Moving an element takes the focus from it: given back below.
        const focused = document.activeElement;
        headerCompact = narrow;
        header.classList.toggle('qp-compact', narrow);
        about.hidden = !narrow;
        const order = narrow ? [...HEADER_KEPT_IN_VIEW, ...HEADER_READING.filter((n) => !HEADER_KEPT_IN_VIEW.includes(n))] : HEADER_READING;
        for (const name of order) {
          (narrow && !HEADER_KEPT_IN_VIEW.includes(name) ? about : header).appendChild(headerNode(name));
        }
        if (focused && focused !== document.activeElement && root.contains(focused)) focused.focus({ preventScroll: true });
      }
      const panel = look.panel;
      header.style.margin = narrow ? '' : `${panel.y}px 0 0 ${panel.x}px`;
      header.style.width = narrow ? '' : `${panel.width}px`;
      header.style.height = narrow ? '' : `${panel.height}px`;
      look.controls.forEach((c, i) => {
        const node = headerNode(c.name);
        place(node, narrow ? NO_BOX : c);
        node.style.zIndex = narrow ? '' : String(i + 1); // bottom to top
      });
      root.style.setProperty('--qp-header', narrow ? `${header.offsetHeight}px` : '0px');
      // An explanation longer than its box scrolls there: the keyboard
      // reaches it too.
      const explanation = headerNode('explanation');
      const overflows = explanation.scrollHeight > explanation.clientHeight || explanation.scrollWidth > explanation.clientWidth;
      if (!narrow && overflows) explanation.tabIndex = 0;
      else explanation.removeAttribute('tabindex');
    }

    // The page's layout for the width it has: the Windows one where it fits
    // (tried first, then measured), the narrow one otherwise. Heights change
    // as reveals show: only a new width lays the page out again, keeping the
    // focused field (or the first question in view) where the eye is.
    function layOutPage(force = false) {
      if (header.hidden) return;
      const width = root.clientWidth;
      if (width === laidOutWidth && !force) return;
      const focused = document.activeElement;
      const anchor = focused && focused.classList.contains('qp-field') ? null : firstQuestionInView();
      setNarrow(false);
      const fits = pageBox.scrollWidth <= pageBox.clientWidth && headerFits(root.clientWidth);
      $('.qp-column').hidden = !fits;
      if (!fits || columnChosen) setNarrow(true);
      layOutHeader();
      laidOutWidth = root.clientWidth;
      if (focused && focused.classList.contains('qp-field')) showField(focused);
      else if (anchor) anchor.scrollIntoView({ block: 'start' });
    }
    if (global.ResizeObserver) new ResizeObserver(() => layOutPage()).observe(root);

    function setNarrow(on) {
      narrow = on;
      root.classList.toggle('qp-narrow', on);
      content.style.width = on || !layout ? '' : `${layout.width}px`;
      content.style.height = on || !layout ? '' : `${layout.height}px`;
      for (const [node, box] of boxes) place(node, on ? NO_BOX : box);
    }

    // A page element at its place in the Windows layout (kept for the turn
    // back from the narrow one).
    function setBox(node, box) {
      boxes.set(node, box);
      place(node, narrow ? NO_BOX : box);
    }

    function firstQuestionInView() {
      if (!narrow) return null;
      const top = header.getBoundingClientRect().bottom;
      return heads.find((h) => h && h[0].getBoundingClientRect().bottom > top)?.[0] || null;
    }

    function say(text) {
      status.textContent = text;
    }

    function showFinished(code) {
      const full = quiz && opened.question_count > 0 && quiz.state().score_value === opened.question_count;
      const text = !full ? '' : code ? 'Bravo, tout est trouvé ! Votre code :' : 'Bravo, tout est trouvé !';
      if (finished.dataset.text === text + code) return;
      finished.dataset.text = text + code;
      finished.textContent = text;
      if (full && code) finished.append(' ', element('strong', 'qp-finished-code', code));
    }

    // The session's boxes, one at a time, in the order they were asked for.
    function nextMessage() {
      if (dialog.open || !messages.length) return;
      const { text, caption } = messages.shift();
      $('.qp-dialog-caption').textContent = caption;
      $('.qp-dialog-text').textContent = text;
      if (!returnFocus) returnFocus = document.activeElement;
      dialog.showModal();
      dialog.querySelector('button').focus();
    }
    dialog.addEventListener('close', () => {
      if (messages.length) return nextMessage();
      const back = returnFocus;
      returnFocus = null;
      if (back && back.isConnected) back.focus({ preventScroll: true });
    });
    function showMessage(text, caption) {
      messages.push({ text, caption });
      nextMessage();
    }

    function objectUrl(bytes, type) {
      const url = URL.createObjectURL(new Blob([bytes], { type }));
      urls.push(url);
      return url;
    }

    function saveNow(told) {
      if (!quiz) return;
      const { saved, note } = storage ? storage.save(quiz, key) : { saved: true, note: '' };
      if (saved) quiz.saved();
      if (note) say(note);
      else if (told && saved) say('Réponses enregistrées.');
    }

    const view = {
      show_text(k, text) {
        if (fields[k]) fields[k].value = text;
      },
      show_verdict(k, word, look) {
        const label = verdicts[k];
        if (!label) return;
        label.querySelector('.qp-text').textContent = word;
        paint(label, look);
      },
      show_reveal(n, shown) {
        if (reveals[n]) reveals[n].hidden = !shown;
      },
      show_answer_picture(n) {
        showAnswerPicture(n);
      },
      show_message: showMessage,
      show_score(score, code) {
        $('.qp-score').textContent = score;
        $('.qp-code').textContent = code;
        showFinished(code.trim());
      },
      save_answers() {
        saveNow(false);
      },
    };

    async function showAnswerPicture(n) {
      const picture = pictures[n];
      const question = layout && layout.questions[n - 1];
      const bytes = quiz && quiz.media(n, true);
      if (!picture || !question || !bytes) return;
      const box = question.picture_box;
      if (box.width <= 0 || box.height <= 0) return;
      const url = objectUrl(bytes, 'image/jpeg');
      const [width, height] = await decodedSize(url);
      const fitted = module.fit_picture(width, height, box.width, box.height);
      if (!fitted.width) return;
      setBox(picture, { x: box.x + Math.trunc((box.width - fitted.width) / 2),
        y: box.y + Math.trunc((box.height - fitted.height) / 2), width: fitted.width, height: fitted.height });
      picture.innerHTML = '';
      const image = element('img');
      image.src = url;
      image.alt = `Réponse de la question ${n}`;
      image.width = fitted.width;
      image.height = fitted.height;
      picture.appendChild(image);
      picture.classList.add('qp-answered');
    }

    function fieldNumber(input) {
      return Number(input.dataset.field);
    }

    // A screen reader hears it once: the region is emptied first, so the
    // same words said again are said again.
    function announce(text) {
      announcer.textContent = '';
      requestAnimationFrame(() => { announcer.textContent = text; });
    }
    const scoreWords = () => {
      const code = $('.qp-code').textContent.trim();
      return `Score : ${$('.qp-score').textContent.trim().replace(' / ', ' sur ')}, ${code ? `code : ${code}` : 'pas de code'}.`;
    };

    // Judges a field as it stands. Its verdict is announced when it changes,
    // and on Enter (`asked`) even when it does not; then the score and code
    // when they change.
    function judge(input, asked = false) {
      if (!quiz || dialog.open) return;
      const k = fieldNumber(input);
      const j = quiz.judge(k, input.value);
      if (!j.judged) return;
      const words = [];
      if (asked || j.verdict_changed) words.push(`${fieldNames[k]} : ${j.word}.`);
      if (j.revealed && reveals[j.question] && !dialog.open) words.push(`${reveals[j.question].textContent}.`);
      if (j.score_changed) words.push(scoreWords());
      if (words.length) announce(words.join(' '));
    }

    function onKey(event) {
      const input = event.target;
      if (event.key === 'Enter') {
        event.preventDefault();
        judge(input, true);
      } else if (event.key === 'F1') {
        event.preventDefault();
        const before = $('.qp-score').textContent;
        quiz.spread(fieldNumber(input), input.value);
        if ($('.qp-score').textContent !== before) announce(scoreWords());
      } else if (event.key === 'F2') {
        event.preventDefault();
        judge(input);
        saveNow(true);
      }
    }

    // Typing replaces the whole answer; the field is brought into view with
    // its verdict label, as Tab brings it on the Windows page.
    function onFocus(event) {
      const input = event.target;
      input.select();
      showField(input);
    }

    // The element that scrolls the narrow page: the document, or a box
    // around the player (the studio's dialog).
    function scroller() {
      for (let node = root.parentElement; node && node !== document.body; node = node.parentElement) {
        if (/(auto|scroll)/.test(getComputedStyle(node).overflowY) && node.scrollHeight > node.clientHeight) return node;
      }
      return null;
    }

    // In the narrow layout the field comes into view with its verdict and
    // its question's text or picture above it, under the header kept in
    // view and above a phone's keyboard (the visual viewport); a question
    // taller than that shows its field first.
    function showField(input) {
      const label = verdicts[fieldNumber(input)];
      if (!narrow) {
        (label || input).scrollIntoView({ block: 'nearest', inline: 'nearest' });
        input.scrollIntoView({ block: 'nearest', inline: 'nearest' });
        return;
      }
      const box = scroller();
      const viewport = global.visualViewport;
      let viewTop = header.getBoundingClientRect().bottom;
      let viewBottom = viewport ? viewport.offsetTop + viewport.height : innerHeight;
      if (box) {
        const edges = box.getBoundingClientRect();
        viewTop = Math.max(viewTop, edges.top);
        viewBottom = Math.min(viewBottom, edges.bottom);
      }
      const MARGIN = 8;
      const head = heads[Number(input.dataset.question)] || [];
      const top = Math.min(...[input, ...head].map((node) => node.getBoundingClientRect().top)) - MARGIN;
      const bottom = Math.max(input.getBoundingClientRect().bottom, label ? label.getBoundingClientRect().bottom : 0) + MARGIN;
      let by = 0;
      if (bottom > viewBottom || bottom - top > viewBottom - viewTop) by = bottom - viewBottom;
      else if (top < viewTop) by = top - viewTop;
      if (!by) return;
      if (box) box.scrollTop += by;
      else scrollBy(0, by);
    }
    if (global.visualViewport) {
      // A phone's keyboard coming up shrinks the visual viewport; a pinch
      // to zoom does too, and is left alone.
      let scale = visualViewport.scale;
      visualViewport.addEventListener('resize', () => {
        if (visualViewport.scale !== scale) {
          scale = visualViewport.scale;
          return;
        }
        const focused = document.activeElement;
        if (narrow && focused && focused.classList.contains('qp-field') && root.contains(focused)) showField(focused);
      });
    }

    // One clip at a time. An audio clip's element sits in the page, unseen
    // (no controls), while it plays: its question and state can be read there.
    function stopClip() {
      if (!clip) return;
      clip.media.pause();
      (clip.band || clip.media).remove();
      boxes.delete(clip.band);
      clip = null;
    }

    function clipProblem(n, band, bytes, video) {
      const note = element('div', 'qp-clip-note');
      note.setAttribute('role', 'note');
      note.append(video
        ? `Ce navigateur ne sait pas lire la vidéo de la question ${n} (son format AVI lui est inconnu). `
        : `Ce navigateur ne sait pas lire l’extrait audio de la question ${n}. `);
      const link = element('a', '', video ? 'Enregistrer la vidéo' : 'Enregistrer l’extrait');
      link.href = objectUrl(bytes, video ? 'video/x-msvideo' : 'audio/mpeg');
      link.download = `question-${n}.${video ? 'avi' : 'mp3'}`;
      note.appendChild(link);
      if (band) {
        band.innerHTML = '';
        band.appendChild(note);
      } else {
        say(note.textContent);
      }
    }

    function playClip(n) {
      stopClip();
      const bytes = quiz.media(n, false);
      if (!bytes) {
        say(opened.kind === KIND_VIDEO ? 'Impossible de charger le fichier vidéo.' : 'Impossible de charger le fichier audio.');
        return;
      }
      const video = opened.kind === KIND_VIDEO;
      const media = element(video ? 'video' : 'audio');
      media.src = objectUrl(bytes, video ? 'video/x-msvideo' : 'audio/mpeg');
      let band = null;
      if (video) {
        const question = layout.questions[n - 1];
        const play = question.places.find((p) => p.role === 'play');
        const b = question.video_band;
        band = element('div', 'qp-video');
        setBox(band, { x: b.x, y: b.y, width: b.width, height: Math.max(1, (play ? play.y - VIDEO_MARGIN : b.y + b.height) - b.y) });
        band.appendChild(media);
        // After its stop button, where the narrow layout shows it.
        const stop = content.querySelector(`[data-control="${7000 + n}"]`);
        if (stop) stop.after(band);
        else content.appendChild(band);
      } else {
        media.className = 'qp-audio';
        media.dataset.question = String(n);
        content.appendChild(media);
      }
      clip = { n, media, band };
      media.addEventListener('error', () => clipProblem(n, band, bytes, video));
      media.addEventListener('ended', () => { if (clip && clip.media === media && !video) stopClip(); });
      media.play().catch(() => {});
    }

    let captionColour = '';
    function makeControl(question, p, made) {
      const n = question.number;
      let node;
      switch (p.role) {
        case 'field': {
          const k = p.id - 4000;
          node = element('input', 'qp-field');
          node.type = 'text';
          node.dataset.field = String(k);
          node.autocomplete = 'off';
          node.spellcheck = false;
          node.setAttribute('autocapitalize', 'off');
          node.setAttribute('enterkeyhint', 'done'); // a phone keyboard's Enter judges as Enter does
          // Named by its question and its caption, described by the
          // question's text (a text quiz) and its verdict.
          const own = question.places.filter((q) => q.role === 'field');
          const caption = own.length > 1 ? opened.labels[own.indexOf(p)] || `réponse ${own.indexOf(p) + 1}` : '';
          fieldNames[k] = caption ? `Question ${n}, ${caption}` : `Question ${n}`;
          node.setAttribute('aria-label', fieldNames[k]);
          const described = [`${id}-v${k}`];
          if (question.places.some((q) => q.role === 'question')) described.unshift(`${id}-q${n}`);
          node.setAttribute('aria-describedby', described.join(' '));
          node.addEventListener('keydown', onKey);
          node.addEventListener('blur', (event) => judge(event.target));
          node.addEventListener('focus', onFocus);
          fields[k] = node;
          if (caption) {
            // The narrow layout's caption over the field (the row's captions
            // stand at its left in the Windows one).
            const above = element('span', 'qp-field-caption', caption);
            above.setAttribute('aria-hidden', 'true');
            above.style.color = captionColour;
            made.appendChild(above);
          }
          break;
        }
        case 'play':
        case 'stop':
          node = element('button', `qp-media qp-${p.role}`, p.role === 'play' ? '▶' : '■');
          node.type = 'button';
          node.setAttribute('aria-label', `${p.role === 'play' ? 'Lire' : 'Arrêter'} l’extrait de la question ${n}`);
          node.addEventListener('click', () => (p.role === 'play' ? playClip(n) : stopClip()));
          break;
        case 'picture':
          node = element('div', 'qp-picture');
          pictures[n] = node;
          if (question.url && question.picture.width) {
            const image = element('img');
            image.src = question.url;
            image.alt = `Image de la question ${n}`;
            image.width = question.picture.width;
            image.height = question.picture.height;
            node.appendChild(image);
          }
          break;
        default: {
          node = element('div', `qp-static qp-${p.role}`);
          node.appendChild(element('span', 'qp-text', p.text));
          paint(node, p.look);
          if (p.role === 'verdict') {
            node.id = `${id}-v${p.id - 5000}`;
            verdicts[p.id - 5000] = node;
          }
          if (p.role === 'question') node.id = `${id}-q${n}`;
          if (p.role === 'reveal') {
            node.hidden = true;
            reveals[n] = node;
          }
        }
      }
      node.classList.add(`qp-font-${p.font}`);
      node.dataset.control = String(p.id); // the Windows control's id, shared by some
      node.dataset.question = String(n);
      setBox(node, p);
      made.appendChild(node);
      return node;
    }

    function close() {
      stopClip();
      messages.length = 0;
      if (dialog.open) dialog.close();
      if (quiz) quiz.delete();
      quiz = null;
      urls.forEach((url) => URL.revokeObjectURL(url));
      urls = [];
      fields = []; verdicts = []; reveals = []; pictures = []; heads = []; fieldNames = [];
      boxes.clear();
      laidOutWidth = -1;
      content.innerHTML = '';
      finished.textContent = finished.dataset.text = '';
      header.hidden = true;
      fileButtons.hidden = true;
      $('.qp-column').hidden = true;
    }

    function fillFields() {
      for (let k = 1; k < fields.length; ++k) {
        const f = quiz.field(k);
        if (fields[k] && f) fields[k].value = f.text;
      }
    }

    // Opens a quiz .exe's or a quiz page's bytes, or the text of a page's
    // content block: false, with the page's French message, for anything
    // that is not a quiz.
    async function open(source, name) {
      close();
      const started = performance.now();
      fileName = name || 'quiz.exe';
      quiz = new module.WebQuiz();
      opened = typeof source === 'string' ? quiz.open_block(source) : quiz.open(source);
      if (!opened.ok) {
        const problem = opened.problem;
        quiz.delete();
        quiz = null;
        say(`« ${fileName} » ne s’ouvre pas. ${problem}`);
        return false;
      }
      for (const m of opened.messages) showMessage(m.text, m.caption);
      key = await contentKey(quiz.content_bytes());
      const count = opened.question_count;
      const sizes = [];
      const questionUrls = [];
      if (opened.kind === KIND_PICTURE) {
        const decoding = [];
        for (let n = 1; n <= count; ++n) {
          const media = quiz.media(n, false);
          questionUrls[n] = media ? objectUrl(media, 'image/jpeg') : null;
          decoding.push(questionUrls[n] ? decodedSize(questionUrls[n]) : [0, 0]);
        }
        sizes.push(...(await Promise.all(decoding)));
      }
      layout = quiz.lay_out(sizes);
      // The quiz's own link; without one the place stays, empty and no link.
      const link = $('.qp-hyperlink');
      link.textContent = opened.link_label;
      if (opened.link_address) link.href = opened.link_address;
      else link.removeAttribute('href');
      $('.qp-title').textContent = opened.title;
      $('.qp-explanation').textContent = opened.explanation;
      $('.qp-author').textContent = opened.author;
      $('.qp-score').textContent = '';
      pageBox.style.background = opened.background;
      const captions = layout.questions.length ? layout.questions[0].places.find((p) => p.role === 'caption1') : null;
      captionColour = captions ? captions.look.text : '';
      const made = document.createDocumentFragment();
      for (const question of layout.questions) {
        question.url = questionUrls[question.number];
        // Its number first: the narrow layout's order, and a screen reader's.
        const places = [...question.places].sort((a, b) => (b.role === 'number') - (a.role === 'number'));
        const nodes = places.map((p) => makeControl(question, p, made));
        heads[question.number] = nodes.filter((node, i) => ['number', 'question', 'picture', 'play'].includes(places[i].role));
      }
      content.appendChild(made);
      header.hidden = false;
      fileButtons.hidden = false;
      layOutPage(true);
      quiz.start(view);
      const restored = storage ? storage.restore(quiz, key) : '';
      fillFields();
      quiz.judge_all();
      if (storage && storage.opened) storage.opened(quiz);
      say(restored);
      const first = quiz.state().first_open;
      if (fields[first] && !dialog.open) fields[first].focus();
      root.dataset.openMs = String(Math.round(performance.now() - started));
      return true;
    }

    function importAnswers(bytes) {
      if (!quiz) return;
      quiz.restore(bytes);
      fillFields();
      quiz.judge_all();
      say('Réponses importées.');
      saveNow(false); // what the storage could not keep is said over it
    }

    $('.qp-save').addEventListener('click', () => saveNow(true));
    $('.qp-column').addEventListener('click', (event) => {
      columnChosen = !columnChosen;
      event.currentTarget.setAttribute('aria-pressed', String(columnChosen));
      layOutPage(true);
    });
    $('.qp-export').addEventListener('click', () => {
      if (!quiz) return;
      const focused = document.activeElement;
      if (focused && focused.classList.contains('qp-field')) judge(focused);
      download(quiz.answers(), module.WebQuiz.answers_name(fileName) || 'reponses.txt', 'text/plain');
    });
    $('.qp-import input').addEventListener('change', async (event) => {
      const file = event.target.files[0];
      event.target.value = '';
      if (file) importAnswers(new Uint8Array(await file.arrayBuffer()));
    });

    // The field being typed in judged, and the answers kept (a page going).
    function saveAll() {
      const focused = document.activeElement;
      if (quiz && focused && focused.classList.contains('qp-field') && root.contains(focused)) judge(focused);
      saveNow(false);
    }

    return {
      open, close, importAnswers, saveAll,
      get quiz() { return quiz; },
      answersName: () => module.WebQuiz.answers_name(fileName),
    };
  }

  // Files dropped anywhere on the page go to `onFiles` (an array); the body
  // carries the class "dragging" while files are held over it.
  function acceptDroppedFiles(onFiles) {
    document.addEventListener('dragover', (event) => {
      if (![...event.dataTransfer.types].includes('Files')) return;
      event.preventDefault();
      document.body.classList.add('dragging');
    });
    document.addEventListener('dragleave', (event) => {
      if (!event.relatedTarget) document.body.classList.remove('dragging');
    });
    document.addEventListener('drop', (event) => {
      event.preventDefault();
      document.body.classList.remove('dragging');
      onFiles([...event.dataTransfer.files]);
    });
  }

  global.QuizPlayer = { create, acceptDroppedFiles, download };
})(typeof window !== 'undefined' ? window : globalThis);
