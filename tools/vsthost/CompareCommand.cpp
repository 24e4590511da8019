// vsthost compare: whether two renders agree to float rounding.
#include "AudioFile.h"
#include "CommandLine.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "SignalStats.h"

#include <cstdio>

int runCompare(const std::vector<std::string>& args)
{
    CommandLine line(args, {"--ulps", "--rate"}, {});
    const auto allowed = static_cast<std::int64_t>(line.number("--ulps", 2, 0, 1 << 30));
    const double rawRate = line.number("--rate", kDefaultRawRate, 1, 1e7);
    if (!line.usable(2, "vsthost compare", "usage: vsthost compare A B [--ulps N] [--rate HZ]\n")) return 2;
    AudioClip a;
    AudioClip b;
    std::string error;
    if (!readAudioFile(line.positional()[0], rawRate, a, error) ||
        !readAudioFile(line.positional()[1], rawRate, b, error))
    {
        std::fprintf(stderr, "vsthost: %s\n", error.c_str());
        return 1;
    }
    const Difference diff = compareClips(a, b);
    if (!diff.sameShape)
    {
        std::printf("DIFFER: %zu x %zu samples against %zu x %zu\n", a.channels.size(), a.frames(),
                    b.channels.size(), b.frames());
        return 1;
    }
    const bool agree = diff.maxUlps <= allowed;
    std::printf("%s: %zu of %zu samples differ, largest difference %.3g (%lld float steps, %lld allowed)\n",
                agree ? "AGREE" : "DIFFER", diff.differing, a.frames() * a.channels.size(), diff.maxAbsolute,
                static_cast<long long>(diff.maxUlps), static_cast<long long>(allowed));
    return agree ? 0 : 1;
}
