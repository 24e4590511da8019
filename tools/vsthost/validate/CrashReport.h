// When a plug-in crashes the host, the battery still says which check it was; one file per platform.
#pragma once

namespace CrashReport
{
/// From now on a crash prints a FAIL line for the running check and the total before the process dies
/// the way it would have (the handler that was there before, a sanitizer's included, still reports).
void install();
/// The check now running (null between checks) and the counts so far.
void running(const char* check, int passed, int failed);
} // namespace CrashReport
