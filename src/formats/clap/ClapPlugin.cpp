#include "formats/clap/ClapPlugin.h"

#include "formats/NoExceptions.h"

#include <cmath>
#include <cstring>

namespace
{
    using NoExceptions::guarded;

    void copyText (const juce::String& text, char* destination, uint32_t size)
    {
        if (size == 0)
            return;

        const auto written = (uint32_t) text.copyToUTF8 (destination, size);
        destination[juce::jmin (written, size - 1)] = 0;
    }

    const char* const features[] { CLAP_PLUGIN_FEATURE_AUDIO_EFFECT, CLAP_PLUGIN_FEATURE_DISTORTION,
                                   CLAP_PLUGIN_FEATURE_STEREO, nullptr };

    // A state is never longer than a document may be.
    constexpr juce::int64 largestState = ((juce::int64) 64 << 20) + 1024;
}

const clap_plugin_descriptor_t ClapPlugin::descriptor
{
    CLAP_VERSION_INIT,
    "page.codeberg.korvane.korvane",
    "Korvane",
    JucePlugin_Manufacturer,
    JucePlugin_ManufacturerWebsite,
    "",
    "",
    JucePlugin_VersionString,
    "Vintage Tube Distortion",
    const_cast<const char**> (features)
};

//==============================================================================
ClapPlugin::ClapPlugin (const clap_host_t* hostToUse)
    : host (hostToUse)
{
    plugin.desc = &descriptor;
    plugin.plugin_data = this;
    plugin.init = [] (const clap_plugin_t* p) { return guarded ([p] { return of (p).init(); }, false); };
    plugin.destroy = [] (const clap_plugin_t* p) { guarded ([p] { delete &of (p); return 0; }, 0); };
    plugin.activate = [] (const clap_plugin_t* p, double rate, uint32_t minFrames, uint32_t maxFrames)
    {
        return guarded ([&] { return of (p).activate (rate, minFrames, maxFrames); }, false);
    };
    plugin.deactivate = [] (const clap_plugin_t* p) { guarded ([p] { of (p).deactivate(); return 0; }, 0); };
    plugin.start_processing = [] (const clap_plugin_t* p) { of (p).processing = true; return true; };
    plugin.stop_processing = [] (const clap_plugin_t* p) { of (p).processing = false; };
    plugin.reset = [] (const clap_plugin_t*) {};
    plugin.process = [] (const clap_plugin_t* p, const clap_process_t* process)
    {
        return process != nullptr ? of (p).process (*process) : CLAP_PROCESS_ERROR;
    };
    plugin.get_extension = [] (const clap_plugin_t* p, const char* id) { return id != nullptr ? of (p).getExtension (id) : nullptr; };
    plugin.on_main_thread = [] (const clap_plugin_t* p) { guarded ([p] { of (p).onMainThread(); return 0; }, 0); };
}

bool ClapPlugin::init()
{
    hostParams = hostExtension<clap_host_params_t> (CLAP_EXT_PARAMS);
    hostLatency = hostExtension<clap_host_latency_t> (CLAP_EXT_LATENCY);
    hostGui = hostExtension<clap_host_gui_t> (CLAP_EXT_GUI);
    hostTimers = hostExtension<clap_host_timer_support_t> (CLAP_EXT_TIMER_SUPPORT);
    hostState = hostExtension<clap_host_state_t> (CLAP_EXT_STATE);

    adapter = std::make_unique<ProcessorAdapter> (juce::AudioProcessor::wrapperType_Undefined, "CLAP");
    adapter->setChangeCallback ([this] { changeFromInside(); });
    midi.ensureSize (8192);
    return true;
}

bool ClapPlugin::activate (double sampleRate, uint32_t, uint32_t maxFrames)
{
    adapter->prepare (sampleRate, (int) juce::jlimit (1u, 1u << 16, maxFrames));

    // The latency is settled when processing is prepared (the quality).
    if (const auto latency = adapter->getLatencySamples(); latency != reportedLatency)
    {
        reportedLatency = latency;

        if (hostLatency != nullptr)
            hostLatency->changed (host);
    }

    return true;
}

