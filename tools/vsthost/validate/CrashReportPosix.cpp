// Crash lines from a signal handler: only async-signal-safe calls, then the earlier handler acts.
#include "CrashReport.h"

#include <csignal>
#include <cstring>
#include <unistd.h>

namespace
{
constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
struct sigaction previous[sizeof(kSignals) / sizeof(kSignals[0])];
char checkName[256];
volatile int passedSoFar = 0;
volatile int failedSoFar = 0;

void writeText(const char* text)
{
    const ssize_t ignored = write(STDOUT_FILENO, text, std::strlen(text));
    (void)ignored;
}

void writeNumber(int value)
{
    char digits[16];
    int count = 0;
    do
    {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0 && count < 15);
    char text[16];
    for (int i = 0; i < count; ++i)
        text[i] = digits[count - 1 - i];
    text[count] = 0;
    writeText(text);
}

void onCrash(int signal)
{
    writeText("FAIL  ");
    writeText(checkName[0] ? checkName : "(between checks)");
    writeText(": the plug-in crashed the host (signal ");
    writeNumber(signal);
    writeText(")\n");
    writeNumber(passedSoFar);
    writeText(" passed, ");
    writeNumber(failedSoFar + 1);
    writeText(" failed\n");
    // Back to the earlier handler; returning re-runs the faulting instruction (or abort raises again).
    for (std::size_t i = 0; i < sizeof(kSignals) / sizeof(kSignals[0]); ++i)
        if (kSignals[i] == signal) sigaction(signal, &previous[i], nullptr);
}
} // namespace

void CrashReport::install()
{
    struct sigaction action = {};
    action.sa_handler = onCrash;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < sizeof(kSignals) / sizeof(kSignals[0]); ++i)
        sigaction(kSignals[i], &action, &previous[i]);
}

void CrashReport::running(const char* check, int passed, int failed)
{
    std::strncpy(checkName, check ? check : "", sizeof(checkName) - 1);
    passedSoFar = passed;
    failedSoFar = failed;
}
