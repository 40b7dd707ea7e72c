#pragma once

#include "formats/ProcessorAdapter.h"
#include "formats/lv2/Lv2Ports.h"

#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <array>
#include <atomic>

/*  One LV2 instance of the product: the host's ports in front of the
    processor.

    The host owns the control input ports. A port's value reaches the
    processor when it changes; a parameter changed inside the plug-in
    (editor, preset, MIDI map) is not reflected in the host's port until
    the UI writes it there (see Lv2Ui), and meanwhile the port's old value is
    not taken for a new one. After a state is restored, a port whose value
    differs from the restored one is applied: the host and the plug-in agree.
*/
class Lv2Instance
{
public:
    /** Throws when the host lacks a required feature or the product cannot
        be created. */
    Lv2Instance (double sampleRate, const LV2_Feature* const* features);

    void connect (uint32_t port, void* data) noexcept;
    void activate();
    void run (uint32_t numSamples) noexcept;
    void deactivate();

    LV2_State_Status save (LV2_State_Store_Function store, LV2_State_Handle handle);
    LV2_State_Status restore (LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle);

    ProcessorAdapter& getAdapter() noexcept { return adapter; }

    /** The UI is writing `value` into the port of parameter `index`: until
        the host's port holds it (or a second has passed), the port's older
        value is not a change. Any thread. */
    void expectPortValue (int index, float value) noexcept;

private:
    void takePortValues (uint32_t numSamples) noexcept;
    void readMidi() noexcept;

    ProcessorAdapter adapter;
    const double sampleRate;
    int maximumBlockSize = 4096;

    LV2_URID stateKey = 0, atomString = 0, midiEvent = 0;

    std::array<void*, Lv2Ports::count> ports {};
    std::array<float, Lv2Ports::numParameters> lastSeen {};
    std::array<std::atomic<float>, Lv2Ports::numParameters> expected {};
    std::array<std::atomic<int>, Lv2Ports::numParameters> expectedFor {};
    std::atomic<bool> stateRestored { false };
    juce::MidiBuffer midi;
};