void ClapPlugin::deactivate()
{
    adapter->release();
}

//==============================================================================
clap_process_status ClapPlugin::process (const clap_process_t& process) noexcept
{
    try
    {
        const auto frames = (int) process.frames_count;
        const float* inputs[2] {};
        float* outputs[2] {};
        int numInputs = 0, numOutputs = 0;

        if (process.audio_inputs_count > 0 && process.audio_inputs[0].data32 != nullptr)
            for (numInputs = 0; numInputs < (int) juce::jmin (2u, process.audio_inputs[0].channel_count); ++numInputs)
                inputs[numInputs] = process.audio_inputs[0].data32[numInputs];

        if (process.audio_outputs_count > 0 && process.audio_outputs[0].data32 != nullptr)
            for (numOutputs = 0; numOutputs < (int) juce::jmin (2u, process.audio_outputs[0].channel_count); ++numOutputs)
                outputs[numOutputs] = process.audio_outputs[0].data32[numOutputs];

        // Runs [position, end) with the MIDI gathered for it.
        int position = 0;
        const auto runTo = [&] (int end)
        {
            if (end <= position)
                return;

            const float* in[2] { inputs[0] != nullptr ? inputs[0] + position : nullptr, inputs[1] != nullptr ? inputs[1] + position : nullptr };
            float* out[2] { outputs[0] != nullptr ? outputs[0] + position : nullptr, outputs[1] != nullptr ? outputs[1] + position : nullptr };
            adapter->process (in, numInputs, out, numOutputs, end - position, midi, false);
            midi.clear();
            position = end;
        };

        midi.clear();
        const auto* events = process.in_events;
        const auto count = events != nullptr ? events->size (events) : 0u;

        // A parameter's new value takes effect at its own sample.
        for (uint32_t i = 0; i < count; ++i)
            if (const auto* event = events->get (events, i))
            {
                const auto time = juce::jlimit (position, juce::jmax (position, frames - 1), (int) event->time);

                if (event->space_id == CLAP_CORE_EVENT_SPACE_ID && event->type == CLAP_EVENT_PARAM_VALUE)
                    runTo (time);

                applyEvent (*event, midi, time - position);
            }

        runTo (frames);

        if (process.out_events != nullptr)
            reportChanges (*process.out_events);

        return CLAP_PROCESS_CONTINUE;
    }
    catch (...)
    {
        return CLAP_PROCESS_ERROR;
    }
}

void ClapPlugin::applyEvent (const clap_event_header_t& event, juce::MidiBuffer& buffer, int time)
{
    if (event.space_id != CLAP_CORE_EVENT_SPACE_ID)
        return;

    if (event.type == CLAP_EVENT_PARAM_VALUE && event.size >= sizeof (clap_event_param_value_t))
    {
        const auto& change = reinterpret_cast<const clap_event_param_value_t&> (event);

        adapter->setParameterFromHost ((int) change.param_id, (float) change.value);
    }
    else if (event.type == CLAP_EVENT_MIDI && event.size >= sizeof (clap_event_midi_t))
    {
        const auto& message = reinterpret_cast<const clap_event_midi_t&> (event);
        const auto length = juce::MidiMessage::getMessageLengthFromFirstByte (message.data[0]);
        buffer.addEvent (message.data, juce::jlimit (1, 3, length), juce::jmax (0, time));
    }
}

void ClapPlugin::reportChanges (const clap_output_events_t& out)
{
    adapter->takeChanges ([&] (int index, const ProcessorAdapter::Change& change)
    {
        const auto push = [&] (uint16_t type)
        {
            clap_event_param_gesture_t gesture { { sizeof (gesture), 0, CLAP_CORE_EVENT_SPACE_ID, type, 0 }, (clap_id) index };
            out.try_push (&out, &gesture.header);
        };

        for (int n = 0; n < change.gesturesBegun; ++n)
            push (CLAP_EVENT_PARAM_GESTURE_BEGIN);

        if (change.valueChanged)
        {
            clap_event_param_value_t value {};
            value.header = { sizeof (value), 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0 };
            value.param_id = (clap_id) index;
            value.note_id = -1;
            value.port_index = value.channel = value.key = -1;
            value.value = change.value;
            out.try_push (&out, &value.header);
        }

        for (int n = 0; n < change.gesturesEnded; ++n)
            push (CLAP_EVENT_PARAM_GESTURE_END);
    });
}

