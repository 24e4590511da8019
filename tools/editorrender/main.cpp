// editorrender: the plug-in's editor drawn by the software renderer on a headless window, written as a
// PNG, at the parameter values given. It is the reference the real windows are compared with.
#include "HeadlessPlatform.h"
#include "Parameters.h"
#include "PlatformFrame.h"
#include "TarvelCompressor.h"
#include "TarvelCompressorGUI.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace qm07;

namespace
{
const char kUsage[] = "usage: editorrender OUT.png [NAME=VALUE ...]\n"
                      "Draws the editor with each named parameter (case-insensitive, or its index) at the\n"
                      "normalized value given and every other one at its default; the needle rests.\n";

std::intptr_t silentHost(AEffect*, std::int32_t, std::int32_t, std::intptr_t, void*, float)
{
    return 0;
}

int parameterIndex(const std::string& name)
{
    if (const std::int32_t index = qm07::findParameter(name.c_str()); index >= 0) return index;
    char* end = nullptr;
    const long number = std::strtol(name.c_str(), &end, 10);
    return !name.empty() && *end == '\0' && number >= 0 && number < kNumParams ? static_cast<int>(number)
                                                                               : -1;
}

bool applySetting(TarvelCompressor& effect, const std::string& setting)
{
    const auto equals = setting.find('=');
    if (equals == std::string::npos) return false;
    const int index = parameterIndex(setting.substr(0, equals));
    const std::string text = setting.substr(equals + 1);
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (index < 0 || text.empty() || *end != '\0') return false;
    effect.setParameter(index, static_cast<float>(value));
    return true;
}

/// The window's pixels as RGB rows; the editor is opaque, so no alpha is kept.
bool writePng(const std::string& path, const VSTGUI::raster::Surface& surface)
{
    const int width = surface.getWidth();
    const int height = surface.getHeight();
    std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const std::uint32_t pixel = surface.pixel(x, y);
            unsigned char* out = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            out[0] = static_cast<unsigned char>(pixel >> 16);
            out[1] = static_cast<unsigned char>(pixel >> 8);
            out[2] = static_cast<unsigned char>(pixel);
        }
    return stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argv[1][0] == '-')
    {
        std::fputs(kUsage, stderr);
        return 2;
    }
    TarvelCompressor effect(&silentHost, createCompressorEditor);
    effect.setSampleRate(48000.0f);
    for (int i = 2; i < argc; ++i)
        if (!applySetting(effect, argv[i]))
        {
            std::fprintf(stderr, "editorrender: cannot apply \"%s\"\n%s", argv[i], kUsage);
            return 2;
        }
    ERect* rect = nullptr;
    effect.dispatcher(effEditGetRect, 0, 0, &rect, 0.0f);
    VSTGUI::headless::Window host;
    host.width = rect->right - rect->left;
    host.height = rect->bottom - rect->top;
    if (effect.dispatcher(effEditOpen, 0, 0, &host, 0.0f) == 0)
    {
        std::fputs("editorrender: the editor did not open\n", stderr);
        return 1;
    }
    // The whole window exposed once, as a window system does when it first shows the window.
    VSTGUI::headless::Window* window = VSTGUI::headless::environment().windows.back();
    VSTGUI::headless::invalidateWindow(*window, VSTGUI::CRect(0, 0, window->width, window->height));
    VSTGUI::platform::dispatchPendingPaint();
    const bool written = writePng(argv[1], *window->surface);
    effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    if (!written) std::fprintf(stderr, "editorrender: cannot write %s\n", argv[1]);
    return written ? 0 : 1;
}
