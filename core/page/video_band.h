// Where a video quiz shows the clip being played: the band that the grid leaves
// empty above the answer block of each question. The numbers are the grid's:
// three questions to a row, columns 290 pixels apart, rows starting at y 5.
#pragma once

struct BandRect {
  int x, y, width, height;
};

enum : int {
  GRID_TOP = 5,
  GRID_COLUMN_STEP = 290,
  GRID_COLUMN_LEFT = 46,       // one answer per question
  GRID_COLUMN_LEFT_TWO = 106,  // two answers per question: captions take the left
  GRID_GAP = 60,               // below a row's answer block
  GRID_GAP_REVEAL = 140,       // the same when solved questions reveal a text
  VIDEO_BAND_HEIGHT = 210,
  VIDEO_BAND_WIDTH = 260,  // the column: the buttons' inset and the field
};

// The band of question n (from 1) in unscrolled page coordinates. The
// question's PlayButton sits at the band's bottom-left corner.
inline BandRect video_band(int question, int answers_per_question, int answer_mode) {
  int index = question - 1;
  int left = answers_per_question == 2 ? GRID_COLUMN_LEFT_TWO : GRID_COLUMN_LEFT;
  int gap = answer_mode > 1 ? GRID_GAP_REVEAL : GRID_GAP;
  BandRect band;
  band.x = GRID_COLUMN_STEP * (index % 3) + left;
  band.y = GRID_TOP + (index / 3) * (VIDEO_BAND_HEIGHT + gap);
  band.width = VIDEO_BAND_WIDTH;
  band.height = VIDEO_BAND_HEIGHT;
  return band;
}
