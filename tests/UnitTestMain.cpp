#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include "plugin/BasePlugin.h"

namespace
{
    // Every instance writes its user settings when it is destroyed; each
    // test starts from none, so no test inherits another's choices.
    struct FreshSettingsForEachTest : public ::testing::EmptyTestEventListener
    {
        void OnTestStart (const ::testing::TestInfo&) override
        {
            BasePlugin::getUserSettingsFolderOverride().getChildFile ("Korvane.ini").deleteFile();
        }
    };
}

// JUCE's message thread is this thread for the whole run, so asynchronous
// notifications are delivered when a test pumps the message loop. Instances
// keep their user settings in a folder of this run's own, so tests never
// read a user's choices.
int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;

    const auto settings = juce::File::createTempFile ("korvane-test-settings");
    settings.createDirectory();
    BasePlugin::setUserSettingsFolderOverride (settings);

    ::testing::InitGoogleTest (&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append (new FreshSettingsForEachTest());
    const auto result = RUN_ALL_TESTS();

    settings.deleteRecursively();
    return result;
}
