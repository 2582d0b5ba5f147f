#include "page_layout.h"

#include "core/answers/score_rules.h"
#include "core/content/document.h"

namespace {

struct Box {
  int x, y, width, height;
};

// Text layout: one line per question, boxes relative to the line's top.
const int TEXT_FIRST_LINE = 5;
const int TEXT_LINE_STEP = 25;
const Box TEXT_NUMBER = {26, 2, 19, 17};
const Box TEXT_QUESTION = {50, 0, 550, 20};
const Box TEXT_FIELD = {610, 0, 100, 20};
const Box TEXT_VERDICT = {720, 0, 100, 20};
const int TEXT_PAGE_WIDTH = 830;

// Grid layout: three questions to a row; x relative to the column's left x0,
// y relative to the answer block's top yb (row top plus the band above it).
const int GRID_COLUMNS = 3;
const int GRID_TOP = 5;  // the first row, as the text layout's first line
const int GRID_COLUMN_STEP = 290;
const int GRID_LEFT = 46;
const int GRID_LEFT_TWO_ANSWERS = 106;      // room for the captions
const int GRID_COLUMN_WIDTH = PICTURE_BOX;  // a picture's box; a clip's buttons and field
const int GRID_PICTURE_FIELD_WIDTH = 260;
const int GRID_MEDIA_FIELD_WIDTH = 240;
const int GRID_MEDIA_INSET = 20;            // the play and stop buttons stand left of the fields
const int GRID_PICTURE_GAP = 10;            // between a row's pictures and its answer blocks
const int GRID_VIDEO_BAND = 210;            // above the answer block, where the clip shows
const Box GRID_CAPTION_1 = {3, 2, 95, 20};  // x from the page's left
const Box GRID_CAPTION_2 = {3, 22, 95, 20};
const Box GRID_NUMBER = {-28, 2, 27, 17};
const Box GRID_PLAY = {0, 0, 20, 20};
const Box GRID_STOP = {0, 20, 20, 19};
const int GRID_FIELD_HEIGHT = 20;
const int GRID_VERDICT_BELOW = 19;  // one answer: the verdict under the field
const int GRID_SECOND_FIELD_BELOW = 19;
const int GRID_SHORT_VERDICT_WIDTH = 60;  // two answers: the verdict beside the field
const Box GRID_REVEAL = {0, 46, 260, 65};
const int GRID_GAP = 60;               // answer block height and margin
const int GRID_GAP_WITH_REVEAL = 140;  // room for the reveal label
const int GRID_PAGE_WIDTH = 890;

// Margin added to the content width once every question is laid out.
const int END_MARGIN = 20;
const int END_MARGIN_TWO_ANSWERS = 80;

void add(QuestionPlaces* out, ControlRole role, int id, int x, int y, int width, int height,
         ControlFont font) {
  out->places[out->count++] = {role, id, x, y, width, height, font};
}

void add_box(QuestionPlaces* out, ControlRole role, int id, int left, int top, const Box& box,
             ControlFont font) {
  add(out, role, id, left + box.x, top + box.y, box.width, box.height, font);
}

void lay_out_text_line(PageLayout* layout, int n, QuestionPlaces* out) {
  int y = layout->y;
  add_box(out, ROLE_NUMBER, ID_NUMBER_LABEL, 0, y, TEXT_NUMBER, FONT_UNSET);
  add_box(out, ROLE_QUESTION_TEXT, ID_QUESTION_TEXT, 0, y, TEXT_QUESTION, FONT_GUI);
  // A text quiz has one field per question, whatever the answers per question.
  add_box(out, ROLE_ANSWER_FIELD, ID_ANSWER_FIELD + n, 0, y, TEXT_FIELD, FONT_ANSWER);
  add_box(out, ROLE_VERDICT, ID_VERDICT_LABEL + n, 0, y, TEXT_VERDICT, FONT_UNSET);
  layout->y = y + TEXT_LINE_STEP;
  layout->page_width = TEXT_PAGE_WIDTH;
  layout->page_height = layout->y;
}

int column_left(int n, int answers_per_question) {
  return GRID_COLUMN_STEP * ((n - 1) % GRID_COLUMNS) +
         (answers_per_question == 2 ? GRID_LEFT_TWO_ANSWERS : GRID_LEFT);
}

int grid_gap(int answer_mode) {
  return answer_mode > MODE_SECOND_PICTURE ? GRID_GAP_WITH_REVEAL : GRID_GAP;
}

// The picture of question n, centred in its column's 260-wide box and in the
// row's height; a picture that did not load keeps an empty 260 x h place.
void lay_out_picture(PageLayout* layout, int n, int x0, const PictureSize& picture,
                     QuestionPlaces* out) {
  int h = layout->row_height;
  int pw = picture.height > 0 ? picture.width : PICTURE_BOX;
  int ph = picture.height > 0 ? picture.height : h;
  add(out, ROLE_PICTURE, ID_QUESTION_PICTURE + n, x0 + (PICTURE_BOX - pw) / 2,
      layout->y + (h - ph) / 2, pw, ph, FONT_UNSET);
  out->picture_box = {x0, layout->y, PICTURE_BOX, h};
}

void lay_out_fields(const PageShape& shape, int n, int left, int yb, int width,
                    QuestionPlaces* out) {
  int a = shape.answers_per_question;
  if (a == 1) {
    add(out, ROLE_ANSWER_FIELD, ID_ANSWER_FIELD + n, left, yb, width, GRID_FIELD_HEIGHT,
        FONT_ANSWER);
    add(out, ROLE_VERDICT, ID_VERDICT_LABEL + n, left, yb + GRID_VERDICT_BELOW, width,
        GRID_FIELD_HEIGHT, FONT_UNSET);
  } else if (a == 2) {
    for (int j = 1; j <= 2; ++j) {
      int k = 2 * (n - 1) + j;
      int yj = yb + GRID_SECOND_FIELD_BELOW * (j - 1);
      add(out, ROLE_ANSWER_FIELD, ID_ANSWER_FIELD + k, left, yj,
          width - (GRID_SHORT_VERDICT_WIDTH - 1), GRID_FIELD_HEIGHT, FONT_ANSWER);
      add(out, ROLE_VERDICT, ID_VERDICT_LABEL + k, left + width - GRID_SHORT_VERDICT_WIDTH, yj,
          GRID_SHORT_VERDICT_WIDTH, GRID_FIELD_HEIGHT, FONT_GUI);
    }
  } else {
    // Their lines are read all the same.
    out->unused_lines = answer_lines_per_question(shape.kind, a);
  }
}

void lay_out_grid_cell(PageLayout* layout, int n, const PictureSize row[3], QuestionPlaces* out) {
  const PageShape& shape = layout->shape;
  bool two_answers = shape.answers_per_question == 2;
  int col = (n - 1) % GRID_COLUMNS;
  bool first_of_row = n % GRID_COLUMNS == 1;
  bool last_of_row = n % GRID_COLUMNS == 0;
  int x0 = column_left(n, shape.answers_per_question);
  bool picture_quiz = shape.kind == QUIZ_PICTURE;
  int width = picture_quiz ? GRID_PICTURE_FIELD_WIDTH : GRID_MEDIA_FIELD_WIDTH;
  int inset = picture_quiz ? 0 : GRID_MEDIA_INSET;

  int band = shape.kind == QUIZ_VIDEO ? GRID_VIDEO_BAND : 0;
  if (picture_quiz) {
    if (first_of_row) {
      layout->row_height = 0;
      for (int c = 0; c < GRID_COLUMNS; ++c) {
        if (row[c].height > layout->row_height) layout->row_height = row[c].height;
      }
    }
    lay_out_picture(layout, n, x0, row[col], out);
    band = layout->row_height + GRID_PICTURE_GAP;
  }
  int yb = layout->y + band;

  if (two_answers && first_of_row) {
    add_box(out, ROLE_CAPTION_1, ID_ANSWER_CAPTION, 0, yb, GRID_CAPTION_1, FONT_GUI);
    add_box(out, ROLE_CAPTION_2, ID_ANSWER_CAPTION, 0, yb, GRID_CAPTION_2, FONT_GUI);
  }
  add_box(out, ROLE_NUMBER, ID_NUMBER_LABEL, x0, yb, GRID_NUMBER, FONT_UNSET);
  if (!picture_quiz) {
    add_box(out, ROLE_PLAY, ID_PLAY_BUTTON + n, x0, yb, GRID_PLAY, FONT_UNSET);
    add_box(out, ROLE_STOP, ID_STOP_BUTTON + n, x0, yb, GRID_STOP, FONT_UNSET);
  }
  lay_out_fields(shape, n, x0 + inset, yb, width, out);
  bool reveals = shape.answer_mode > MODE_SECOND_PICTURE;
  if (reveals) add_box(out, ROLE_REVEAL, ID_REVEAL_LABEL + n, x0, yb, GRID_REVEAL, FONT_GUI);

  int gap = grid_gap(shape.answer_mode);
  if (last_of_row) layout->y = yb + gap;
  if (first_of_row) {
    layout->page_width = GRID_PAGE_WIDTH;
    layout->page_height = yb + gap;
  }
}

bool is_grid_kind(uint32_t kind) {
  return kind == QUIZ_PICTURE || kind == QUIZ_AUDIO || kind == QUIZ_VIDEO;
}

}  // namespace

