// Ports, ranges, defaults, units and scale points come from the core, so no number is written twice.
#include "TtlWriter.h"

#include "FactoryPresets.h"
#include "HostValues.h"
#include "Parameters.h"
#include "PortLayout.h"
#include "PortValues.h"
#include "ProductInfo.h"

#include <cstdio>
#include <cstring>

namespace qm07::lv2
{
namespace
{
const char* const kPrefixes = "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
                              "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
                              "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                              "@prefix pg: <http://lv2plug.in/ns/ext/port-groups#> .\n"
                              "@prefix pprops: <http://lv2plug.in/ns/ext/port-props#> .\n"
                              "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
                              "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
                              "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
                              "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n"
                              "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n\n";

std::string uri(const char* base, const char* fragment = "")
{
    return std::string("<") + base + (*fragment ? "#" : "") + fragment + ">";
}

std::string quoted(const char* text)
{
    return std::string("\"") + text + "\"";
}

struct AudioPort
{
    std::uint32_t index;
    const char* symbol;
    const char* name;
    bool output;
    const char* side;
};

constexpr AudioPort kAudioPorts[] = {
    {kInputLeft, "in_l", "Input L", false, "left"},
    {kInputRight, "in_r", "Input R", false, "right"},
    {kOutputLeft, "out_l", "Output L", true, "left"},
    {kOutputRight, "out_r", "Output R", true, "right"},
};

std::string audioPort(const AudioPort& port)
{
    return std::string("  [ a lv2:") + (port.output ? "OutputPort" : "InputPort") + ", lv2:AudioPort ;\n" +
           "    lv2:index " + std::to_string(port.index) + " ; lv2:symbol " + quoted(port.symbol) +
           " ; lv2:name " + quoted(port.name) + " ;\n    pg:group " +
           uri(kPluginUri, port.output ? "out" : "in") + " ; lv2:designation pg:" + port.side + " ]";
}

std::string scalePoint(const std::string& label, double value)
{
    return "    lv2:scalePoint [ rdfs:label " + quoted(label.c_str()) + " ; rdf:value " +
           turtleNumber(value) + " ] ;\n";
}

std::string unitOf(const char* unit)
{
    if (std::strcmp(unit, "dB") == 0) return "    units:unit units:db ;\n";
    if (std::strcmp(unit, "ms") == 0) return "    units:unit units:ms ;\n";
    if (std::strcmp(unit, "%") == 0) return "    units:unit units:pc ;\n";
    return "";
}

// The positions' labels are the core's own texts: "Off", "A", "B" and "0", "I", "II".
std::string positionPoints(std::int32_t index)
{
    std::string points = "    lv2:portProperty lv2:integer, lv2:enumeration ;\n";
    for (std::int32_t position = 0; position < kParameters[index].positions; ++position)
    {
        char label[32];
        formatValue(index, normalizedValue(index, position), label, sizeof label);
        points += scalePoint(label, position);
    }
    return points;
}

std::string ratioPoints()
{
    return "    lv2:portProperty pprops:logarithmic ;\n" + scalePoint("1:1", 1) + scalePoint("2:1", 2) +
           scalePoint("4:1", 4) + scalePoint("8:1", 8) + scalePoint("\xE2\x88\x9E", kRatioInfinity);
}

std::string controlPortTtl(std::int32_t index)
{
    const ParameterInfo& info = kParameters[index];
    std::string port = "  [ a lv2:InputPort, lv2:ControlPort ;\n    lv2:index " +
                       std::to_string(controlPort(index)) + " ; lv2:symbol " + quoted(info.symbol) +
                       " ; lv2:name " + quoted(info.name) + " ;\n    lv2:default " +
                       turtleNumber(portValue(index, info.defaultValue)) + " ; lv2:minimum " +
                       turtleNumber(hostMinimum(index)) + " ; lv2:maximum " +
                       turtleNumber(hostMaximum(index)) + " ;\n" + unitOf(info.unit);
    if (info.positions > 0) port += positionPoints(index);
    if (index == kRatio) port += ratioPoints();
    return port + "  ]";
}

std::string gainReductionPort()
{
    return "  [ a lv2:OutputPort, lv2:ControlPort ;\n    lv2:index " + std::to_string(kGainReductionPort) +
           " ; lv2:symbol \"gain_reduction\" ; lv2:name \"Gain reduction\" ;\n    lv2:default 0.0 ; "
           "lv2:minimum 0.0 ; lv2:maximum " +
           turtleNumber(kGainReductionMaximum) + " ;\n    units:unit units:db ]";
}

std::string groups()
{
    return uri(kPluginUri, "in") + " a pg:InputGroup, pg:StereoGroup ;\n  lv2:symbol \"in\" ; rdfs:label " +
           "\"Input\" .\n\n" + uri(kPluginUri, "out") +
           " a pg:OutputGroup, pg:StereoGroup ;\n  lv2:symbol \"out\" ; rdfs:label \"Output\" ;\n  "
           "pg:source " +
           uri(kPluginUri, "in") + " .\n\n";
}

std::string ports()
{
    std::string list;
    for (const AudioPort& port : kAudioPorts)
        list += audioPort(port) + ",\n";
    for (std::int32_t index = 0; index < kNumParams; ++index)
        list += controlPortTtl(index) + ",\n";
    return list + gainReductionPort();
}

std::string presetTtl(const FactoryPreset& preset)
{
    std::string text = uri(kPluginUri, preset.symbol) + " a pset:Preset ;\n  lv2:appliesTo " +
                       uri(kPluginUri) + " ;\n  rdfs:label " + quoted(preset.label) + " ;\n  lv2:port";
    for (std::int32_t index = 0; index < kNumParams; ++index)
        text += std::string(index ? ",\n   " : "") + " [ lv2:symbol " + quoted(kParameters[index].symbol) +
                " ; pset:value " + turtleNumber(preset.ports[index]) + " ]";
    return text + " .\n\n";
}
} // namespace

std::string turtleNumber(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.9g", value);
    std::string number = text;
    if (number.find_first_of(".e") == std::string::npos) number += ".0";
    return number;
}

std::string manifestTtl(const BundleFiles& files)
{
    std::string text = kPrefixes + uri(kPluginUri) + " a lv2:Plugin ;\n  lv2:binary <" + files.dspBinary +
                       "> ;\n  rdfs:seeAlso <" + kPluginFile + "> .\n\n" + uri(kUiUri) +
                       " a ui:X11UI ;\n  ui:binary <" + files.uiBinary + "> ;\n  rdfs:seeAlso <" + kUiFile +
                       "> .\n\n";
    for (const FactoryPreset& preset : kFactoryPresets)
        text += uri(kPluginUri, preset.symbol) + " a pset:Preset ;\n  lv2:appliesTo " + uri(kPluginUri) +
                " ;\n  rdfs:seeAlso <" + kPresetsFile + "> .\n\n";
    return text;
}

std::string pluginTtl()
{
    return kPrefixes + groups() + uri(kPluginUri) +
           " a lv2:Plugin, lv2:CompressorPlugin, doap:Project ;\n  doap:name " + quoted(kProductName) +
           " ;\n  doap:maintainer [ foaf:name " + quoted(kVendorName) + " ] ;\n  lv2:minorVersion " +
           std::to_string(kVendorVersion / 100 % 10) + " ;\n  lv2:microVersion " +
           std::to_string(kVendorVersion / 10 % 10) +
           " ;\n  lv2:optionalFeature lv2:hardRTCapable ;\n  pg:mainInput " + uri(kPluginUri, "in") +
           " ;\n  pg:mainOutput " + uri(kPluginUri, "out") + " ;\n  ui:ui " + uri(kUiUri) +
           " ;\n  lv2:port\n" + ports() + " .\n";
}

std::string uiTtl()
{
    return kPrefixes + uri(kUiUri) +
           " a ui:X11UI ;\n  lv2:requiredFeature ui:idleInterface ;\n"
           "  lv2:optionalFeature ui:parent, ui:resize, ui:touch, ui:noUserResize ;\n"
           "  lv2:extensionData ui:idleInterface, ui:showInterface ;\n"
           "  ui:portNotification [ ui:plugin " +
           uri(kPluginUri) + " ; lv2:symbol \"gain_reduction\" ; ui:protocol ui:floatProtocol ] .\n";
}

std::string presetsTtl()
{
    std::string text = kPrefixes;
    for (const FactoryPreset& preset : kFactoryPresets)
        text += presetTtl(preset);
    return text;
}

std::string presetProblems()
{
    std::string problems;
    for (const FactoryPreset& preset : kFactoryPresets)
        for (std::int32_t index = 0; index < kNumParams; ++index)
            if (!(preset.ports[index] >= hostMinimum(index) && preset.ports[index] <= hostMaximum(index)))
                problems += std::string(preset.label) + ": " + kParameters[index].name + " out of range\n";
    return problems;
}
} // namespace qm07::lv2
