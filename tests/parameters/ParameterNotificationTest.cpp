#include "parameters/BoolParameter.h"
#include "parameters/FloatParameter.h"
#include "parameters/IntParameter.h"
#include "parameters/StringParameter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <limits>
#include <thread>
#include <vector>

namespace
{
    /** Records every call it receives, tagged with its own label, into a shared log. */
    struct RecordingListener : Parameter::Listener
    {
        RecordingListener (std::vector<std::string>& logToUse, std::string labelToUse)
            : log (logToUse), label (std::move (labelToUse)) {}

        void parameterChanged (Parameter*) override { log.push_back (label + ":changed"); }

        void parameterGestureBegan (Parameter*) override { log.push_back (label + ":began"); }
        void parameterGestureEnded (Parameter*) override { log.push_back (label + ":ended"); }

        std::vector<std::string>& log;
        std::string label;
    };

    struct CountingListener : Parameter::Listener
    {
        void parameterChanged (Parameter* p) override
        {
            ++calls;
            lastValue = p->getValue();
            lastThread = std::this_thread::get_id();
        }

        int calls = 0;
        float lastValue = -1.0f;
        std::thread::id lastThread;
    };

    void runMessageLoop()
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
    }
}

TEST (ParameterNotification, UnchangedValuesNotifyNobody)
{
    CountingListener sync, async;
    FloatParameter f (1, "F", 0.0f, 1.0f, 0.0f);
    IntParameter i (2, "I", 0, 10, 0);
    BoolParameter b (3, "B");
    StringParameter s (4, "S", "x");

    for (Parameter* p : std::initializer_list<Parameter*> { &f, &i, &b, &s })
    {
        p->addListener (&sync);
        p->addAsyncListener (&async);
    }

    f.setValue (0.3f, true);
    f.setValue (0.3f, true);
    EXPECT_EQ (sync.calls, 1) << "setting 0.3 twice notifies once";

    f.setValue (2.0f, true);            // limited to 1
    f.setNormalisedValue (1.0f, true);  // same stored value
    f.setValue (std::numeric_limits<float>::quiet_NaN(), true);  // becomes the minimum: a change
    EXPECT_EQ (sync.calls, 3);

    i.setIntValue (5, true);
    i.setValue (5.7f, true);
    b.setText ("on", true);
    b.setIntValue (9, true);
    s.setText ("x", true);
    s.setText ("X", true);              // texts are compared exactly
    EXPECT_EQ (sync.calls, 6);

    runMessageLoop();
    EXPECT_EQ (async.calls, 4) << "one coalesced async call per changed parameter";
}

TEST (ParameterNotification, ListenersAreCalledLastAddedFirst)
{
    std::vector<std::string> log;
    RecordingListener a (log, "a"), b (log, "b"), c (log, "c"), x (log, "x"), y (log, "y");
    IntParameter p (1, "P", 0, 10, 0);

    p.addListener (&a);
    p.addListener (&b);
    p.addListener (&c);
    p.addListener (&a);                 // already present: ignored
    p.addAsyncListener (&x);
    p.addAsyncListener (&y);
    p.addAsyncListener (&y);

    p.setIntValue (3, true);
    EXPECT_EQ (log, (std::vector<std::string> { "c:changed", "b:changed", "a:changed" }))
        << "synchronous listeners run inside the set operation";

    log.clear();
    runMessageLoop();
    EXPECT_EQ (log, (std::vector<std::string> { "y:changed", "x:changed" }));

    log.clear();
    p.removeAsyncListener (&y);
    p.removeAsyncListener (&c);         // not an async listener: nothing happens
    p.setIntValue (4, true);
    runMessageLoop();
    EXPECT_EQ (log, (std::vector<std::string> { "c:changed", "b:changed", "a:changed", "x:changed" }));

    log.clear();
    p.beginGesture();
    p.endGesture();
    EXPECT_EQ (log, (std::vector<std::string> { "c:began", "b:began", "a:began", "c:ended", "b:ended", "a:ended" }))
        << "gestures go to synchronous listeners only, and change nothing";
    runMessageLoop();
    EXPECT_EQ (log.size(), 6u);
    EXPECT_EQ (p.getIntValue(), 4);

    log.clear();
    p.announce();
    EXPECT_EQ (log.size(), 3u) << "announce tells synchronous listeners without a change";
    runMessageLoop();
    EXPECT_EQ (log.back(), "x:changed");
    EXPECT_EQ (p.getIntValue(), 4);
}

