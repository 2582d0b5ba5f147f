// Where the web player keeps a quiz's answers in the browser: the answers
// file's bytes in localStorage, under the quiz's key (a hash of its content,
// the same for the quiz's .exe and its page). The player's storage adapter
// (web/pages/player.js says what one does); the school platform's bridge
// (scorm-bridge.js) keeps a copy here too.
(function (global) {
  'use strict';

  const PREFIX = 'quiz-player-answers:';

  function toBase64(bytes) {
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    return btoa(text);
  }
  const fromBase64 = (text) => Uint8Array.from(atob(text), (c) => c.charCodeAt(0));

  function browser() {
    return {
      // The kept answers file's bytes, or null.
      read(key) {
        try {
          const text = localStorage.getItem(PREFIX + key);
          return text ? fromBase64(text) : null;
        } catch {
          return null; // no storage: nothing kept
        }
      },
      restore(quiz, key) {
        const bytes = this.read(key);
        if (!bytes) return '';
        quiz.restore(bytes);
        return 'Vos réponses à ce quiz ont été reprises.';
      },
      save(quiz, key) {
        try {
          localStorage.setItem(PREFIX + key, toBase64(quiz.answers()));
          return { saved: true, note: '' };
        } catch {
          return { saved: false, note: 'Les réponses ne peuvent pas être gardées dans ce navigateur : exportez-les pour les garder.' };
        }
      },
    };
  }

  global.QuizAnswerStore = { browser };
})(typeof window !== 'undefined' ? window : globalThis);
