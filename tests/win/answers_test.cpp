// Answers under Wine: the player's own frame, header panel and question page,
// opened as the start-up opens them on a document made in the test, in a
// folder of the test's own; keys and focus moves are sent to the answer
// fields as the message loop delivers them. Message boxes are recorded.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/answers/answers_file.h"
#include "core/page/page_layout.h"
#include "resources/resource_ids.h"
#include "shell_fixture.h"
#include "tests/support/gdi_objects.h"
#include "tests/support/numbered_questions.h"
#include "tests/support/unwritable_answers.h"
#include "tests/support/user_objects.h"
#include "win32/answers/answer_field.h"
#include "win32/app/main_frame.h"
#include "win32/app/startup.h"
#include "win32/page/question_page.h"
#include "win32/platform/platform_win32.h"

namespace {

struct Box {
  std::string text, caption;
  unsigned buttons;
};
std::vector<Box> boxes;
std::vector<int> box_answers;                // given in turn; OK once they run out
void (*during_box)() = nullptr;              // runs inside the box, as its loop would
HANDLE file_to_free = INVALID_HANDLE_VALUE;  // closed when the next box shows

int record_box(const char* text, const char* caption, unsigned buttons) {
  boxes.push_back({text, caption, buttons});
  if (during_box) during_box();
  if (file_to_free != INVALID_HANDLE_VALUE) CloseHandle(file_to_free);
  file_to_free = INVALID_HANDLE_VALUE;
  if (box_answers.empty()) return ANSWER_OK;
  int answer = box_answers.front();
  box_answers.erase(box_answers.begin());
  return answer;
}

PlatformSeam recording_platform;

std::string answers_name() {
  char name[TEXT_SLOT_SIZE];
  program_answers_file(name);
  return name;
}

std::string file_bytes(const std::string& name) {
  std::string bytes;
  HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "(none)";
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

void put_file(const std::string& name, const std::string& bytes) {
  HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// Holds a file open as another program would, without sharing it.
HANDLE lock_file(const std::string& name) {
  return CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

// Watches what reaches the edit control's own procedure.
WNDPROC real_edit_proc = nullptr;
std::vector<std::pair<UINT, WPARAM>> edit_saw;
LRESULT CALLBACK watching_edit(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CHAR || message == WM_KEYUP || message == WM_SYSKEYDOWN) {
    edit_saw.push_back({message, wparam});
  }
  return CallWindowProcA(real_edit_proc, window, message, wparam, lparam);
}

class Answers : public ::testing::Test {
 protected:
  HINSTANCE instance = GetModuleHandleA(nullptr);
  Player player = {};
  QuizDocument* doc = nullptr;  // the player's, freed by its teardown
  HWND frame = nullptr, panel = nullptr, page = nullptr;
  std::string folder;
  char previous_directory[MAX_PATH] = "";
  HMODULE pictures = nullptr;

  void SetUp() override {
    boxes.clear();
    during_box = nullptr;
    box_answers.clear();
    recording_platform = win32_platform();
    recording_platform.message_box = record_box;
    install_platform(&recording_platform);
    GetCurrentDirectoryA(sizeof previous_directory, previous_directory);
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    folder = std::string(temp) + "quiz-answers-test";
    CreateDirectoryA(folder.c_str(), nullptr);
    unblock_answers(folder + "\\" + answers_name());  // a run that crashed may have left it
    clear_folder();
    SetCurrentDirectoryA(folder.c_str());
    register_frame_class(instance);
    doc = static_cast<QuizDocument*>(malloc(sizeof(QuizDocument)));
    init_document(doc);
    player.document = doc;
  }

  // As the program ends, whatever the test did.
  void TearDown() override {
    if (file_to_free != INVALID_HANDLE_VALUE) CloseHandle(file_to_free);
    file_to_free = INVALID_HANDLE_VALUE;
    tear_down(&player);
    pump_messages();
    set_resource_module(nullptr);
    if (pictures) FreeLibrary(pictures);
    SetCurrentDirectoryA(previous_directory);
    unblock_answers(folder + "\\" + answers_name());
    clear_folder();
  }

  void clear_folder() {
    for (const char* name : {"win_tests.txt", "win_tests.txt.tmp"}) {
      DeleteFileA((folder + "\\" + name).c_str());
    }
  }

  void quiz(uint32_t kind, int count, int answers, int mode) {
    make_numbered_quiz(doc, kind, count, answers, mode);
  }

  void use_pictures(const char* module_name) {
    pictures = LoadLibraryExA(module_name, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(pictures, nullptr);
    set_resource_module(pictures);
  }

  // The player's windows, as the start-up opens them, after the answers file
  // holds `restored` (none when empty).
  // On a screen no larger than the smallest frame, where a text quiz's page
  // scrolls both ways.
  static bool smallest_screen(HWND, RECT* out) {
    *out = {0, 0, 544, 375};
    return true;
  }

  void open(const std::string& restored = "") {
    if (!restored.empty()) put_file(answers_name(), restored);
    player.work_area = smallest_screen;
    frame = open_player_windows(instance, &player);
    panel = player.panel;
    page = player.page;
    pump_messages(page);
  }

  HWND field(int k) { return GetDlgItem(page, ID_ANSWER_FIELD + k); }
  std::string verdict(int k) { return text_of(GetDlgItem(page, ID_VERDICT_LABEL + k)); }
  bool revealed(int n) { return IsWindowVisible(GetDlgItem(page, ID_REVEAL_LABEL + n)) != FALSE; }
  std::string score() { return text_of(GetDlgItem(panel, SCORE_LABEL)); }
  std::string code() { return text_of(GetDlgItem(panel, CODE_BOX)); }
  HWND picture(int n) { return GetDlgItem(page, ID_QUESTION_PICTURE + n); }
  void type(int k, const char* text) { SetWindowTextA(field(k), text); }
  // A key's release as the loop delivers it to the field.
  void release(int k, int key) { SendMessageA(field(k), WM_KEYUP, key, 0xC0000001); }
  void answer(int k, const char* text) {
    type(k, text);
    release(k, VK_RETURN);
  }
  int scroll_position() { return GetScrollPos(page, SB_VERT); }
  int client_height() {
    RECT client;
    GetClientRect(page, &client);
    return client.bottom;
  }
  int client_width() {
    RECT client;
    GetClientRect(page, &client);
    return client.right;
  }
};

TEST_F(Answers, EnterJudgesInPlaceAndNeverReachesTheEdit) {
  quiz(QUIZ_TEXT, 3, 1, MODE_NOTHING);
  open();
  PageState* state = page_state(page);
  real_edit_proc = state->edit_class_proc;
  state->edit_class_proc = watching_edit;
  edit_saw.clear();
  SetFocus(field(1));
  type(1, "  ville 1 ");
  SendMessageA(field(1), WM_CHAR, '\r', 1);
  SendMessageA(field(1), WM_CHAR, '\t', 1);
  release(1, VK_RETURN);
  SendMessageA(field(3), WM_CHAR, 'x', 1);  // an ordinary key goes on to the edit
  state->edit_class_proc = real_edit_proc;
  EXPECT_EQ(edit_saw, (std::vector<std::pair<UINT, WPARAM>>{{WM_CHAR, 'x'}}));
  EXPECT_EQ(verdict(1), "BRAVO");
  EXPECT_EQ(GetFocus(), field(1));
  EXPECT_EQ(score(), " 1 / 3");
  EXPECT_EQ(code(), "CODE-1");

  type(2, "Ville2");  // Alt+Enter judges as Enter does
  SendMessageA(field(2), WM_SYSKEYDOWN, VK_RETURN, 0x20000001);
  EXPECT_EQ(verdict(2), "Quasiment");

  type(3, "ELLIV 3");  // leaving a field judges it
  SetFocus(field(3));
  EXPECT_EQ(verdict(3), "?");
  SetFocus(field(2));
  EXPECT_EQ(verdict(3), "Anagramme");
  type(3, "Ville 3");
  SetFocus(field(3));  // focusing selects the whole answer, so typing replaces it
  DWORD start = 1, end = 0;
  SendMessageA(field(3), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 7u);
  SetFocus(field(1));
  EXPECT_EQ(score(), " 2 / 3");
  EXPECT_EQ(code(), "CODE-2");
}

TEST_F(Answers, ScoreAndCodeGoDownAsWellAsUp) {
  quiz(QUIZ_PICTURE, 7, 2, MODE_NOTHING);
  open();
  EXPECT_EQ(score(), " 0 / 7");
  EXPECT_EQ(code(), "      ");
  for (int n = 1; n <= 3; ++n) {
    answer(2 * n - 1, ("Ville " + std::to_string(n)).c_str());
    answer(2 * n, ("Pays " + std::to_string(n)).c_str());
  }
  EXPECT_EQ(score(), " 3 / 7");
  EXPECT_EQ(code(), "CODE-3");
  answer(7, "Ville 4");
  answer(8, "Pays4");  // "BRAVO" and "Quasiment": not solved
  EXPECT_EQ(verdict(8), "Quasiment");
  EXPECT_EQ(score(), " 3 / 7");
  answer(8, "pays 4");
  EXPECT_EQ(score(), " 4 / 7");
  EXPECT_EQ(code(), "CODE-4");
  answer(1, "Lyon");
  EXPECT_EQ(score(), " 3 / 7");
  EXPECT_EQ(code(), "CODE-3");
  answer(1, "");  // emptied: "?", not "FAUX"
  EXPECT_EQ(verdict(1), "?");
}

TEST_F(Answers, F1SpreadsToEveryFieldNotYetRight) {
  quiz(QUIZ_TEXT, 4, 1, MODE_NOTHING);
  copy_text(question_at(doc, 2)->answer1, "Ville 1");  // the third shares the first's answer
  open();
  answer(2, "Ville 2");
  type(1, "ville 1");
  SetFocus(field(1));
  release(1, VK_F1);
  EXPECT_EQ(text_of(field(2)), "Ville 2");  // right: kept
  EXPECT_EQ(text_of(field(3)), "ville 1");
  EXPECT_EQ(text_of(field(4)), "ville 1");
  EXPECT_EQ(verdict(1), "BRAVO");
  EXPECT_EQ(verdict(3), "BRAVO");
  EXPECT_EQ(verdict(4), "Quasiment");
  EXPECT_EQ(GetFocus(), field(1));
  EXPECT_EQ(score(), " 3 / 4");

  answer(4, "Ville 4");  // every other field right: F1 changes none of them
  type(1, "Paris");
  release(1, VK_F1);
  for (int k = 2; k <= 4; ++k) EXPECT_EQ(verdict(k), "BRAVO") << k;
  EXPECT_EQ(text_of(field(4)), "Ville 4");
  EXPECT_EQ(verdict(1), "FAUX");
}

TEST_F(Answers, RevealBoxThenRevealShownUntilTheAnswerChanges) {
  quiz(QUIZ_PICTURE, 3, 1, MODE_REVEAL_BOX);
  open();
  SetFocus(field(2));
  answer(2, "Ville 2");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Voici 2");
  EXPECT_EQ(boxes[0].caption, "texte");
  EXPECT_EQ(boxes[0].buttons, unsigned(MESSAGE_OK));
  EXPECT_EQ(verdict(2), "BRAVO");
  EXPECT_TRUE(revealed(2));
  EXPECT_FALSE(revealed(1));
  SetFocus(field(3));  // judged again on leaving: no second box
  release(2, VK_RETURN);
  EXPECT_EQ(boxes.size(), 1u);
  answer(2, "Ville");
  EXPECT_FALSE(revealed(2));
  answer(2, "Ville 2");  // found again: told again
  EXPECT_EQ(boxes.size(), 2u);
  EXPECT_TRUE(revealed(2));
}

TEST_F(Answers, RevealNeedsBothFieldsRight) {
  quiz(QUIZ_PICTURE, 3, 2, MODE_REVEAL);
  open();
  answer(2, "Pays 1");
  answer(1, "Pays 1");
  EXPECT_EQ(verdict(2), "BRAVO");
  EXPECT_FALSE(revealed(1));
  answer(1, "ville 1");
  EXPECT_TRUE(revealed(1));
  answer(2, "Pay");
  EXPECT_FALSE(revealed(1));
  EXPECT_TRUE(boxes.empty());
}

TEST_F(Answers, RevealAllOnceEveryLabelIsRightAndAgainAfterAMistake) {
  quiz(QUIZ_PICTURE, 3, 2, MODE_REVEAL_ALL);
  open();
  const char* texts[] = {"Ville 1", "Pays 1", "Ville 2", "Pays 2", "Ville 3", "Pays 3"};
  for (int k = 1; k <= 5; ++k) answer(k, texts[k - 1]);
  for (int n = 1; n <= 3; ++n) EXPECT_FALSE(revealed(n)) << n;
  answer(6, texts[5]);
  for (int n = 1; n <= 3; ++n) EXPECT_TRUE(revealed(n)) << n;
  EXPECT_TRUE(page_session(page)->all_revealed);
  answer(3, "Ville");
  EXPECT_FALSE(revealed(2));
  EXPECT_FALSE(page_session(page)->all_revealed);
  answer(3, texts[2]);
  for (int n = 1; n <= 3; ++n) EXPECT_TRUE(revealed(n)) << n;
  EXPECT_EQ(score(), " 3 / 3");
  EXPECT_EQ(code(), "CODE-3");
}

SIZE image_size(HWND picture) {
  HBITMAP bitmap = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
  BITMAP info = {};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

// Row 1: pictures of 260 x 65 and 65 x 260 and none, so 260 high; the answer
// pictures are a square and a wide one. Row 2: 260 x 65 alone, whose answer
// picture, a square, must fit the row's 65 pixels.
TEST_F(Answers, AnswerPictureTakesTheQuestionPicturesPlaceWhole) {
  use_pictures("pic_answers.dll");
  quiz(QUIZ_PICTURE, 4, 1, MODE_SECOND_PICTURE);
  open();
  HWND first = picture(1), second = picture(2), fourth = picture(4);
  RECT row = child_rect(second);  // the tallest of row 1 stands at its top
  EXPECT_EQ(child_rect(first), rect_of(46, row.top + 97, 260, 65));
  DWORD gdi = gdi_object_count();

  answer(1, "Ville 1");
  EXPECT_EQ(image_size(first).cx, 260);
  EXPECT_EQ(image_size(first).cy, 260);
  EXPECT_EQ(child_rect(first), rect_of(46, row.top, 260, 260));
  answer(2, "Ville 2");
  EXPECT_EQ(image_size(second).cy, 130);
  EXPECT_EQ(child_rect(second), rect_of(336, row.top + 65, 260, 130));
  answer(4, "Ville 4");
  RECT row2 = child_rect(fourth);
  EXPECT_EQ(row2.bottom - row2.top, 65);
  EXPECT_EQ(child_rect(fourth).left, 46 + (260 - 65) / 2);
  EXPECT_EQ(image_size(fourth).cx, 65);
  answer(3, "Ville 3");  // no answer picture: nothing changes
  EXPECT_EQ(SendMessageA(picture(3), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  EXPECT_EQ(gdi_object_count(), gdi);  // every replaced bitmap was deleted

  answer(1, "Lyon");  // stays replaced
  EXPECT_EQ(image_size(first).cy, 260);
  EXPECT_EQ(score(), " 3 / 4");
}

// Question 4's picture is below the first screen, still to decode, when its
// restored answer shows the answer picture there: the question picture,
// decoded later, must not come back over it.
TEST_F(Answers, RestoredAnswerPictureStaysOverAQuestionPictureDecodedLater) {
  use_pictures("pic_answers.dll");
  quiz(QUIZ_PICTURE, 4, 1, MODE_SECOND_PICTURE);
  open("\r\n\r\n\r\nVille 4\r\n");
  EXPECT_EQ(verdict(4), "BRAVO");
  EXPECT_EQ(image_size(picture(4)).cx, 65);  // the square answer picture in the 65-high row
  EXPECT_EQ(image_size(picture(4)).cy, 65);
  EXPECT_EQ(image_size(picture(1)).cx, 260);  // the others decoded as they were
  EXPECT_EQ(image_size(picture(1)).cy, 65);
}

TEST_F(Answers, RestoredAnswersAreJudgedAndTheFocusGoesToTheFirstOpenField) {
  quiz(QUIZ_TEXT, 30, 1, MODE_REVEAL_BOX);
  std::string restored;
  for (int n = 1; n <= 30; ++n) restored += (n == 21 ? "" : "Ville " + std::to_string(n)) + "\r\n";
  open(restored);
  for (int k = 1; k <= 30; ++k) EXPECT_EQ(verdict(k), k == 21 ? "?" : "BRAVO") << k;
  EXPECT_EQ(score(), " 29 / 30");
  EXPECT_EQ(code(), "CODE-29");
  EXPECT_TRUE(boxes.empty());  // restoring an answer is not finding it
  EXPECT_EQ(GetFocus(), field(21));
  RECT place = child_rect(field(21));
  EXPECT_GE(place.top, 0);
  EXPECT_LE(place.bottom, client_height());
  // A text quiz's fields start beyond the right edge of the frame's first
  // size: the page moves across too, to show the field with its verdict.
  EXPECT_GE(place.left, 0);
  EXPECT_LE(child_rect(GetDlgItem(page, ID_VERDICT_LABEL + 21)).right, client_width());
}

TEST_F(Answers, TabAndPageKeysKeepTheFieldInView) {
  quiz(QUIZ_TEXT, 30, 1, MODE_NOTHING);
  open();
  EXPECT_EQ(GetFocus(), field(1));
  SetFocus(field(25));
  release(25, VK_TAB);
  EXPECT_EQ(child_rect(field(25)).bottom, client_height());
  SetFocus(field(3));  // Shift+Tab; the release reaches the field that was left
  release(25, VK_TAB);
  EXPECT_EQ(child_rect(field(3)).top, 0);
  SetFocus(field(5));  // already in view: nothing moves
  int position = scroll_position();
  release(5, VK_TAB);
  EXPECT_EQ(scroll_position(), position);

  SCROLLINFO bar = {};
  bar.cbSize = sizeof bar;
  bar.fMask = SIF_ALL;
  GetScrollInfo(page, SB_VERT, &bar);
  SendMessageA(field(5), WM_KEYDOWN, VK_NEXT, 1);
  EXPECT_EQ(scroll_position(), position + int(bar.nPage));
  SendMessageA(field(5), WM_KEYDOWN, VK_PRIOR, 1);
  EXPECT_EQ(scroll_position(), position);
  SendMessageA(field(5), WM_KEYDOWN, VK_DOWN, 1);  // the arrows stay the edit's
  EXPECT_EQ(scroll_position(), position);
}

// Judging finds the page's numbered controls in a table the build keeps: each
// one the control of that id, the table forgotten with its page.
TEST_F(Answers, ThePageKeepsItsNumberedControls) {
  quiz(QUIZ_PICTURE, 4, 2, MODE_REVEAL);
  open();
  for (int id : {4001, 4008, 5001, 5008, 8001, 8004, 9901, 9904, 4009, 5009, 8005, 9905, 153}) {
    EXPECT_EQ(page_control(page, id), GetDlgItem(page, id)) << id;
  }
  EXPECT_NE(page_control(page, 4008), nullptr);
  DestroyWindow(page);
  EXPECT_EQ(page_state(page), nullptr);
  EXPECT_EQ(page_control(page, 4001), nullptr);
}

TEST_F(Answers, F2WritesEveryFieldAtOnceInTheCurrentDirectory) {
  quiz(QUIZ_PICTURE, 3, 2, MODE_NOTHING);
  open();
  const char* texts[] = {"Ville 1", "", " Paris ", "x", "", "Pays 3"};
  for (int k = 1; k <= 6; ++k) type(k, texts[k - 1]);
  release(3, VK_F2);
  const std::string expected = "Ville 1\r\n\r\n Paris \r\nx\r\n\r\nPays 3\r\n";
  EXPECT_EQ(file_bytes(folder + "\\win_tests.txt"), expected);
  release(3, VK_F2);  // again: one copy, not two
  EXPECT_EQ(file_bytes(answers_name()), expected);
  EXPECT_EQ(file_bytes(answers_name() + ".tmp"), "(none)");
  EXPECT_TRUE(boxes.empty());
}

TEST_F(Answers, AFileHeldByAnotherProgramIsToldAndKeptAsItWas) {
  quiz(QUIZ_TEXT, 2, 1, MODE_NOTHING);
  open("ancien\r\n\r\n");
  type(1, "nouveau");
  HANDLE held = lock_file(answers_name());
  box_answers = {ANSWER_CANCEL};
  release(1, VK_F2);
  CloseHandle(held);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Enregistrement des r\xE9ponses");
  EXPECT_EQ(boxes[0].buttons, unsigned(MESSAGE_RETRY_CANCEL | MESSAGE_WARNING));
  EXPECT_NE(boxes[0].text.find("\xAB win_tests.txt \xBB"), std::string::npos) << boxes[0].text;
  EXPECT_NE(boxes[0].text.find("Annuler : continuer sans enregistrer."), std::string::npos);
  EXPECT_EQ(file_bytes(answers_name()), "ancien\r\n\r\n");
  EXPECT_EQ(file_bytes(answers_name() + ".tmp"), "(none)");

  // Trying again once the other program has let go saves.
  file_to_free = lock_file(answers_name());
  box_answers = {ANSWER_RETRY};
  release(1, VK_F2);
  EXPECT_EQ(boxes.size(), 2u);
  EXPECT_EQ(file_bytes(answers_name()), "nouveau\r\n\r\n");

  // Closing: the user may quit without saving; the window then closes.
  type(2, "encore");
  held = lock_file(answers_name());
  box_answers = {ANSWER_RETRY, ANSWER_CANCEL};
  SendMessageA(frame, WM_CLOSE, 0, 0);
  EXPECT_EQ(boxes.size(), 4u);
  EXPECT_NE(boxes[3].text.find("Annuler : quitter sans enregistrer"), std::string::npos);
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  // The end of the session leaves no time to ask: one try, nothing shown.
  SendMessageA(frame, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(boxes.size(), 4u);
  CloseHandle(held);
  EXPECT_EQ(file_bytes(answers_name()), "nouveau\r\n\r\n");
}

TEST_F(Answers, AnUnwritableFolderIsToldAndLosesNothingSaved) {
  quiz(QUIZ_TEXT, 2, 1, MODE_NOTHING);
  open("ancien\r\n\r\n");
  ASSERT_TRUE(block_answers(folder + "\\" + answers_name()));
  type(1, "nouveau");
  box_answers = {ANSWER_CANCEL};
  release(1, VK_F2);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(file_bytes(answers_name()), "ancien\r\n\r\n");
  unblock_answers(folder + "\\" + answers_name());
  release(1, VK_F2);
  EXPECT_EQ(file_bytes(answers_name()), "nouveau\r\n\r\n");
}

// The box that asks on closing takes the focus from a field typed in: that
// judgement saves too, and must not open a second box over the first.
HWND judged_during_box = nullptr;
TEST_F(Answers, AskingOnCloseIsOneBoxWhateverIsJudgedMeanwhile) {
  quiz(QUIZ_TEXT, 2, 1, MODE_NOTHING);
  open("ancien\r\n\r\n");
  ASSERT_TRUE(block_answers(folder + "\\" + answers_name()));
  type(1, "nouveau");
  judged_during_box = page;
  during_box = [] { evaluate_answer(judged_during_box, ID_ANSWER_FIELD + 1); };
  box_answers = {ANSWER_CANCEL};
  save_answers_at(page, SAVE_ON_CLOSE);
  during_box = nullptr;
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].text.find("quitter sans enregistrer"), std::string::npos);
  EXPECT_EQ(verdict(1), "FAUX");
  unblock_answers(folder + "\\" + answers_name());
}

// A row of pictures 200, 150 and 100 high: an answer picture shown in it
// resizes its own static, and the next one must still fit the row's box
// (from the layout), not the tallest static left in the row.
TEST_F(Answers, AnswerPicturesFitTheirRowWhateverTheOrderOfSolving) {
  use_pictures("pic_rows.dll");
  quiz(QUIZ_PICTURE, 3, 1, MODE_SECOND_PICTURE);
  open();
  RECT row = child_rect(picture(1));  // the tallest stands at the row's top
  ASSERT_EQ(row.bottom - row.top, 200);
  answer(1, "Ville 1");  // 2:1
  EXPECT_EQ(child_rect(picture(1)), rect_of(46, row.top + 35, 260, 130));
  answer(2, "Ville 2");  // square: as high as the row
  EXPECT_EQ(image_size(picture(2)).cx, 200);
  EXPECT_EQ(image_size(picture(2)).cy, 200);
  EXPECT_EQ(child_rect(picture(2)), rect_of(336 + 30, row.top, 200, 200));
}

// The window closing with an answer typed and not yet judged: it is saved as
// typed, and nothing judges it once the loop has ended, so no "texte" box
// opens over the vanishing window.
TEST_F(Answers, NothingIsJudgedOnceTheLoopHasEnded) {
  quiz(QUIZ_PICTURE, 3, 1, MODE_REVEAL_BOX);
  open();
  SetFocus(field(2));
  type(2, "Ville 2");
  PostMessageA(frame, WM_CLOSE, 0, 0);
  EXPECT_EQ(run_message_loop(page), 0);
  tear_down(&player);
  EXPECT_TRUE(boxes.empty());
  EXPECT_FALSE(IsWindow(frame));
  EXPECT_EQ(file_bytes(answers_name()), "\r\nVille 2\r\n\r\n");
}

// Teardown is the same for a picture quiz as for a clip quiz: the frame goes,
// and the page with it deletes its pictures, answer pictures included.
TEST_F(Answers, TeardownEndsThePageAndItsPictures) {
  use_pictures("pic_answers.dll");
  quiz(QUIZ_PICTURE, 4, 1, MODE_SECOND_PICTURE);
  open();
  answer(1, "Ville 1");  // replaces a picture
  tear_down(&player);
  pump_messages();
  DWORD bitmaps = gdi_census().of_type[OBJ_BITMAP];
  // The same quiz again: the count after its teardown is the same.
  doc = static_cast<QuizDocument*>(malloc(sizeof(QuizDocument)));
  init_document(doc);
  player.document = doc;
  quiz(QUIZ_PICTURE, 4, 1, MODE_SECOND_PICTURE);
  open();
  EXPECT_GT(gdi_census().of_type[OBJ_BITMAP], bitmaps + 2);  // three pictures shown
  answer(1, "Ville 1");
  tear_down(&player);
  pump_messages();
  EXPECT_FALSE(IsWindow(page));
  EXPECT_EQ(gdi_census().of_type[OBJ_BITMAP], bitmaps);
}

// Answering, changing and answering again every question, answer pictures
// swapped each time: after the first round the GDI and USER objects stay put.
TEST_F(Answers, AHundredRoundsLeaveNoHandlesBehind) {
  use_pictures("pic_answers.dll");
  quiz(QUIZ_PICTURE, 4, 1, MODE_SECOND_PICTURE);
  open();
  auto round = [this] {
    for (int k = 1; k <= 4; ++k) {
      std::string right = "Ville " + std::to_string(k);
      answer(k, right.c_str());
      answer(k, "Lyon");
      answer(k, right.c_str());
      SetFocus(field(k % 4 + 1));
    }
  };
  round();
  DWORD gdi = gdi_object_count();
  UserCensus user = user_census();
  for (int i = 1; i < 100; ++i) round();
  EXPECT_EQ(gdi_object_count(), gdi);
  UserCensus after = user_census();
  EXPECT_EQ(after.windows, user.windows);
  EXPECT_EQ(after.menus, user.menus);
  EXPECT_EQ(after.icons, user.icons);
  EXPECT_EQ(score(), " 4 / 4");
}

}  // namespace
