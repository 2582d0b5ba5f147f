// stb's picture decoder, resizer and JPEG encoder for the WebAssembly module
// (natively the authoring library links Debian's libstb). The decoder takes
// the same SSE2 paths as on x86-64, run by WebAssembly SIMD, so that a
// picture decodes to the same pixels and a scaled picture to the same bytes.
#define STBI__X64_TARGET
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image.h>
#include <stb/stb_image_resize.h>
#include <stb/stb_image_write.h>
