// stb's decoders, scaler and encoder, compiled once into the authoring
// library from Debian's headers. Only PNG, GIF and BMP are decoded by stb
// (JPEG by libjpeg-turbo, WebP by libwebp), and only bytes already known to
// be of one of them reach it: every other decoder would be code that hostile
// files could reach. No stdio: quizpack reads files itself (with UTF-16
// names on Windows).
// In WebAssembly stb takes the same SSE2 paths as on x86-64, run by
// WebAssembly SIMD, so that a picture decodes to the same pixels and a scaled
// picture to the same bytes as natively.
#ifdef __EMSCRIPTEN__
#define STBI__X64_TARGET
#endif
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_GIF
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#include <stb/stb_image.h>

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb/stb_image_resize.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>
