// The quiz as a page and as a SCORM package: quizpack writes the same
// resources into the page as into the program, dump reads them back alike,
// the package holds the page and a manifest, and damaged pages are refused
// with a message, never read out of bounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "core/authoring/packer.h"
#include "core/authoring/quiz_page_writer.h"
#include "core/authoring/zip_writer.h"
#include "core/carrier/quiz_page.h"
#include "core/content/document.h"
#include "core/content/resource_names.h"
#include "quizpack_support.h"
#include "tools/quizpack/cli.h"

namespace {

const std::string TEMPLATE =
    "<!doctype html>\n<html><head><title>Lecteur de quiz</title></head><body>\n"
    "<script type=\"application/octet-stream\" id=\"quiz-content\"></script>\n"
    "<script>play()</script></body></html>\n";

const std::string SOURCE =
    "kind = \"picture\"\ntitle = \"Formes & <couleurs> \xC3\xA9t\xC3\xA9\"\nanswers = 1\n"
    "mastery_score = 1\ncodes = [\"UN\"]\n"
    "[[question]]\nanswer = \"cercle\"\npicture = \"media/a.jpg\"\n"
    "[[question]]\nanswer = \"carr\xC3\xA9\"\n";

class Page : public ::testing::Test {
 protected:
  TempFolder folder;
  std::string player = folder.write("player.exe", stand_in_player());
  std::string page = folder.write("player.html", TEMPLATE);
  std::string source = folder.write("quiz.toml", SOURCE);

  void SetUp() override { folder.write("media/a.jpg", test_jpeg(600, 400)); }
  // Builds with the stand-in player and page, or the page `extra` names.
  Outcome build(const std::string& output, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"build",    source, "-o", folder.path(output),
                                     "--player", player};
    if (std::find(extra.begin(), extra.end(), "--page") == extra.end())
      extra.insert(extra.end(), {"--page", page});
    args.insert(args.end(), extra.begin(), extra.end());
    return quizpack(args);
  }
  // The quiz's own resources, in the order they were written.
  static std::vector<Resource> quiz_resources(const std::vector<Resource>& all) {
    std::vector<Resource> quiz;
    for (const Resource& r : all)
      if (r.type == resource_name(CONTENT_RESOURCE_TYPE) ||
          r.type == resource_name(MEDIA_RESOURCE_TYPE))
        quiz.push_back(r);
    return quiz;
  }
};

TEST_F(Page, ThePageAndThePackageCarryWhatTheProgramCarries) {
  ASSERT_EQ(build("quiz.exe").status, 0);
  Outcome html = build("quiz.html");
  ASSERT_EQ(html.status, 0) << html.err;
  EXPECT_NE(html.out.find("quiz.html: 2 questions, 1 picture (1 scaled down), 0 clips, "),
            std::string::npos);
  std::vector<Resource> in_exe, in_page;
  std::string problem, written = read_bytes(folder.path("quiz.html"));
  Message unread;
  ASSERT_TRUE(read_resources(read_bytes(folder.path("quiz.exe")), &in_exe, &unread));
  ASSERT_EQ(read_quiz_page(written, &in_page, &problem), PAGE_READ) << problem;
  in_exe = quiz_resources(in_exe);
  ASSERT_EQ(in_page.size(), 3u);
  ASSERT_EQ(in_exe.size(), in_page.size());
  for (const Resource& r : in_page) {
    const Resource* same = find_resource(in_exe, r.type, r.name);
    ASSERT_NE(same, nullptr);
    EXPECT_EQ(same->data, r.data);
  }
  // The page is the template with the quiz's title and its block, nothing else.
  EXPECT_EQ(written.find("<title>Formes &amp; &lt;couleurs&gt; \xC3\xA9t\xC3\xA9</title>"),
            TEMPLATE.find("<title>"));
  EXPECT_NE(written.find("id=\"quiz-content\">UVVJWgE"), std::string::npos);
  EXPECT_EQ(written.substr(written.size() - 42), TEMPLATE.substr(TEMPLATE.size() - 42));
  // dump reads both forms to the same source and media.
  Outcome from_exe = quizpack({"dump", folder.path("quiz.exe"), "-o", folder.path("exe")});
  Outcome from_page = quizpack({"dump", folder.path("quiz.html"), "-o", folder.path("page")});
  ASSERT_EQ(from_page.status, 0) << from_page.err;
  std::string exe_source = read_bytes(folder.path("exe/quiz.toml"));
  std::string page_source = read_bytes(folder.path("page/quiz.toml"));
  EXPECT_EQ(exe_source.substr(exe_source.find('\n')), page_source.substr(page_source.find('\n')));
  EXPECT_EQ(read_bytes(folder.path("exe/media/01.jpg")),
            read_bytes(folder.path("page/media/01.jpg")));
  // A page given as the template has its quiz replaced, as a packed program has.
  page = folder.path("quiz.html");
  ASSERT_EQ(build("again.html").status, 0);
  EXPECT_EQ(read_bytes(folder.path("again.html")), written);

  // The package: the manifest, then the page, stored as they are.
  page = folder.write("player.html", TEMPLATE);
  Outcome scorm = build("quiz.zip", {"--scorm"});
  ASSERT_EQ(scorm.status, 0) << scorm.err;
  std::string zip = read_bytes(folder.path("quiz.zip"));
  EXPECT_EQ(zip.substr(0, 4), std::string("PK\x03\x04", 4));
  EXPECT_EQ(zip.substr(30, 15), "imsmanifest.xml");
  EXPECT_NE(zip.find("<title>Formes &amp; &lt;couleurs&gt; \xC3\xA9t\xC3\xA9</title>"),
            std::string::npos);
  EXPECT_NE(zip.find("<adlcp:masteryscore>1</adlcp:masteryscore>"), std::string::npos);
  EXPECT_NE(zip.find("quiz.html" + written), std::string::npos);
  EXPECT_EQ(crc32_of("123456789"), 0xCBF43926u);  // the standard check value
}

