// The question page under Wine: built from a document made in the test (and
// pictures from test modules), then driven by messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/answers/answers_file.h"
#include "core/answers/verdict.h"
#include "core/page/verdict_fit.h"
#include "resources/resource_ids.h"
#include "tests/support/gdi_objects.h"
#include "win32/answers/answer_field.h"
#include "win32/answers/page_view.h"
#include "win32/page/question_page.h"
#include "win32/platform/platform_win32.h"

namespace {

const DWORD CHILD = WS_CHILD | WS_VISIBLE;

struct Control {
  HWND window;
  std::string class_name;
  int id;
  DWORD style;
  std::string text;
  RECT place;  // in the page's client coordinates
  HFONT font;
};

std::string text_of(HWND window) {
  char text[1024] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

Control describe(HWND page, HWND window) {
  Control control;
  control.window = window;
  char class_name[64] = "";
  GetClassNameA(window, class_name, sizeof class_name);
  control.class_name = class_name;
  control.id = GetDlgCtrlID(window);
  control.style = DWORD(GetWindowLongA(window, GWL_STYLE));
  control.text = text_of(window);
  GetWindowRect(window, &control.place);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&control.place), 2);
  control.font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  return control;
}

void expect_place(const Control& control, int x, int y, int width, int height) {
  EXPECT_EQ(control.place.left, x) << control.id;
  EXPECT_EQ(control.place.top, y) << control.id;
  EXPECT_EQ(control.place.right - control.place.left, width) << control.id;
  EXPECT_EQ(control.place.bottom - control.place.top, height) << control.id;
}

SIZE image_size(HWND picture) {
  HBITMAP bitmap = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
  BITMAP info = {};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

int wheels_reaching_parent = 0;

LRESULT CALLBACK parent_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_MOUSEWHEEL) ++wheels_reaching_parent;
  return DefWindowProcA(window, message, wparam, lparam);
}

const char PARENT_CLASS[] = "QuestionPageTestParent";

void pump_messages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

std::string answers_file() {
  char name[TEXT_SLOT_SIZE];
  program_answers_file(name);
  return name;
}

void write_answers(const std::string& bytes) {
  FILE* file = fopen(answers_file().c_str(), "wb");
  ASSERT_NE(file, nullptr);
  fwrite(bytes.data(), 1, bytes.size(), file);
  fclose(file);
}

// Builds a page for a document made in the test, inside a plain parent.
class PageTest : public ::testing::Test {
 protected:
  QuizDocument* doc = static_cast<QuizDocument*>(malloc(sizeof(QuizDocument)));
  HWND parent = nullptr;
  HWND page = nullptr;
  HMODULE pictures = nullptr;
  const PageMediaCalls* media = nullptr;  // where play and stop go

  static void SetUpTestSuite() {
    WNDCLASSA parent_class = {};
    parent_class.lpfnWndProc = parent_proc;
    parent_class.hInstance = GetModuleHandleA(nullptr);
    parent_class.lpszClassName = PARENT_CLASS;
    RegisterClassA(&parent_class);
  }

  void SetUp() override {
    init_document(doc);
    DeleteFileA(answers_file().c_str());
    parent = CreateWindowExA(0, PARENT_CLASS, "page test", WS_OVERLAPPEDWINDOW, 0, 0, 1100, 800,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
    wheels_reaching_parent = 0;
  }

  void TearDown() override {
    if (page) DestroyWindow(page);
    DestroyWindow(parent);
    pump_messages();
    set_resource_module(nullptr);
    if (pictures) FreeLibrary(pictures);
    DeleteObject(static_cast<HGDIOBJ>(doc->answer_font));
    release_document(doc);
    free(doc);
    DeleteFileA(answers_file().c_str());
  }

  void use_pictures(const char* module_name) {
    pictures = LoadLibraryExA(module_name, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(pictures, nullptr);
    set_resource_module(pictures);
  }

  void shape(uint32_t kind, int count, int answers, int mode) {
    doc->kind = kind;
    doc->question_count = count;
    doc->answers_per_question = answers;
    doc->answer_mode = mode;
  }

  void add_questions(int count) {
    for (int n = 1; n <= count; ++n) {
      std::string number = std::to_string(n);
      append_question(doc, ("R" + number).c_str(), ("S" + number).c_str(),
                      ("Question " + number).c_str());
      copy_text(question_at(doc, n - 1)->reveal_text, ("Voici " + number).c_str());
    }
  }

  // The page as the player makes it, at its build, then sized to width x
  // height (WM_SIZE).
  // Settled: every picture decoded, as the player's loop leaves the page
  // once nothing waits.
  void make_page(int width = 1000, int height = 700, bool settle = true) {
    PageSetup setup = answering_page(doc, nullptr);
    setup.media_calls = media;
    page = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_QUESTION_PAGE),
                              parent, question_page_proc, reinterpret_cast<LPARAM>(&setup));
    ASSERT_NE(page, nullptr);
    MoveWindow(page, 0, 0, width, height, FALSE);
    if (settle) {
      while (decode_next_picture(page)) {
      }
    }
  }

