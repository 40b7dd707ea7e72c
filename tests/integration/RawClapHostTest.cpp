/*  The CLAP library as a host reaches it: dlopen, clap_entry, the factory
    and the plug-in's extensions, with CLAP's C structures written out here
    (no JUCE on the host's side, no host tool in between).
*/
#include <clap/entry.h>
#include <clap/ext/audio-ports.h>
#include <clap/ext/latency.h>
#include <clap/ext/note-ports.h>
#include <clap/ext/params.h>
#include <clap/ext/state.h>
#include <clap/plugin-factory.h>

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace
{
    union Event
    {
        clap_event_header_t header;
        clap_event_param_value_t value;
        clap_event_param_gesture_t gesture;
        clap_event_midi_t midi;
    };

    struct Events
    {
        std::vector<Event> list;

        clap_input_events_t input { this,
            [] (const clap_input_events_t* l) { return (uint32_t) static_cast<Events*> (l->ctx)->list.size(); },
            [] (const clap_input_events_t* l, uint32_t i) -> const clap_event_header_t* { return &static_cast<Events*> (l->ctx)->list[i].header; } };

        clap_output_events_t output { this,
            [] (const clap_output_events_t* l, const clap_event_header_t* e)
            {
                Event copy {};
                std::memcpy (&copy, e, std::min<size_t> (e->size, sizeof (copy)));
                static_cast<Events*> (l->ctx)->list.push_back (copy);
                return true;
            } };

        void addMidi (uint32_t time, uint8_t status, uint8_t data1, uint8_t data2)
        {
            Event e {};
            e.midi.header = { sizeof (clap_event_midi_t), time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_MIDI, 0 };
            e.midi.data[0] = status; e.midi.data[1] = data1; e.midi.data[2] = data2;
            list.push_back (e);
        }

        void addValue (uint32_t time, clap_id id, double value)
        {
            Event e {};
            e.value.header = { sizeof (clap_event_param_value_t), time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0 };
            e.value.param_id = id;
            e.value.note_id = -1;
            e.value.port_index = e.value.channel = e.value.key = -1;
            e.value.value = value;
            list.push_back (e);
        }
    };

    /** The library, its entry initialised for the test's life. */
    struct Library
    {
        Library() : handle (dlopen (KORVANE_CLAP_FILE, RTLD_NOW | RTLD_LOCAL))
        {
            if (handle != nullptr)
                entry = static_cast<const clap_plugin_entry_t*> (dlsym (handle, "clap_entry"));
            if (entry != nullptr && entry->init (KORVANE_CLAP_FILE))
                factory = static_cast<const clap_plugin_factory_t*> (entry->get_factory (CLAP_PLUGIN_FACTORY_ID));
        }

        ~Library()
        {
            if (factory != nullptr)
                entry->deinit();
            if (handle != nullptr)
                dlclose (handle);
        }

        void* handle;
        const clap_plugin_entry_t* entry = nullptr;
        const clap_plugin_factory_t* factory = nullptr;
    };

    Library& library()
    {
        static Library shared;
        return shared;
    }

    /** One plug-in, with a host of a few lines: no extensions, callbacks ignored. */
    struct Instance
    {
        Instance()
        {
            auto* factory = library().factory;
            plugin = factory != nullptr ? factory->create_plugin (factory, &host, "page.codeberg.korvane.korvane") : nullptr;

            if (plugin != nullptr && plugin->init (plugin))
            {
                params = static_cast<const clap_plugin_params_t*> (plugin->get_extension (plugin, CLAP_EXT_PARAMS));
                state = static_cast<const clap_plugin_state_t*> (plugin->get_extension (plugin, CLAP_EXT_STATE));
                latency = static_cast<const clap_plugin_latency_t*> (plugin->get_extension (plugin, CLAP_EXT_LATENCY));
            }
        }

        ~Instance()
        {
            if (plugin != nullptr)
            {
                if (active)
                {
                    plugin->stop_processing (plugin);
                    plugin->deactivate (plugin);
                }

                plugin->destroy (plugin);
            }
        }

        void activate()
        {
            active = plugin->activate (plugin, 44100.0, 1, 512);
            plugin->start_processing (plugin);
        }

        /** One block of a sine, the events given; the output events come back in `out`. */
        std::vector<float> process (Events& in, Events& out, uint32_t frames = 512)
        {
            std::vector<float> left (frames), right (frames), outLeft (frames), outRight (frames);
            for (uint32_t i = 0; i < frames; ++i)
                left[i] = right[i] = 0.3f * (float) std::sin (0.05 * (double) (steady + i));

            float* inputs[2] { left.data(), right.data() };
            float* outputs[2] { outLeft.data(), outRight.data() };
            clap_audio_buffer_t audioIn { inputs, nullptr, 2, 0, 0 }, audioOut { outputs, nullptr, 2, 0, 0 };
            clap_process_t process { steady, frames, nullptr, &audioIn, &audioOut, 1, 1, &in.input, &out.output };
            EXPECT_EQ (plugin->process (plugin, &process), CLAP_PROCESS_CONTINUE);
            steady += frames;
            return outLeft;
        }

        std::string save (uint64_t chunk)
        {
            struct Sink { std::string data; uint64_t chunk; } sink { {}, chunk };
            const clap_ostream_t stream { &sink, [] (const clap_ostream_t* s, const void* data, uint64_t size) -> int64_t
            {
                auto& sink = *static_cast<Sink*> (s->ctx);
                const auto n = std::min (size, sink.chunk);
                sink.data.append (static_cast<const char*> (data), n);
                return (int64_t) n;
            } };

            return state->save (plugin, &stream) ? sink.data : std::string ("(failed)");
        }

        bool load (const std::string& data, uint64_t chunk, bool failHalfWay = false)
        {
            struct Source { const std::string& data; size_t position; uint64_t chunk; bool fail; } source { data, 0, chunk, failHalfWay };
            const clap_istream_t stream { &source, [] (const clap_istream_t* s, void* buffer, uint64_t size) -> int64_t
            {
                auto& source = *static_cast<Source*> (s->ctx);
                if (source.fail && source.position >= source.data.size() / 2)
                    return -1;
                const auto n = std::min ({ size, source.chunk, (uint64_t) (source.data.size() - source.position) });
                std::memcpy (buffer, source.data.data() + source.position, n);
                source.position += n;
                return (int64_t) n;
            } };

            return state->load (plugin, &stream);
        }

        double value (clap_id id)
        {
            double v = -1.0;
            params->get_value (plugin, id, &v);
            return v;
        }

        clap_host_t host { CLAP_VERSION_INIT, nullptr, "raw test host", "", "", "1",
                           [] (const clap_host_t*, const char*) -> const void* { return nullptr; },
                           [] (const clap_host_t*) {}, [] (const clap_host_t*) {}, [] (const clap_host_t*) {} };
        const clap_plugin_t* plugin = nullptr;
        const clap_plugin_params_t* params = nullptr;
        const clap_plugin_state_t* state = nullptr;
        const clap_plugin_latency_t* latency = nullptr;
        bool active = false;
        int64_t steady = 0;
    };

    constexpr clap_id preampGain = 0, tone = 4, outputVolume = 19;
}