TEST (ParameterNotification, NotifyFalseIsSilent)
{
    CountingListener sync, async;
    FloatParameter f (1, "F", 0.0f, 1.0f, 0.0f);
    StringParameter s (2, "S");
    f.addListener (&sync);
    f.addAsyncListener (&async);
    s.addListener (&sync);
    s.addAsyncListener (&async);

    f.setValue (0.7f, false);
    f.setNormalisedValue (0.1f, false);
    f.setText ("0.9", false);
    f.setBoolValue (false, false);
    s.setText ("quiet", false);
    s.copyValueFrom (f, false);

    EXPECT_FLOAT_EQ (f.getValue(), 0.0f);
    EXPECT_EQ (s.getText(), "0.000000000");
    EXPECT_FALSE (f.isUpdatePending());
    EXPECT_FALSE (s.isUpdatePending());
    runMessageLoop();
    EXPECT_EQ (sync.calls, 0);
    EXPECT_EQ (async.calls, 0);
}

TEST (ParameterNotification, AsyncUpdatesCoalesceAcrossThreads)
{
    CountingListener sync, async;
    FloatParameter p (1, "Automated", 0.0f, 1.0f, 0.0f);
    p.addListener (&sync);
    p.addAsyncListener (&async);

    std::thread::id changingThread;
    std::thread audio ([&]
    {
        changingThread = std::this_thread::get_id();

        for (int step = 1; step <= 10; ++step)
            p.setValue (static_cast<float> (step) / 10.0f, true);
    });
    audio.join();

    EXPECT_EQ (sync.calls, 10) << "synchronous listeners run once per change";
    EXPECT_EQ (sync.lastThread, changingThread) << "and on the changing thread";
    EXPECT_EQ (async.calls, 0) << "nothing reaches asynchronous listeners before the message loop runs";

    runMessageLoop();
    EXPECT_EQ (async.calls, 1);
    EXPECT_FLOAT_EQ (async.lastValue, 1.0f);
}

TEST (ParameterNotification, DestroyingCancelsPendingUpdate)
{
    CountingListener async;
    auto p = std::make_unique<IntParameter> (1, "Doomed", 0, 10, 0);
    p->addAsyncListener (&async);
    p->setIntValue (5, true);
    EXPECT_TRUE (p->isUpdatePending());
    p.reset();
    runMessageLoop();
    EXPECT_EQ (async.calls, 0);
}

TEST (ParameterNotification, StringListenersRunUnderTheWriteLock)
{
    struct LockProbe : Parameter::Listener
    {
        void parameterChanged (Parameter* p) override
        {
            seenOnOwnThread = p->getText();

            reader = std::thread ([this, p]
            {
                readerStarted = true;
                seenByOtherThread = p->getText();
                readerFinished = true;
            });

            while (! readerStarted)
                std::this_thread::yield();

            std::this_thread::sleep_for (std::chrono::milliseconds (50));
            readerBlockedWhileListenerRan = ! readerFinished;
        }

        std::thread reader;
        juce::String seenOnOwnThread, seenByOtherThread;
        std::atomic<bool> readerStarted { false }, readerFinished { false };
        bool readerBlockedWhileListenerRan = false;
    };

    LockProbe probe;
    StringParameter p (110001, "Current Preset Name", "Init");
    p.addListener (&probe);
    p.setText ("Crunch", true);
    probe.reader.join();

    EXPECT_EQ (probe.seenOnOwnThread, "Crunch") << "the changing thread may read while holding the lock";
    EXPECT_TRUE (probe.readerBlockedWhileListenerRan) << "other threads wait until the listeners are done";
    EXPECT_EQ (probe.seenByOtherThread, "Crunch");
}