  std::vector<Control> controls() {
    std::vector<Control> all;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      all.push_back(describe(page, child));
    }
    return all;
  }

  Control item(int id) { return describe(page, GetDlgItem(page, id)); }

  int position(int bar) { return GetScrollPos(page, bar); }

  int client_height() {
    RECT client;
    GetClientRect(page, &client);
    return client.bottom;
  }

  void vscroll(int code) { SendMessageA(page, WM_VSCROLL, MAKEWPARAM(code, 0), 0); }
  void hscroll(int code) { SendMessageA(page, WM_HSCROLL, MAKEWPARAM(code, 0), 0); }
  void wheel(int delta) {
    SendMessageA(page, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(SHORT(delta))), 0);
    pump_messages();
  }
  int top_of(int id) { return item(id).place.top; }
  int page_width() { return page_extent(page).cx; }
  int page_height() { return page_extent(page).cy; }
  void scroll_to(int target) { SendMessageA(page, WM_VSCROLL, SCROLL_TO_TARGET, target); }
};

HFONT gui_font() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

TEST_F(PageTest, TextQuizLines) {
  shape(QUIZ_TEXT, 3, 1, 0);
  add_questions(2);
  copy_text(question_at(doc, 1)->question_text, "Tom & Jerry 100%");
  make_page();
  std::vector<Control> all = controls();
  ASSERT_EQ(all.size(), 12u);
  const char* texts[] = {"Question 1", "Tom & Jerry 100%", "Tom & Jerry 100%"};
  for (int n = 1; n <= 3; ++n) {
    int y = 5 + 25 * (n - 1);
    const Control* line = &all[size_t(4 * (n - 1))];
    EXPECT_EQ(line[0].class_name, "Static");
    EXPECT_EQ(line[0].id, 153);
    EXPECT_EQ(line[0].style, CHILD | SS_RIGHT);
    EXPECT_EQ(line[0].text, std::to_string(n) + ".");
    expect_place(line[0], 26, y + 2, 19, 17);
    EXPECT_EQ(line[0].font, nullptr);

    EXPECT_EQ(line[1].class_name, "Static");
    EXPECT_EQ(line[1].id, 3000);
    EXPECT_EQ(line[1].style, CHILD | WS_BORDER | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX);
    EXPECT_EQ(line[1].text, texts[n - 1]);  // a missing question shows the last one's text
    expect_place(line[1], 50, y, 550, 20);
    EXPECT_EQ(line[1].font, gui_font());

    EXPECT_EQ(line[2].class_name, "Edit");
    EXPECT_EQ(line[2].id, 4000 + n);
    EXPECT_EQ(line[2].style & ~WS_BORDER, CHILD | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL);
    EXPECT_EQ(line[2].text, "");
    expect_place(line[2], 610, y, 100, 20);
    EXPECT_EQ(line[2].font, static_cast<HFONT>(doc->answer_font));
    EXPECT_EQ(GetWindowLongPtrA(line[2].window, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(answer_field_proc));

    EXPECT_EQ(line[3].class_name, "Static");
    EXPECT_EQ(line[3].id, 5000 + n);
    EXPECT_EQ(line[3].style, CHILD | WS_BORDER | SS_CENTER | SS_CENTERIMAGE);
    EXPECT_EQ(line[3].text, "?");
    expect_place(line[3], 720, y, 100, 20);
    EXPECT_EQ(line[3].font, nullptr);
  }
  EXPECT_NE(page_state(page)->edit_class_proc, nullptr);
  EXPECT_EQ(page_width(), 850);
  EXPECT_EQ(page_height(), 80);
  // The subclassed field still behaves as an edit control.
  SetWindowTextA(all[2].window, "Paris");
  EXPECT_EQ(text_of(all[2].window), "Paris");
}

TEST_F(PageTest, AnswerFontIsMadeOnce) {
  shape(QUIZ_TEXT, 1, 1, 0);
  make_page();
  ASSERT_NE(doc->answer_font, nullptr);
  LOGFONTA font = {};
  ASSERT_TRUE(GetObjectA(static_cast<HFONT>(doc->answer_font), sizeof font, &font));
  EXPECT_EQ(font.lfHeight, 15);
  EXPECT_EQ(font.lfWeight, 100);
  EXPECT_EQ(font.lfItalic, 0);
  EXPECT_STREQ(font.lfFaceName, "");
  FontHandle first = doc->answer_font;
  DestroyWindow(page);
  make_page();
  EXPECT_EQ(doc->answer_font, first);
}

TEST_F(PageTest, DocumentWithoutItsQuestionsShowsEmptyTexts) {
  // A content that failed to decode leaves the count without a list.
  shape(QUIZ_TEXT, 2, 1, 0);
  make_page();
  EXPECT_EQ(item(3000).text, "");
  EXPECT_EQ(item(4002).id, 4002);
  DestroyWindow(page);
  shape(QUIZ_AUDIO, 2, 1, 3);
  make_page();
  EXPECT_EQ(item(8002).text, "");
  EXPECT_FALSE(IsWindowVisible(item(8002).window));
}

TEST_F(PageTest, PicturesAreFittedAndCentredInTheirRow) {
  use_pictures("pic_fit.dll");
  shape(QUIZ_PICTURE, 3, 1, 0);
  add_questions(3);
  make_page();
  Control first = item(9901), second = item(9902), third = item(9903);
  for (const Control* picture : {&first, &second, &third}) {
    EXPECT_EQ(picture->class_name, "Static");
    EXPECT_EQ(picture->style, CHILD | SS_BITMAP | SS_CENTERIMAGE);
    EXPECT_EQ(picture->text, "");
  }
  SIZE size = image_size(first.window);
  EXPECT_EQ(size.cx, 260);  // 520 x 260
  EXPECT_EQ(size.cy, 130);
  size = image_size(second.window);
  EXPECT_EQ(size.cx, 260);  // 130 x 65
  EXPECT_EQ(size.cy, 130);
  size = image_size(third.window);
  EXPECT_EQ(size.cx, 65);  // 130 x 520
  EXPECT_EQ(size.cy, 260);
  // The row is as high as picture 3.
  expect_place(first, 46, 5 + 65, 260, 130);
  expect_place(second, 336, 5 + 65, 260, 130);
  expect_place(third, 626 + 97, 5, 65, 260);
  expect_place(item(4001), 46, 275, 260, 20);
  expect_place(item(5001), 46, 294, 260, 20);
  EXPECT_EQ(page_width(), 910);
  EXPECT_EQ(page_height(), 335);
}

TEST_F(PageTest, MissingPictureKeepsAnEmptyStaticOfTheRowHeight) {
  use_pictures("pic_gap.dll");
  shape(QUIZ_PICTURE, 3, 1, 0);
  make_page();
  Control missing = item(9902);
  expect_place(missing, 336, 5, 260, 200);
  EXPECT_EQ(SendMessageA(missing.window, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  expect_place(item(9901), 46, 5, 260, 200);
  expect_place(item(9903), 626, 5 + 25, 260, 150);
}

TEST_F(PageTest, PicturesThatDoNotLoadCountAsNoHeight) {
  use_pictures("pic_fit.dll");
  shape(QUIZ_PICTURE, 7, 1, 0);
  make_page();
  // Row 2: missing, corrupt, an icon; row 3: a cut-off JPEG, and picture 8,
  // which is in the module but not on the page, so it does not count.
  for (int id : {9904, 9905, 9906}) {
    expect_place(item(id), 46 + 290 * ((id - 9904) % 3), 335, 260, 0);
  }
  expect_place(item(4004), 46, 345, 260, 20);
  expect_place(item(9907), 46, 405, 260, 0);
  for (int id = 9904; id <= 9907; ++id) {
    EXPECT_EQ(SendMessageA(GetDlgItem(page, id), STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << id;
  }
}

// The rows are laid out from the pictures' JPEG headers; only the pictures in
// view are decoded before the page is first painted, the others as they come
// into view or while nothing waits, into the very places the layout gave.
TEST_F(PageTest, PicturesOutOfViewAreDecodedLaterInTheirPlaces) {
  use_pictures("pic_later.dll");
  shape(QUIZ_PICTURE, 8, 1, 0);
  make_page(1000, 250);  // settled
  std::vector<Control> settled;
  std::vector<SIZE> sizes;
  for (int n = 1; n <= 8; ++n) {
    settled.push_back(item(ID_QUESTION_PICTURE + n));
    sizes.push_back(image_size(GetDlgItem(page, ID_QUESTION_PICTURE + n)));
  }
  EXPECT_EQ(sizes[6].cx, 260);  // 130 x 65 enlarged
  EXPECT_EQ(sizes[6].cy, 130);
  DestroyWindow(page);

  make_page(1000, 250, false);
  PageState* state = page_state(page);
  ASSERT_NE(state, nullptr);
  EXPECT_EQ(state->pictures_pending, 3);  // rows 2 and 3: pictures 4, 7 and 8
  for (int n = 1; n <= 8; ++n) {
    const Control& now = settled[size_t(n - 1)];
    expect_place(item(ID_QUESTION_PICTURE + n), now.place.left, now.place.top,
                 now.place.right - now.place.left, now.place.bottom - now.place.top);
  }
  EXPECT_EQ(image_size(GetDlgItem(page, ID_QUESTION_PICTURE + 1)).cy, 200);
  EXPECT_EQ(image_size(GetDlgItem(page, ID_QUESTION_PICTURE + 7)).cx, 0);

  SendMessageA(page, WM_VSCROLL, SB_BOTTOM, 0);  // row 3 comes into view
  EXPECT_EQ(image_size(GetDlgItem(page, ID_QUESTION_PICTURE + 7)).cy, 130);
  EXPECT_EQ(image_size(GetDlgItem(page, ID_QUESTION_PICTURE + 8)).cy, 130);
  EXPECT_EQ(state->pictures_pending, 1);
  EXPECT_FALSE(decode_next_picture(page));  // the last one
  EXPECT_FALSE(decode_next_picture(page));
  for (int n = 1; n <= 8; ++n) {
    SIZE size = image_size(GetDlgItem(page, ID_QUESTION_PICTURE + n));
    EXPECT_EQ(size.cx, sizes[size_t(n - 1)].cx) << n;
    EXPECT_EQ(size.cy, sizes[size_t(n - 1)].cy) << n;
  }
}

// A page that goes with pictures still to decode takes every bitmap it made
// with it.
TEST_F(PageTest, APageGoingWithPicturesToDecodeLeavesNothingBehind) {
  use_pictures("pic_later.dll");
  shape(QUIZ_PICTURE, 8, 1, 0);
  create_answer_font(doc);
  DWORD before = gdi_object_count();
  make_page(1000, 250, false);
  ASSERT_GT(page_state(page)->pictures_pending, 0);
  DestroyWindow(page);
  EXPECT_EQ(gdi_object_count(), before);
  EXPECT_FALSE(decode_next_picture(page));  // no longer a page
}

// Each picture is decoded once and handed to its static; the page deletes the
// bitmaps with itself. Nothing else stays behind.
TEST_F(PageTest, PicturesCostOneBitmapEachAndGoWithThePage) {
  create_answer_font(doc);
  shape(QUIZ_PICTURE, 7, 1, 0);
  make_page();  // the program itself has no pictures: the same page without any
  DestroyWindow(page);
  DWORD before = gdi_object_count();
  make_page();
  DWORD without_pictures = gdi_object_count() - before;  // the dialog's own font and the like
  DestroyWindow(page);
  EXPECT_EQ(gdi_object_count(), before);
  use_pictures("pic_fit.dll");  // three pictures that load, four that do not
  make_page();
  EXPECT_EQ(gdi_object_count(), before + without_pictures + 3);
  DestroyWindow(page);
  page = nullptr;
  EXPECT_EQ(gdi_object_count(), before);
}

TEST_F(PageTest, TwoAnswersPerQuestionWithCaptionsButtonsAndReveals) {
  shape(QUIZ_AUDIO, 3, 2, 2);
  add_questions(3);
  copy_text(doc->answer1_label, "Ville & pays");
  copy_text(doc->answer2_label, "Pr\xE9nom");
  make_page();
  std::vector<Control> captions;
  for (const Control& control : controls()) {
    if (control.id == 156) captions.push_back(control);
  }
  ASSERT_EQ(captions.size(), 2u);  // only the first column carries captions
  EXPECT_EQ(captions[0].text, "Ville & pays");
  EXPECT_EQ(captions[0].style, CHILD | SS_NOPREFIX);
  EXPECT_EQ(captions[0].font, gui_font());
  expect_place(captions[0], 3, 7, 95, 20);
  EXPECT_EQ(captions[1].text, "Pr\xE9nom");
  expect_place(captions[1], 3, 27, 95, 20);

  int x0 = 290 * 2 + 106;
  Control play = item(6003), stop = item(7003);
  EXPECT_EQ(play.class_name, "Button");
  EXPECT_EQ(play.style, CHILD | WS_TABSTOP | BS_ICON | BS_DEFPUSHBUTTON);
  EXPECT_EQ(play.text, "");
  expect_place(play, x0, 5, 20, 20);
  expect_place(stop, x0, 25, 20, 19);
  expect_place(item(4005), x0 + 20, 5, 181, 20);
  expect_place(item(4006), x0 + 20, 24, 181, 20);
  Control verdict = item(5006);
  expect_place(verdict, x0 + 20 + 180, 24, 60, 20);
  EXPECT_EQ(verdict.font, gui_font());
  EXPECT_EQ(verdict.text, "?");

  Control reveal = item(8003);
  EXPECT_EQ(reveal.style & ~WS_VISIBLE, WS_CHILD | SS_CENTER | SS_NOPREFIX);
  EXPECT_FALSE(IsWindowVisible(reveal.window));
  EXPECT_EQ(reveal.text, "Voici 3");
  EXPECT_EQ(reveal.font, gui_font());
  expect_place(reveal, x0, 51, 260, 65);
  EXPECT_EQ(page_width(), 970);
  EXPECT_EQ(page_height(), 145);
}

struct Layout {
  uint32_t kind;
  int answers;
  const char* name;
};

// The width a text takes in a static as the static draws it: its own font
// (none set: the font its device context starts with).
int text_width(HWND label, const std::string& text) {
  HDC dc = GetDC(label);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0));
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  SIZE size = {};
  GetTextExtentPoint32A(dc, text.data(), int(text.size()), &size);
  if (old) SelectObject(dc, old);
  ReleaseDC(label, dc);
  return size.cx;
}

int client_width(HWND label) {
  RECT client;
  GetClientRect(label, &client);
  return client.right;
}

// Every verdict word the player can show (the ladder's, and "Accents" of the
// judging options) fits the narrowest verdict labels: 60 pixels in the grid
// with two fields (the GUI font), 100 in a text quiz (the static's own font),
// less their border. Every word's width is printed.
TEST_F(PageTest, EveryVerdictWordFitsTheNarrowestLabels) {
  // Every word the ladder and the judging options show, and the short listed
  // verdicts docs/quiz-format.md gives.
  std::vector<std::string> fitting = {"Pas Lyon"};
  for (int v = VERDICT_EMPTY; v <= LAST_VERDICT; ++v) fitting.push_back(verdict_text(Verdict(v)));
  std::vector<std::string> words = {"Non, ce n'est pas Lyon", "Pas Marseille"};
  for (const std::string& word : fitting) words.push_back(word);
  for (Layout layout : {Layout{QUIZ_AUDIO, 2, "grid, two fields"}, Layout{QUIZ_TEXT, 1, "text"}}) {
    shape(layout.kind, 1, layout.answers, 0);
    add_questions(1);
    make_page();
    HWND label = GetDlgItem(page, 5000 + layout.answers);
    ASSERT_NE(label, nullptr);
    int room = client_width(label);
    for (const std::string& word : words)
      printf("%s label (%d pixels inside): \"%s\" %d pixels\n", layout.name, room, word.c_str(),
             text_width(label, word));
    for (const std::string& word : fitting)
      EXPECT_LE(text_width(label, word), room) << layout.name << ": " << word;
    EXPECT_GT(text_width(label, words[0]), room) << layout.name;  // the measure tells
    DestroyWindow(page);
    page = nullptr;
  }
}

// The widths quizpack measures an author's verdicts with are those of the
// real labels, and so is the room it gives them.
TEST_F(PageTest, VerdictFontWidthsAreTheLabels) {
  for (Layout layout : {Layout{QUIZ_AUDIO, 2, "grid, two fields"},
                        Layout{QUIZ_PICTURE, 1, "grid, one field"}, Layout{QUIZ_TEXT, 1, "text"}}) {
    shape(layout.kind, 1, layout.answers, 0);
    add_questions(1);
    make_page();
    HWND label = GetDlgItem(page, 5000 + layout.answers);
    ASSERT_NE(label, nullptr);
    VerdictRoom room = verdict_room({layout.kind, 1, layout.answers, 0});
    EXPECT_EQ(room.width, client_width(label)) << layout.name;
    EXPECT_EQ(room.font == FONT_GUI,
              SendMessageA(label, WM_GETFONT, 0, 0) == reinterpret_cast<LRESULT>(gui_font()))
        << layout.name;
    for (int c = 0x20; c <= 0xFF; ++c)
      EXPECT_EQ(verdict_char_width(uint8_t(c), room.font),
                text_width(label, std::string(1, char(c))))
          << layout.name << ": byte " << c;
    EXPECT_EQ(verdict_text_width("Pas Marseille", room.font), text_width(label, "Pas Marseille"));
    DestroyWindow(page);
    page = nullptr;
  }
}

// An audio quiz of ten rows (605 pixels) in a smaller page, on screen.
class ScrollTest : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    shape(QUIZ_AUDIO, 30, 1, 0);
    make_page(600, 300);
    ShowWindow(page, SW_SHOWNA);
    ShowWindow(parent, SW_SHOWNA);
    UpdateWindow(parent);
  }
};

TEST_F(ScrollTest, LinesAndPages) {
  ASSERT_EQ(page_height(), 605);
  EXPECT_EQ(position(SB_VERT), 0);
  vscroll(SB_LINEDOWN);
  EXPECT_EQ(position(SB_VERT), 310);
  EXPECT_EQ(top_of(4001), 5 - 310);  // the children moved with the bar
  vscroll(SB_LINEUP);
  EXPECT_EQ(position(SB_VERT), 0);
  EXPECT_EQ(top_of(4001), 5);
  vscroll(SB_PAGEDOWN);
  EXPECT_EQ(position(SB_VERT), client_height() - 1);
  vscroll(SB_TOP);
  EXPECT_EQ(position(SB_VERT), 0);
  vscroll(SB_LINEUP);
  EXPECT_EQ(position(SB_VERT), 0);
}

TEST_F(ScrollTest, BottomMeetsTheContentBottom) {
  vscroll(SB_BOTTOM);
  EXPECT_EQ(position(SB_VERT), page_height() - client_height());
  // The last answer block ends 60 - 39 pixels above the content bottom.
  RECT verdict = item(5030).place;
  EXPECT_EQ(client_height() - verdict.bottom, 60 - 39);
  vscroll(SB_LINEDOWN);
  EXPECT_EQ(position(SB_VERT), page_height() - client_height());
}

TEST_F(ScrollTest, WheelNotchesScrollByFifty) {
  wheel(-120);
  EXPECT_EQ(position(SB_VERT), 50);
  EXPECT_EQ(top_of(4001), 5 - 50);
  wheel(-240);  // not one notch: nothing
  wheel(-60);
  EXPECT_EQ(position(SB_VERT), 50);
  wheel(120);
  EXPECT_EQ(position(SB_VERT), 0);
  wheel(240);
  wheel(120);
  EXPECT_EQ(position(SB_VERT), 0);
  EXPECT_EQ(wheels_reaching_parent, 0);  // the frame would scroll the page again
  vscroll(SCROLL_WHEEL_DOWN);
  EXPECT_EQ(position(SB_VERT), 50);
  vscroll(SCROLL_WHEEL_UP);
  EXPECT_EQ(position(SB_VERT), 0);
}

TEST_F(ScrollTest, RequestToTheTarget) {
  scroll_to(123);
  EXPECT_EQ(position(SB_VERT), 123);
  EXPECT_EQ(top_of(4001), 5 - 123);
  scroll_to(100000);
  EXPECT_EQ(position(SB_VERT), page_height() - client_height());
  scroll_to(-40);
  EXPECT_EQ(position(SB_VERT), 0);
  vscroll(SB_THUMBPOSITION);  // not one of the page's codes: no move
  vscroll(999);
  EXPECT_EQ(position(SB_VERT), 0);
}

TEST_F(ScrollTest, HorizontalBar) {
  RECT client;
  GetClientRect(page, &client);
  int last = page_width() - client.right;
  ASSERT_GT(last, 2);
  hscroll(SB_LINERIGHT);
  EXPECT_EQ(position(SB_HORZ), 1);
  EXPECT_EQ(item(4001).place.left, 66 - 1);
  hscroll(SB_RIGHT);  // unchanged, as SB_LEFT
  EXPECT_EQ(position(SB_HORZ), 1);
  hscroll(SB_PAGERIGHT);
  EXPECT_EQ(position(SB_HORZ), last);
  hscroll(SB_LINERIGHT);
  EXPECT_EQ(position(SB_HORZ), last);
  hscroll(SB_LINELEFT);
  EXPECT_EQ(position(SB_HORZ), last - 1);
  EXPECT_EQ(item(4001).place.left, 66 - (last - 1));
  hscroll(SB_PAGELEFT);
  EXPECT_EQ(position(SB_HORZ), 0);
  EXPECT_EQ(item(4001).place.left, 66);
}

TEST_F(ScrollTest, ResizingKeepsChildrenWithTheBar) {
  vscroll(SB_BOTTOM);
  MoveWindow(page, 0, 0, 600, 500, FALSE);
  int bottom = page_height() - client_height();
  EXPECT_EQ(position(SB_VERT), bottom);
  EXPECT_EQ(top_of(4001), 5 - bottom);
  MoveWindow(page, 0, 0, 1000, 700, FALSE);  // everything fits now
  EXPECT_EQ(position(SB_VERT), 0);
  EXPECT_EQ(position(SB_HORZ), 0);
  EXPECT_EQ(top_of(4001), 5);
  EXPECT_EQ(item(4001).place.left, 66);
}

// ScrollWindow does nothing to a page that is not drawn: the children must
// follow the bar all the same, or they stay out of step for good.
TEST_F(PageTest, HiddenPageKeepsChildrenWithTheBar) {
  shape(QUIZ_AUDIO, 30, 1, 0);
  make_page(600, 300);
  ASSERT_FALSE(IsWindowVisible(page));
  vscroll(SB_LINEDOWN);
  EXPECT_EQ(top_of(4001), 5 - 310);
  hscroll(SB_LINERIGHT);
  EXPECT_EQ(item(4001).place.left, 66 - 1);
  MoveWindow(page, 0, 0, 1000, 700, FALSE);  // fits: back to 0
  EXPECT_EQ(top_of(4001), 5);
  EXPECT_EQ(item(4001).place.left, 66);
  ShowWindow(parent, SW_SHOWNA);
  ShowWindow(page, SW_SHOWNA);
  MoveWindow(page, 0, 0, 600, 300, FALSE);
  vscroll(SB_BOTTOM);
  EXPECT_EQ(top_of(4001), 5 - (page_height() - client_height()));
}

bool bar_disabled(HWND page, LONG object) {
  SCROLLBARINFO info = {};
  info.cbSize = sizeof info;
  return GetScrollBarInfo(page, object, &info) && (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) != 0;
}

TEST_F(PageTest, PageThatFitsHasDisabledBarsAtZero) {
  shape(QUIZ_TEXT, 2, 1, 0);
  make_page(1000, 400);
  EXPECT_EQ(position(SB_VERT), 0);
  EXPECT_EQ(position(SB_HORZ), 0);
  EXPECT_TRUE(bar_disabled(page, OBJID_VSCROLL));
  EXPECT_TRUE(bar_disabled(page, OBJID_HSCROLL));
  vscroll(SB_LINEDOWN);
  vscroll(SB_BOTTOM);
  hscroll(SB_LINERIGHT);
  EXPECT_EQ(position(SB_VERT), 0);
  EXPECT_EQ(position(SB_HORZ), 0);
  EXPECT_EQ(top_of(4001), 5);
}

TEST_F(PageTest, EmptyQuizGivesAnEmptyPage) {
  shape(QUIZ_PICTURE, 0, 2, 0);
  make_page(500, 300);
  EXPECT_EQ(GetWindow(page, GW_CHILD), nullptr);
  EXPECT_EQ(page_width(), 80);
  EXPECT_EQ(page_height(), 0);
  EXPECT_TRUE(bar_disabled(page, OBJID_VSCROLL));
  EXPECT_TRUE(bar_disabled(page, OBJID_HSCROLL));
  vscroll(SB_BOTTOM);
  EXPECT_EQ(position(SB_VERT), 0);
}

// Sends WM_CTLCOLORSTATIC for `control` with a fresh device context.
struct ColourAnswer {
  INT_PTR brush;
  int background_mode;
  COLORREF text, back;
};

ColourAnswer ask_colours(HWND page, UINT message, HWND control) {
  HDC dc = CreateCompatibleDC(nullptr);
  SetBkMode(dc, OPAQUE);
  SetTextColor(dc, 0x123456);
  SetBkColor(dc, 0x654321);
  ColourAnswer answer;
  answer.brush =
      SendMessageA(page, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  answer.background_mode = GetBkMode(dc);
  answer.text = GetTextColor(dc);
  answer.back = GetBkColor(dc);
  DeleteDC(dc);
  return answer;
}

TEST_F(PageTest, ColoursOfTheStatics) {
  shape(QUIZ_AUDIO, 2, 1, 2);
  add_questions(2);
  copy_text(question_at(doc, 1)->answer1, "Charles de Gaulle");
  set_background(doc, 30, 200, 30);
  make_page();
  INT_PTR background = reinterpret_cast<INT_PTR>(doc->background_brush);
  EXPECT_EQ(ask_colours(page, WM_CTLCOLORDLG, page).brush, background);

  for (int id : {153, 8001, 8002}) {
    ColourAnswer number = ask_colours(page, WM_CTLCOLORSTATIC, GetDlgItem(page, id));
    EXPECT_EQ(number.brush, background) << id;
    EXPECT_EQ(number.background_mode, TRANSPARENT);
    EXPECT_EQ(number.text, 0x000000u);  // green above 59: black
    EXPECT_EQ(number.back, 0x654321u);
  }
  set_background(doc, 30, 30, 200);  // blue plays no part: white
  EXPECT_EQ(ask_colours(page, WM_CTLCOLORSTATIC, GetDlgItem(page, 153)).text, 0xFFFFFFu);

  HWND verdict = GetDlgItem(page, 5002);
  ColourAnswer unjudged = ask_colours(page, WM_CTLCOLORSTATIC, verdict);
  // "?": the standard dialog look, as the platform's default handling gives it.
  INT_PTR standard = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_3DFACE));
  EXPECT_EQ(unjudged.brush, standard);
  EXPECT_EQ(unjudged.background_mode, OPAQUE);
  EXPECT_EQ(unjudged.back, GetSysColor(COLOR_3DFACE));
  // Each verdict as the field's judgement gives it: the label is painted by
  // the verdict its field holds.
  struct {
    const char* text;
    const char* typed;
    BrushHandle brush;
    COLORREF back;
  } verdicts[] = {{"BRAVO", "Charles de Gaulle", doc->right_brush, 0x00FF00},
                  {"FAUX", "Mozart", doc->wrong_brush, 0x0000FF},
                  {"Anagramme", "elluaG ed selrahC", doc->anagram_brush, 0x0000FF},
                  {"Trop court", "Charles de Gau", doc->hint_brush, 0x0000FF}};
  for (const auto& v : verdicts) {
    SetWindowTextA(GetDlgItem(page, 4002), v.typed);
    evaluate_answer(page, 4002);
    ASSERT_EQ(text_of(verdict), v.text);
    ColourAnswer answer = ask_colours(page, WM_CTLCOLORSTATIC, verdict);
    EXPECT_EQ(answer.brush, reinterpret_cast<INT_PTR>(v.brush)) << v.text;
    EXPECT_EQ(answer.back, v.back) << v.text;
    EXPECT_EQ(answer.background_mode, OPAQUE);
    EXPECT_EQ(answer.text, 0x123456u);
  }
  // A question text (made here: this is not a text quiz) and other statics.
  HWND question = CreateWindowExA(0, "Static", "q", WS_CHILD, 0, 0, 10, 10, page,
                                  reinterpret_cast<HMENU>(3000), nullptr, nullptr);
  ColourAnswer yellow = ask_colours(page, WM_CTLCOLORSTATIC, question);
  EXPECT_EQ(yellow.brush, reinterpret_cast<INT_PTR>(doc->question_text_brush));
  EXPECT_EQ(yellow.back, 0xC0FFFFu);
  HWND other = CreateWindowExA(0, "Static", "BRAVO", WS_CHILD, 0, 0, 10, 10, page,
                               reinterpret_cast<HMENU>(5003), nullptr, nullptr);
  EXPECT_EQ(ask_colours(page, WM_CTLCOLORSTATIC, other).brush, standard);  // beyond N x A
  EXPECT_EQ(ask_colours(page, WM_CTLCOLORSTATIC, GetDlgItem(page, 6001)).brush, standard);
}

