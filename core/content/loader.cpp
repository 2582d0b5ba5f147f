#include "loader.h"

#include "content_parser.h"
#include "lzw.h"

namespace {

// Windows-1252 texts.
const char CAPTION[] = "Tirlo";
const char NO_MEMORY_TEXT[] = "Impossible d'allouer la memoire";
const char NO_MEMORY_CAPTION[] = "information";
const char CONTENT_ERROR[] =
    "Erreur dans le d\xE9"
    "cryptage des reponses";
const char CODES_MISSING[] = "Codes non trouv\xE9s.";
const char CODES_EMPTY[] = "Codes non renseign\xE9s.";
const char CODES_ERROR[] =
    "Erreur dans le d\xE9"
    "cryptage des codes";

// Decodes a resource; on failure tells the user with `error` and returns false.
bool decode_resource(const ResourceView& view, const char* error, LzwOutput* out) {
  int status = lzw_decode(view.bytes, view.size, out);
  if (status == LZW_OK) return true;
  if (status == LZW_NO_MEMORY && !out->bytes) show_no_memory();
  show_message(error, CAPTION);
  lzw_release(out);
  return false;
}

}  // namespace

void show_no_memory() { show_message(NO_MEMORY_TEXT, NO_MEMORY_CAPTION); }

void load_content(QuizDocument* doc) {
  const PlatformSeam& seam = platform();
  ResourceView view;
  if (!seam.find_resource(CONTENT_RESOURCE, CONTENT_RESOURCE_TYPE, &view) || view.size == 0) {
    use_demonstration_content(doc);
    return;
  }
  LzwOutput content;
  if (!decode_resource(view, CONTENT_ERROR, &content)) return;
  parse_content(doc, content.bytes, content.length);
  lzw_release(&content);

  if (!seam.find_resource(CODES_RESOURCE, CONTENT_RESOURCE_TYPE, &view)) {
    show_message(CODES_MISSING, CAPTION);
    return;
  }
  if (view.size == 0) {
    show_message(CODES_EMPTY, CAPTION);
    return;
  }
  LzwOutput codes;
  if (!decode_resource(view, CODES_ERROR, &codes)) return;
  parse_codes(doc, codes.bytes, codes.length);
  lzw_release(&codes);
}
