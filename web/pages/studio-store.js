// Keeps the quiz being edited in the browser's own storage (IndexedDB), so
// that closing the page loses nothing: the form is one record, rewritten as
// the author types; each picture or clip is a record of its own, written once
// when it is added, so that typing never copies media again. Every failure
// is handed to the caller (a full quota above all), never swallowed.
var StudioStore = (function () {
  'use strict';
  const NAME = 'quiz-studio';
  const FORM = 'form', MEDIA = 'media', CURRENT = 'current';
  let db = null;

  function opened() {
    if (db) return Promise.resolve(db);
    return new Promise((resolve, reject) => {
      const request = indexedDB.open(NAME, 1);
      request.onupgradeneeded = () => {
        request.result.createObjectStore(FORM);
        request.result.createObjectStore(MEDIA);
      };
      request.onsuccess = () => {
        db = request.result;
        resolve(db);
      };
      request.onerror = () => reject(request.error);
      request.onblocked = () => reject(new Error('blocked'));
    });
  }

  // Runs `work(stores)` in one transaction; resolves when it is committed,
  // rejects with its error (QuotaExceededError when the storage is full).
  async function transaction(names, mode, work) {
    const database = await opened();
    return new Promise((resolve, reject) => {
      let result;
      let tx;
      try {
        tx = database.transaction(names, mode);
      } catch (error) {
        reject(error);
        return;
      }
      const stores = names.map((name) => tx.objectStore(name));
      tx.oncomplete = () => resolve(result);
      tx.onerror = (event) => {
        event.preventDefault();
        reject(tx.error || event.target.error);
      };
      tx.onabort = () => reject(tx.error || new DOMException('aborted', 'AbortError'));
      try {
        const request = work(...stores);
        if (request) request.onsuccess = () => (result = request.result);
      } catch (error) {
        reject(error);
        tx.abort();
      }
    });
  }

  async function readAll() {
    const database = await opened();
    return new Promise((resolve, reject) => {
      const tx = database.transaction([FORM, MEDIA], 'readonly');
      const saved = { form: null, media: [] };
      tx.objectStore(FORM).get(CURRENT).onsuccess = (event) => (saved.form = event.target.result || null);
      tx.objectStore(MEDIA).openCursor().onsuccess = (event) => {
        const cursor = event.target.result;
        if (!cursor) return;
        saved.media.push({ path: cursor.key, ...cursor.value });
        cursor.continue();
      };
      tx.oncomplete = () => resolve(saved);
      tx.onerror = () => reject(tx.error);
    });
  }

  return {
    // The quiz kept from the last visit ({form, media: [{path, blob, name}]}),
    // or a null form when there is none.
    load: readAll,
    saveForm: (form) => transaction([FORM], 'readwrite', (store) => store.put(form, CURRENT)),
    putMedia: (path, blob, name) =>
      transaction([MEDIA], 'readwrite', (store) => store.put({ blob, name }, path)),
    deleteMedia: (path) => transaction([MEDIA], 'readwrite', (store) => store.delete(path)),
    // Replaces everything with a new quiz in one transaction.
    replace: (form, media) =>
      transaction([FORM, MEDIA], 'readwrite', (forms, files) => {
        files.clear();
        for (const item of media) files.put({ blob: item.blob, name: item.name }, item.path);
        return forms.put(form, CURRENT);
      }),
  };
})();