std::vector<std::string> media_calls;
void record_play(HWND, int question) { media_calls.push_back("play " + std::to_string(question)); }
void record_stop(HWND) { media_calls.push_back("stop"); }
const PageMediaCalls RECORDER = {record_play, record_stop};

TEST_F(PageTest, MediaCommandsOfAudioAndVideoQuizzes) {
  media = &RECORDER;
  media_calls.clear();
  shape(QUIZ_VIDEO, 3, 1, 0);
  make_page();
  for (WPARAM command : {6001, 6096, 6097, 6000, 7001, 7096, 7097, 7000, 4001, 9999}) {
    SendMessageA(page, WM_COMMAND, command, 0);
  }
  SendMessageA(page, WM_COMMAND, MAKEWPARAM(6002, BN_SETFOCUS), 0);
  SendMessageA(GetDlgItem(page, 6002), BM_CLICK, 0, 0);
  SendMessageA(GetDlgItem(page, 7003), BM_CLICK, 0, 0);
  EXPECT_EQ(media_calls,
            (std::vector<std::string>{"play 1", "play 96", "stop", "stop", "play 2", "stop"}));
  media_calls.clear();
  doc->kind = QUIZ_PICTURE;
  SendMessageA(page, WM_COMMAND, 6001, 0);
  SendMessageA(page, WM_COMMAND, 7001, 0);
  EXPECT_TRUE(media_calls.empty());
}

