#include "plugin/MidiEventScheduler.h"

MidiEventScheduler::MidiEventScheduler()
    : iterator (buffers[0].cbegin())
{
    for (auto& buffer : buffers)
        buffer.ensureSize (4096);
}

void MidiEventScheduler::clear()
{
    buffers[0].clear();
    buffers[1].clear();
    currentIndex = 0;
    iterator = current().cbegin();
    hasEvents = false;
    held = false;
    heldPosition = -1;
}

void MidiEventScheduler::takeBlock (const juce::MidiBuffer& incoming)
{
    auto& buffer = current();

    for (const auto metadata : incoming)
        if (metadata.samplePosition >= 0)
            buffer.addEvent (metadata.data, metadata.numBytes, metadata.samplePosition);

    restartScan();
}

void MidiEventScheduler::restartScan()
{
    iterator = current().findNextSamplePosition (0);
    heldPosition = -1;
    held = false;
    hasEvents = ! current().isEmpty();
}

bool MidiEventScheduler::hasEventsAt (int samplePosition)
{
    if (! hasEvents)
        return false;

    if (held)
        return heldPosition == samplePosition;

    if (iterator == current().cend())
    {
        hasEvents = false;
        return false;
    }

    const auto position = (*iterator).samplePosition;

    if (position != samplePosition)
    {
        held = true;
        heldPosition = position;
        return false;
    }

    return true;
}

void MidiEventScheduler::holdNextOrFinish()
{
    if (iterator == current().cend())
    {
        hasEvents = false;
        return;
    }

    held = true;
    heldPosition = (*iterator).samplePosition;
}

void MidiEventScheduler::carryOver (int numSamples)
{
    auto& later = next();
    later.clear();

    for (auto i = current().findNextSamplePosition (numSamples); i != current().cend(); ++i)
    {
        const auto metadata = *i;
        later.addEvent (metadata.data, metadata.numBytes, metadata.samplePosition - numSamples);
    }

    current().clear();
    currentIndex = 1 - currentIndex;
    restartScan();
}