void begin_page_layout(PageLayout* layout, const PageShape& shape) {
  layout->shape = shape;
  if (layout->shape.question_count < 0) layout->shape.question_count = 0;
  layout->y = layout->shape.kind == QUIZ_TEXT ? TEXT_FIRST_LINE : GRID_TOP;
  layout->row_height = 0;
  layout->page_width = 0;
  layout->page_height = 0;
}

bool layout_measures_pictures(const PageLayout* layout) {
  return layout->shape.kind == QUIZ_PICTURE;
}

int row_pictures_to_measure(const PageLayout* layout, int n) {
  if (!layout_measures_pictures(layout) || n % GRID_COLUMNS != 1) return 0;
  int on_page = layout->shape.question_count - n + 1;
  if (on_page <= 0) return 0;
  return on_page < GRID_COLUMNS ? on_page : GRID_COLUMNS;
}

void lay_out_question(PageLayout* layout, int n, const PictureSize row[3], QuestionPlaces* out) {
  out->count = 0;
  out->unused_lines = 0;
  out->picture_box = {0, 0, 0, 0};
  if (layout->shape.kind == QUIZ_TEXT) {
    lay_out_text_line(layout, n, out);
  } else if (is_grid_kind(layout->shape.kind)) {
    static const PictureSize no_pictures[3] = {};
    lay_out_grid_cell(layout, n, row ? row : no_pictures, out);
  }
}