void ClapPlugin::changeFromInside()
{
    changedInside = true;

    // While the host processes, the next block reports the change; else
    // the host is asked for a flush. Both calls are thread-safe.
    if (! processing.load() && hostParams != nullptr)
        hostParams->request_flush (host);

    host->request_callback (host);
}

void ClapPlugin::onMainThread()
{
    if (changedInside.exchange (false) && hostState != nullptr)
        hostState->mark_dirty (host);
}

//==============================================================================
uint32_t ClapPlugin::countParameters() const
{
    return (uint32_t) adapter->getNumParameters();
}

bool ClapPlugin::getParameterInfo (uint32_t index, clap_param_info_t& info) const
{
    if (index >= countParameters())
        return false;

    info = {};
    info.id = (clap_id) index;
    info.min_value = 0.0;
    info.max_value = 1.0;
    info.flags = CLAP_PARAM_IS_AUTOMATABLE;
    info.default_value = adapter->getParameterDefault ((int) index);
    copyText (adapter->getParameterName ((int) index), info.name, sizeof (info.name));
    return true;
}

bool ClapPlugin::getParameterValue (clap_id id, double& value) const
{
    if (id >= countParameters())
        return false;

    value = (double) adapter->getParameter ((int) id);
    return true;
}

bool ClapPlugin::valueToText (clap_id id, double value, char* display, uint32_t size) const
{
    if (id >= countParameters() || display == nullptr)
        return false;

    copyText (adapter->getParameterText ((int) id, (float) juce::jlimit (0.0, 1.0, value)), display, size);
    return true;
}

bool ClapPlugin::textToValue (clap_id id, const char* display, double& value) const
{
    if (id >= countParameters() || display == nullptr)
        return false;

    const auto normalised = adapter->getParameterValueForText ((int) id, juce::String::fromUTF8 (display).trim());

    if (! std::isfinite (normalised))
        return false;

    value = normalised;
    return true;
}

void ClapPlugin::flush (const clap_input_events_t* in, const clap_output_events_t* out)
{
    juce::MidiBuffer ignored;
    const auto count = in != nullptr ? in->size (in) : 0u;

    for (uint32_t i = 0; i < count; ++i)
        if (const auto* event = in->get (in, i); event != nullptr && event->type == CLAP_EVENT_PARAM_VALUE)
            applyEvent (*event, ignored, 0);

    if (out != nullptr)
        reportChanges (*out);
}

//==============================================================================
bool ClapPlugin::saveState (const clap_ostream_t& stream)
{
    const auto state = adapter->getState();
    const auto* bytes = static_cast<const char*> (state.getData());

    // A host's stream may take less than it is given.
    for (size_t written = 0; written < state.getSize();)
    {
        const auto n = stream.write (&stream, bytes + written, state.getSize() - written);

        if (n <= 0)
            return false;

        written += (size_t) n;
    }

    return true;
}

bool ClapPlugin::loadState (const clap_istream_t& stream)
{
    juce::MemoryOutputStream state;
    char buffer[16384];

    for (;;)
    {
        const auto n = stream.read (&stream, buffer, sizeof (buffer));

        if (n < 0)
            return false;

        if (n == 0)
            break;

        state.write (buffer, (size_t) n);

        if ((juce::int64) state.getDataSize() > largestState)
            return false;
    }

    return adapter->setState (state.getData(), state.getDataSize());
}

