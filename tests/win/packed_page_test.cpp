// The question page built from example quizzes packed by quizpack: the whole
// chain from a quiz source through the packer, the player's loader and its
// picture decoder to the controls on the page. The page tests build their
// documents by hand; these check what only a real packed quiz shows (pictures
// scaled by quizpack, texts in Windows-1252, the source's colour and captions).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/content/loader.h"
#include "resources/resource_ids.h"
#include "win32/answers/page_view.h"
#include "win32/page/media.h"
#include "win32/page/question_page.h"
#include "win32/platform/platform_win32.h"

namespace {

struct Shown {
  std::string class_name;
  std::string text;
  RECT place;  // in the page's client coordinates
  bool visible;
};

int ignore_message(const char*, const char*, unsigned) { return IDOK; }

std::string answers_file() {
  char name[TEXT_SLOT_SIZE];
  program_answers_file(name);
  return name;
}

// The page of one packed example, built in a plain 1000 x 700 window as the
// player builds it in its frame, with the quiz's resources read from the
// packed executable.
class PackedPage : public ::testing::Test {
 protected:
  PlatformSeam seam = win32_platform();
  QuizDocument* doc = static_cast<QuizDocument*>(calloc(1, sizeof(QuizDocument)));
  HMODULE module = nullptr;
  MediaHost media = {};  // not started: clips would go to the system's player
  HWND parent = nullptr;
  HWND page = nullptr;

  void SetUp() override {
    seam.message_box = ignore_message;
    install_platform(&seam);
    init_document(doc);
    DeleteFileA(answers_file().c_str());
  }

  void open(const char* name) {
    module =
        LoadLibraryExA((std::string(name) + ".exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << name;
    set_resource_module(module);
    load_content(doc);
    init_media(&media, doc);
    parent = CreateWindowExA(0, "Static", "packed page", WS_OVERLAPPEDWINDOW, 0, 0, 1000, 700,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
    PageSetup setup = answering_page(doc, &media);
    page = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_QUESTION_PAGE),
                              parent, question_page_proc, reinterpret_cast<LPARAM>(&setup));
    ASSERT_NE(page, nullptr);
    while (decode_next_picture(page)) {
    }
  }

  void TearDown() override {
    stop_media(&media, parent);  // the parent goes as the player's frame goes
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    set_resource_module(nullptr);
    if (module) FreeLibrary(module);
    DeleteObject(static_cast<HGDIOBJ>(doc->answer_font));
    release_document(doc);
    free(doc);
    install_platform(&win32_platform());
  }

  Shown item(int id) {
    Shown shown = {};
    HWND control = GetDlgItem(page, id);
    if (!control) return shown;
    char text[TEXT_SLOT_SIZE] = "", class_name[64] = "";
    GetWindowTextA(control, text, sizeof text);
    GetClassNameA(control, class_name, sizeof class_name);
    shown = {class_name, text, {}, IsWindowVisible(control) != FALSE};
    GetWindowRect(control, &shown.place);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&shown.place), 2);
    return shown;
  }

  // Every control sharing one id (numbers, captions, question texts).
  std::vector<Shown> all_of(int id) {
    std::vector<Shown> found;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (GetDlgCtrlID(child) != id) continue;
      char text[TEXT_SLOT_SIZE] = "";
      GetWindowTextA(child, text, sizeof text);
      Shown shown = {"", text, {}, IsWindowVisible(child) != FALSE};
      GetWindowRect(child, &shown.place);
      MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&shown.place), 2);
      found.push_back(shown);
    }
    return found;
  }

  SIZE bitmap_size(int id) {
    HBITMAP bitmap =
        reinterpret_cast<HBITMAP>(SendDlgItemMessageA(page, id, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight};
  }

  // The text colour the page sets for static `id` (numbers, captions).
  COLORREF text_colour(int id) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    SendMessageA(page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
    COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return colour;
  }
};

void expect_place(const Shown& shown, int x, int y, int width, int height) {
  EXPECT_EQ(shown.place.left, x);
  EXPECT_EQ(shown.place.top, y);
  EXPECT_EQ(shown.place.right - shown.place.left, width);
  EXPECT_EQ(shown.place.bottom - shown.place.top, height);
}

