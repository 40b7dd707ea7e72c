/*  The LV2 bundle as LV2's own tools read it: lv2_validate (with Debian's
    sord_validate), lv2info (through lilv, as hosts read it) and sordi (the
    Turtle parsed into triples, for the ports' units).
*/
#include "HostProcess.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
    const juce::String pluginUri (JucePlugin_LV2URI);
    const juce::File bundle (KORVANE_LV2_BUNDLE);

    bool found (const char* program)
    {
        return juce::File ("/usr/bin").getChildFile (program).existsAsFile();
    }

    /** Runs a tool to its end (20 s at most) and gives what it wrote. */
    juce::String runTool (const juce::StringArray& arguments, int& exitCode)
    {
        juce::StringPairArray environment;
        environment.set ("LV2_PATH", bundle.getParentDirectory().getFullPathName() + ":/usr/lib/lv2");
        HostProcess tool (arguments, environment);

        for (int i = 0; i < 1000 && tool.isRunning(); ++i)
            juce::Thread::sleep (20);

        exitCode = tool.getExitCode();
        return tool.getOutput();
    }
}

TEST (Lv2Bundle, PassesLv2Validate)
{
    if (! found ("lv2_validate") || ! found ("sord_validate"))
        GTEST_SKIP() << "lv2_validate (lv2-dev) or sord_validate (sordi) is not installed";

    int exitCode = -1;
    const auto output = runTool ({ "lv2_validate", bundle.getChildFile ("manifest.ttl").getFullPathName(),
                                   bundle.getChildFile ("Korvane.ttl").getFullPathName(),
                                   bundle.getChildFile ("presets.ttl").getFullPathName() }, exitCode);
    EXPECT_EQ (exitCode, 0) << output;
    EXPECT_TRUE (output.contains ("Found 0 errors")) << output;
}

TEST (Lv2Bundle, HostsSeeADistortionPluginWithControlPortsLatencyAndPresets)
{
    if (! found ("lv2info"))
        GTEST_SKIP() << "lv2info (lilv-utils) is not installed";

    int exitCode = -1;
    const auto info = runTool ({ "lv2info", pluginUri }, exitCode);
    ASSERT_EQ (exitCode, 0) << info;

    EXPECT_TRUE (info.contains ("Class:             Distortion Plugin")) << info;
    EXPECT_TRUE (info.contains ("Has latency:       yes, reported by port 26")) << info;
    EXPECT_TRUE (info.contains ("https://korvane.codeberg.page/lv2/korvane:UI")) << info;

    // The 21 parameters as control input ports, in the host's order.
    const char* const symbols[] { "preampGain", "lowCut", "highCut", "tubeBias", "tone", "brightness",
                                  "bassFrequency", "bassGain", "bassBandwidth", "middleFrequency", "middleGain", "middleBandwidth",
                                  "trebleFrequency", "trebleGain", "trebleBandwidth", "presenceFrequency", "presenceGain",
                                  "presenceBandwidth", "fX", "outputVolume", "highCutOnOff" };
    for (int i = 0; i < 21; ++i)
    {
        const auto port = info.fromFirstOccurrenceOf ("Port " + juce::String (4 + i) + ":", false, false)
                              .upToFirstOccurrenceOf ("Port ", false, false);
        EXPECT_TRUE (port.contains ("#ControlPort") && port.contains ("#InputPort")) << symbols[i];
        EXPECT_TRUE (port.contains (juce::String ("Symbol:      ") + symbols[i])) << port;
    }

    // Ranges in the units the editor shows, defaults at the start-up preset.
    const auto port4 = info.fromFirstOccurrenceOf ("Port 4:", false, false).upToFirstOccurrenceOf ("Port 5:", false, false);
    EXPECT_TRUE (port4.contains ("Minimum:     0.000000") && port4.contains ("Maximum:     100.000000")
                 && port4.contains ("Default:     58.49")) << port4;
    const auto port24 = info.fromFirstOccurrenceOf ("Port 24:", false, false).upToFirstOccurrenceOf ("Port 25:", false, false);
    EXPECT_TRUE (port24.contains ("#toggled")) << port24;
    const auto port25 = info.fromFirstOccurrenceOf ("Port 25:", false, false).upToFirstOccurrenceOf ("Port 26:", false, false);
    EXPECT_TRUE (port25.contains ("Symbol:      enabled") && port25.contains ("lv2core#enabled")) << port25;

    // Every factory preset but the unused slots, named with its group.
    const auto presets = info.fromFirstOccurrenceOf ("Presets:", false, false);
    int count = 0;
    for (const auto& line : juce::StringArray::fromLines (presets))
        count += line.contains (" / ") ? 1 : 0;
    EXPECT_EQ (count, 65) << presets;   // 128 slots, 63 of them unused
    EXPECT_TRUE (presets.contains ("Keys / Honky Tonk")) << presets;
    EXPECT_TRUE (presets.contains ("Guitar / Texas Blues")) << presets;
}

TEST (Lv2Bundle, ControlPortsCarryTheirUnits)
{
    if (! found ("sordi"))
        GTEST_SKIP() << "sordi is not installed";

    const auto file = bundle.getChildFile ("Korvane.ttl");
    int exitCode = -1;
    const auto triples = runTool ({ "sordi", file.getFullPathName(), "file://" + file.getFullPathName() }, exitCode);
    ASSERT_EQ (exitCode, 0) << triples;

    // Each port is a blank node: its symbol and its unit, by node.
    std::map<juce::String, juce::String> symbolOf, unitOf;
    for (const auto& line : juce::StringArray::fromLines (triples))
    {
        const auto node = line.upToFirstOccurrenceOf (" ", false, false);
        if (line.contains ("lv2core#symbol"))
            symbolOf[node] = line.fromFirstOccurrenceOf ("\"", false, false).upToFirstOccurrenceOf ("\"", false, false);
        if (line.contains ("units#unit>"))
            unitOf[node] = line.fromLastOccurrenceOf ("units#", false, false).upToFirstOccurrenceOf (">", false, false);
    }

    std::map<juce::String, juce::String> units;
    for (const auto& [node, symbol] : symbolOf)
        units[symbol] = unitOf.count (node) > 0 ? unitOf[node] : juce::String ("none");

    const std::map<juce::String, juce::String> expected {
        { "preampGain", "db" }, { "lowCut", "hz" }, { "highCut", "hz" }, { "tubeBias", "none" }, { "bassFrequency", "hz" },
        { "bassGain", "db" }, { "bassBandwidth", "oct" }, { "middleFrequency", "hz" }, { "presenceGain", "db" },
        { "fX", "pc" }, { "outputVolume", "none" }, { "highCutOnOff", "none" }, { "latency", "frame" }, { "levelLeft", "db" } };

    for (const auto& [symbol, unit] : expected)
        EXPECT_EQ (units[symbol], unit) << symbol;
}