//==============================================================================
bool ClapPlugin::createGui (const char* api, bool isFloating)
{
    // JUCE's loop needs the host's main thread now and then: without
    // timers the host cannot give it.
    if (api == nullptr || std::strcmp (api, CLAP_WINDOW_API_X11) != 0 || isFloating || hostTimers == nullptr || editor != nullptr)
        return false;

    guiLoop = std::make_unique<MessageLoop::HostDriven>();
    editor = std::make_unique<EmbeddedEditor> (adapter->getProcessor(), [this] (int width, int height)
    {
        if (hostGui != nullptr)
            hostGui->request_resize (host, (uint32_t) width, (uint32_t) height);
    });

    if (! hostTimers->register_timer (host, 15, &guiTimer))
    {
        destroyGui();
        return false;
    }

    return true;
}

void ClapPlugin::destroyGui()
{
    editor.reset();

    if (guiTimer != CLAP_INVALID_ID && hostTimers != nullptr)
        hostTimers->unregister_timer (host, guiTimer);

    guiTimer = CLAP_INVALID_ID;
    guiLoop.reset();
}

bool ClapPlugin::getGuiSize (uint32_t& width, uint32_t& height) const
{
    if (editor == nullptr)
        return false;

    width = (uint32_t) editor->getWidth();
    height = (uint32_t) editor->getHeight();
    return true;
}

bool ClapPlugin::setGuiScale (double scale)
{
    if (editor == nullptr || ! (scale > 0.0))
        return false;

    editor->setScale ((float) scale);
    return true;
}

bool ClapPlugin::setGuiParent (const clap_window_t& window)
{
    if (editor == nullptr || window.api == nullptr || std::strcmp (window.api, CLAP_WINDOW_API_X11) != 0)
        return false;

    editor->attachTo (window.x11);
    return true;
}

bool ClapPlugin::setGuiVisible (bool visible)
{
    if (editor == nullptr)
        return false;

    editor->setVisible (visible);
    return true;
}

void ClapPlugin::onTimer (clap_id timer)
{
    if (timer == guiTimer && guiLoop != nullptr)
        guiLoop->dispatch();
}

