#include "null_platform.h"

#include <cstdint>

namespace {

uintptr_t next_handle = 1;
bool find_resource(int, const char*, ResourceView*) { return false; }
int message_box(const char*, const char*, unsigned) { return ANSWER_OK; }
FontHandle create_font(const FontSpec*) { return reinterpret_cast<FontHandle>(next_handle++); }
BrushHandle create_brush(uint32_t) { return reinterpret_cast<BrushHandle>(next_handle++); }
void delete_object(void*) {}
const PlatformSeam SEAM = {find_resource, message_box, create_font, create_brush, delete_object};

}  // namespace

void install_null_platform() { install_platform(&SEAM); }
