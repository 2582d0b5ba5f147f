// The header's link record after the colours: read when understood in every
// byte, refused otherwise (no link), and never in the way of the judging
// options block that follows it.
#include <gtest/gtest.h>

#include <string>

#include "core/content/content_parser.h"
#include "tests/support/content_bytes.h"
#include "tests/support/document_fixture.h"

namespace {

const std::string CONTENT =
    content_head(1, 1, 1) + "Titre|Auteur|Explications|||" + "Rome|q1|" + byte_of(0) + rgb(1, 2, 3);
// Options that make the quiz's rules accents-ignored: read or not, they show
// whether the reader found the block after the link.
const std::string OPTIONS = std::string("JUGE") + char(1) + char(0x04) + char(0);

std::string record(const std::string& body, int version = 1) {
  return std::string("LIEN") + char(version) + char(body.size() & 0xFF) + char(body.size() >> 8) +
         body;
}

struct HeaderLinkTest : DocumentFixture {
  void parse(const std::string& content) {
    release_document(doc);
    init_document(doc);
    parse_content(doc, reinterpret_cast<const unsigned char*>(content.data()), content.size());
  }
};

TEST_F(HeaderLinkTest, ARecordIsReadWhenUnderstoodInEveryByte) {
  const std::string long_address = "https://" + std::string(251, 'a');  // 259 bytes
  struct Case {
    const char* what;
    std::string after_colours;
    const char *address, *text, *label;
    bool options_read;
  } cases[] = {
      {"no record", OPTIONS, "", "", "", true},
      {"address and text", record("https://ecole.example/cm2|Le site de la classe|") + OPTIONS,
       "https://ecole.example/cm2", "Le site de la classe", "Le site de la classe", true},
      {"no text shows the address", record("http://a.example||"), "http://a.example", "",
       "http://a.example", false},
      {"the scheme in any case", record("HTTPS://A.EXAMPLE/%C3%A9|\xE9t\xE9|") + OPTIONS,
       "HTTPS://A.EXAMPLE/%C3%A9", "\xE9t\xE9", "\xE9t\xE9", true},
      {"259 bytes", record(long_address + "||") + OPTIONS, long_address.c_str(), "",
       long_address.c_str(), true},
      // Anything but a web address would be started by the shell's "open".
      {"a program", record("C:\\Windows\\calc.exe|x|") + OPTIONS, "", "", "", true},
      {"a file", record("file:///C:/x.exe|x|") + OPTIONS, "", "", "", true},
      {"a script", record("javascript:alert(1)|x|") + OPTIONS, "", "", "", true},
      {"no host", record("https://|x|") + OPTIONS, "", "", "", true},
      {"a blank", record("https://a.example/b c|x|") + OPTIONS, "", "", "", true},
      {"a byte beyond ASCII", record("https://\xE9t\xE9.example|x|") + OPTIONS, "", "", "", true},
      {"260 bytes", record(long_address + "a||") + OPTIONS, "", "", "", true},
      {"a control character in the text", record("https://a.example|x\ty|") + OPTIONS, "", "", "",
       true},
      {"one text", record("https://a.example|") + OPTIONS, "", "", "", true},
      {"a byte after the texts", record("https://a.example|x|!") + OPTIONS, "", "", "", true},
      {"another version", record("https://a.example|x|", 2) + OPTIONS, "", "", "", true},
      // A size past the content: no way to the block after it.
      {"a size past the end", record("https://a.example|x|").substr(0, 12), "", "", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    parse(CONTENT + c.after_colours);
    EXPECT_STREQ(doc->link.address, c.address);
    EXPECT_STREQ(doc->link.text, c.text);
    EXPECT_STREQ(header_link_label(&doc->link), c.label);
    EXPECT_EQ(doc->judging.present, c.options_read ? 1 : 0);
    // Nothing else of the quiz changes.
    EXPECT_STREQ(doc->title, "Titre");
    EXPECT_EQ(doc->question_count, 1);
    EXPECT_EQ(doc->background_colour, 0x00030201u);
  }
}

}  // namespace
