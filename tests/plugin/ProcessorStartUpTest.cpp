#include <gtest/gtest.h>

#include "editor/BasePluginEditor.h"
#include "midi/MidiControl.h"
#include "parameters/Parameter.h"
#include "plugin/Korvane.h"

#include <atomic>
#include <chrono>
#include <thread>


namespace
{
    std::unique_ptr<Korvane> createThroughFactory()
    {
        return std::unique_ptr<Korvane> (dynamic_cast<Korvane*> (createPluginFilter()));
    }

    void pumpMessages (int milliseconds = 30)
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
    }

    struct CountingStateObserver : public StateObserver
    {
        int restored = 0, saved = 0;
        void stateRestored (BasePlugin&) override { ++restored; }
        void stateSaved (BasePlugin&) override    { ++saved; }
    };

    struct AsyncCounter : public Parameter::Listener
    {
        int calls = 0;
        void parameterChanged (Parameter*) override { ++calls; }
    };

    class DebugKorvane : public Korvane
    {
    public:
        bool isDebugMode() const override { return true; }
    };

    // Runs out of memory half-way through every state it builds or reads.
    class ExhaustedKorvane : public Korvane
    {
    public:
        bool exhausted = false;

        std::unique_ptr<juce::XmlElement> createStateXml() override
        {
            auto element = Korvane::createStateXml();
            if (exhausted)
                throw std::bad_alloc();
            return element;
        }

        std::unique_ptr<juce::XmlElement> createProgramStateXml() override
        {
            if (exhausted)
                throw std::bad_alloc();
            return Korvane::createProgramStateXml();
        }

        void restoreStateFromXml (const juce::XmlElement& element) override
        {
            if (exhausted)
                throw std::length_error ("exhausted");
            Korvane::restoreStateFromXml (element);
        }
    };
}

TEST (ProcessorStartUp, TheFactoryBuildsTheWholeProductOnTheMessageThread)
{
    auto processor = createThroughFactory();
    ASSERT_NE (processor, nullptr);

    EXPECT_EQ (processor->getName(), "Korvane");
    EXPECT_EQ (processor->getShortName(), "KV");
    EXPECT_NE (processor->getEditorComponent(), nullptr);

    // The module is whatever file this code was linked into: here the test
    // program itself, in a host the plug-in's .so.
    const auto self = juce::File::getSpecialLocation (juce::File::currentExecutableFile);
    EXPECT_EQ (processor->getPluginFile(), self.getFullPathName());
    EXPECT_EQ (processor->getPluginDirectory(), self.getParentDirectory().getFullPathName());
    EXPECT_EQ (processor->getMidiControl().getPluginName(), "Korvane");

    // The embedded definitions: 22 parameters, the last one internal; the
    // preset layer adds the current preset's number and name.
    auto& parameters = processor->getParameterManager();
    EXPECT_EQ (parameters.getNumParameters(), 24);
    EXPECT_EQ (parameters.getName (110000), "Current Preset Number");
    EXPECT_EQ (parameters.getName (110001), "Current Preset Name");
    EXPECT_FLOAT_EQ (parameters.getParameter (14)->getValue(), 0.6f);
    EXPECT_EQ (parameters.getName (14), "Treble Bandwidth");
    ASSERT_NE (parameters.getParameter (21), nullptr);
    EXPECT_EQ (parameters.getName (21), "Quality");
    EXPECT_FALSE (parameters.getParameter (21)->isAutomatable());
    EXPECT_TRUE (parameters.getParameter (0)->isAutomatable());

    EXPECT_EQ (processor->getEventsMap().getIdentifier ("Browse presets"), std::optional<int> (1004));
    EXPECT_FALSE (processor->getEventsMap().getIdentifier ("Debug Event 0").has_value());
    EXPECT_EQ (parameters.getParameter (300000), nullptr);
}

