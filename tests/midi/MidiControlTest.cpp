#include "MidiTestSupport.h"

#include <thread>

using namespace MidiTestSupport;

namespace
{
    std::unique_ptr<juce::XmlElement> parse (const char* text)
    {
        auto root = juce::parseXML (juce::String (text));
        EXPECT_NE (root, nullptr);
        return root;
    }

    struct CountingParameterListener : Parameter::Listener
    {
        void parameterChanged (Parameter*) override { ++calls; }
        int calls = 0;
    };

    using MidiControlMessages = MidiFixture;
    using MidiControlAssignments = MidiFixture;
    using MidiControlNotifications = MidiFixture;
    using MidiMapFile = MidiFixture;
}

//==============================================================================
TEST_F (MidiControlMessages, ControlChangeOnAnyChannelSetsValueOver127)
{
    auto* volume = param ("Output Volume");
    CountingParameterListener parameterListener;
    volume->addListener (&parameterListener);
    map.assignController (7, volume, false);

    sendController (7, 127, 10);
    EXPECT_EQ (volume->getNormalisedValue(), 1.0f);

    sendController (7, 64, 16);
    EXPECT_EQ (volume->getNormalisedValue(), 64.0f * 0.007874016f);
    EXPECT_NEAR (volume->getNormalisedValue(), 0.503937, 1.0e-6);

    const juce::uint8 raw[] = { 0xb2, 7, 0 };
    map.processMidiMessage (raw, 3);
    EXPECT_EQ (volume->getNormalisedValue(), 0.0f);

    EXPECT_EQ (parameterListener.calls, 3);
    EXPECT_EQ (map.getLastMovedParameter(), volume);
}

TEST_F (MidiControlMessages, OtherMessagesAndUnmappedControllersDoNothing)
{
    map.assignController (7, param ("Output Volume"), true);
    notifications();

    map.processMidiMessage (juce::MidiMessage::noteOn (1, 7, (juce::uint8) 127));
    map.processMidiMessage (juce::MidiMessage::programChange (1, 7));
    sendController (8, 127);
    const juce::uint8 truncated[] = { 0xb0, 7 };
    map.processMidiMessage (truncated, 2);

    EXPECT_EQ (param ("Output Volume")->getNormalisedValue(), 0.5f);
    EXPECT_EQ (map.getLastMovedParameter(), nullptr);
    EXPECT_EQ (notifications(), Log {});
}

//==============================================================================
TEST_F (MidiControlAssignments, OneControllerPerParameterAndTheCountFollows)
{
    auto* tone = param ("Tone");
    auto* bass = param ("Bass Gain");

    map.assignController (1, tone, false);
    map.assignController (2, bass, false);
    map.assignController (3, tone, false);     // Tone leaves 1
    EXPECT_EQ (map.getParameterForController (1), nullptr);
    EXPECT_EQ (map.indexOfParameter (tone), 3);
    EXPECT_EQ (map.getAssignmentCount(), 2);

    map.assignController (2, tone, false);     // replaces Bass Gain, Tone leaves 3
    EXPECT_EQ (map.getAssignmentCount(), 1);
    EXPECT_EQ (map.indexOfParameter (bass), -1);

    map.assignController (5, param ("Quality"), false);
    map.assignController (128, bass, false);
    map.assignController (-1, bass, false);
    EXPECT_EQ (map.getAssignmentCount(), 1);
    EXPECT_EQ (map.indexOfParameter (nullptr), -1);

    map.assignController (2, nullptr, false);
    EXPECT_EQ (map.getAssignmentCount(), 0);
}

TEST_F (MidiControlAssignments, UnassignAndClearAllEmptyEntries)
{
    map.assignController (1, param ("Tone"), false);
    map.assignController (2, param ("Bass Gain"), false);

    map.unassignController (1);
    map.unassignController (1);
    EXPECT_EQ (map.getAssignmentCount(), 1);
    EXPECT_EQ (notifications(), Log { "L:map" });

    map.clearAll();
    EXPECT_EQ (map.getParameterForController (2), nullptr);
    EXPECT_EQ (map.getAssignmentCount(), 0);
    EXPECT_EQ (notifications(), Log { "L:map" });
}

//==============================================================================
TEST_F (MidiControlNotifications, CoalescedInOrderLastRegisteredFirstOnMessageThread)
{
    RecordingListener second (log, "M");
    map.addListener (&second);
    map.addListener (&listener);               // already registered: stays first

    map.assignController (7, param ("Output Volume"), true);
    map.assignController (8, param ("Tone"), true);
    map.assignController (9, param ("Bass Gain"), false);
    map.tryCompleteLearn();
    std::thread audio ([this] { sendController (7, 1); sendController (8, 2); });
    audio.join();
    EXPECT_TRUE (log.empty());

    EXPECT_EQ (notifications(), (Log { "M:map", "L:map", "M:learn", "L:learn", "M:moved", "L:moved" }));
    EXPECT_TRUE (listener.onMessageThread && second.onMessageThread);
    EXPECT_EQ (notifications(), Log {});

    map.removeListener (&second);
    map.clearAll();
    EXPECT_EQ (notifications(), Log { "L:map" });
}

