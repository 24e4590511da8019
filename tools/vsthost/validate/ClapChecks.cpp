// What only CLAP has: the descriptor and ports, parameter infos, texts both ways, state read in pieces, and
// the faults the host saw in the plug-in while the battery ran.
#include "Checks.h"
#include "Drive.h"
#include "GuardedBuffer.h"

#include <cmath>
#include <cstring>
#include <set>

using namespace qm07::clap;

namespace
{
std::string idOf(int index)
{
    return "parameter " + std::to_string(index);
}

void checkPorts(const ClapInstance& plugin, bool input, Findings& findings)
{
    const auto& ports = plugin.ports(input);
    const auto& opposite = plugin.ports(!input);
    const std::string side = input ? "input port " : "output port ";
    std::set<clap_id> ids;
    for (std::size_t i = 0; i < ports.size(); ++i)
    {
        const clap_audio_port_info& port = ports[i];
        const std::string which = side + std::to_string(i);
        findings.expect(ids.insert(port.id).second, which + " repeats the id " + std::to_string(port.id));
        findings.expect(port.channel_count > 0, which + " has no channels");
        findings.expect(!(port.flags & CLAP_AUDIO_PORT_IS_MAIN) || i == 0, which + " is main but not first");
        const bool paired =
            port.in_place_pair == CLAP_INVALID_ID ||
            std::any_of(opposite.begin(), opposite.end(),
                        [&](const clap_audio_port_info& other) { return other.id == port.in_place_pair; });
        findings.expect(paired, which + " pairs in place with a port that does not exist");
    }
}

Outcome descriptorAndPorts(Session& session)
{
    std::string error;
    auto plugin = session.loadClap(error);
    if (!plugin) return Outcome::fail(error);
    const clap_plugin_descriptor& d = plugin->descriptor();
    Findings findings;
    findings.expect(d.id && *d.id, "the descriptor has no id");
    findings.expect(d.name && *d.name, "the descriptor has no name");
    findings.expect(clap_version_is_compatible(d.clap_version), "the descriptor's version is before 1.0");
    findings.expect(d.features != nullptr, "the descriptor has no feature list");
    findings.expect(plugin->outputCount() > 0, "the plug-in has no audio output");
    checkPorts(*plugin, true, findings);
    checkPorts(*plugin, false, findings);
    return findings.outcome();
}

bool whole(double value)
{
    return std::floor(value) == value;
}

void checkInfo(const clap_param_info& info, const std::string& which, Findings& findings)
{
    findings.expect(info.id != CLAP_INVALID_ID, which + " has the invalid id");
    findings.expect(strnlen(info.name, sizeof(info.name)) > 0 &&
                        strnlen(info.name, sizeof(info.name)) < sizeof(info.name),
                    which + " has no name, or one without its terminator");
    findings.expect(
        std::isfinite(info.min_value) && std::isfinite(info.max_value) && info.min_value <= info.max_value,
        which + " has the range " + std::to_string(info.min_value) + " to " + std::to_string(info.max_value));
    findings.expect(info.default_value >= info.min_value && info.default_value <= info.max_value,
                    which + " defaults to " + std::to_string(info.default_value) + ", outside its range");
    const bool stepped = (info.flags & CLAP_PARAM_IS_STEPPED) != 0;
    findings.expect(!(info.flags & CLAP_PARAM_IS_ENUM) || stepped,
                    which + " is an enumeration but not stepped");
    findings.expect(!stepped || (whole(info.min_value) && whole(info.max_value) && whole(info.default_value)),
                    which + " is stepped but its range or default is not whole");
}

Outcome parameterInfos(Session& session)
{
    std::string error;
    auto plugin = session.loadClap(error);
    if (!plugin) return Outcome::fail(error);
    if (plugin->parameterCount() == 0) return Outcome::skip("the plug-in has no parameters");
    Findings findings;
    std::set<clap_id> ids;
    for (int i = 0; i < plugin->parameterCount(); ++i)
    {
        const clap_param_info& info = plugin->parameterInfo(i);
        checkInfo(info, idOf(i), findings);
        findings.expect(ids.insert(info.id).second, idOf(i) + " repeats the id " + std::to_string(info.id));
        const double value = plugin->parameterValue(i);
        findings.expect(value == info.default_value, idOf(i) + " of a fresh instance reads " +
                                                         std::to_string(value) + ", not its default " +
                                                         std::to_string(info.default_value));
    }
    return findings.outcome();
}

/// The ends, the default and steps between; every position of a stepped parameter with few of them.
std::vector<double> valuesToShow(const clap_param_info& info, int strictness)
{
    std::vector<double> values{info.min_value, info.max_value, info.default_value};
    const double span = info.max_value - info.min_value;
    const bool stepped = (info.flags & CLAP_PARAM_IS_STEPPED) != 0;
    const int steps = stepped && span <= 64 ? static_cast<int>(span) : 4 * strictness;
    for (int k = 1; k < steps; ++k)
        values.push_back(info.min_value + span * k / steps);
    return values;
}

/// value_to_text fits the buffer and reads back through text_to_value to a value with the same text.
void checkText(ClapInstance& plugin, int index, double value, Findings& findings)
{
    const std::string which = idOf(index) + " at " + std::to_string(value);
    GuardedBuffer text(CLAP_NAME_SIZE);
    if (!findings.expect(plugin.valueToText(index, value, text.data(), CLAP_NAME_SIZE), which + ": no text"))
        return;
    findings.expect(text.guardIntact() && text.terminated(), which + ": the text overruns its buffer");
    double back = 0.0;
    if (!findings.expect(plugin.textToValue(index, text.text().c_str(), back),
                         which + ": its text \"" + text.text() + "\" does not read back"))
        return;
    const clap_param_info& info = plugin.parameterInfo(index);
    findings.expect(back >= info.min_value && back <= info.max_value,
                    which + ": \"" + text.text() + "\" reads back as " + std::to_string(back) +
                        ", outside the range");
    GuardedBuffer again(CLAP_NAME_SIZE);
    plugin.valueToText(index, back, again.data(), CLAP_NAME_SIZE);
    findings.expect(again.text() == text.text(), which + ": \"" + text.text() +
                                                     "\" reads back as a value shown as \"" + again.text() +
                                                     "\"");
    GuardedBuffer small(4);
    if (plugin.valueToText(index, value, small.data(), 4))
        findings.expect(small.guardIntact() && small.terminated(),
                        which + ": the text overruns a buffer of 4 bytes");
}

Outcome textsRoundTrip(Session& session)
{
    std::string error;
    auto plugin = session.loadClap(error);
    if (!plugin) return Outcome::fail(error);
    if (plugin->parameterCount() == 0) return Outcome::skip("the plug-in has no parameters");
    Findings findings;
    for (int i = 0; i < plugin->parameterCount(); ++i)
    {
        for (const double value : valuesToShow(plugin->parameterInfo(i), session.strictness()))
            checkText(*plugin, i, value, findings);
        double nonsense = 0.0;
        const clap_param_info& info = plugin->parameterInfo(i);
        if (plugin->textToValue(i, "\xE2\x98\x83 no number", nonsense))
            findings.expect(nonsense >= info.min_value && nonsense <= info.max_value,
                            idOf(i) + ": a text without a number reads as " + std::to_string(nonsense));
    }
    return findings.outcome();
}

Outcome stateInPieces(Session& session)
{
    std::string error;
    auto source = session.loadClap(error);
    auto target = session.loadClap(error);
    if (!source || !target) return Outcome::fail(error);
    if (!source->keepsState()) return Outcome::skip("the plug-in keeps no state (it offers no clap.state)");
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < source->parameterCount(); ++i)
        source->setParameterValue(i, withinRange(source->parameterRange(i), unit(session.random())));
    const auto saved = source->saveState();
    Findings findings;
    findings.expect(target->loadStateInPieces(saved, 1), "state.load failed when each read gave one byte");
    findings.expect(target->saveState() == saved, "the state read one byte at a time differs");
    return findings.outcome();
}