//==============================================================================
const void* ClapPlugin::getExtension (const char* id) const
{
    static const clap_plugin_params_t params
    {
        [] (const clap_plugin_t* p) { return guarded ([p] { return of (p).countParameters(); }, 0u); },
        [] (const clap_plugin_t* p, uint32_t index, clap_param_info_t* info)
        {
            return info != nullptr && guarded ([&] { return of (p).getParameterInfo (index, *info); }, false);
        },
        [] (const clap_plugin_t* p, clap_id param, double* value)
        {
            return value != nullptr && guarded ([&] { return of (p).getParameterValue (param, *value); }, false);
        },
        [] (const clap_plugin_t* p, clap_id param, double value, char* display, uint32_t size)
        {
            return guarded ([&] { return of (p).valueToText (param, value, display, size); }, false);
        },
        [] (const clap_plugin_t* p, clap_id param, const char* display, double* value)
        {
            return value != nullptr && guarded ([&] { return of (p).textToValue (param, display, *value); }, false);
        },
        [] (const clap_plugin_t* p, const clap_input_events_t* in, const clap_output_events_t* out)
        {
            guarded ([&] { of (p).flush (in, out); return 0; }, 0);
        }
    };

    static const clap_plugin_audio_ports_t audioPorts
    {
        [] (const clap_plugin_t*, bool) { return 1u; },
        [] (const clap_plugin_t*, uint32_t index, bool isInput, clap_audio_port_info_t* info)
        {
            if (index != 0 || info == nullptr)
                return false;

            *info = {};
            info->id = 0;
            copyText (isInput ? "Input" : "Output", info->name, sizeof (info->name));
            info->flags = CLAP_AUDIO_PORT_IS_MAIN;
            info->channel_count = 2;
            info->port_type = CLAP_PORT_STEREO;
            info->in_place_pair = 0;
            return true;
        }
    };

    static const clap_plugin_note_ports_t notePorts
    {
        [] (const clap_plugin_t*, bool isInput) { return isInput ? 1u : 0u; },
        [] (const clap_plugin_t*, uint32_t index, bool isInput, clap_note_port_info_t* info)
        {
            if (index != 0 || ! isInput || info == nullptr)
                return false;

            *info = {};
            info->id = 0;
            info->supported_dialects = CLAP_NOTE_DIALECT_MIDI;
            info->preferred_dialect = CLAP_NOTE_DIALECT_MIDI;
            copyText ("MIDI In", info->name, sizeof (info->name));
            return true;
        }
    };

    static const clap_plugin_latency_t latency
    {
        [] (const clap_plugin_t* p) { return (uint32_t) juce::jmax (0, of (p).reportedLatency); }
    };

    static const clap_plugin_state_t state
    {
        [] (const clap_plugin_t* p, const clap_ostream_t* stream)
        {
            return stream != nullptr && guarded ([&] { return of (p).saveState (*stream); }, false);
        },
        [] (const clap_plugin_t* p, const clap_istream_t* stream)
        {
            return stream != nullptr && guarded ([&] { return of (p).loadState (*stream); }, false);
        }
    };

    static const clap_plugin_gui_t gui
    {
        [] (const clap_plugin_t*, const char* api, bool isFloating)
        {
            return api != nullptr && std::strcmp (api, CLAP_WINDOW_API_X11) == 0 && ! isFloating;
        },
        [] (const clap_plugin_t*, const char** api, bool* isFloating)
        {
            if (api == nullptr || isFloating == nullptr)
                return false;

            *api = CLAP_WINDOW_API_X11;
            *isFloating = false;
            return true;
        },
        [] (const clap_plugin_t* p, const char* api, bool isFloating)
        {
            return guarded ([&] { return of (p).createGui (api, isFloating); }, false);
        },
        [] (const clap_plugin_t* p) { guarded ([p] { of (p).destroyGui(); return 0; }, 0); },
        [] (const clap_plugin_t* p, double scale) { return guarded ([&] { return of (p).setGuiScale (scale); }, false); },
        [] (const clap_plugin_t* p, uint32_t* width, uint32_t* height)
        {
            return width != nullptr && height != nullptr && guarded ([&] { return of (p).getGuiSize (*width, *height); }, false);
        },
        [] (const clap_plugin_t*) { return false; },
        [] (const clap_plugin_t*, clap_gui_resize_hints_t*) { return false; },
        [] (const clap_plugin_t* p, uint32_t* width, uint32_t* height)
        {
            // Only the editor's own size will do.
            return width != nullptr && height != nullptr && guarded ([&] { return of (p).getGuiSize (*width, *height); }, false);
        },
        [] (const clap_plugin_t* p, uint32_t width, uint32_t height)
        {
            uint32_t ownWidth = 0, ownHeight = 0;
            return guarded ([&] { return of (p).getGuiSize (ownWidth, ownHeight); }, false) && width == ownWidth && height == ownHeight;
        },
        [] (const clap_plugin_t* p, const clap_window_t* window)
        {
            return window != nullptr && guarded ([&] { return of (p).setGuiParent (*window); }, false);
        },
        [] (const clap_plugin_t*, const clap_window_t*) { return false; },
        [] (const clap_plugin_t*, const char*) {},
        [] (const clap_plugin_t* p) { return guarded ([p] { return of (p).setGuiVisible (true); }, false); },
        [] (const clap_plugin_t* p) { return guarded ([p] { return of (p).setGuiVisible (false); }, false); }
    };

    static const clap_plugin_timer_support_t timers
    {
        [] (const clap_plugin_t* p, clap_id timer) { guarded ([&] { of (p).onTimer (timer); return 0; }, 0); }
    };

    if (std::strcmp (id, CLAP_EXT_PARAMS) == 0)        return &params;
    if (std::strcmp (id, CLAP_EXT_AUDIO_PORTS) == 0)   return &audioPorts;
    if (std::strcmp (id, CLAP_EXT_NOTE_PORTS) == 0)    return &notePorts;
    if (std::strcmp (id, CLAP_EXT_LATENCY) == 0)       return &latency;
    if (std::strcmp (id, CLAP_EXT_STATE) == 0)         return &state;
    if (std::strcmp (id, CLAP_EXT_GUI) == 0)           return &gui;
    if (std::strcmp (id, CLAP_EXT_TIMER_SUPPORT) == 0) return &timers;
    return nullptr;
}