TEST (ProcessorStartUp, IdentityAndChannels)
{
    auto processor = createThroughFactory();

    EXPECT_EQ (processor->getSoftwareName(), "Korvane");
    EXPECT_EQ (processor->getSoftwareDescription(), "Vintage Tube Distortion");
    EXPECT_EQ (processor->getSoftwareVersion(), "1.3.1");
    EXPECT_EQ (processor->getYearOfFirstRelease(), "2008");
    EXPECT_EQ (processor->getBuildDate(), "2012-02-09");
    EXPECT_EQ (processor->getBuildIdentifier(), "230.1304");
    EXPECT_EQ (processor->getArchitecture(), "64bit");
    EXPECT_EQ (processor->getPluginFileLocation(), processor->getPluginFile());
    EXPECT_TRUE (processor->getSoftwareWebAddress().startsWith ("https://"));

    EXPECT_EQ (processor->getTotalNumInputChannels(), 2);
    EXPECT_EQ (processor->getTotalNumOutputChannels(), 2);
    EXPECT_TRUE (processor->acceptsMidi());
    EXPECT_FALSE (processor->producesMidi());
    EXPECT_GT (processor->getTailLengthSeconds(), 0.0);
    EXPECT_EQ (processor->getNumPrograms(), 0);
    EXPECT_TRUE (processor->hasEditor());

    using Set = juce::AudioChannelSet;
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (Set::mono());
    layout.outputBuses.add (Set::stereo());
    EXPECT_TRUE (processor->checkBusesLayoutSupported (layout));
    layout.inputBuses.getReference (0) = Set::quadraphonic();
    EXPECT_FALSE (processor->checkBusesLayoutSupported (layout));
    layout.inputBuses.getReference (0) = Set::stereo();
    layout.outputBuses.getReference (0) = Set::mono();
    EXPECT_FALSE (processor->checkBusesLayoutSupported (layout));
}

TEST (ProcessorStartUp, HostWindowsOnlyBorrowTheEditor)
{
    auto processor = createThroughFactory();
    auto* component = processor->getEditorComponent();
    ASSERT_NE (component, nullptr);
    EXPECT_TRUE (component->isTimerRunning());
    EXPECT_EQ (component->getTimerInterval(), 25);

    std::unique_ptr<juce::AudioProcessorEditor> window (processor->createEditor());
    ASSERT_NE (window, nullptr);
    EXPECT_EQ (component->getParentComponent(), window.get());
    EXPECT_TRUE (component->isVisible());
    EXPECT_EQ (window->getWidth(), component->getWidth());
    EXPECT_EQ (window->getHeight(), component->getHeight());

    // The editor grows (a docked panel opens): the window follows.
    component->setEditorSize (component->getWidth(), component->getHeight() + 256);
    EXPECT_EQ (window->getHeight(), component->getHeight());

    component->getProperties().set ("scrollPosition", 42);
    window.reset();
    EXPECT_EQ (component->getParentComponent(), nullptr);
    EXPECT_FALSE (component->isVisible());

    window.reset (processor->createEditor());
    EXPECT_EQ (processor->getEditorComponent(), component);
    EXPECT_EQ (component->getParentComponent(), window.get());
    EXPECT_EQ ((int) component->getProperties()["scrollPosition"], 42);
    window.reset();
}

TEST (ProcessorStartUp, StartingUpAnnouncesEveryParameterToTheEditorSide)
{
    Korvane processor;
    AsyncCounter counter;
    processor.getParameterManager().addAsyncListenerToAll (&counter);

    processor.startUp();
    pumpMessages();
    EXPECT_EQ (counter.calls, processor.getParameterManager().getNumParameters());

    processor.getParameterManager().removeAsyncListenerFromAll (&counter);
}

TEST (ProcessorStartUp, OnAnotherThreadTheEditorIsBuiltOnTheMessageThread)
{
    std::unique_ptr<Korvane> processor;
    std::thread hostThread ([&] { processor = createThroughFactory(); });
    hostThread.join();

    ASSERT_NE (processor, nullptr);
    EXPECT_EQ (processor->getEditorComponent(), nullptr);
    pumpMessages();
    EXPECT_NE (processor->getEditorComponent(), nullptr);

    // A host that opens its window before the message thread got there still
    // gets the editor.
    std::unique_ptr<Korvane> second;
    std::thread secondHost ([&] { second = createThroughFactory(); });
    secondHost.join();
    std::unique_ptr<juce::AudioProcessorEditor> window (second->createEditor());
    EXPECT_NE (window, nullptr);
    EXPECT_NE (second->getEditorComponent(), nullptr);
    window.reset();
    pumpMessages();
}

