#include "recording_platform.h"

#include <cassert>

RecordingPlatform* RecordingPlatform::active = nullptr;

RecordingPlatform::RecordingPlatform()
    : seam_{find_resource, message_box, create_font, create_brush, delete_object} {
  assert(!active);
  active = this;
  install_platform(&seam_);
}

RecordingPlatform::~RecordingPlatform() {
  active = nullptr;
  install_platform(nullptr);
}

void RecordingPlatform::add_resource(int id, const std::string& type, const std::string& bytes) {
  resources_[{id, type}] = bytes;
}

uint32_t RecordingPlatform::colour_of(void* brush) const {
  auto found = brush_colours_.find(brush);
  return found == brush_colours_.end() ? 0xFFFFFFFFu : found->second;
}

size_t RecordingPlatform::live_objects() const { return made_ - deleted.size(); }

bool RecordingPlatform::find_resource(int id, const char* type, ResourceView* out) {
  auto found = active->resources_.find({id, type});
  if (found == active->resources_.end()) return false;
  out->bytes = reinterpret_cast<const unsigned char*>(found->second.data());
  out->size = static_cast<uint32_t>(found->second.size());
  return true;
}

int RecordingPlatform::message_box(const char* text, const char* caption, unsigned buttons) {
  active->messages.push_back({text, caption, buttons});
  if (active->answers.empty()) return ANSWER_OK;
  int answer = active->answers.front();
  active->answers.erase(active->answers.begin());
  return answer;
}

FontHandle RecordingPlatform::create_font(const FontSpec* wanted) {
  active->fonts.push_back(*wanted);
  ++active->made_;
  return reinterpret_cast<FontHandle>(active->next_handle_++);
}

BrushHandle RecordingPlatform::create_brush(uint32_t colour) {
  active->brushes.push_back(colour);
  ++active->made_;
  void* handle = reinterpret_cast<void*>(active->next_handle_++);
  active->brush_colours_[handle] = colour;
  return handle;
}

void RecordingPlatform::delete_object(void* handle) {
  if (handle) active->deleted.push_back(handle);
}
