#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include "plugin/BasePlugin.h"

// JUCE's message thread is this thread for the whole run, so asynchronous
// notifications are delivered when a test pumps the message loop. Every
// instance keeps its user settings in a folder of this run's own, so tests
// neither read a user's choices nor leave theirs for the next test.
int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;

    const auto settings = juce::File::createTempFile ("korvane-test-settings");
    settings.createDirectory();
    BasePlugin::setUserSettingsFolderOverride (settings);

    ::testing::InitGoogleTest (&argc, argv);
    const auto result = RUN_ALL_TESTS();

    settings.deleteRecursively();
    return result;
}
