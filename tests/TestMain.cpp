#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

// JUCE's message thread is this thread for the whole run, so asynchronous
// notifications are delivered when a test pumps the message loop.
int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;
    ::testing::InitGoogleTest (&argc, argv);
    return RUN_ALL_TESTS();
}
