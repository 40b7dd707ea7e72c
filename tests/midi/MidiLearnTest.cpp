#include "MidiTestSupport.h"

#include <thread>

using namespace MidiTestSupport;

namespace
{
    const juce::String waiting = "Waiting for a controller or parameter movement...";

    /** A fixture with learn already switched on and its notification taken. */
    class MidiLearn : public MidiFixture
    {
    protected:
        MidiLearn()
        {
            map.setLearnMode (true);
            log.clear();
        }

        /** The learn notification that follows a movement, and the text it shows. */
        void expectLearnText (const juce::String& text, const Log& expected = { "L:learn" })
        {
            EXPECT_EQ (notifications(), expected);
            EXPECT_EQ (listener.lastLearnText, text);
        }
    };

    using MidiLearnSwitch = MidiFixture;
}

//==============================================================================
TEST_F (MidiLearnSwitch, SwitchingTellsListenersAtOnceAndClearsThePair)
{
    map.setLearnMode (true);
    EXPECT_EQ (log, Log { "L:learn" });
    EXPECT_EQ (listener.lastLearnText, waiting);

    map.setLearnMode (true);
    map.learnParameterMoved (param ("Tone"));
    log.clear();
    map.setLearnMode (false);
    EXPECT_EQ (log, Log { "L:learn" });
    EXPECT_EQ (map.getLearnParameter(), nullptr);
    EXPECT_EQ (map.getLearnController(), -1);
    EXPECT_EQ (map.getLearnStatusText(), juce::String());

    // While off, movements and list selections are not learnt.
    notifications();
    map.learnParameterMoved (param ("Tone"));
    sendController (20, 1);
    map.setLearnCandidates (20, param ("Tone"));
    EXPECT_EQ (map.getLearnParameter(), nullptr);
    EXPECT_EQ (notifications(), Log {});
}

//==============================================================================
TEST_F (MidiLearn, ParameterThenFreeControllerAssigns)
{
    map.learnParameterMoved (param ("Bass Gain"));
    expectLearnText ("'Bass Gain' parameter is free. Waiting for a free controller now...");

    std::thread audio ([this] { sendController (20, 127); });
    audio.join();
    EXPECT_EQ (map.getParameterForController (20), param ("Bass Gain"));
    EXPECT_EQ (param ("Bass Gain")->getNormalisedValue(), 1.0f);    // the same message already moves it
    expectLearnText ("CC# 20 is assigned to parameter 'Bass Gain'.", { "L:map", "L:learn", "L:moved" });
    EXPECT_TRUE (listener.onMessageThread);
}

TEST_F (MidiLearn, FreeControllerThenParameterAssigns)
{
    sendController (21, 0);
    expectLearnText ("CC# 21 is free. Waiting for a parameter now...");

    map.learnParameterMoved (param ("Tone"));
    EXPECT_EQ (map.getParameterForController (21), param ("Tone"));
    expectLearnText ("CC# 21 is assigned to parameter 'Tone'.", { "L:map", "L:learn" });
}

TEST_F (MidiLearn, AssignedParameterShowsItsControllerThenStartsOver)
{
    map.assignController (21, param ("Tone"), false);

    map.learnParameterMoved (param ("Tone"));
    expectLearnText ("CC# 21 is assigned to parameter 'Tone'.");

    sendController (22, 0);
    EXPECT_EQ (map.getParameterForController (22), nullptr);
    EXPECT_EQ (map.getLearnParameter(), nullptr);
    expectLearnText ("CC# 22 is free. Waiting for a parameter now...");
}

TEST_F (MidiLearn, OccupiedControllerIsNeverTakenOver)
{
    map.assignController (7, param ("Output Volume"), false);
    map.learnParameterMoved (param ("Tone"));
    notifications();

    sendController (7, 127);
    EXPECT_EQ (map.getParameterForController (7), param ("Output Volume"));
    EXPECT_EQ (map.indexOfParameter (param ("Tone")), -1);
    expectLearnText ("CC# 7 is assigned to parameter 'Tone'.", { "L:learn", "L:moved" });

    map.learnParameterMoved (param ("Bass Gain"));
    expectLearnText ("'Bass Gain' parameter is free. Waiting for a free controller now...");
}

TEST_F (MidiLearn, FreeControllerFirstMovesAParameterOffItsOldController)
{
    map.assignController (21, param ("Tone"), false);

    sendController (30, 0);
    map.learnParameterMoved (param ("Tone"));
    EXPECT_EQ (map.getParameterForController (30), param ("Tone"));
    EXPECT_EQ (map.getParameterForController (21), nullptr);
    EXPECT_EQ (map.getAssignmentCount(), 1);
}

TEST_F (MidiLearn, RepeatedMovementsChangeNothing)
{
    map.learnParameterMoved (param ("Tone"));
    notifications();
    map.learnParameterMoved (param ("Tone"));
    EXPECT_EQ (notifications(), Log {});

    map.setLearnMode (false);
    map.setLearnMode (true);
    sendController (40, 3);
    notifications();
    sendController (40, 90);
    EXPECT_EQ (notifications(), Log {});
    EXPECT_EQ (map.getLearnStatusText(), "CC# 40 is free. Waiting for a parameter now...");

    // Non-automatable parameters are not learnt.
    map.learnParameterMoved (param ("Quality"));
    EXPECT_EQ (map.getLearnParameter(), nullptr);
}

TEST_F (MidiLearn, UnassigningResetsThePair)
{
    map.learnParameterMoved (param ("Tone"));
    sendController (21, 0);
    notifications();

    map.unassignController (21);
    EXPECT_EQ (map.getAssignmentCount(), 0);
    expectLearnText (waiting, { "L:map", "L:learn" });
}

TEST_F (MidiLearn, ListSelectionBecomesThePair)
{
    map.assignController (7, param ("Output Volume"), false);

    map.setLearnCandidates (7, param ("Output Volume"));
    EXPECT_EQ (map.getAssignmentCount(), 1);
    expectLearnText ("CC# 7 is assigned to parameter 'Output Volume'.");
}

TEST_F (MidiLearn, MapLoadsSwitchLearnOff)
{
    map.learnParameterMoved (param ("Tone"));
    notifications();

    map.loadMapXml (*juce::parseXML (R"(<MidiControlMap name="Other"/>)"));
    EXPECT_EQ (log, Log { "L:learn" });       // at once, before any message-loop turn
    EXPECT_FALSE (map.isLearnMode());
    EXPECT_EQ (map.getLearnParameter(), nullptr);
    EXPECT_EQ (notifications(), (Log { "L:learn", "L:map" }));

    map.setLearnMode (true);
    juce::TemporaryFile file (".kvccmap");
    map.saveMapFile (file.getFile());
    map.loadMapFile (file.getFile());
    EXPECT_FALSE (map.isLearnMode());
}