TEST_F(Page, WrongOutputsAndTemplatesAreRefusedAndWriteNothing) {
  std::string no_block = folder.write("other.html", "<title>x</title><body></body>");
  struct Case {
    std::string output;
    std::vector<std::string> extra;
    const char* error;
  } cases[] = {
      {"quiz.zip", {}, "a .zip is written as a SCORM package: add --scorm"},
      {"quiz.html", {"--scorm"}, "--scorm writes a SCORM package, a zip: name the output .zip"},
      {"quiz.html", {"--page", folder.path("none.html")}, "cannot read the web player's page: "},
      {"quiz.html", {"--page", no_block}, "the web player's page is not the web player's page"},
      {"player.html", {}, "is the web player's page itself, which is never changed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    std::string before = read_bytes(page);
    Outcome r = build(c.output, c.extra);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
    EXPECT_EQ(read_bytes(page), before);
    EXPECT_FALSE(file_exists(folder.path("quiz.zip")) || file_exists(folder.path("quiz.html")));
  }
  // A page or a package needs no player.
  EXPECT_EQ(
      quizpack({"build", source, "-o", folder.path("alone.zip"), "--scorm", "--page", page}).status,
      0);
  std::string too_many = SOURCE;
  too_many.replace(too_many.find("mastery_score = 1"), 17, "mastery_score = 3");
  Outcome r = quizpack({"check", folder.write("many.toml", too_many)});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("mastery_score (the questions to solve to pass) must be a whole number "
                       "from 1 to 2"),
            std::string::npos)
      << r.err;
}

TEST_F(Page, WhatAPageCannotDoAsTheProgramDoesIsSaid) {
  PreparedQuiz prepared;
  prepared.quiz.kind = QUIZ_VIDEO;
  prepared.clips = 1;
  Resource big;
  big.type = resource_name(MEDIA_RESOURCE_TYPE);
  big.name = resource_number(401);
  big.data.assign(15u * 1000 * 1000, 'x');  // 20 MB once in base64
  prepared.resources.push_back(big);
  std::string bytes;
  Diagnostics diagnostics;
  ASSERT_TRUE(write_quiz_carrier(CARRIER_PAGE, TEMPLATE, "player.html", prepared, "films.html",
                                 &bytes, &diagnostics));
  ASSERT_EQ(diagnostics.list().size(), 2u);
  EXPECT_EQ(diagnostics.list()[0].text(),
            "is 20.0 MB: mail services refuse attachments above 20 MB (put it on a web site or a "
            "shared folder instead)");
  EXPECT_EQ(diagnostics.list()[1].text(),
            "its video clips are AVI, which browsers do not play: the page offers each one to "
            "download instead");
  EXPECT_FALSE(diagnostics.list()[0].error);
  // The studio says them in French.
  EXPECT_EQ(diagnostics.list()[0].beside_field(),
            "la page p\xC3\xA8se 20,0 Mo : les messageries refusent les pi\xC3\xA8"
            "ces jointes de plus de 20 Mo (mettez-la plut\xC3\xB4t sur un site ou un dossier "
            "partag\xC3\xA9)");
  EXPECT_EQ(diagnostics.list()[1].about.field, "file");
}

