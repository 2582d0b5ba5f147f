#include "save_answers.h"

#include "win32/app/shell.h"
#include "core/page/page_layout.h"
#include "win32/page/question_page.h"
#include "core/answers/answers_file.h"
#include "core/answers/score_rules.h"

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
const char CANNOT_SAVE_CAPTION[] = "Enregistrement des r\xE9ponses";

// The answers file's name in the current directory, from the program file's.
bool answers_name(char* slot) {
  char path[MAX_PATH + 1] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return answers_file_name(path, slot);
}

bool write_lines(HANDLE file, HWND page, int fields) {
  for (int k = 1; k <= fields; ++k) {
    char text[TEXT_SLOT_SIZE];
    read_control_text(page, ID_ANSWER_FIELD + k, text);
    char line[ANSWER_LINE_SIZE];
    DWORD length = DWORD(format_answer_line(text, line)), written = 0;
    if (!WriteFile(file, line, length, &written, nullptr) || written != length) return false;
  }
  return true;
}

// Written whole and on disk before it replaces anything: after a crash the
// answers file is either the old one or the new one.
bool write_temporary(const char* name, HWND page, int fields) {
  HANDLE file =
      CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool written = write_lines(file, page, fields) && FlushFileBuffers(file);
  CloseHandle(file);
  return written;
}

int ask_again(const char* name, SaveOccasion occasion) {
  char text[3 * TEXT_SLOT_SIZE + sizeof CANNOT_SAVE_FORMAT + sizeof RETRY_OR_QUIT];
  wsprintfA(text, CANNOT_SAVE_FORMAT, name,
            occasion == SAVE_ON_CLOSE ? RETRY_OR_QUIT : RETRY_OR_GO_ON);
  return platform().message_box(text, CANNOT_SAVE_CAPTION, MESSAGE_RETRY_CANCEL | MESSAGE_WARNING);
}

}  // namespace

bool write_answers_file(HWND page) {
  char name[TEXT_SLOT_SIZE], temporary[TEXT_SLOT_SIZE];
  if (!current_document || !answers_name(name) || !answers_temporary_name(name, temporary)) {
    return false;
  }
  if (!write_temporary(temporary, page, answer_field_count(current_document)) ||
      !MoveFileExA(temporary, name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(temporary);
    return false;
  }
  return true;
}

void save_answers_at(HWND page, SaveOccasion occasion) {
  if (!page || !current_document) return;  // no page: no answers to lose
  while (!write_answers_file(page)) {
    char name[TEXT_SLOT_SIZE];
    if (occasion == SAVE_AT_SESSION_END || !answers_name(name)) return;
    if (ask_again(name, occasion) != ANSWER_RETRY) return;
  }
}

void save_answers(HWND page) { save_answers_at(page, SAVE_ON_REQUEST); }
