#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

/*  The MIDI events of the current block and of blocks to come. Events at or
    beyond the end of a block are carried over, with their positions moved
    back by the block length, and delivered at the right sample of a later
    block. The two buffers are reused from block to block, so nothing is
    allocated once they have grown to the host's largest event count.
*/
class MidiEventScheduler
{
public:
    MidiEventScheduler();

    /** Both buffers emptied, nothing held. */
    void clear();

    /** Takes the block's incoming events (negative positions are dropped)
        behind those carried over, and restarts the scan. */
    void takeBlock (const juce::MidiBuffer& incoming);

    /** The block's scan, sample by sample in ascending order: true when
        events fall on `samplePosition`; then forEachEventAt() hands them
        over. */
    bool hasEventsAt (int samplePosition);

    template <typename Handler>
    void forEachEventAt (int samplePosition, Handler&& handle)
    {
        held = false;

        while (iterator != current().cend() && (*iterator).samplePosition == samplePosition)
        {
            handle ((*iterator).data, (*iterator).numBytes);
            ++iterator;
        }

        holdNextOrFinish();
    }

    /** After the block: events at or beyond its end move to the next. */
    void carryOver (int numSamples);

    bool hasPendingEvents() const noexcept { return hasEvents; }

private:
    juce::MidiBuffer& current() noexcept { return buffers[currentIndex]; }
    juce::MidiBuffer& next() noexcept    { return buffers[1 - currentIndex]; }
    void restartScan();
    void holdNextOrFinish();

    juce::MidiBuffer buffers[2];
    int currentIndex = 0;
    juce::MidiBufferIterator iterator;
    bool hasEvents = false;
    bool held = false;
    int heldPosition = -1;
};