// Pages damaged in every way the reader checks: each one refused with its
// reason and no resources; dump says so and writes nothing.
TEST_F(Page, DamagedPagesAreRefused) {
  auto page_of = [](const std::string& block) {
    return "<html><title>t</title><script type=\"application/octet-stream\" id=\"quiz-content\">" +
           block + "</script></html>";
  };
  auto container = [](const std::string& body) {
    return encode_base64(std::string("QUIZ\x01", 5) + body);
  };
  // One record: "PATCH" 104 holding "ab".
  std::string one = std::string("\x01\x68\x00\x02\x00\x00\x00", 7) + "ab";
  std::string cut = page_of("QUIZ");
  cut.resize(cut.find("</script>"));
  struct Case {
    std::string page;
    PageRead read;
  } cases[] = {
      {page_of(container(std::string("\x01\x00", 2) + one)), PAGE_READ},
      {"<html>no quiz</html>", PAGE_NOT_A_PAGE},
      {cut, PAGE_DAMAGED},
      {page_of(" \n "), PAGE_WITHOUT_QUIZ},
      {page_of("QUIZ*"), PAGE_DAMAGED},
      {page_of("QUIZA=B="), PAGE_DAMAGED},
      {page_of(encode_base64("ZIUQ\x01\x00\x00")), PAGE_DAMAGED},
      {page_of(encode_base64(std::string("QUIZ\x02\x00\x00", 7))), PAGE_OTHER_VERSION},
      {page_of(container(std::string("\x01", 1))), PAGE_DAMAGED},
      {page_of(container(std::string("\x01\x00", 2) + one.substr(0, 8))), PAGE_DAMAGED},
      {page_of(container(std::string("\x01\x00", 2) + one + "!")), PAGE_DAMAGED},
      {page_of(container(std::string("\x02\x00", 2) + one + one)), PAGE_DAMAGED},
      {page_of(container(std::string("\x01\x00\x03", 3) + one.substr(1))), PAGE_DAMAGED},
      {page_of(container(std::string("\x01\x00\x01\x68\x00\xFF\xFF\xFF\xFF", 9))), PAGE_DAMAGED},
      {page_of(container(std::string("\xFF\xFF", 2))), PAGE_DAMAGED},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page);
    std::vector<Resource> resources;
    std::string problem;
    ASSERT_EQ(read_quiz_page(c.page, &resources, &problem), c.read);
    if (c.read == PAGE_READ) {
      ASSERT_EQ(resources.size(), 1u);
      EXPECT_EQ(resources[0].data, "ab");
      continue;
    }
    EXPECT_TRUE(resources.empty());
    EXPECT_FALSE(problem.empty());
    std::string file = folder.write("damaged.html", c.page);
    Outcome r = quizpack({"dump", file, "-o", folder.path("dumped")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("damaged.html: error: is "), std::string::npos) << r.err;
    EXPECT_FALSE(file_exists(folder.path("dumped/quiz.toml")));
  }
  // A page's answers file is the one its program gives.
  char slot[260];
  for (auto [name, answers] : {std::pair{"quiz.html", "quiz.txt"},
                               {"Mon Quiz.HTM", "Mon Quiz.txt"},
                               {"quiz.exe", "quiz.txt"},
                               {"x.h", "txt"}}) {
    ASSERT_TRUE(quiz_answers_name(name, slot)) << name;
    EXPECT_STREQ(slot, answers);
  }
}

}  // namespace
