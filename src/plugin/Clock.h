#pragma once

#include <juce_events/juce_events.h>

/*  A gate generator locked to the host's tempo, for effects that pulse in
    time (this product creates none). It advances one sample at a time and
    reports when its gate opens or closes; observers hear about starts, stops
    and gate changes on the message thread.
*/
class Clock : public juce::AsyncUpdater
{
public:
    class Observer
    {
    public:
        virtual ~Observer() = default;
        virtual void clockStateChanged (Clock& clock) = 0;
    };

    explicit Clock (const juce::String& name = {});
    ~Clock() override;

    void setSampleRate (double newSampleRate);
    double getSampleRate() const noexcept            { return sampleRate; }
    void setTempo (double beatsPerMinute);
    double getTempo() const noexcept                 { return tempo; }
    void setPosition (double quarterNotes);
    double getPosition() const noexcept              { return position; }
    void setStepsPerQuarterNote (int steps);
    void setGateLength (double fractionOfStep);

    void start (double quarterNotes);
    void stop();
    bool isRunning() const noexcept                  { return running; }
    bool isGateOn() const noexcept                   { return gateOn; }

    /** True once after any setting changed. */
    bool takeChanged() noexcept                      { const auto was = changed; changed = false; return was; }

    /** One sample further; true when the gate opened or closed on it. */
    bool advance();

    const juce::String& getName() const noexcept     { return name; }
    void addObserver (Observer* observer)            { observers.addIfNotAlreadyThere (observer); }
    void removeObserver (Observer* observer)         { observers.removeFirstMatchingValue (observer); }

private:
    void handleAsyncUpdate() override;
    bool gateAt (double quarterNotes) const;

    double sampleRate = 44100.0, tempo = 120.0, position = 0.0;
    int stepsPerQuarterNote = 4;
    double gateLength = 0.5;
    bool running = false, changed = false, gateOn = false;
    juce::String name;
    juce::Array<Observer*> observers;
};