TEST (RawClapHost, TheEntryOffersOneDistortionEffect)
{
    ASSERT_NE (library().factory, nullptr) << dlerror();
    auto* factory = library().factory;
    ASSERT_EQ (factory->get_plugin_count (factory), 1u);

    const auto* descriptor = factory->get_plugin_descriptor (factory, 0);
    ASSERT_NE (descriptor, nullptr);
    EXPECT_STREQ (descriptor->id, "page.codeberg.korvane.korvane");
    EXPECT_STREQ (descriptor->name, "Korvane");

    std::vector<std::string> features;
    for (auto** feature = descriptor->features; *feature != nullptr; ++feature)
        features.push_back (*feature);
    EXPECT_EQ (features, (std::vector<std::string> { "audio-effect", "distortion", "stereo" }));

    EXPECT_EQ (factory->get_plugin_descriptor (factory, 1), nullptr);
    Instance instance;
    EXPECT_EQ (factory->create_plugin (factory, &instance.host, "com.example.other"), nullptr);
}

TEST (RawClapHost, PortsParametersAndTheirTexts)
{
    Instance instance;
    ASSERT_NE (instance.params, nullptr);
    auto* plugin = instance.plugin;

    auto* audio = static_cast<const clap_plugin_audio_ports_t*> (plugin->get_extension (plugin, CLAP_EXT_AUDIO_PORTS));
    auto* notes = static_cast<const clap_plugin_note_ports_t*> (plugin->get_extension (plugin, CLAP_EXT_NOTE_PORTS));
    ASSERT_NE (audio, nullptr);
    ASSERT_NE (notes, nullptr);

    for (const bool input : { true, false })
    {
        clap_audio_port_info_t port {};
        ASSERT_EQ (audio->count (plugin, input), 1u);
        ASSERT_TRUE (audio->get (plugin, 0, input, &port));
        EXPECT_EQ (port.channel_count, 2u);
        EXPECT_STREQ (port.port_type, CLAP_PORT_STEREO);
    }

    clap_note_port_info_t midi {};
    ASSERT_EQ (notes->count (plugin, true), 1u);
    ASSERT_TRUE (notes->get (plugin, 0, true, &midi));
    EXPECT_EQ (midi.preferred_dialect, (uint32_t) CLAP_NOTE_DIALECT_MIDI);
    EXPECT_EQ (notes->count (plugin, false), 0u);

    // 21 parameters with ids 0 … 20, automatable, normalised, at the
    // start-up preset; every text they show reads back as the same text.
    ASSERT_EQ (instance.params->count (plugin), 21u);
    clap_param_info_t info {};
    EXPECT_FALSE (instance.params->get_info (plugin, 21, &info));

    for (uint32_t i = 0; i < 21; ++i)
    {
        ASSERT_TRUE (instance.params->get_info (plugin, i, &info));
        EXPECT_EQ (info.id, i);
        EXPECT_TRUE ((info.flags & CLAP_PARAM_IS_AUTOMATABLE) != 0);
        EXPECT_EQ (info.min_value, 0.0);
        EXPECT_EQ (info.max_value, 1.0);

        for (const double v : { 0.0, 0.37, 0.5, 1.0 })
        {
            char text[64] {}, again[64] {};
            double back = -1.0;
            ASSERT_TRUE (instance.params->value_to_text (plugin, i, v, text, sizeof (text)));
            ASSERT_TRUE (instance.params->text_to_value (plugin, i, text, &back)) << info.name << " '" << text << "'";
            ASSERT_TRUE (instance.params->value_to_text (plugin, i, back, again, sizeof (again)));
            EXPECT_STREQ (again, text) << info.name;
        }
    }

    ASSERT_TRUE (instance.params->get_info (plugin, 0, &info));
    EXPECT_STREQ (info.name, "Preamp Gain");
    EXPECT_NEAR (instance.value (preampGain), 0.585, 1.0e-6);

    char text[64] {};
    ASSERT_TRUE (instance.params->value_to_text (plugin, preampGain, 0.5, text, sizeof (text)));
    EXPECT_STREQ (text, "+50.0dB");
    char tiny[4] {};
    ASSERT_TRUE (instance.params->value_to_text (plugin, preampGain, 0.5, tiny, sizeof (tiny)));
    EXPECT_EQ (std::strlen (tiny), 3u);   // cut to the host's buffer, terminated

    double value = 0.0;
    EXPECT_FALSE (instance.params->text_to_value (plugin, preampGain, "loud", &value));
    EXPECT_FALSE (instance.params->text_to_value (plugin, 99, "+50.0dB", &value));
}

