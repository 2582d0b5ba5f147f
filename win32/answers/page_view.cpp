#include "page_view.h"

#include "answer_field.h"
#include "core/content/platform.h"
#include "core/content/resource_names.h"
#include "resources/resource_ids.h"
#include "save_answers.h"
#include "win32/page/picture.h"
#include "win32/platform/platform_win32.h"

namespace {

PageState* state_of(void* instance) { return static_cast<PageState*>(instance); }

void show_text(void* instance, int field, const char* text) {
  if (HWND control = state_of(instance)->fields[field]) SetWindowTextA(control, text);
}

void show_verdict(void* instance, int field, Verdict, const char* word) {
  if (HWND label = state_of(instance)->verdicts[field]) SetWindowTextA(label, word);
}

void show_reveal(void* instance, int question, bool shown) {
  if (HWND label = state_of(instance)->reveals[question]) {
    ShowWindow(label, shown ? SW_SHOWNORMAL : SW_HIDE);
  }
}

// Mode 1: the answer picture takes the question picture's place, fitted into
// the box the layout gave the row's pictures (the column's width, the row's
// height) and centred there as the page centres its pictures, so a picture of
// another shape shows whole. The box comes from the build, never from the
// statics as they are now: an answer picture shown earlier in the row has
// resized its own. The replaced bitmap is deleted.
void show_answer_picture(void* instance, int question) {
  PageState* state = state_of(instance);
  HWND picture = state->pictures[question];
  PageBox box = state->picture_boxes[question];
  if (!picture || box.width <= 0 || box.height <= 0) return;
  HBITMAP bitmap = load_picture(resource_module(), ANSWER_MEDIA_RESOURCE + question,
                                MEDIA_RESOURCE_TYPE, box.width, box.height);
  BITMAP info = {};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) {
    if (bitmap) DeleteObject(bitmap);
    return;
  }
  // The page scrolls its children: content coordinates less the positions.
  int left = box.x - GetScrollPos(state->page, SB_HORZ) * SCROLL_UNIT;
  int top = box.y - GetScrollPos(state->page, SB_VERT) * SCROLL_UNIT;
  SetWindowPos(picture, nullptr, left + (box.width - info.bmWidth) / 2,
               top + (box.height - info.bmHeight) / 2, info.bmWidth, info.bmHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
  HGDIOBJ old = reinterpret_cast<HGDIOBJ>(
      SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  if (old && old != bitmap) DeleteObject(old);
  forget_pending_picture(state, question);  // its question picture must not come back over it
}

void show_message(void*, const char* text, const char* caption) {
  platform().message_box(text, caption, MESSAGE_OK);
}

// Saved after each judgement that changed an answer, so that a power cut or
// a killed process loses nothing judged.
void save_as_answered(void* instance) { save_answers_as_answered(state_of(instance)->page); }

// Nothing while the document has no header panel yet.
void show_score(void* instance, const char* score, const char* code) {
  HWND panel = static_cast<HWND>(state_of(instance)->doc->header_panel);
  if (!panel) return;
  SetDlgItemTextA(panel, SCORE_LABEL, score);
  SetDlgItemTextA(panel, CODE_BOX, code);
}

}  // namespace

const SessionViewOps PAGE_VIEW = {show_text,    show_verdict, show_reveal,     show_answer_picture,
                                  show_message, show_score,   save_as_answered};

PageSetup answering_page(QuizDocument* doc, MediaHost* media) {
  return {doc, answer_field_proc, &PAGE_VIEW, media, nullptr};
}
