#include "frame_layout.h"

const FramePlace FRAME_PAGE_PLACE = {5, 50, -11, -68};
const FramePlace FRAME_PANEL_PLACE = {5, 2, -11, 49};
const FramePlace FRAME_VERSION_LABEL_PLACE = {-145, -16, 140, 15};

FrameSize frame_client_showing(int content_width, int content_height, FrameSize page_chrome) {
  // The page's window is the client less what its place leaves beside it.
  return {content_width + page_chrome.width - FRAME_PAGE_PLACE.width,
          content_height + page_chrome.height - FRAME_PAGE_PLACE.height};
}

namespace {

int clamp(int value, int least, int most) {
  if (value < least) value = least;
  return value > most ? most : value;
}

}  // namespace

ScreenRect frame_on_work_area(FrameSize wanted, ScreenRect work_area) {
  int room_w = work_area.right - work_area.left, room_h = work_area.bottom - work_area.top;
  int width = clamp(wanted.width, FRAME_MIN_WIDTH, room_w);
  int height = clamp(wanted.height, FRAME_MIN_HEIGHT, room_h);
  int left = work_area.left + (room_w - width) / 2;
  int top = work_area.top + (room_h - height) / 2;
  return {left, top, left + width, top + height};
}
