// The build of the question page: every control of every question, made in
// the order the layout gives, the answer fields filled from the answers file
// through the session, which then judges them all.
#include <ole2.h>

#include "core/answers/quiz_session.h"
#include "core/content/resource_names.h"
#include "core/page/page_layout.h"
#include "core/page/picture_header.h"
#include "media.h"
#include "picture.h"
#include "question_page.h"
#include "win32/platform/platform_win32.h"

namespace {

const FontSpec ANSWER_FONT = {15, 100, 0, 0};

// Styles beyond WS_CHILD | WS_VISIBLE. Statics that show the quiz's own texts
// take them literally: an "&" is a character, not a mnemonic.
const DWORD NUMBER_STYLE = SS_RIGHT;
const DWORD QUESTION_TEXT_STYLE = WS_BORDER | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX;
const DWORD VERDICT_STYLE = WS_BORDER | SS_CENTER | SS_CENTERIMAGE;
const DWORD FIELD_STYLE = WS_BORDER | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL;
const DWORD CAPTION_STYLE = SS_NOPREFIX;
const DWORD REVEAL_STYLE = SS_CENTER | SS_NOPREFIX;
const DWORD PICTURE_STYLE = SS_BITMAP | SS_CENTERIMAGE;
const DWORD MEDIA_BUTTON_STYLE = WS_TABSTOP | BS_ICON | BS_DEFPUSHBUTTON;

// The answers file mapped read-only for the build; every part may be null.
struct AnswersFile {
  HANDLE file;
  HANDLE mapping;
  const void* view;
  DWORD size;
};

void open_answers_file(AnswersFile* answers) {
  *answers = {INVALID_HANDLE_VALUE, nullptr, nullptr, 0};
  char name[TEXT_SLOT_SIZE];
  if (!program_answers_file(name)) return;
  answers->file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (answers->file == INVALID_HANDLE_VALUE) return;
  DWORD high = 0;
  DWORD size = GetFileSize(answers->file, &high);
  if (size == INVALID_FILE_SIZE || size == 0 || high != 0) return;  // nothing to read, or absurd
  answers->mapping = CreateFileMappingA(answers->file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (!answers->mapping) return;
  answers->view = MapViewOfFile(answers->mapping, FILE_MAP_READ, 0, 0, 0);
  if (answers->view) answers->size = size;
}

void close_answers_file(AnswersFile* answers) {
  if (answers->view) UnmapViewOfFile(answers->view);
  if (answers->mapping) CloseHandle(answers->mapping);
  if (answers->file != INVALID_HANDLE_VALUE) CloseHandle(answers->file);
  *answers = {INVALID_HANDLE_VALUE, nullptr, nullptr, 0};
}

// What the build carries from control to control.
struct PageBuild {
  PageState* state;
  HWND page;
  QuizDocument* doc;
  HINSTANCE instance;
  // The pictures of the current row, measured from their JPEG headers (and
  // decoded later) or decoded once, then handed to their statics; any left
  // over is deleted.
  HBITMAP row_bitmaps[3];
  PictureSize row_sizes[3];
  bool row_pending[3];
  // COM, held from the first picture to the end of the build: each decode
  // initialises it again, and inside an open apartment that nests instead of
  // building and tearing one down every time. A quiz without pictures never
  // pays for it.
  bool apartment_open;
};

// Keeps the numbered controls that judging and saving find by number; other
// ids are in none of the ranges.
void record_control(PageState* state, HWND control, int id) {
  struct Range {
    int first_id;
    HWND* table;
    int count;
  };
  const Range ranges[] = {{ID_ANSWER_FIELD, state->fields, MAX_ANSWER_FIELDS},
                          {ID_VERDICT_LABEL, state->verdicts, MAX_ANSWER_FIELDS},
                          {ID_REVEAL_LABEL, state->reveals, MAX_QUESTIONS},
                          {ID_QUESTION_PICTURE, state->pictures, MAX_QUESTIONS}};
  for (const Range& range : ranges) {
    int number = id - range.first_id;
    if (number >= 1 && number <= range.count) range.table[number] = control;
  }
}

HWND create_control(const PageBuild& build, const char* class_name, const char* text, DWORD style,
                    const ControlPlace& place) {
  HWND control = CreateWindowExA(0, class_name, text, WS_CHILD | WS_VISIBLE | style, place.x,
                                 place.y, place.width, place.height, build.page,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)),
                                 build.instance, nullptr);
  record_control(build.state, control, place.id);
  return control;
}

