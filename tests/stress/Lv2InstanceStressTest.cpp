// Concurrency stress of the LV2 client: one instance, as an LV2 host and
// the plug-in's UI drive it, for a bounded time.
//
//   audio       the host's run() with control ports the host changes, MIDI
//               controllers and program changes in the atom sequence
//   ui          the UI's thread (JUCE's message thread while the host drives
//               the loop): knob gestures and values made inside the
//               plug-in, the changes taken and written into the host's
//               ports, the loop dispatched
//   automation  the host's own changes to the control ports
//   state       the host saving and restoring the state (LV2 state)
//
// Threads share the ports as a host's do: what the UI and the automation
// write lands in the host's copy, which the audio thread puts into the
// ports before each run. At the end the state must round-trip into a fresh
// instance. Run it under ThreadSanitizer with tools/stress.sh.

#include <gtest/gtest.h>

#include "formats/MessageLoop.h"
#include "formats/lv2/Lv2Instance.h"
#include "parameters/Parameter.h"
#include "plugin/HalcyonEffect.h"

#include <lv2/atom/forge.h>
#include <lv2/midi/midi.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <map>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace
{
    /** The host's URID map: thread-safe, as LV2 asks. */
    struct UridMap
    {
        LV2_URID map (const char* uri)
        {
            const std::lock_guard<std::mutex> lock (mutex);
            const auto [entry, added] = ids.emplace (uri, (LV2_URID) ids.size() + 1);
            return entry->second;
        }

        std::mutex mutex;
        std::map<std::string, LV2_URID> ids;
        LV2_URID_Map feature { this, [] (LV2_URID_Map_Handle handle, const char* uri) { return static_cast<UridMap*> (handle)->map (uri); } };
    };

    /** What a host keeps of a saved state: one property. */
    struct StoredState
    {
        std::string value;
        uint32_t key = 0, type = 0;

        static LV2_State_Status store (LV2_State_Handle handle, uint32_t key, const void* value, size_t size, uint32_t type, uint32_t)
        {
            auto& state = *static_cast<StoredState*> (handle);
            state.key = key;
            state.type = type;
            state.value.assign (static_cast<const char*> (value), size);
            return LV2_STATE_SUCCESS;
        }

        static const void* retrieve (LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type, uint32_t* flags)
        {
            auto& state = *static_cast<StoredState*> (handle);
            if (key != state.key || state.value.empty())
                return nullptr;
            *size = state.value.size();
            *type = state.type;
            *flags = LV2_STATE_IS_POD;
            return state.value.data();
        }
    };

    /** One instance with the ports a host gives it. */
    struct Host
    {
        explicit Host (UridMap& uridMap)
            : mapFeature { LV2_URID__map, &uridMap.feature },
              instance (48000.0, features),
              midiEvent (uridMap.map (LV2_MIDI__MidiEvent))
        {
            lv2_atom_forge_init (&forge, &uridMap.feature);

            for (uint32_t i = 0; i < Lv2Ports::numParameters; ++i)
                instance.connect (Lv2Ports::firstParameter + i, &controls[i]);

            instance.connect (Lv2Ports::audioIn1, in[0].data());
            instance.connect (Lv2Ports::audioIn2, in[1].data());
            instance.connect (Lv2Ports::audioOut1, out[0].data());
            instance.connect (Lv2Ports::audioOut2, out[1].data());
            instance.connect (Lv2Ports::enabled, &enabled);
            instance.connect (Lv2Ports::latency, &latency);
            instance.connect (Lv2Ports::levelLeft, &levels[0]);
            instance.connect (Lv2Ports::levelRight, &levels[1]);
            instance.connect (Lv2Ports::midiIn, sequence.data());
            instance.activate();
        }

        ~Host() { instance.deactivate(); }

        const LV2_Feature mapFeature;
        const LV2_Feature* features[2] { &mapFeature, nullptr };
        Lv2Instance instance;
        const LV2_URID midiEvent;
        LV2_Atom_Forge forge;

        static constexpr uint32_t block = 256;
        std::array<float, Lv2Ports::numParameters> controls {};
        std::array<std::array<float, block>, 2> in {}, out {};
        float enabled = 1.0f, latency = 0.0f, levels[2] {};
        std::array<uint8_t, 4096> sequence {};
    };

    double stressSeconds()
    {
        const char* text = std::getenv ("KORVANE_STRESS_SECONDS");
        const auto value = text != nullptr ? std::atof (text) : 0.0;
        return value > 0.0 ? value : 3.0;
    }
}

