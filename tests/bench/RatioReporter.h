// The console table, then each benchmark's ns/frame as a multiple of its base's, from the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    /// baseOf names the benchmark a benchmark is compared with; itself, or one that did not run, skips it.
    RatioReporter(std::string heading, std::function<std::string(const std::string&)> baseOf)
        : title(std::move(heading)), base(std::move(baseOf))
    {
    }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        // With repetitions, the median stands for the benchmark.
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                perFrame[run.run_name.str()] = run.counters.at("ns/frame");
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%s\n", title.c_str());
        for (const auto& [name, ns] : perFrame)
        {
            const auto found = perFrame.find(base(name));
            if (found != perFrame.end() && found->first != name)
                std::printf("  %-34s %6.3f\n", name.c_str(), ns / found->second);
        }
    }

private:
    std::string title;
    std::function<std::string(const std::string&)> base;
    std::map<std::string, double> perFrame;
};
