#include <gtest/gtest.h>

#include "parameters/Parameter.h"
#include "plugin/HostParameter.h"
#include "TestProduct.h"
#include "plugin/Korvane.h"

#include <vector>

namespace
{
    // Stands where JUCE's format wrapper stands: it hears what the processor
    // sends towards the host.
    struct HostRecorder : public juce::AudioProcessorListener
    {
        struct Automation { int index; float value; };

        std::vector<Automation> automation;
        std::vector<int> gesturesBegun, gesturesEnded;

        void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value) override
        {
            automation.push_back ({ index, value });
        }

        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
        void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int index) override { gesturesBegun.push_back (index); }
        void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int index) override   { gesturesEnded.push_back (index); }
    };

    std::unique_ptr<Korvane> startKorvane()
    {
        auto processor = std::make_unique<Korvane>();
        processor->startUp();
        return processor;
    }

    // A product that shows four host parameters but defines none of them.
    class ParameterlessProduct : public TestProduct
    {
    public:
        ParameterlessProduct() : TestProduct (4) { getParameterManager().clear(); }
        juce::String getPluginName() const override { return "Parameterless"; }
        int getNumHostParameters() const override   { return 4; }
        bool hasQualitySetting() const override     { return false; }
    };
}

TEST (HostParameterTable, ShowsTheTwentyOneHostParametersAndNothingBeyond)
{
    auto processor = startKorvane();

    ASSERT_EQ (processor->getParameters().size(), 21);

    const char* names[] = { "Preamp Gain", "Low Cut", "High Cut", "Tube Bias", "Tone", "Brightness",
                            "Bass Frequency", "Bass Gain", "Bass Bandwidth", "Middle Frequency", "Middle Gain",
                            "Middle Bandwidth", "Treble Frequency", "Treble Gain", "Treble Bandwidth",
                            "Presence Frequency", "Presence Gain", "Presence Bandwidth", "FX", "Output Volume",
                            "High Cut On/Off" };

    // A host's default for a parameter is what the instance starts with:
    // the start-up preset's value.

    for (int i = 0; i < 21; ++i)
    {
        auto* adapter = processor->getParameters()[i];
        EXPECT_EQ (adapter->getName (100), names[i]) << i;
        EXPECT_EQ (adapter->getParameterIndex(), i);
        EXPECT_TRUE (adapter->isAutomatable());
        EXPECT_FLOAT_EQ (adapter->getDefaultValue(), processor->getBank().getValue (0, i)) << i;
    }

    EXPECT_EQ (processor->getHostParameterName (20), "High Cut On/Off");

    // The identifiers VST3 and LV2 hosts keep in their sessions.
    auto idOf = [&] (int i) { return dynamic_cast<juce::AudioProcessorParameterWithID*> (processor->getParameters()[i])->getParameterID(); };
    EXPECT_EQ (idOf (0), "preampGain");
    EXPECT_EQ (idOf (2), "highCut");
    EXPECT_EQ (idOf (20), "highCutOnOff");
    EXPECT_EQ (HostParameter::identifierForName ("4 Band EQ"), "p4BandEQ");
    EXPECT_EQ (HostParameter::identifierForName ("//"), "parameter");
    EXPECT_EQ (processor->getHostParameterName (21), "");
    EXPECT_EQ (processor->getHostParameterText (21), "");
    EXPECT_FLOAT_EQ (processor->getHostParameter (21), 0.0f);
    EXPECT_FALSE (processor->isHostParameterAutomatable (21));
    EXPECT_FALSE (processor->isHostParameterAutomatable (-1));

    // Identifier 21 is the internal Quality setting: a host write to index 21
    // must not reach it.
    auto* quality = processor->getParameterManager().getParameter (21);
    ASSERT_NE (quality, nullptr);
    processor->setHostParameter (21, 0.5f);
    processor->setHostParameter (-1, 0.5f);
    EXPECT_FLOAT_EQ (quality->getNormalisedValue(), 0.0f);
    EXPECT_FLOAT_EQ (processor->getHostParameter (21), 0.0f);
}

