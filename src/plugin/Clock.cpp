#include "plugin/Clock.h"

#include <cmath>

Clock::Clock (const juce::String& clockName) : name (clockName) {}

Clock::~Clock()
{
    cancelPendingUpdate();
}

void Clock::setSampleRate (double newSampleRate)       { if (newSampleRate > 0.0 && newSampleRate != sampleRate) { sampleRate = newSampleRate; changed = true; } }
void Clock::setTempo (double beatsPerMinute)           { if (beatsPerMinute > 0.0 && beatsPerMinute != tempo) { tempo = beatsPerMinute; changed = true; } }
void Clock::setPosition (double quarterNotes)          { if (quarterNotes != position) { position = quarterNotes; changed = true; } }
void Clock::setStepsPerQuarterNote (int steps)         { if (steps > 0 && steps != stepsPerQuarterNote) { stepsPerQuarterNote = steps; changed = true; } }
void Clock::setGateLength (double fractionOfStep)      { gateLength = juce::jlimit (0.0, 1.0, fractionOfStep); changed = true; }

void Clock::start (double quarterNotes)
{
    position = quarterNotes;
    running = true;
    gateOn = gateAt (position);
    changed = true;
    triggerAsyncUpdate();
}

void Clock::stop()
{
    running = false;
    gateOn = false;
    changed = true;
    triggerAsyncUpdate();
}

bool Clock::gateAt (double quarterNotes) const
{
    // Each step is open for the first gateLength of its duration.
    const auto steps = quarterNotes * stepsPerQuarterNote;
    return steps - std::floor (steps) < gateLength;
}

bool Clock::advance()
{
    if (! running)
        return false;

    position += tempo / (60.0 * sampleRate);
    const auto newGate = gateAt (position);

    if (newGate == gateOn)
        return false;

    gateOn = newGate;
    triggerAsyncUpdate();
    return true;
}

void Clock::handleAsyncUpdate()
{
    for (int i = observers.size(); --i >= 0;)
        observers.getUnchecked (i)->clockStateChanged (*this);
}
