#include "formats/lv2/Lv2Instance.h"

#include "formats/ParameterUnits.h"
#include "formats/lv2/Lv2Features.h"

#include <lv2/atom/util.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/midi/midi.h>
#include <lv2/options/options.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace
{
    constexpr float nothingExpected = std::numeric_limits<float>::quiet_NaN();

    /** The key under which the state has always been kept, as text. */
    const juce::String stateKeyUri = juce::String (JucePlugin_LV2URI) + ":StateString";
}

Lv2Instance::Lv2Instance (double rate, const LV2_Feature* const* features)
    : adapter (juce::AudioProcessor::wrapperType_LV2),
      sampleRate (rate)
{
    auto* map = static_cast<const LV2_URID_Map*> (Lv2Features::find (features, LV2_URID__map));

    if (map == nullptr)
        throw std::runtime_error ("the host maps no URIs");

    const auto urid = [map] (const char* uri) { return map->map (map->handle, uri); };
    stateKey = urid (stateKeyUri.toRawUTF8());
    atomString = urid (LV2_ATOM__String);
    midiEvent = urid (LV2_MIDI__MidiEvent);

    if (auto* options = static_cast<const LV2_Options_Option*> (Lv2Features::find (features, LV2_OPTIONS__options)))
    {
        const auto maxBlock = urid (LV2_BUF_SIZE__maxBlockLength), atomInt = urid (LV2_ATOM__Int);

        for (auto* option = options; option->key != 0; ++option)
            if (option->key == maxBlock && option->type == atomInt && option->value != nullptr)
                maximumBlockSize = juce::jlimit (16, 1 << 16, *static_cast<const int32_t*> (option->value));
    }

    // A host starts the ports at the defaults of the plug-in's description:
    // those are no change (the instance keeps the start-up preset this
    // user's settings chose), anything else is.
    const auto defaults = adapter.getFactoryStartValues();

    for (uint32_t i = 0; i < Lv2Ports::numParameters; ++i)
    {
        lastSeen[i] = Lv2Ports::parameterValue ((int) i, defaults[i]);
        expected[i].store (nothingExpected);
    }

    midi.ensureSize (8192);
}

void Lv2Instance::connect (uint32_t port, void* data) noexcept
{
    if (port < Lv2Ports::count)
        ports[port] = data;
}

void Lv2Instance::activate()
{
    adapter.prepare (sampleRate, maximumBlockSize);
}

void Lv2Instance::deactivate()
{
    adapter.release();
}

void Lv2Instance::expectPortValue (int index, float value) noexcept
{
    if (index < 0 || index >= (int) Lv2Ports::numParameters)
        return;

    expectedFor[(size_t) index].store (0);
    expected[(size_t) index].store (value);
}

void Lv2Instance::takePortValues (uint32_t numSamples) noexcept
{
    // After a restore every port counts as changed: where the host's value
    // differs from the restored one, the host's wins, so that the two agree.
    const auto restored = stateRestored.exchange (false);

    for (uint32_t i = 0; i < Lv2Ports::numParameters; ++i)
    {
        auto* port = static_cast<const float*> (ports[Lv2Ports::firstParameter + i]);

        if (port == nullptr)
            continue;

        const auto value = *port;

        if (restored)
        {
            lastSeen[i] = std::numeric_limits<float>::quiet_NaN();
            expected[i].store (nothingExpected);
        }

        // A value the UI wrote for a change made inside: once the port
        // holds it, it is seen; until then the port's value is stale.
        if (const auto awaited = expected[i].load(); ! std::isnan (awaited))
        {
            if (value == awaited)
            {
                lastSeen[i] = value;
                expected[i].store (nothingExpected);
                continue;
            }

            if (expectedFor[i].fetch_add ((int) numSamples) < (int) sampleRate)
                continue;

            expected[i].store (nothingExpected);
        }

        if (value != lastSeen[i] && ! std::isnan (value))
        {
            lastSeen[i] = value;

            // A port that shows the value the parameter has is no change.
            // Hosts keep port values as text, some with fewer digits than a
            // float has, and the units and back could move a value by a
            // bit: a port that close to it is the same value.
            const auto range = ParameterUnits::rangeOf ((int) i);
            const auto current = Lv2Ports::parameterValue ((int) i, adapter.getParameter ((int) i));

            if (std::abs (value - current) > 1.0e-5f * (range.maximum - range.minimum))
                adapter.setParameterFromHost ((int) i, (float) ParameterUnits::toNormalised ((int) i, value));
        }
    }
}