TEST (RawClapHost, TheStateTravelsThroughShortReadsAndWrites)
{
    Instance instance;
    ASSERT_NE (instance.state, nullptr);
    instance.activate();

    // A program change and a value from the host: the state is not the start-up one.
    Events in, out;
    in.addMidi (10, 0xC0, 5, 0);
    in.addValue (20, tone, 0.25);
    instance.process (in, out);

    const auto whole = instance.save (1u << 30);
    ASSERT_GT (whole.size(), 1000u);

    // A host that takes and gives a few hundred bytes at a time.
    EXPECT_EQ (instance.save (1000), whole);

    Instance fresh;
    ASSERT_TRUE (fresh.load (whole, 777));
    EXPECT_EQ (fresh.save (1u << 30), whole);
    EXPECT_EQ (fresh.value (tone), 0.25);

    // A stream that fails half-way loads nothing: the instance is as it was.
    Instance other;
    const auto before = other.save (1u << 30);
    EXPECT_FALSE (other.load (whole, 777, true));
    EXPECT_EQ (other.save (1u << 30), before);

    // Bytes that hold no state of ours (junk, another plug-in's, empty)
    // are refused, and the instance is as it was.
    for (const std::string foreign : { std::string ("not a state at all"), std::string (4096, '\x7f'), std::string() })
    {
        EXPECT_FALSE (other.load (foreign, 777)) << foreign.size() << " bytes";
        EXPECT_EQ (other.save (1u << 30), before);
    }

    // A host that takes nothing at all: the save fails.
    EXPECT_EQ (instance.save (0), "(failed)");
}

TEST (RawClapHost, AutomationActsAtItsSampleAndChangesInsideReachTheHost)
{
    Instance reference, automated;
    reference.activate();
    automated.activate();

    // Output Volume to silence at sample 256: the same sound up to there.
    Events none, in, out, ignored;
    in.addValue (256, outputVolume, 0.0);
    const auto a = reference.process (none, ignored);
    const auto b = automated.process (in, out);

    for (int i = 0; i < 256; ++i)
        ASSERT_EQ (a[(size_t) i], b[(size_t) i]) << "sample " << i;

    float differs = 0.0f;
    for (int i = 256; i < 512; ++i)
        differs = std::max (differs, std::abs (a[(size_t) i] - b[(size_t) i]));
    EXPECT_GT (differs, 1.0e-4f);

    // The host's own change is not reported back to it.
    for (const auto& event : out.list)
        EXPECT_FALSE (event.header.type == CLAP_EVENT_PARAM_VALUE && event.value.param_id == outputVolume);

    // A MIDI program change moves the parameters inside the plug-in: each
    // comes back to the host as a parameter event, with the new value.
    Events change, reported;
    change.addMidi (0, 0xC0, 23, 0);
    automated.process (change, reported);

    bool preampReported = false;
    for (const auto& event : reported.list)
        if (event.header.type == CLAP_EVENT_PARAM_VALUE && event.value.param_id == preampGain)
        {
            preampReported = true;
            EXPECT_EQ (event.value.value, automated.value (preampGain));
        }

    EXPECT_TRUE (preampReported);
    EXPECT_GT (std::abs (automated.value (preampGain) - 0.585), 1.0e-3);

    // Latency at the default quality ("Low"): none.
    ASSERT_NE (automated.latency, nullptr);
    EXPECT_EQ (automated.latency->get (automated.plugin), 0u);
}