class RestoreTest : public PageTest {
 protected:
  std::vector<std::string> fields_after(const std::string& file, int count) {
    if (!file.empty()) write_answers(file);
    shape(QUIZ_TEXT, count, 1, 0);
    make_page();
    std::vector<std::string> texts;
    for (int k = 1; k <= count; ++k) texts.push_back(text_of(GetDlgItem(page, 4000 + k)));
    return texts;
  }
};

using Texts = std::vector<std::string>;

TEST_F(RestoreTest, CrLfLines) {
  EXPECT_EQ(fields_after("Paris\r\n\r\n Rome \r\n", 4), (Texts{"Paris", "", " Rome ", ""}));
}

TEST_F(RestoreTest, LfAloneDoesNotEndALine) {
  Texts texts = fields_after("un\ndeux\r\ntrois\r\n", 3);
  EXPECT_EQ(texts[0].substr(0, 2), "un");  // the edit shows what it can of "un\ndeux"
  EXPECT_EQ(texts[1], "trois");
  EXPECT_EQ(texts[2], "");
}

TEST_F(RestoreTest, ShortFileLeavesTheRestEmpty) {
  EXPECT_EQ(fields_after("seul", 3), (Texts{"seul", "", ""}));
}

TEST_F(RestoreTest, NoFileLeavesEveryFieldEmpty) {
  EXPECT_EQ(fields_after("", 2), (Texts{"", ""}));
}

TEST_F(RestoreTest, OverlongLineIsCutAndItsRestSkipped) {
  Texts texts = fields_after(std::string(300, 'a') + "\r\nsuite\r\n", 2);
  EXPECT_EQ(texts[0], std::string(259, 'a'));
  EXPECT_EQ(texts[1], "suite");
}

TEST_F(RestoreTest, TwoFieldsPerQuestionTakeTheLinesInOrder) {
  write_answers("a\r\nb\r\nc\r\nd\r\n");
  shape(QUIZ_VIDEO, 2, 2, 0);
  make_page();
  EXPECT_EQ(text_of(GetDlgItem(page, 4001)), "a");
  EXPECT_EQ(text_of(GetDlgItem(page, 4002)), "b");
  EXPECT_EQ(text_of(GetDlgItem(page, 4004)), "d");
}

TEST_F(RestoreTest, FileStaysUsableByOthers) {
  write_answers("x\r\n");
  shape(QUIZ_TEXT, 1, 1, 0);
  make_page();
  // The page let go of the file: it can be written again at once.
  HANDLE file = CreateFileA(answers_file().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
}

}  // namespace
