// The seam between the portable core and the platform. The core never includes
// windows.h: when it must find one of the program's own resources, show a
// message, or make or delete a font or a brush, it calls through this table.
// The Win32 shell installs the real implementation at start; native tests
// install one that records what was asked.
#pragma once

#include <cstdint>

typedef void* FontHandle;
typedef void* BrushHandle;
typedef void* WindowHandle;

// A font as the player describes it: the fields of a LOGFONT that it sets.
// Every other field is zero, the face name empty (the system's default face).
struct FontSpec {
  int32_t height;
  int32_t weight;
  uint8_t italic;
  uint8_t underline;
};

// Bytes of a resource, read in place; valid as long as the module is loaded.
struct ResourceView {
  const unsigned char* bytes;
  uint32_t size;
};

// Buttons of a message box (and its warning sign, added to them) and the
// answers it gives; the values are those of the platform's own message box.
enum MessageButtons : unsigned {
  MESSAGE_OK = 0x0,
  MESSAGE_RETRY_CANCEL = 0x5,
  MESSAGE_WARNING = 0x30
};
enum MessageAnswer : int { ANSWER_OK = 1, ANSWER_CANCEL = 2, ANSWER_RETRY = 4 };

struct PlatformSeam {
  // Looks up resource `id` of the given type name in the program's own module.
  // Returns false when there is none; a resource of size 0 is found with size 0.
  bool (*find_resource)(int id, const char* type, ResourceView* out);
  // A message box without owner window; returns the answer chosen.
  int (*message_box)(const char* text, const char* caption, unsigned buttons);
  FontHandle (*create_font)(const FontSpec* wanted);
  // `colour` is 0x00BBGGRR.
  BrushHandle (*create_brush)(uint32_t colour);
  // Deletes a font or a brush; a null handle is ignored.
  void (*delete_object)(void* handle);
};

// Installs the seam the core calls from now on. The table must outlive its use.
void install_platform(const PlatformSeam* seam);
const PlatformSeam& platform();

// Shorthand for the core's messages: an OK box with text and caption.
void show_message(const char* text, const char* caption);