void apply_font(const PageBuild& build, HWND control, ControlFont font) {
  if (font == FONT_ANSWER) {
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(build.doc->answer_font), FALSE);
  } else if (font == FONT_GUI) {
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 TRUE);
  }
}

// Made with its restored answer and subclassed. It is judged once the whole
// page stands, when its verdict label and its question's reveal label exist.
void create_answer_field(PageBuild* build, const ControlPlace& place) {
  PageState* state = build->state;
  int field = place.id - ID_ANSWER_FIELD;
  const char* text =
      field <= state->session.field_count ? state->session.fields[field - 1].text : "";
  HWND control = create_control(*build, "Edit", text, FIELD_STYLE, place);
  apply_font(*build, control, place.font);
  if (!state->field_proc) return;
  WNDPROC previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(state->field_proc)));
  if (previous) state->edit_class_proc = previous;  // a field that was not made must not clear it
}

void release_row_pictures(PageBuild* build) {
  for (HBITMAP& bitmap : build->row_bitmaps) {
    if (bitmap) DeleteObject(bitmap);
    bitmap = nullptr;
  }
  for (PictureSize& size : build->row_sizes) size = {0, 0};
  for (bool& pending : build->row_pending) pending = false;
}

// The fitted size from the picture's JPEG header, when it has one that reads.
bool size_from_header(HMODULE module, int id, PictureSize* size) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MEDIA_RESOURCE_TYPE);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  int width = 0, height = 0;
  if (!bytes || !jpeg_picture_size(bytes, SizeofResource(module, found), &width, &height)) {
    return false;
  }
  *size = fit_picture(width, height, PICTURE_BOX, PICTURE_BOX);
  return size->width > 0;
}

void open_apartment_for(PageBuild* build, HMODULE module, int id) {
  if (build->apartment_open || !FindResourceA(module, MAKEINTRESOURCEA(id), MEDIA_RESOURCE_TYPE)) {
    return;
  }
  build->apartment_open = SUCCEEDED(CoInitialize(nullptr));
}

void measure_row(PageBuild* build, int n, int count) {
  release_row_pictures(build);
  HMODULE module = resource_module();
  for (int c = 0; c < count; ++c) {
    int id = QUESTION_MEDIA_RESOURCE + n + c;
    if (size_from_header(module, id, &build->row_sizes[c])) {
      build->row_pending[c] = true;
      continue;
    }
    // Not a JPEG whose header reads (any other picture the system decodes):
    // decoded now, for its size.
    open_apartment_for(build, module, id);
    HBITMAP bitmap = load_picture(module, id, MEDIA_RESOURCE_TYPE, PICTURE_BOX, PICTURE_BOX);
    BITMAP info = {};
    if (bitmap && GetObjectA(bitmap, sizeof info, &info)) {
      build->row_bitmaps[c] = bitmap;
      build->row_sizes[c] = {info.bmWidth, info.bmHeight};
    } else if (bitmap) {
      DeleteObject(bitmap);
    }
  }
}

void create_picture(PageBuild* build, int n, const ControlPlace& place) {
  HWND picture = create_control(*build, "Static", nullptr, PICTURE_STYLE, place);
  int column = (n - 1) % 3;
  HBITMAP& bitmap = build->row_bitmaps[column];
  if (picture && build->row_pending[column] && n <= MAX_QUESTIONS) {
    build->state->picture_pending[n] = true;
    ++build->state->pictures_pending;
  }
  if (picture && bitmap) {
    SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    bitmap = nullptr;  // the page deletes it with the static
  }
}

// The icons were loaded once by prepare_player; a missing one, or a page
// without a media host, leaves the button blank.
HICON media_icon(const PageBuild* build, bool play) {
  const MediaHost* media = build->state->media;
  if (!media) return nullptr;
  return play ? media->play_icon : media->stop_icon;
}