TEST (ConcurrencyStress, Lv2HostAudioUiAutomationAndStateThreadsAtOnce)
{
    UridMap uridMap;
    auto host = std::make_unique<Host> (uridMap);
    auto& adapter = host->instance.getAdapter();

    // The host's copy of the control ports: the UI's and the automation's
    // writes land here, and the audio thread hands them to the ports.
    std::array<std::atomic<float>, Lv2Ports::numParameters> hostValues;
    for (uint32_t i = 0; i < Lv2Ports::numParameters; ++i)
        hostValues[i].store (Lv2Ports::parameterValue ((int) i, adapter.getParameter ((int) i)));

    std::atomic<bool> stopping { false };
    std::atomic<long> blocks { 0 }, uiOperations { 0 }, automations { 0 }, states { 0 };
    std::atomic<bool> finite { true };

    std::thread audio ([&]
    {
        std::mt19937 random (1);

        while (! stopping.load())
        {
            for (uint32_t i = 0; i < Lv2Ports::numParameters; ++i)
                host->controls[i] = hostValues[i].load();

            // A controller or a program change now and then.
            auto& forge = host->forge;
            lv2_atom_forge_set_buffer (&forge, host->sequence.data(), host->sequence.size());
            LV2_Atom_Forge_Frame frame;
            lv2_atom_forge_sequence_head (&forge, &frame, 0);

            if (random() % 8 == 0)
            {
                const uint8_t message[3] { (uint8_t) (random() % 4 == 0 ? 0xC0 : 0xB0), (uint8_t) (random() % 4 == 0 ? 7 : 20),
                                           (uint8_t) (random() % 128) };
                lv2_atom_forge_frame_time (&forge, (int64_t) (random() % Host::block));
                lv2_atom_forge_atom (&forge, message[0] == 0xC0 ? 2 : 3, host->midiEvent);
                lv2_atom_forge_write (&forge, message, message[0] == 0xC0 ? 2 : 3);
            }

            lv2_atom_forge_pop (&forge, &frame);

            for (auto& channel : host->in)
                for (auto& sample : channel)
                    sample = (float) ((int) (random() % 2001) - 1000) * 0.0005f;

            host->instance.run (Host::block);

            for (auto& channel : host->out)
                for (auto sample : channel)
                    if (! std::isfinite (sample))
                        finite.store (false);

            ++blocks;
        }
    });

    std::thread ui ([&]
    {
        // The host drives JUCE's loop from its UI thread while a UI exists.
        MessageLoop::HostDriven loop;
        std::mt19937 random (2);

        while (! stopping.load())
        {
            // A knob dragged in the editor.
            if (auto* parameter = adapter.getEffect().getParameterManager().getParameter ((int) (random() % Lv2Ports::numParameters)))
            {
                parameter->beginGesture();
                parameter->setNormalisedValue ((float) (random() % 1000) / 999.0f, true);
                parameter->endGesture();
            }

            // What the UI's idle call does: the loop, then the changes into the ports.
            loop.dispatch();
            adapter.takeChanges ([&] (int index, const ProcessorAdapter::Change& change)
            {
                if (change.valueChanged && index < (int) Lv2Ports::numParameters)
                {
                    const auto value = Lv2Ports::parameterValue (index, change.value);
                    host->instance.expectPortValue (index, value);
                    hostValues[(size_t) index].store (value);
                }
            });

            ++uiOperations;
            std::this_thread::sleep_for (std::chrono::milliseconds (2));
        }
    });

    std::thread automation ([&]
    {
        std::mt19937 random (3);

        while (! stopping.load())
        {
            const auto index = (int) (random() % Lv2Ports::numParameters);
            const auto range = ParameterUnits::rangeOf (index);
            hostValues[(size_t) index].store (range.minimum + (range.maximum - range.minimum) * (float) (random() % 1000) / 999.0f);
            ++automations;
            std::this_thread::sleep_for (std::chrono::microseconds (300));
        }
    });

    std::thread state ([&]
    {
        while (! stopping.load())
        {
            StoredState saved;
            ASSERT_EQ (host->instance.save (StoredState::store, &saved), LV2_STATE_SUCCESS);
            ASSERT_EQ (host->instance.restore (StoredState::retrieve, &saved), LV2_STATE_SUCCESS);
            ++states;
            std::this_thread::sleep_for (std::chrono::milliseconds (5));
        }
    });

    std::this_thread::sleep_for (std::chrono::milliseconds ((int) (stressSeconds() * 1000.0)));
    stopping.store (true);

    for (auto* thread : { &audio, &ui, &automation, &state })
        thread->join();

    std::printf ("LV2 stress: %ld blocks, %ld UI operations, %ld automation changes, %ld state round trips\n",
                 blocks.load(), uiOperations.load(), automations.load(), states.load());

    EXPECT_TRUE (finite.load());
    EXPECT_GT (blocks.load(), 0);
    EXPECT_GT (uiOperations.load(), 0);
    EXPECT_GT (states.load(), 0);

    // The state travels intact into a fresh instance.
    StoredState saved, again;
    ASSERT_EQ (host->instance.save (StoredState::store, &saved), LV2_STATE_SUCCESS);
    host.reset();

    auto fresh = std::make_unique<Host> (uridMap);
    ASSERT_EQ (fresh->instance.restore (StoredState::retrieve, &saved), LV2_STATE_SUCCESS);
    ASSERT_EQ (fresh->instance.save (StoredState::store, &again), LV2_STATE_SUCCESS);
    EXPECT_EQ (again.value, saved.value);
}
