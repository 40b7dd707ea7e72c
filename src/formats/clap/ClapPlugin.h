#pragma once

#include "formats/EmbeddedEditor.h"
#include "formats/MessageLoop.h"
#include "formats/ProcessorAdapter.h"

#include <clap/entry.h>
#include <clap/ext/audio-ports.h>
#include <clap/ext/gui.h>
#include <clap/ext/latency.h>
#include <clap/ext/note-ports.h>
#include <clap/ext/params.h>
#include <clap/ext/state.h>
#include <clap/ext/thread-check.h>
#include <clap/ext/timer-support.h>
#include <clap/plugin.h>

#include <atomic>
#include <memory>

/*  One CLAP instance of the product: the processor behind the plug-in
    interface and its extensions.

    - params: the 21 host parameters with ids 0 … 20 in their order,
      normalised 0 … 1 as in the other formats, shown and typed with the
      same texts. Automation is applied at its sample (the block is split
      there). CLAP hosts bypass a plug-in themselves. Changes made inside the
      plug-in (editor, presets, the MIDI map) go to the host as parameter
      events with their gestures, from process() or, while the host is not
      processing, from a flush the plug-in asks for;
    - audio-ports: one stereo input, one stereo output (a mono buffer is
      heard on both channels); note-ports: one MIDI input, for the
      controller map and program changes;
    - latency: the processor's, announced when it changes at activation;
    - state: the same chunk as every format, through the host's streams;
    - gui: the editor embedded in the host's X11 window, sized by the
      editor (the docked panels), not resizable by the user; JUCE's loop runs
      on the host's main thread through a host timer (timer-support).

    Calls arrive on the threads CLAP names; the plug-in calls the host only
    from where the host's interface allows it.
*/
class ClapPlugin
{
public:
    static const clap_plugin_descriptor_t descriptor;

    explicit ClapPlugin (const clap_host_t* host);

    const clap_plugin_t* getPlugin() const noexcept { return &plugin; }

private:
    // The plug-in interface, each call of it ending any exception.
    bool init();
    bool activate (double sampleRate, uint32_t minFrames, uint32_t maxFrames);
    void deactivate();
    clap_process_status process (const clap_process_t& process) noexcept;
    const void* getExtension (const char* id) const;
    void onMainThread();

    // params
    uint32_t countParameters() const;
    bool getParameterInfo (uint32_t index, clap_param_info_t& info) const;
    bool getParameterValue (clap_id id, double& value) const;
    bool valueToText (clap_id id, double value, char* display, uint32_t size) const;
    bool textToValue (clap_id id, const char* display, double& value) const;
    void flush (const clap_input_events_t* in, const clap_output_events_t* out);

    // state
    bool saveState (const clap_ostream_t& stream);
    bool loadState (const clap_istream_t& stream);

    // gui
    bool createGui (const char* api, bool isFloating);
    void destroyGui();
    bool getGuiSize (uint32_t& width, uint32_t& height) const;
    bool setGuiScale (double scale);
    bool setGuiParent (const clap_window_t& window);
    bool setGuiVisible (bool visible);
    void onTimer (clap_id timer);

    /** Applies one host event; MIDI goes into `midi` at `time`. */
    void applyEvent (const clap_event_header_t& event, juce::MidiBuffer& midi, int time);
    /** The changes made inside the plug-in, as output events. */
    void reportChanges (const clap_output_events_t& out);
    void changeFromInside();

    template <typename Extension>
    const Extension* hostExtension (const char* id) const
    {
        return static_cast<const Extension*> (host->get_extension (host, id));
    }

    static ClapPlugin& of (const clap_plugin_t* plugin) { return *static_cast<ClapPlugin*> (plugin->plugin_data); }

    const clap_host_t* const host;
    clap_plugin_t plugin {};
    std::unique_ptr<ProcessorAdapter> adapter;

    const clap_host_params_t* hostParams = nullptr;
    const clap_host_latency_t* hostLatency = nullptr;
    const clap_host_gui_t* hostGui = nullptr;
    const clap_host_timer_support_t* hostTimers = nullptr;
    const clap_host_state_t* hostState = nullptr;

    juce::MidiBuffer midi;
    std::atomic<bool> processing { false };
    std::atomic<bool> changedInside { false };
    int reportedLatency = 0;

    std::unique_ptr<MessageLoop::HostDriven> guiLoop;
    std::unique_ptr<EmbeddedEditor> editor;
    clap_id guiTimer = CLAP_INVALID_ID;
};
