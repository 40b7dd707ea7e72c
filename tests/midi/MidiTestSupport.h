#pragma once

#include "midi/MidiControl.h"
#include "parameters/ParameterManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace MidiTestSupport
{
    /** Logs every map notification as "label:kind" and checks the thread it came on. */
    struct RecordingListener : MidiControl::Listener
    {
        RecordingListener (std::vector<std::string>& logToUse, std::string labelToUse)
            : log (logToUse), label (std::move (labelToUse)) {}

        void midiMapChanged (MidiControl&) override       { record ("map"); }
        void midiLearnChanged (MidiControl& map) override { record ("learn"); lastLearnText = map.getLearnStatusText(); }
        void midiControllerMoved (MidiControl&) override  { record ("moved"); }

        void record (const char* kind)
        {
            log.push_back (label + ":" + kind);
            onMessageThread = onMessageThread && juce::MessageManager::getInstance()->isThisTheMessageThread();
        }

        std::vector<std::string>& log;
        std::string label;
        juce::String lastLearnText;
        bool onMessageThread = true;
    };

    /** A small parameter set, a map for the product "Korvane" and one listener. */
    class MidiFixture : public ::testing::Test
    {
    protected:
        MidiFixture()
        {
            auto definitions = juce::parseXML (R"(<PluginParameters application="Korvane">
                <param index="0" name="Preamp Gain" auto="1"/>
                <param index="4" name="Tone" value="1" auto="1"/>
                <param index="7" name="Bass Gain" value="0.5" auto="1"/>
                <param index="19" name="Output Volume" value="0.5" auto="1"/>
                <param index="21" name="Quality" auto="0"/>
              </PluginParameters>)");
            parameters.loadFromXml (*definitions);
            map.setPluginName ("Korvane");
            map.addListener (&listener);
        }

        ~MidiFixture() override { map.removeListener (&listener); }

        Parameter* param (const char* name) { return parameters.getParameterByName (name); }

        /** Delivers what is pending and returns the log since the last call. */
        std::vector<std::string> notifications()
        {
            juce::MessageManager::getInstance()->runDispatchLoopUntil (30);
            return std::exchange (log, {});
        }

        void sendController (int controller, int value, int channel = 1)
        {
            map.processMidiMessage (juce::MidiMessage::controllerEvent (channel, controller, value));
        }

        ParameterManager parameters;
        MidiControl map { parameters };
        std::vector<std::string> log;
        RecordingListener listener { log, "L" };
    };

    using Log = std::vector<std::string>;
}