void end_page_layout(PageLayout* layout) {
  layout->page_width +=
      layout->shape.answers_per_question == 2 ? END_MARGIN_TWO_ANSWERS : END_MARGIN;
}

// Every row of a video quiz is as high as the band, the answer block and the
// gap below it.
PageBox video_band(int question, int answers_per_question, int answer_mode) {
  int row = (question - 1) / GRID_COLUMNS;
  return {column_left(question, answers_per_question),
          GRID_TOP + row * (GRID_VIDEO_BAND + grid_gap(answer_mode)), GRID_COLUMN_WIDTH,
          GRID_VIDEO_BAND};
}

PictureSize fit_picture(int width, int height, int box_width, int box_height) {
  if (width <= 0 || height <= 0 || box_width <= 0 || box_height <= 0) return {0, 0};
  int64_t w = width, h = height, bw = box_width, bh = box_height;
  // The smaller ratio of bw / w and bh / h, compared without division.
  int64_t fitted_w, fitted_h;
  if (bw * h <= bh * w) {
    fitted_w = bw;
    fitted_h = h * bw / w;
  } else {
    fitted_w = w * bh / h;
    fitted_h = bh;
  }
  PictureSize size = {int(fitted_w), int(fitted_h)};
  if (size.width < 1) size.width = 1;
  if (size.height < 1) size.height = 1;
  return size;
}
