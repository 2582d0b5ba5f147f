#include "platform_web.h"

#include "convert.h"

namespace {

const std::vector<Resource>* quiz_resources = nullptr;
std::vector<WebMessage>* kept_messages = nullptr;

// Resources are found by number under a type name, as the player finds its own.
bool find_quiz_resource(int id, const char* type, ResourceView* out) {
  if (!quiz_resources || id < 0 || id > 0xFFFF) return false;
  const Resource* found =
      find_resource(*quiz_resources, resource_name(type), resource_number(uint16_t(id)));
  if (!found) return false;
  out->bytes = reinterpret_cast<const unsigned char*>(found->data.data());
  out->size = uint32_t(found->data.size());
  return true;
}
int keep_message(const char* text, const char* caption, unsigned) {
  if (kept_messages) kept_messages->push_back({text ? text : "", caption ? caption : ""});
  return ANSWER_OK;
}

PlatformSeam web_seam() {
  PlatformSeam seam = windowless_seam();
  seam.find_resource = find_quiz_resource;
  seam.message_box = keep_message;
  return seam;
}
const PlatformSeam WEB_SEAM = web_seam();

}  // namespace

void install_web_platform() { install_platform(&WEB_SEAM); }

void use_web_resources(const std::vector<Resource>* resources, std::vector<WebMessage>* messages) {
  quiz_resources = resources;
  kept_messages = messages;
}

emscripten::val look_of(const StaticColours& colours) {
  emscripten::val look = emscripten::val::object();
  look.set("paint", colours.painted ? colour_text(brush_colour(colours.brush)) : "");
  look.set("back", colours.sets_back ? colour_text(colours.back_colour) : "");
  TextLook text = text_look(colours, colours.painted ? brush_colour(colours.brush) : 0);
  look.set("text", colour_text(text.page_text));
  look.set("player_text", colour_text(text.player_text));
  look.set("player_contrast", text.player_contrast);
  look.set("player_reads", text.player_contrast > MIN_TEXT_CONTRAST);
  return look;
}
