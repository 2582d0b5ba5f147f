// The question pictures the build laid out from their JPEG headers, decoded
// after the build: those in view before the page is first painted (every
// scroll and resize decodes what it brings into view), the others one at a
// time while the program waits for its user. A page of 96 photos shows its
// first screen without waiting for the 90 it does not show.
#include <ole2.h>

#include "core/content/resource_names.h"
#include "picture.h"
#include "question_page.h"
#include "win32/platform/platform_win32.h"

namespace {

void close_apartment_when_done(PageState* state) {
  if (state->pictures_pending > 0 || !state->apartment_open) return;
  state->apartment_open = false;
  CoUninitialize();
}

// A picture that will not decode leaves its static blank, in the place its
// header gave it; the page shows what it could.
void decode_pending_picture(PageState* state, int n) {
  state->picture_pending[n] = false;
  --state->pictures_pending;
  HWND picture = state->pictures[n];
  HBITMAP bitmap = load_picture(resource_module(), QUESTION_MEDIA_RESOURCE + n, MEDIA_RESOURCE_TYPE,
                                PICTURE_BOX, PICTURE_BOX);
  if (bitmap && picture) {
    HGDIOBJ old = reinterpret_cast<HGDIOBJ>(
        SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (old && old != bitmap) DeleteObject(old);
  } else if (bitmap) {
    DeleteObject(bitmap);
  }
  close_apartment_when_done(state);
}

bool overlaps(const PageBox& box, const RECT& view) {
  return box.x < view.right && box.x + box.width > view.left && box.y < view.bottom &&
         box.y + box.height > view.top;
}

}  // namespace

void decode_pictures_in_view(PageState* state) {
  if (!state || state->pictures_pending == 0) return;
  RECT view;
  GetClientRect(state->page, &view);
  OffsetRect(&view, GetScrollPos(state->page, SB_HORZ) * SCROLL_UNIT,
             GetScrollPos(state->page, SB_VERT) * SCROLL_UNIT);
  for (int n = 1; n <= MAX_QUESTIONS && state->pictures_pending > 0; ++n) {
    if (state->picture_pending[n] && overlaps(state->picture_boxes[n], view)) {
      decode_pending_picture(state, n);
    }
  }
}

bool decode_next_picture(HWND page) {
  PageState* state = page_state(page);
  if (!state || state->pictures_pending == 0) return false;
  for (int n = 1; n <= MAX_QUESTIONS; ++n) {
    if (state->picture_pending[n]) {
      decode_pending_picture(state, n);
      return state->pictures_pending > 0;
    }
  }
  state->pictures_pending = 0;  // a count that lost its pictures must not spin the loop
  close_apartment_when_done(state);
  return false;
}

void forget_pending_picture(PageState* state, int n) {
  if (n < 1 || n > MAX_QUESTIONS || !state->picture_pending[n]) return;
  state->picture_pending[n] = false;
  --state->pictures_pending;
  close_apartment_when_done(state);
}

void release_pending_pictures(PageState* state) {
  for (bool& pending : state->picture_pending) pending = false;
  state->pictures_pending = 0;
  close_apartment_when_done(state);
}
