#include "save_answers.h"

#include <cstdlib>

#include "core/answers/quiz_session.h"
#include "core/content/platform.h"
#include "win32/page/question_page.h"
#include "win32/platform/platform_win32.h"

namespace {

// Told when the answers cannot be written: the file's name, the likely causes,
// and what each button does. Windows-1252.
const char CANNOT_SAVE_FORMAT[] =
    "Impossible d'enregistrer vos r\xE9ponses dans le fichier \xAB %s \xBB.\n\n"
    "Le dossier est peut-\xEAtre prot\xE9g\xE9 en \xE9"
    "criture, ou le fichier ouvert "
    "par un autre programme.\n\n%s";
const char RETRY_OR_GO_ON[] =
    "Recommencer : essayer \xE0 nouveau.\n"
    "Annuler : continuer sans enregistrer.";
const char RETRY_OR_QUIT[] =
    "Recommencer : essayer \xE0 nouveau.\n"
    "Annuler : quitter sans enregistrer (les r\xE9ponses tap\xE9"
    "es depuis le dernier "
    "enregistrement seront perdues).";
const char SAVED_AT_CLOSE[] =
    "Le jeu continue : vos r\xE9ponses restent \xE0 l'\xE9"
    "cran, et leur enregistrement vous sera propos\xE9 \xE0 nouveau \xE0 la fermeture.";
const char CANNOT_SAVE_CAPTION[] = "Enregistrement des r\xE9ponses";

// The session takes what every field shows, judged or not: a field being
// typed in when the window closes keeps its text.
void take_field_texts(PageState* state) {
  for (int k = 1; k <= state->session.field_count; ++k) {
    char text[TEXT_SLOT_SIZE] = "";
    if (state->fields[k]) GetWindowTextA(state->fields[k], text, sizeof text);
    set_answer_text(&state->session, k, text);
  }
}

// Written whole and on disk before it replaces anything: after a crash the
// answers file is either the old one or the new one.
bool write_temporary(const char* name, const char* bytes, DWORD length) {
  HANDLE file =
      CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool whole = WriteFile(file, bytes, length, &written, nullptr) && written == length &&
               FlushFileBuffers(file);
  CloseHandle(file);
  return whole;
}

int tell_cannot_save(const char* name, const char* what_now, unsigned buttons) {
  char text[3 * TEXT_SLOT_SIZE + sizeof CANNOT_SAVE_FORMAT + sizeof SAVED_AT_CLOSE];
  wsprintfA(text, CANNOT_SAVE_FORMAT, name, what_now);
  return platform().message_box(text, CANNOT_SAVE_CAPTION, buttons | MESSAGE_WARNING);
}

int ask_again(const char* name, SaveOccasion occasion) {
  return tell_cannot_save(name, occasion == SAVE_ON_CLOSE ? RETRY_OR_QUIT : RETRY_OR_GO_ON,
                          MESSAGE_RETRY_CANCEL);
}

}  // namespace

bool write_answers_file(HWND page) {
  PageState* state = page_state(page);
  char name[TEXT_SLOT_SIZE], temporary[TEXT_SLOT_SIZE];
  if (!state || !state->doc || !program_answers_file(name) ||
      !answers_temporary_name(name, temporary)) {
    return false;
  }
  take_field_texts(state);
  char* bytes = static_cast<char*>(malloc(ANSWERS_FILE_MAX));
  if (!bytes) return false;
  DWORD length = DWORD(write_answers(&state->session, bytes));
  bool saved = write_temporary(temporary, bytes, length) &&
               MoveFileExA(temporary, name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  free(bytes);
  if (saved) {
    answers_saved(&state->session);
  } else {
    DeleteFileA(temporary);
  }
  return saved;
}

// While the user is asked, the field losing the focus to the box is judged,
// and would save and tell again in a second box: the user is being told.
void save_answers_at(HWND page, SaveOccasion occasion) {
  PageState* state = page_state(page);
  if (!page_session(page)) return;  // no page: no answers to lose
  while (!write_answers_file(page)) {
    char name[TEXT_SLOT_SIZE];
    if (occasion == SAVE_AT_SESSION_END || !program_answers_file(name)) return;
    state->save_failure_told = true;
    if (ask_again(name, occasion) != ANSWER_RETRY) return;
  }
  state->save_failure_told = false;
}

void save_answers(HWND page) { save_answers_at(page, SAVE_ON_REQUEST); }

void save_answers_as_answered(HWND page) {
  PageState* state = page_state(page);
  if (!state || !state->doc) return;
  if (write_answers_file(page)) {
    state->save_failure_told = false;
    return;
  }
  char name[TEXT_SLOT_SIZE];
  if (state->save_failure_told || !program_answers_file(name)) return;
  state->save_failure_told = true;
  tell_cannot_save(name, SAVED_AT_CLOSE, MESSAGE_OK);
}