void create_media_button(PageBuild* build, const ControlPlace& place, HICON icon) {
  HWND button = create_control(*build, "Button", "", MEDIA_BUTTON_STYLE, place);
  if (button && icon) SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

void create_text_static(PageBuild* build, const ControlPlace& place, const char* text,
                        DWORD style) {
  HWND control = create_control(*build, "Static", text, style, place);
  apply_font(*build, control, place.font);
}

void create_reveal_label(PageBuild* build, const ControlPlace& place,
                         const QuizQuestion* question) {
  HWND label = create_control(*build, "Static", "", REVEAL_STYLE, place);
  apply_font(*build, label, place.font);
  if (question) SetWindowTextA(label, question->reveal_text);
  ShowWindow(label, SW_HIDE);  // shown when its question is solved
}

void create_place(PageBuild* build, int n, const ControlPlace& place) {
  // A document whose list is empty has no texts to show: they stay empty.
  const QuizQuestion* question = question_at(build->doc, n - 1);
  char number[TEXT_SLOT_SIZE];
  switch (place.role) {
    case ROLE_NUMBER:
      wsprintfA(number, "%d.", n);
      create_text_static(build, place, number, NUMBER_STYLE);
      break;
    case ROLE_QUESTION_TEXT:
      create_text_static(build, place, question ? question->question_text : "",
                         QUESTION_TEXT_STYLE);
      break;
    case ROLE_ANSWER_FIELD: create_answer_field(build, place); break;
    case ROLE_VERDICT:
      create_text_static(build, place, verdict_text(VERDICT_EMPTY), VERDICT_STYLE);
      break;
    case ROLE_CAPTION_1:
      create_text_static(build, place, build->doc->answer1_label, CAPTION_STYLE);
      break;
    case ROLE_CAPTION_2:
      create_text_static(build, place, build->doc->answer2_label, CAPTION_STYLE);
      break;
    case ROLE_PLAY: create_media_button(build, place, media_icon(build, true)); break;
    case ROLE_STOP: create_media_button(build, place, media_icon(build, false)); break;
    case ROLE_REVEAL: create_reveal_label(build, place, question); break;
    case ROLE_PICTURE: create_picture(build, n, place); break;
  }
}

void build_question(PageBuild* build, PageLayout* layout, int n) {
  int to_measure = row_pictures_to_measure(layout, n);
  if (to_measure) measure_row(build, n, to_measure);
  QuestionPlaces places;
  lay_out_question(layout, n, build->row_sizes, &places);
  if (n <= MAX_QUESTIONS) build->state->picture_boxes[n] = places.picture_box;
  for (int i = 0; i < places.count; ++i) create_place(build, n, places.places[i]);
}

// The answers file mapped read-only while the session takes its lines.
void restore_from_answers_file(QuizSession* session) {
  AnswersFile file;
  open_answers_file(&file);
  restore_answers(session, file.view, file.size);
  close_answers_file(&file);
}

}  // namespace

void create_answer_font(QuizDocument* doc) {
  if (!doc->answer_font) doc->answer_font = platform().create_font(&ANSWER_FONT);
}

void build_page(PageState* state) {
  HWND page = state->page;
  QuizDocument* doc = state->doc;
  if ((doc->kind == QUIZ_AUDIO || doc->kind == QUIZ_VIDEO) && state->media) {
    prepare_player(state->media, page);
  }
  PageBuild build = {};
  build.state = state;
  build.page = page;
  build.doc = doc;
  build.instance = GetModuleHandleA(nullptr);
  restore_from_answers_file(&state->session);
  create_answer_font(doc);

  PageLayout layout;
  begin_page_layout(&layout,
                    {doc->kind, doc->question_count, doc->answers_per_question, doc->answer_mode});
  for (int n = 1; n <= layout.shape.question_count; ++n) build_question(&build, &layout, n);
  release_row_pictures(&build);
  end_page_layout(&layout);
  state->width = layout.page_width;
  state->height = layout.page_height;

  // Restored answers show their verdicts and count in the score from the
  // start (answer pictures decode inside the apartment still held).
  // Pictures still to decode keep the apartment open until the last.
  if (state->pictures_pending > 0 && !build.apartment_open) {
    build.apartment_open = SUCCEEDED(CoInitialize(nullptr));
  }
  judge_all_fields(&state->session);
  if (state->pictures_pending > 0) {
    state->apartment_open = build.apartment_open;
  } else if (build.apartment_open) {
    CoUninitialize();
  }
  setup_scrollbars(page);
}