/// Logged lines below error are the plug-in's business; everything else the host noted is a fault.
bool isFault(const std::string& line)
{
    for (const char* harmless : {"log debug:", "log info:", "log warning:"})
        if (line.rfind(harmless, 0) == 0) return false;
    return true;
}

Outcome faultsThroughout(Session& session)
{
    Findings findings;
    for (const std::string& line : session.takeClapMessages())
        if (isFault(line)) findings.add(line);
    return findings.outcome();
}
} // namespace

std::vector<Check> clapChecks()
{
    return {
        {"clap: a descriptor with an id, a name, a version from 1.0 and features; ports with channels, one "
         "main port first, in-place pairs that exist",
         1, descriptorAndPorts, kClapOnly},
        {"clap: parameter ids unique and valid, ranges finite, defaults within them and read by a fresh "
         "instance, stepped ones whole",
         1, parameterInfos, kClapOnly},
        {"clap: texts of the ends, the default and steps between fit their buffer and read back to the same "
         "text",
         1, textsRoundTrip, kClapOnly},
        {"clap: the state loads from a stream that gives one byte per read", 1, stateInPieces, kClapOnly},
        // Last: it reports what the host saw in every instance the checks above made.
        {"clap: no faults through the battery (host calls on their threads, gestures paired, reported values "
         "in range, no failed process call, no logged error)",
         1, faultsThroughout, kClapOnly},
    };
}
