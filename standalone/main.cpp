// qm07-compressor: the compressor as a JACK application.
#include "Application.h"
#include "Options.h"
#include "ProductInfo.h"

#include <cstdio>

int main(int argc, char** argv)
{
    qm07::Options options;
    std::string error;
    switch (qm07::parseOptions(std::vector<std::string>(argv + 1, argv + argc), options, error))
    {
    case qm07::Command::Help:
        std::fputs(qm07::usageText().c_str(), stdout);
        return 0;
    case qm07::Command::Version:
        std::printf("qm07-compressor %s (%s by %s)\n", qm07::kVersionString, qm07::kProductName,
                    qm07::kVendorName);
        return 0;
    case qm07::Command::Invalid:
        std::fprintf(stderr, "qm07-compressor: %s\nTry 'qm07-compressor --help'.\n", error.c_str());
        return qm07::kExitUsage;
    case qm07::Command::Run:
        break;
    }
    return qm07::runApplication(options);
}
