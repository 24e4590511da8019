// Crash lines from the process's last-chance exception filter; the exception then goes on as before.
#include "CrashReport.h"

#include <cstdio>
#include <cstring>
#include <windows.h>

namespace
{
char checkName[256];
int passedSoFar = 0;
int failedSoFar = 0;

LONG WINAPI onCrash(EXCEPTION_POINTERS* info)
{
    char text[512];
    const int length = std::snprintf(
        text, sizeof(text),
        "FAIL  %s: the plug-in crashed the host (exception 0x%08lX)\n%d passed, %d failed\n",
        checkName[0] ? checkName : "(between checks)",
        static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode), passedSoFar, failedSoFar + 1);
    std::fflush(stdout);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(length), &written, nullptr);
    return EXCEPTION_CONTINUE_SEARCH;
}
} // namespace

void CrashReport::install()
{
    SetUnhandledExceptionFilter(onCrash);
}

void CrashReport::running(const char* check, int passed, int failed)
{
    std::strncpy(checkName, check ? check : "", sizeof(checkName) - 1);
    passedSoFar = passed;
    failedSoFar = failed;
}
