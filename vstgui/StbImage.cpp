// The one translation unit that holds stb_image's implementation, for every back end.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_NO_HDR
#define STBI_NO_LINEAR
// Its thread-local error text would otherwise cost every thread that decodes a block of the DLL's own
// emulated thread-local storage, which unloading the DLL never frees (about 1.5 KiB per load). Decoding
// is serialised by the image cache anyway, and nothing reads the error text.
#define STBI_NO_THREAD_LOCALS
#include <stb_image.h>