void Lv2Instance::readMidi() noexcept
{
    midi.clear();
    auto* sequence = static_cast<const LV2_Atom_Sequence*> (ports[Lv2Ports::midiIn]);

    if (sequence == nullptr)
        return;

    LV2_ATOM_SEQUENCE_FOREACH (sequence, event)
    {
        if (event->body.type != midiEvent || event->body.size == 0 || event->body.size > 3)
            continue;

        const auto* bytes = reinterpret_cast<const juce::uint8*> (event + 1);
        midi.addEvent (bytes, (int) event->body.size, (int) juce::jmax ((int64_t) 0, event->time.frames));
    }
}

void Lv2Instance::run (uint32_t numSamples) noexcept
{
    takePortValues (numSamples);
    readMidi();

    const float* inputs[2] { static_cast<const float*> (ports[Lv2Ports::audioIn1]), static_cast<const float*> (ports[Lv2Ports::audioIn2]) };
    float* outputs[2] { static_cast<float*> (ports[Lv2Ports::audioOut1]), static_cast<float*> (ports[Lv2Ports::audioOut2]) };

    auto* enabled = static_cast<const float*> (ports[Lv2Ports::enabled]);
    const bool bypassed = enabled != nullptr && *enabled < 0.5f;

    if (numSamples > 0)
        adapter.process (inputs, 2, outputs, 2, (int) numSamples, midi, bypassed);

    if (auto* latency = static_cast<float*> (ports[Lv2Ports::latency]))
        *latency = (float) adapter.getLatencySamples();

    float left = 0.0f, right = 0.0f;
    adapter.getMeterLevels (left, right);

    if (auto* port = static_cast<float*> (ports[Lv2Ports::levelLeft]))
        *port = Lv2Ports::levelInDecibels (left);
    if (auto* port = static_cast<float*> (ports[Lv2Ports::levelRight]))
        *port = Lv2Ports::levelInDecibels (right);
}

LV2_State_Status Lv2Instance::save (LV2_State_Store_Function store, LV2_State_Handle handle)
{
    // Kept as Base64 text under the earlier build's key, so hosts' sessions
    // of either build restore in the other.
    const auto text = adapter.getState().toBase64Encoding();
    return store (handle, stateKey, text.toRawUTF8(), text.getNumBytesAsUTF8() + 1, atomString,
                  LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

LV2_State_Status Lv2Instance::restore (LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle)
{
    size_t size = 0;
    uint32_t type = 0, flags = 0;
    const auto* data = retrieve (handle, stateKey, &size, &type, &flags);

    if (data == nullptr)
        return LV2_STATE_ERR_NO_PROPERTY;

    if (type != atomString)
        return LV2_STATE_ERR_BAD_TYPE;

    // The text ends at its terminating zero or at the end of what was stored.
    const auto* text = static_cast<const char*> (data);
    const auto length = (size_t) (std::find (text, text + size, '\0') - text);

    juce::MemoryBlock state;

    if (! state.fromBase64Encoding (juce::String::fromUTF8 (text, (int) juce::jmin (length, (size_t) std::numeric_limits<int>::max()))))
        return LV2_STATE_ERR_UNKNOWN;

    if (! adapter.setState (state.getData(), state.getSize()))
        return LV2_STATE_ERR_UNKNOWN;

    stateRestored.store (true);
    return LV2_STATE_SUCCESS;
}
