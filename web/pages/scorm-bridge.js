// A quiz page in a school platform: the SCORM 1.2 run-time found as the
// standard's discovery finds it (the window's parents, then its opener's),
// LMSInitialize, the platform's kept answers restored and judged again, the
// score, the lesson's status and the answers (in the core's compact form)
// set and committed after each judgement that changed an answer, and
// LMSFinish when the page goes. The values come from the session
// (WebQuiz.platform_record); this file only carries them. Without a
// run-time, or one that refuses to start, the page plays as a plain page.
//
//   const storage = QuizScorm.connect(window, QuizAnswerStore.browser()) || browserStore;
(function (global) {
  'use strict';

  // The standard's walk: at most this many parents above each window.
  const MAX_PARENTS = 7;

  // A window of another origin throws when its API is asked for.
  function apiOf(win) {
    try {
      return win && win.API ? win.API : null;
    } catch {
      return null;
    }
  }

  function parentOf(win) {
    try {
      return win.parent && win.parent !== win ? win.parent : null;
    } catch {
      return null;
    }
  }

  function findUp(win) {
    for (let tries = 0; win && tries <= MAX_PARENTS; ++tries, win = parentOf(win)) {
      const api = apiOf(win);
      if (api) return api;
    }
    return null;
  }

  function findApi(win) {
    const openerOf = (w) => {
      try {
        return w && w.opener;
      } catch {
        return null;
      }
    };
    let top = null;
    try {
      top = win.top;
    } catch { /* another origin above */ }
    return findUp(win) || findUp(openerOf(win)) || findUp(openerOf(top));
  }

  function connect(win, browserStore) {
    const api = findApi(win);
    if (!api || String(api.LMSInitialize('')) !== 'true') return null;
    const get = (name) => {
      const value = api.LMSGetValue(name);
      return value === undefined || value === null ? '' : String(value);
    };
    const suspended = get('cmi.suspend_data');
    const mastery = Number.parseFloat(get('cmi.student_data.mastery_score'));
    let finished = false;

    // Sets what the platform records of the session now, and commits it.
    function record(quiz) {
      const r = quiz.platform_record(mastery > 0 ? mastery : 0);
      api.LMSSetValue('cmi.core.score.raw', String(r.raw));
      api.LMSSetValue('cmi.core.score.min', '0');
      api.LMSSetValue('cmi.core.score.max', String(r.max));
      api.LMSSetValue('cmi.core.lesson_status', r.status);
      api.LMSSetValue('cmi.suspend_data', r.suspend_data);
      api.LMSSetValue('cmi.core.exit', 'suspend'); // the answers come back next time
      api.LMSCommit('');
      return r.complete ? ''
        : `La plateforme ne peut garder que les réponses des ${r.fields} premières cases sur ${r.field_count} : ` +
          'toutes restent dans ce navigateur. Pour les garder ailleurs, exportez-les.';
    }

    return {
      platform: true,
      // A learner coming back finds the platform's answers; when the
      // platform kept only the first ones, this browser's copy gives the
      // rest, if it holds the same first answers. A first attempt starts
      // empty, whatever this browser holds (another learner's, perhaps).
      restore(quiz, key) {
        if (!suspended) return '';
        const back = quiz.restore_platform(suspended);
        if (!back.ok) return '';
        if (!back.complete) {
          const kept = browserStore.read(key);
          if (kept) {
            quiz.restore(kept);
            if (quiz.platform_record(0).suspend_data !== suspended) quiz.restore_platform(suspended);
          }
        }
        return 'Vos réponses à ce quiz ont été reprises.';
      },
      opened(quiz) {
        record(quiz);
      },
      save(quiz, key) {
        const kept = browserStore.save(quiz, key);
        return { saved: true, note: record(quiz) || kept.note };
      },
      // LMSFinish once, when the page goes, after `last` (the answers kept).
      finishOn(target, last) {
        target.addEventListener('pagehide', () => {
          if (finished) return;
          finished = true;
          last();
          api.LMSFinish('');
        });
      },
    };
  }

  global.QuizScorm = { connect, findApi };
})(typeof window !== 'undefined' ? window : globalThis);
