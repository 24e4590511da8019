// Parameters: every value a host may send, the texts they show, and processing at random settings.
#include "Checks.h"
#include "Drive.h"
#include "GuardedBuffer.h"

#include <cmath>
#include <limits>

namespace
{
std::vector<float> valuesToSend(int strictness)
{
    constexpr float kInf = std::numeric_limits<float>::infinity();
    std::vector<float> values{0.0f,
                              1.0f,
                              -0.0f,
                              -1.0f,
                              2.0f,
                              -1e30f,
                              1e30f,
                              1e-40f,
                              kInf,
                              -kInf,
                              std::numeric_limits<float>::quiet_NaN()};
    const int steps = 2 * strictness;
    for (int k = 1; k < steps; ++k)
        values.push_back(static_cast<float>(k) / static_cast<float>(steps));
    return values;
}

std::string describe(double value)
{
    return std::isnan(value) ? "NaN" : std::to_string(value);
}

/// The values go through the range: 0 and 1 are its ends, the others inside or outside it.
Outcome valuesStayInRange(Session& session)
{
    std::string error;
    auto plugin = session.instance(error);
    if (!plugin) return Outcome::fail(error);
    if (plugin->parameterCount() == 0) return Outcome::skip("the plug-in has no parameters");
    Findings findings;
    for (int i = 0; i < plugin->parameterCount(); ++i)
    {
        const ParameterRange range = plugin->parameterRange(i);
        for (const float fraction : valuesToSend(session.strictness()))
        {
            const double sent = withinRange(range, fraction);
            plugin->setParameterValue(i, sent);
            const double read = plugin->parameterValue(i);
            findings.expect(std::isfinite(read) && read >= range.minimum && read <= range.maximum,
                            "parameter " + std::to_string(i) + " set to " + describe(sent) + " reads " +
                                describe(read));
        }
    }
    return findings.outcome();
}

/// Names, labels and displays of index within 8 characters; out-of-range indices only must not overrun.
void checkTexts(HostedPlugin& plugin, std::int32_t index, bool inRange, const std::string& when,
                Findings& findings)
{
    for (const std::int32_t opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay})
    {
        GuardedBuffer text(kVstMaxParamStrLen + 1);
        plugin.dispatch(opcode, index, 0, text.data());
        const std::string where =
            "opcode " + std::to_string(opcode) + ", parameter " + std::to_string(index) + when;
        findings.expect(text.guardIntact(), where + ": wrote past 9 bytes (\"" + text.text() + "...\")");
        if (inRange) findings.expect(text.terminated(), where + ": no terminator within 8 characters");
    }
}

Outcome textsFit(Session& session)
{
    std::string error;
    auto plugin = session.load(error);
    if (!plugin) return Outcome::fail(error);
    const std::int32_t count = plugin->effect().numParams;
    Findings findings;
    for (std::int32_t i = 0; i < count; ++i)
        for (const float sent : valuesToSend(session.strictness()))
        {
            plugin->setParameter(i, sent);
            checkTexts(*plugin, i, true, " at " + describe(sent), findings);
        }
    for (const std::int32_t outside : {-1, count, count + 1000, std::numeric_limits<std::int32_t>::max()})
        checkTexts(*plugin, outside, false, " (out of range)", findings);
    return findings.outcome();
}

Outcome randomSettingsProcess(Session& session)
{
    std::string error;
    auto plugin = session.instance(error);
    if (!plugin) return Outcome::fail(error);
    if (plugin->parameterCount() == 0) return Outcome::skip("the plug-in has no parameters");
    Findings findings;
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::bernoulli_distribution extreme(0.3);
    plugin->start(48000.0, 1024);
    Stimulus stimulus(48000.0, session.random()());
    ProcessBuffers<float> buffers(plugin->inputCount(), plugin->outputCount(), 1024, false);
    for (int round = 0; round < 4 * session.strictness(); ++round)
    {
        std::string settings;
        for (int i = 0; i < plugin->parameterCount(); ++i)
        {
            const float fraction =
                extreme(session.random()) ? std::round(unit(session.random())) : unit(session.random());
            const double value = withinRange(plugin->parameterRange(i), fraction);
            plugin->setParameterValue(i, value);
            settings += (i ? "," : "") + std::to_string(value);
        }
        for (const Signal signal : {Signal::Audio, Signal::Noise, Signal::Silence})
        {
            stimulus.setSignal(signal);
            for (int block = 0; block < 8; ++block)
            {
                stimulus.fill(buffers, 1024);
                buffers.process(*plugin, 1024);
            }
            const OutputScan scan = buffers.scan();
            findings.expect(scan.nonFinite == 0, "settings {" + settings + "}: " + scan.first);
        }
    }
    return findings.outcome();
}
} // namespace

std::vector<Check> parameterChecks()
{
    return {
        {"parameters: 0, 1, steps between, out of range, NaN and infinities leave every value finite within "
         "0 to 1",
         1, valuesStayInRange, kEveryFormat,
         "parameters: minimum, maximum, steps between, out of range, NaN and infinities leave every value "
         "finite within its range"},
        {"parameters: names, labels and displays at every value fit 8 characters and a terminator", 1,
         textsFit, kVstOnly},
        {"parameters: random settings give finite output for audio, noise and silence", 2,
         randomSettingsProcess, kEveryFormat},
    };
}