TEST (ProcessorStartUp, StateNotificationsAreCoalescedAndSentEvenForBadData)
{
    auto processor = createThroughFactory();
    CountingStateObserver observer;
    processor->addStateObserver (&observer);

    const char junk[] = "not a state chunk";
    processor->setStateInformation (junk, (int) sizeof (junk));
    processor->setStateInformation (nullptr, 0);
    EXPECT_EQ (observer.restored, 0);
    pumpMessages();
    EXPECT_EQ (observer.restored, 1);
    EXPECT_EQ (observer.saved, 0);

    juce::MemoryBlock block;
    processor->getStateInformation (block);
    processor->getStateInformation (block);
    pumpMessages();
    EXPECT_EQ (observer.saved, 1);
    EXPECT_EQ (observer.restored, 1);

    processor->setCurrentProgramStateInformation (junk, (int) sizeof (junk));
    pumpMessages();
    EXPECT_EQ (observer.restored, 1);

    processor->removeStateObserver (&observer);
}

TEST (ProcessorStartUp, NoExceptionFromAStateLeavesTheProcessor)
{
    ExhaustedKorvane processor;
    processor.startUp();

    juce::MemoryBlock good;
    processor.getStateInformation (good);
    ASSERT_GT (good.getSize(), 100u);

    processor.exhausted = true;

    // A failed save hands over nothing, not part of a chunk.
    juce::MemoryBlock saved ("left over", 9);
    EXPECT_NO_THROW (processor.getStateInformation (saved));
    EXPECT_EQ (saved.getSize(), 0u);

    juce::MemoryBlock program ("left over", 9);
    EXPECT_NO_THROW (processor.getCurrentProgramStateInformation (program));
    EXPECT_EQ (program.getSize(), 0u);

    EXPECT_NO_THROW (processor.setStateInformation (good.getData(), (int) good.getSize()));

    // Once memory is there again, everything works as before.
    processor.exhausted = false;
    processor.setStateInformation (good.getData(), (int) good.getSize());
    juce::MemoryBlock again;
    processor.getStateInformation (again);
    EXPECT_EQ (again, good);
    pumpMessages();
}

TEST (ProcessorStartUp, DebugModeAddsTwelveParametersAndEvents)
{
    DebugKorvane processor;
    processor.startUp();

    auto& parameters = processor.getParameterManager();
    EXPECT_EQ (parameters.getNumParameters(), 24 + 12);

    for (int i = 0; i < 12; ++i)
    {
        auto* parameter = parameters.getParameter (300000 + i);
        ASSERT_NE (parameter, nullptr);
        EXPECT_EQ (parameter->getName(), "Debug Parameter " + juce::String (i));
        EXPECT_FALSE (parameter->isAutomatable());
        EXPECT_EQ (processor.getEventsMap().getName (10000 + i), "Debug Event " + juce::String (i));
    }

    // They stay invisible to the host.
    EXPECT_EQ (processor.getParameters().size(), 21);
}

TEST (ProcessorStartUp, AHostThreadMayDestroyTheProcessorWhileItsEditorIsBeingBuilt)
{
    // LV2 and VST3 hosts create and destroy instances on threads of their
    // own while the message thread builds (and then refreshes) the editor.
    int roundsWithEditor = 0, roundsWithout = 0;

    for (int round = 0; round < 12; ++round)
    {
        std::atomic<bool> finished { false };
        std::thread hostThread ([&, round]
        {
            auto processor = createThroughFactory();
            std::this_thread::sleep_for (std::chrono::milliseconds (round * 20));
            ++(processor->getEditorComponent() != nullptr ? roundsWithEditor : roundsWithout);
            processor.reset();
            finished = true;
        });

        while (! finished)
            pumpMessages (5);

        hostThread.join();
        pumpMessages (10);
    }

    // Both ways through: destroyed before the editor was built, and after.
    EXPECT_GT (roundsWithEditor, 0);
    EXPECT_GT (roundsWithout, 0);
}