TEST (HostParameterTable, HostWritesAreNotEchoedButOtherChangesAre)
{
    auto processor = startKorvane();
    HostRecorder host;
    processor->addListener (&host);

    auto* adapter = processor->getParameters()[3];
    adapter->setValue (0.25f);                                   // what the wrapper does for the host
    EXPECT_FLOAT_EQ (processor->getParameterManager().getNormalisedValue (3), 0.25f);
    EXPECT_FLOAT_EQ (adapter->getValue(), 0.25f);
    EXPECT_TRUE (host.automation.empty());

    // A change from the editor, a preset or MIDI goes to the host.
    processor->getParameterManager().setNormalisedValue (3, 0.75f);
    ASSERT_EQ (host.automation.size(), 1u);
    EXPECT_EQ (host.automation[0].index, 3);
    EXPECT_FLOAT_EQ (host.automation[0].value, 0.75f);

    // Parameters the host does not see are not sent.
    processor->getParameterManager().setNormalisedValue (21, 1.0f);
    EXPECT_EQ (host.automation.size(), 1u);

    // Host values outside the range are limited by the parameter.
    adapter->setValue (3.0f);
    EXPECT_FLOAT_EQ (adapter->getValue(), 1.0f);
    EXPECT_EQ (host.automation.size(), 1u);

    auto* bassGain = processor->getParameterManager().getParameter (7);
    bassGain->beginGesture();
    bassGain->endGesture();
    EXPECT_EQ (host.gesturesBegun, std::vector<int> { 7 });
    EXPECT_EQ (host.gesturesEnded, std::vector<int> { 7 });

    processor->removeListener (&host);
}

TEST (HostParameterTable, TextsGoThroughTheTableBothWays)
{
    auto processor = startKorvane();
    auto* adapter = processor->getParameters()[18];

    adapter->setValue (0.5f);
    EXPECT_EQ (adapter->getCurrentValueAsText(), processor->getHostParameterText (18));
    EXPECT_EQ (processor->getHostParameterText (18), processor->getParameterDisplayText (18));

    // A value other than the current one is described without being applied.
    EXPECT_EQ (adapter->getText (0.25f, 100), "75/25% (Dry/Wet)");
    EXPECT_FLOAT_EQ (adapter->getValue(), 0.5f);

    // Typed texts are read in the shown units: FX as its wet share in percent.
    EXPECT_EQ (adapter->getText (adapter->getValueForText ("30"), 100), "70/30% (Dry/Wet)");
    EXPECT_EQ (adapter->getText (adapter->getValueForText ("70/30% (Dry/Wet)"), 100), "70/30% (Dry/Wet)");
    EXPECT_FLOAT_EQ (adapter->getValueForText ("700"), 1.0f);
    EXPECT_FLOAT_EQ (adapter->getValue(), 0.5f);
}

TEST (HostParameterTable, IndicesWithoutAParameterKeepTheHostsValues)
{
    ParameterlessProduct processor;
    processor.startUp();

    ASSERT_EQ (processor.getParameters().size(), 4);

    for (int i = 0; i < 4; ++i)
        EXPECT_EQ (processor.getHostParameterName (i), "Parameter " + juce::String (i + 1));

    EXPECT_EQ (processor.getHostParameterName (4), "");

    processor.setHostParameter (2, 0.25f);
    EXPECT_FLOAT_EQ (processor.getHostParameter (2), 0.25f);
    EXPECT_EQ (processor.getHostParameterText (2), "0.250000000");
    EXPECT_EQ (processor.getHostParameterText (1), "0.000000000");

    processor.setHostParameter (4, 0.5f);
    EXPECT_FLOAT_EQ (processor.getHostParameter (4), 0.0f);
}