// formes: four pictures, two fields each. quizpack scaled 600 x 400 to
// 260 x 173, 60 x 300 to 52 x 260 and 520 x 130 to 260 x 65; 130 x 130 was
// stored as it is and the player enlarges it to 260 x 260.
TEST_F(PackedPage, PictureQuizShowsEachPictureAtItsSizeWithTwoFieldsAndCaptions) {
  open("formes");
  ASSERT_EQ(doc->kind, uint32_t(QUIZ_PICTURE));
  const struct {
    int x, y, width, height;
  } pictures[] = {
      {106, 48, 260, 173}, {500, 5, 52, 260}, {686, 102, 260, 65}, {106, 335, 260, 260}};
  for (int n = 1; n <= 4; ++n) {
    SCOPED_TRACE(n);
    const auto& p = pictures[n - 1];
    SIZE size = bitmap_size(9900 + n);
    EXPECT_EQ(size.cx, p.width);
    EXPECT_EQ(size.cy, p.height);
    expect_place(item(9900 + n), p.x, p.y, p.width, p.height);
  }
  // Row 1 is as high as its tallest picture (260), its fields 10 below.
  expect_place(item(4001), 106, 275, 201, 20);
  expect_place(item(4002), 106, 294, 201, 20);
  expect_place(item(5002), 306, 294, 60, 20);
  expect_place(item(4008), 106, 624, 201, 20);
  EXPECT_EQ(item(4009).class_name, "");  // two fields per question, no more
  std::vector<Shown> captions = all_of(156);
  ASSERT_EQ(captions.size(), 4u);  // two rows, two captions each
  EXPECT_EQ(captions[0].text, "Forme");
  EXPECT_EQ(captions[1].text, "Couleur");
  expect_place(captions[2], 3, 607, 95, 20);
  EXPECT_EQ(item(8001).class_name, "");  // answer mode "picture" reveals no text
  EXPECT_EQ(page_extent(page).cx, 970);
  EXPECT_EQ(page_extent(page).cy, 665);
  // #2E4A3B is too green for white numbers.
  EXPECT_EQ(text_colour(153), RGB(0, 0, 0));
}

// Pictures of every form an author may have, packed: the player's own
// decoder reads each (96 x 64, enlarged to the box).
TEST_F(PackedPage, PicturesOfEveryFormShow) {
  open("forms");
  for (int n = 1; n <= 6; ++n) {
    SCOPED_TRACE(n);
    SIZE size = bitmap_size(9900 + n);
    EXPECT_EQ(size.cx, 260);
    EXPECT_EQ(size.cy, 173);
  }
}

// A phone's portrait photo, stored on its side with its orientation, shows
// upright: taller than wide.
TEST_F(PackedPage, PhonePhotoShowsUpright) {
  open("phone");
  SIZE size = bitmap_size(9901);
  EXPECT_EQ(size.cx, 195);
  EXPECT_EQ(size.cy, 260);
}

TEST_F(PackedPage, TextQuizShowsOneLinePerQuestionInWindows1252) {
  open("capitales");
  std::vector<Shown> texts = all_of(3000);
  ASSERT_EQ(texts.size(), 6u);
  EXPECT_EQ(texts[0].text, "Quelle est la capitale de la France ?");
  EXPECT_EQ(texts[4].text,
            "Quelle est la capitale de la Gr\xE8"
            "ce ?");
  expect_place(texts[5], 50, 130, 550, 20);
  std::vector<Shown> numbers = all_of(153);
  ASSERT_EQ(numbers.size(), 6u);
  EXPECT_EQ(numbers[5].text, "6.");
  expect_place(item(4006), 610, 130, 100, 20);
  EXPECT_EQ(item(5006).text, "?");
  EXPECT_EQ(item(4007).class_name, "");
  EXPECT_EQ(item(9901).class_name, "");  // no pictures in a text quiz
  EXPECT_EQ(page_extent(page).cx, 850);
  EXPECT_EQ(page_extent(page).cy, 155);
}

// films: a video quiz of two questions, two fields each, every reveal text
// kept hidden until all are solved.
TEST_F(PackedPage, VideoQuizShowsPlayAndStopButtonsAndHiddenReveals) {
  open("films");
  for (int n = 1; n <= 2; ++n) {
    SCOPED_TRACE(n);
    int x0 = 106 + 290 * (n - 1);
    Shown play = item(6000 + n), stop = item(7000 + n);
    EXPECT_EQ(play.class_name, "Button");
    expect_place(play, x0, 215, 20, 20);
    expect_place(stop, x0, 235, 20, 19);
    EXPECT_NE(SendDlgItemMessageA(page, 6000 + n, BM_GETIMAGE, IMAGE_ICON, 0), 0);
    EXPECT_NE(SendDlgItemMessageA(page, 7000 + n, BM_GETIMAGE, IMAGE_ICON, 0), 0);
    expect_place(item(4000 + 2 * n - 1), x0 + 20, 215, 181, 20);
    EXPECT_FALSE(item(8000 + n).visible);
  }
  EXPECT_EQ(item(8001).text,
            "Un carr\xE9 rouge traverse l'\xE9"
            "cran.");
  EXPECT_EQ(item(6003).class_name, "");
  EXPECT_NE(GetDlgItem(page, ID_PLAYER_HOST), nullptr);  // the player's host
  std::vector<Shown> captions = all_of(156);
  ASSERT_EQ(captions.size(), 2u);
  EXPECT_EQ(captions[1].text, "Fond");
  EXPECT_EQ(page_extent(page).cy, 5 + 210 + 140);
  // #101820 is dark enough for white numbers and captions.
  EXPECT_EQ(text_colour(156), RGB(255, 255, 255));
}

}  // namespace
