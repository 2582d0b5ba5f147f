#include "scorm_package.h"

#include <cstdio>

#include "quiz_page_writer.h"
#include "zip_writer.h"

std::string scorm_manifest(const std::string& title, int mastery_score,
                           const std::string& identifier) {
  std::string name = markup_escaped(title);
  std::string mastery = mastery_score > 0
                            ? "        <adlcp:masteryscore>" + std::to_string(mastery_score) +
                                  "</adlcp:masteryscore>\n"
                            : "";
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<manifest identifier=\"" +
         identifier +
         "\" version=\"1\"\n"
         "    xmlns=\"http://www.imsproject.org/xsd/imscp_rootv1p1p2\"\n"
         "    xmlns:adlcp=\"http://www.adlnet.org/xsd/adlcp_rootv1p2\">\n"
         "  <metadata>\n"
         "    <schema>ADL SCORM</schema>\n"
         "    <schemaversion>1.2</schemaversion>\n"
         "  </metadata>\n"
         "  <organizations default=\"quiz\">\n"
         "    <organization identifier=\"quiz\">\n"
         "      <title>" +
         name +
         "</title>\n"
         "      <item identifier=\"quiz-item\" identifierref=\"quiz-page\" isvisible=\"true\">\n"
         "        <title>" +
         name + "</title>\n" + mastery +
         "      </item>\n"
         "    </organization>\n"
         "  </organizations>\n"
         "  <resources>\n"
         "    <resource identifier=\"quiz-page\" type=\"webcontent\" adlcp:scormtype=\"sco\" "
         "href=\"" +
         SCORM_PAGE_NAME +
         "\">\n"
         "      <file href=\"" +
         SCORM_PAGE_NAME +
         "\"/>\n"
         "    </resource>\n"
         "  </resources>\n"
         "</manifest>\n";
}

bool write_scorm_package(const std::string& page, const std::string& title, int mastery_score,
                         std::string* package, std::string* problem) {
  char identifier[24];
  snprintf(identifier, sizeof identifier, "quiz-%08X", unsigned(crc32_of(page)));
  return write_stored_zip({{"imsmanifest.xml", scorm_manifest(title, mastery_score, identifier)},
                           {SCORM_PAGE_NAME, page}},
                          package, problem);
}
