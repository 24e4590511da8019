// What the process holds right now, as far as the platform lets us see it; one file per platform.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ResourceUse
{
    static constexpr std::int64_t kUnknown = -1;

    std::int64_t heapBytes = kUnknown;    ///< bytes in allocated heap blocks
    std::int64_t processBytes = kUnknown; ///< private or resident memory of the process
    std::int64_t gdiHeadroom = kUnknown;  ///< GDI objects that could still be created
};

ResourceUse measureResources();
/// How the platform's numbers were obtained, for the report.
std::string resourceMethods();

/// A window class that windows inside window (the editor's) belong to, with the module that registered
/// it; empty names on platforms without window classes.
struct WindowClass
{
    std::string name;
    void* module = nullptr;
};
std::vector<WindowClass> childWindowClasses(void* window);
/// Whether that class is still registered.
bool windowClassRegistered(const WindowClass& windowClass);
