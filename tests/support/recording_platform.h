// A platform seam for tests: it records every message, font and brush asked
// of it and serves resources from memory. Installed for the life of the object.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/content/platform.h"

struct RecordedMessage {
  std::string text;
  std::string caption;
  unsigned buttons;
};

class RecordingPlatform {
 public:
  RecordingPlatform();
  ~RecordingPlatform();
  RecordingPlatform(const RecordingPlatform&) = delete;
  RecordingPlatform& operator=(const RecordingPlatform&) = delete;

  // A resource the seam will find; an empty string is a resource of size 0.
  void add_resource(int id, const std::string& type, const std::string& bytes);

  std::vector<RecordedMessage> messages;
  std::vector<FontSpec> fonts;
  std::vector<uint32_t> brushes;  // colour of each brush made, in order
  std::vector<void*> deleted;     // handles deleted, in order
  std::vector<int> answers;       // answers the message box gives, in turn (default OK)

  // The colour a brush handle made by this seam was created with.
  uint32_t colour_of(void* brush) const;
  // Handles made and not deleted yet.
  size_t live_objects() const;

 private:
  static bool find_resource(int id, const char* type, ResourceView* out);
  static int message_box(const char* text, const char* caption, unsigned buttons);
  static FontHandle create_font(const FontSpec* wanted);
  static BrushHandle create_brush(uint32_t colour);
  static void delete_object(void* handle);

  static RecordingPlatform* active;
  std::map<std::pair<int, std::string>, std::string> resources_;
  std::map<void*, uint32_t> brush_colours_;
  size_t made_ = 0;
  uintptr_t next_handle_ = 0x1000;
  const PlatformSeam seam_;
};
