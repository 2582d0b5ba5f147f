// Where every control of the question page goes: the text layout (one line
// per question) and the grid layout (three questions to a row). Portable: the
// Win32 page asks for the controls of each question in turn and creates them
// in the order given, at the positions given (page content coordinates, which
// are client coordinates while the page is unscrolled).
#pragma once

#include <cstdint>

// Control ids of the page. Fields are numbered k = 1 .. N x A across the page,
// questions n = 1 .. N; a verdict label's id is its field's id plus 1000.
enum : int {
  ID_NUMBER_LABEL = 153,    // shared by every number
  ID_ANSWER_CAPTION = 156,  // shared by both captions of every row
  ID_QUESTION_TEXT = 3000,  // shared by every question text
  ID_ANSWER_FIELD = 4000,   // + k
  ID_VERDICT_LABEL = 5000,  // + k
  ID_PLAY_BUTTON = 6000,    // + n
  ID_STOP_BUTTON = 7000,    // + n
  ID_REVEAL_LABEL = 8000,   // + n
  ID_PLAYER_HOST = 9900,
  ID_QUESTION_PICTURE = 9900,  // + n
  // A field's verdict label is its id plus this.
  VERDICT_LABEL_OFFSET = ID_VERDICT_LABEL - ID_ANSWER_FIELD,
};

// Pictures are fitted into this box, keeping their proportions.
enum { PICTURE_BOX = 260 };

enum ControlRole {
  ROLE_NUMBER,
  ROLE_QUESTION_TEXT,
  ROLE_ANSWER_FIELD,
  ROLE_VERDICT,
  ROLE_CAPTION_1,  // `answer1_label`
  ROLE_CAPTION_2,  // `answer2_label`
  ROLE_PLAY,
  ROLE_STOP,
  ROLE_REVEAL,
  ROLE_PICTURE,
};

enum ControlFont {
  FONT_UNSET,   // no font message: the control's own font
  FONT_ANSWER,  // the document's `answer_font`, set without redraw
  FONT_GUI,     // the stock GUI font, set with redraw
};

struct ControlPlace {
  ControlRole role;
  int id;
  int x, y, width, height;
  ControlFont font;
};

// The size of a fitted picture; 0 x 0 when the picture did not load.
struct PictureSize {
  int width, height;
};

// A rectangle in page content coordinates.
struct PageBox {
  int x, y, width, height;
};

// What of the QuizDocument decides the layout.
struct PageShape {
  uint32_t kind;  // QuizKind
  int question_count;
  int answers_per_question;
  int answer_mode;
};

struct PageLayout {
  PageShape shape;
  int y;           // top of the next line (text) or of the current row (grid)
  int row_height;  // tallest picture of the current row
  int page_width;  // content extent so far
  int page_height;
};

enum { MAX_PLACES_PER_QUESTION = 12 };

struct QuestionPlaces {
  ControlPlace places[MAX_PLACES_PER_QUESTION];
  int count;
  // Picture quiz: the box the question's picture was fitted into and centred
  // in (its column's 260 pixels, its row's height), where an answer picture
  // takes its place. 0 x 0 for the other kinds.
  PageBox picture_box;
  // Answers-file lines read for this question without a field to take them
  // (answers per question other than 1 and 2 in the grid layout).
  int unused_lines;
};

// Starts a page: nothing laid out, extents 0.
void begin_page_layout(PageLayout* layout, const PageShape& shape);

// True for the picture quiz, whose rows are as high as their tallest picture.
bool layout_measures_pictures(const PageLayout* layout);

// How many pictures measure the row that question n opens: those of the
// questions n, n + 1 and n + 2 that are on the page; 0 when n opens no row
// of a picture quiz. Pictures of questions beyond the count are not shown, so
// they neither cost a decode nor make the row higher.
int row_pictures_to_measure(const PageLayout* layout, int n);

// The controls of question n (1-based, in order), in creation order. `row`
// holds the fitted sizes of the pictures of n's row by column (picture quiz
// only; columns without a picture are 0 x 0). Advances the layout.
void lay_out_question(PageLayout* layout, int n, const PictureSize row[3], QuestionPlaces* out);

// Ends the page: the extents take their final margin.
void end_page_layout(PageLayout* layout);

// Where a video quiz shows the clip of question n (from 1): the band the grid
// leaves empty above the question's answer block, in unscrolled page
// coordinates. The question's PlayButton sits at its bottom-left corner.
PageBox video_band(int question, int answers_per_question, int answer_mode);

// The size of a w x h picture fitted into a box: enlarged or reduced by the
// smaller of the two ratios, each side truncated, never below 1. Computed in
// integers, so a side that meets the box is exactly the box's. 0 x 0 for a
// picture without pixels.
PictureSize fit_picture(int width, int height, int box_width, int box_height);