//==============================================================================
TEST_F (MidiMapFile, LaterAssignsWinAndUnusableOnesAreSkipped)
{
    map.loadMapXml (*parse (R"(<MidiControlMap name="Korvane">
        <assign CC="5" param="Tone"/>      <assign CC="9" param="Tone"/>
        <assign CC="3" param="Bass Gain"/> <assign CC="3" param="Preamp Gain"/>
        <assign CC="4" param="Quality"/>   <assign CC="6" param="Treble"/>
        <assign CC="10" param="tone"/>     <assign CC="128" param="Output Volume"/>
        <assign CC="-1" param="Output Volume"/> <other CC="11" param="Output Volume"/>
      </MidiControlMap>)"));

    EXPECT_EQ (map.getParameterForController (9), param ("Tone"));
    EXPECT_EQ (map.getParameterForController (3), param ("Preamp Gain"));
    EXPECT_EQ (map.getAssignmentCount(), 2);
    EXPECT_EQ (notifications(), Log { "L:map" });
}

TEST_F (MidiMapFile, NamesAreMatchedWithoutLetterCase)
{
    map.loadMapXml (*parse (R"(<midiccmap NAME="KORVANE"><Assign cc="12" PARAM="Tone"/></midiccmap>)"));
    EXPECT_EQ (map.getParameterForController (12), param ("Tone"));

    map.loadMapXml (*parse (R"(<MidiControlMap name="Other" application="korvane"><assign CC="13" param="Tone"/></MidiControlMap>)"));
    EXPECT_EQ (map.getParameterForController (13), param ("Tone"));
}

TEST_F (MidiMapFile, AnotherProductsMapLeavesTheMapEmpty)
{
    map.assignController (1, param ("Tone"), false);
    map.loadMapXml (*parse (R"(<MidiControlMap name="Other" application="Other"><assign CC="2" param="Tone"/></MidiControlMap>)"));
    EXPECT_EQ (map.getAssignmentCount(), 0);
    EXPECT_EQ (notifications(), Log { "L:map" });

    map.assignController (1, param ("Tone"), false);
    map.loadMapXml (*parse (R"(<PluginState name="Korvane"><assign CC="2" param="Tone"/></PluginState>)"));
    EXPECT_EQ (map.getAssignmentCount(), 0);
}

TEST_F (MidiMapFile, SavedInControllerOrderAndReadBack)
{
    map.assignController (74, param ("Tone"), false);
    map.assignController (1, param ("Preamp Gain"), false);

    juce::TemporaryFile file (".kvccmap");
    map.saveMapFile (file.getFile());
    const auto text = file.getFile().loadFileAsString();
    EXPECT_TRUE (text.contains ("encoding=\"UTF-8\""));
    EXPECT_TRUE (text.contains ("<MidiControlMap name=\"Korvane\">"));
    const auto first = text.indexOf ("<assign CC=\"1\" param=\"Preamp Gain\"/>");
    EXPECT_GT (first, 0);
    EXPECT_GT (text.indexOf ("<assign CC=\"74\" param=\"Tone\"/>"), first);
    EXPECT_EQ (map.createMapXml()->getNumChildElements(), 2);

    MidiControl other (parameters);
    other.setPluginName ("Korvane");
    other.loadMapFile (file.getFile());
    EXPECT_EQ (other.getAssignmentCount(), 2);
    EXPECT_EQ (other.getParameterForController (1), param ("Preamp Gain"));
    EXPECT_EQ (other.getParameterForController (74), param ("Tone"));
}

TEST_F (MidiMapFile, UnreadableFilesLeaveTheMapUnchanged)
{
    map.assignController (1, param ("Tone"), false);

    juce::TemporaryFile garbage (".kvccmap");
    garbage.getFile().replaceWithText ("not a map <");
    map.loadMapFile (garbage.getFile());
    map.loadMapFile (juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("no such map.kvccmap"));

    EXPECT_EQ (map.getParameterForController (1), param ("Tone"));
    EXPECT_EQ (notifications(), Log {});
}

TEST_F (MidiMapFile, DefaultMapLoadsOnlyWhenSwitchedOn)
{
    juce::TemporaryFile file (".kvccmap");
    file.getFile().replaceWithText (R"(<MidiControlMap name="Korvane"><assign CC="20" param="Tone"/></MidiControlMap>)");
    map.setDefaultMapPath (file.getFile().getFullPathName());

    map.loadDefaultMapIfWanted();
    EXPECT_EQ (map.getAssignmentCount(), 0);

    map.setUseDefaultMap (true);
    map.loadDefaultMapIfWanted();
    EXPECT_EQ (map.getParameterForController (20), param ("Tone"));
}
