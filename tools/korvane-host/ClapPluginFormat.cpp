#include "ClapPluginFormat.h"

#include <clap/entry.h>
#include <clap/ext/audio-ports.h>
#include <clap/ext/gui.h>
#include <clap/ext/latency.h>
#include <clap/ext/params.h>
#include <clap/ext/state.h>
#include <clap/ext/thread-check.h>
#include <clap/ext/timer-support.h>
#include <clap/plugin-factory.h>

#include <dlfcn.h>

#include <atomic>
#include <cstring>
#include <map>
#include <mutex>
#include <thread>
#include <unordered_map>

namespace
{
    //==============================================================================
    /** A .clap file, opened and its entry initialised while any instance of
        its plug-ins lives. */
    class ClapModule
    {
    public:
        static std::shared_ptr<ClapModule> open (const juce::File& file, juce::String& error)
        {
            static std::mutex lock;
            static std::map<juce::String, std::weak_ptr<ClapModule>> open;

            const std::lock_guard<std::mutex> scoped (lock);
            const auto path = file.getFullPathName();

            if (auto module = open[path].lock())
                return module;

            auto* handle = dlopen (path.toRawUTF8(), RTLD_NOW | RTLD_LOCAL);

            if (handle == nullptr)
            {
                error = "cannot load " + path + ": " + juce::String (dlerror());
                return nullptr;
            }

            auto* entry = static_cast<const clap_plugin_entry_t*> (dlsym (handle, "clap_entry"));

            if (entry == nullptr || ! clap_version_is_compatible (entry->clap_version) || ! entry->init (path.toRawUTF8()))
            {
                error = path + " is no CLAP plug-in this host can use (no compatible clap_entry)";
                dlclose (handle);
                return nullptr;
            }

            auto module = std::shared_ptr<ClapModule> (new ClapModule (handle, entry));
            open[path] = module;
            return module;
        }

        ~ClapModule()
        {
            entry->deinit();
            dlclose (handle);
        }

        const clap_plugin_factory_t* getFactory() const
        {
            return static_cast<const clap_plugin_factory_t*> (entry->get_factory (CLAP_PLUGIN_FACTORY_ID));
        }

    private:
        ClapModule (void* handleToUse, const clap_plugin_entry_t* entryToUse) : handle (handleToUse), entry (entryToUse) {}

        void* const handle;
        const clap_plugin_entry_t* const entry;
    };

    /** Any core event the host hands over or takes back. */
    union AnyEvent
    {
        clap_event_header_t header;
        clap_event_param_value_t value;
        clap_event_param_gesture_t gesture;
        clap_event_midi_t midi;
    };

    /** A list of events in the form CLAP reads (input) or fills (output). */
    struct EventList
    {
        EventList() { events.reserve (4096); }

        void clear() { events.clear(); }

        void add (const clap_event_header_t& event)
        {
            if (events.size() < events.capacity() && event.size <= sizeof (AnyEvent))
            {
                AnyEvent copy {};
                std::memcpy (&copy, &event, event.size);
                events.push_back (copy);
            }
        }

        std::vector<AnyEvent> events;

        const clap_input_events_t input
        {
            this,
            [] (const clap_input_events_t* list) { return (uint32_t) static_cast<EventList*> (list->ctx)->events.size(); },
            [] (const clap_input_events_t* list, uint32_t index) -> const clap_event_header_t*
            {
                auto& events = static_cast<EventList*> (list->ctx)->events;
                return index < events.size() ? &events[index].header : nullptr;
            }
        };

        const clap_output_events_t output
        {
            this,
            [] (const clap_output_events_t* list, const clap_event_header_t* event)
            {
                if (event == nullptr)
                    return false;

                static_cast<EventList*> (list->ctx)->add (*event);
                return true;
            }
        };
    };

    /** A description's identifier is the file and the plug-in's id: "path#id". */
    juce::File fileOf (const juce::String& fileOrIdentifier)
    {
        const auto path = fileOrIdentifier.containsChar ('#') ? fileOrIdentifier.upToLastOccurrenceOf ("#", false, false) : fileOrIdentifier;
        return juce::File::getCurrentWorkingDirectory().getChildFile (path);
    }

    //==============================================================================
    class ClapInstance;

    /** One of the plug-in's parameters, in JUCE's normalised form: the plain
        value as the plug-in has it, mapped onto its range. */
    class ClapParameter : public juce::AudioPluginInstance::HostedParameter
    {
    public:
        ClapParameter (ClapInstance& ownerToUse, const clap_param_info_t& infoToUse, double value)
            : owner (ownerToUse), info (infoToUse), plain (value) {}

        juce::String getParameterID() const override { return juce::String (info.id); }
        float getValue() const override              { return normalised (plain.load()); }
        void setValue (float newValue) override;
        float getDefaultValue() const override       { return normalised (info.default_value); }
        juce::String getName (int maximum) const override { return juce::String::fromUTF8 (info.name).substring (0, maximum); }
        juce::String getLabel() const override       { return {}; }
        juce::String getText (float value, int maximum) const override;
        float getValueForText (const juce::String& text) const override;
        bool isAutomatable() const override          { return (info.flags & CLAP_PARAM_IS_AUTOMATABLE) != 0; }
        bool isDiscrete() const override             { return (info.flags & CLAP_PARAM_IS_STEPPED) != 0; }
        bool isBoolean() const override              { return isDiscrete() && info.max_value - info.min_value == 1.0; }
        int getNumSteps() const override
        {
            return isDiscrete() ? juce::jmax (2, (int) (info.max_value - info.min_value) + 1) : AudioProcessorParameter::getNumSteps();
        }

        bool isBypass() const noexcept { return (info.flags & CLAP_PARAM_IS_BYPASS) != 0; }
        clap_id getId() const noexcept { return info.id; }

        double toPlain (float value) const { return info.min_value + (info.max_value - info.min_value) * (double) value; }

        float normalised (double value) const
        {
            const auto span = info.max_value - info.min_value;
            return span > 0.0 ? (float) juce::jlimit (0.0, 1.0, (value - info.min_value) / span) : 0.0f;
        }

        /** The plug-in reported this value. */
        void setFromPlugin (double value)
        {
            plain = value;
            sendValueChangedMessageToListeners (normalised (value));
        }

        /** Takes a value the host set and has not handed over yet. */
        bool takePending (double& value)
        {
            if (! pending.exchange (false))
                return false;

            value = plain.load();
            return true;
        }

    private:
        ClapInstance& owner;
        const clap_param_info_t info;
        std::atomic<double> plain;
        std::atomic<bool> pending { false };
    };

    //==============================================================================
    class ClapInstance : public juce::AudioPluginInstance,
                         private juce::Timer
    {
    public:
        static std::unique_ptr<ClapInstance> create (std::shared_ptr<ClapModule> module, const juce::PluginDescription& description,
                                                     juce::String& error)
        {
            auto instance = std::unique_ptr<ClapInstance> (new ClapInstance (std::move (module), description));

            if (! instance->start (error))
                return nullptr;

            return instance;
        }

        ~ClapInstance() override
        {
            alive->store (false);
            stopTimer();
            timers.clear();
            releaseResources();

            if (plugin != nullptr)
                plugin->destroy (plugin);
        }

        //==============================================================================
        void fillInPluginDescription (juce::PluginDescription& d) const override { d = description; }
        const juce::String getName() const override { return description.name; }

        void prepareToPlay (double sampleRate, int maximumBlockSize) override
        {
            releaseResources();
            setRateAndBufferSizeDetails (sampleRate, maximumBlockSize);
            inputs.setSize (juce::jmax (1, getTotalNumInputChannels()), maximumBlockSize);

            if (plugin->activate (plugin, sampleRate, 1, (uint32_t) juce::jmax (1, maximumBlockSize)))
            {
                active = true;
                updateLatency();
            }
        }

        void releaseResources() override
        {
            if (processing)
                plugin->stop_processing (plugin);

            if (active)
                plugin->deactivate (plugin);

            processing = active = false;
        }

        void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages) override
        {
            const auto frames = buffer.getNumSamples();

            if (! active || frames == 0 || frames > inputs.getNumSamples())
            {
                buffer.clear();
                return;
            }

            audioThread = std::this_thread::get_id();

            if (! processing)
                processing = plugin->start_processing (plugin);

            // Separate input and output buffers: a plug-in need not work in place.
            const auto numInputs = getTotalNumInputChannels(), numOutputs = getTotalNumOutputChannels();

            for (int channel = 0; channel < numInputs; ++channel)
                inputs.copyFrom (channel, 0, buffer, juce::jmin (channel, buffer.getNumChannels() - 1), 0, frames);

            float* outputChannels[8] {};
            for (int channel = 0; channel < juce::jmin (8, numOutputs, buffer.getNumChannels()); ++channel)
                outputChannels[channel] = buffer.getWritePointer (channel);

            clap_audio_buffer_t in {}, out {};
            in.data32 = const_cast<float**> (inputs.getArrayOfWritePointers());
            in.channel_count = (uint32_t) numInputs;
            out.data32 = outputChannels;
            out.channel_count = (uint32_t) juce::jmin (8, numOutputs, buffer.getNumChannels());

            // The host's own parameter changes first, then MIDI at its samples.
            inEvents.clear();
            addPendingParameterChanges();

            for (const auto event : midiMessages)
                if (event.numBytes <= 3 && event.samplePosition < frames)
                {
                    clap_event_midi_t midi {};
                    midi.header = { sizeof (midi), (uint32_t) juce::jmax (0, event.samplePosition), CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_MIDI, 0 };
                    std::memcpy (midi.data, event.data, (size_t) event.numBytes);
                    inEvents.add (midi.header);
                }

            outEvents.clear();
            clap_process_t process {};
            process.steady_time = steadyTime;
            process.frames_count = (uint32_t) frames;
            process.audio_inputs = &in;
            process.audio_outputs = &out;
            process.audio_inputs_count = numInputs > 0 ? 1 : 0;
            process.audio_outputs_count = numOutputs > 0 ? 1 : 0;
            process.in_events = &inEvents.input;
            process.out_events = &outEvents.output;

            if (plugin->process (plugin, &process) == CLAP_PROCESS_ERROR)
                buffer.clear();

            steadyTime += frames;
            takeOutputEvents();
        }

        using AudioPluginInstance::processBlock;

        double getTailLengthSeconds() const override { return 0.0; }
        bool acceptsMidi() const override            { return acceptsMidiInput; }
        bool producesMidi() const override           { return false; }
        bool hasEditor() const override              { return gui != nullptr && gui->is_api_supported (plugin, CLAP_WINDOW_API_X11, false); }
        juce::AudioProcessorEditor* createEditor() override;

        int getNumPrograms() override                { return 1; }
        int getCurrentProgram() override             { return 0; }
        void setCurrentProgram (int) override        {}
        const juce::String getProgramName (int) override { return {}; }
        void changeProgramName (int, const juce::String&) override {}

        juce::AudioProcessorParameter* getBypassParameter() const override
        {
            for (auto* parameter : getParameters())
                if (auto* clapParameter = dynamic_cast<ClapParameter*> (parameter); clapParameter != nullptr && clapParameter->isBypass())
                    return clapParameter;

            return nullptr;
        }

        //==============================================================================
        void getStateInformation (juce::MemoryBlock& destination) override
        {
            destination.reset();

            if (state == nullptr)
                return;

            juce::MemoryOutputStream stream (destination, false);
            const clap_ostream_t output
            {
                &stream,
                [] (const clap_ostream_t* s, const void* data, uint64_t size) -> int64_t
                {
                    return static_cast<juce::MemoryOutputStream*> (s->ctx)->write (data, (size_t) size) ? (int64_t) size : -1;
                }
            };

            if (! state->save (plugin, &output))
                destination.reset();
        }

        void setStateInformation (const void* data, int size) override
        {
            if (size >= 0)
                loadState (data, (size_t) size);
        }

        bool loadState (const void* data, size_t size)
        {
            if (state == nullptr || data == nullptr)
                return false;

            juce::MemoryInputStream stream (data, size, false);
            const clap_istream_t input
            {
                &stream,
                [] (const clap_istream_t* s, void* buffer, uint64_t capacity) -> int64_t
                {
                    return static_cast<juce::MemoryInputStream*> (s->ctx)->read (buffer, (int) juce::jmin ((uint64_t) 1 << 30, capacity));
                }
            };

            if (! state->load (plugin, &input))
                return false;

            refreshParameterValues();
            return true;
        }

        //==============================================================================
        // What the plug-in's parameters and editor ask of the host.
        juce::String valueToText (clap_id id, double value) const
        {
            char text[256] {};
            return params != nullptr && params->value_to_text (plugin, id, value, text, sizeof (text)) ? juce::String::fromUTF8 (text)
                                                                                                       : juce::String (value, 6);
        }

        bool textToValue (clap_id id, const juce::String& text, double& value) const
        {
            return params != nullptr && params->text_to_value (plugin, id, text.toRawUTF8(), &value);
        }

        /** A value the host set: handed over with the next block, or at once
            on the main thread while the plug-in is inactive. */
        void parameterSet()
        {
            if (! active && juce::MessageManager::existsAndIsCurrentThread())
                flushOnMainThread();
        }

        const clap_plugin_t* getPlugin() const noexcept { return plugin; }
        const clap_plugin_gui_t* getGui() const noexcept { return gui; }

        /** The editor that shows the plug-in's window, or null. */
        juce::Component::SafePointer<juce::AudioProcessorEditor> openEditor;

    private:
        ClapInstance (std::shared_ptr<ClapModule> moduleToUse, const juce::PluginDescription& descriptionToUse)
            : AudioPluginInstance (BusesProperties().withInput ("Input", juce::AudioChannelSet::stereo())
                                                    .withOutput ("Output", juce::AudioChannelSet::stereo())),
              module (std::move (moduleToUse)),
              description (descriptionToUse)
        {
            host.host_data = this;
        }

        static ClapInstance& of (const clap_host_t* h) { return *static_cast<ClapInstance*> (h->host_data); }

        bool start (juce::String& error)
        {
            auto* factory = module->getFactory();
            const auto id = description.fileOrIdentifier.fromLastOccurrenceOf ("#", false, false);

            if (factory == nullptr || (plugin = factory->create_plugin (factory, &host, id.toRawUTF8())) == nullptr)
            {
                error = "the CLAP factory made no plug-in " + id;
                return false;
            }

            if (! plugin->init (plugin))
            {
                plugin->destroy (plugin);
                plugin = nullptr;
                error = "the CLAP plug-in " + id + " failed to initialise";
                return false;
            }

            params = extension<clap_plugin_params_t> (CLAP_EXT_PARAMS);
            state = extension<clap_plugin_state_t> (CLAP_EXT_STATE);
            latency = extension<clap_plugin_latency_t> (CLAP_EXT_LATENCY);
            gui = extension<clap_plugin_gui_t> (CLAP_EXT_GUI);
            timerSupport = extension<clap_plugin_timer_support_t> (CLAP_EXT_TIMER_SUPPORT);
            acceptsMidiInput = extension<void> ("clap.note-ports") != nullptr;

            setChannelsFromAudioPorts();

            for (uint32_t i = 0; params != nullptr && i < params->count (plugin); ++i)
            {
                clap_param_info_t info {};
                double value = 0.0;

                if (! params->get_info (plugin, i, &info))
                    continue;

                params->get_value (plugin, info.id, &value);
                auto parameter = std::make_unique<ClapParameter> (*this, info, value);
                parameterById[info.id] = parameter.get();
                addHostedParameter (std::move (parameter));
            }

            startTimer (30);
            return true;
        }

        template <typename Extension>
        const Extension* extension (const char* id) const
        {
            return static_cast<const Extension*> (plugin->get_extension (plugin, id));
        }

        void setChannelsFromAudioPorts()
        {
            const auto* ports = extension<clap_plugin_audio_ports_t> (CLAP_EXT_AUDIO_PORTS);
            BusesLayout layout;

            for (const bool isInput : { true, false })
            {
                clap_audio_port_info_t info {};
                const auto channels = ports != nullptr && ports->count (plugin, isInput) > 0 && ports->get (plugin, 0, isInput, &info)
                                    ? (int) info.channel_count : 0;
                (isInput ? layout.inputBuses : layout.outputBuses).add (juce::AudioChannelSet::canonicalChannelSet (channels));
            }

            setBusesLayout (layout);
        }

        void updateLatency()
        {
            if (latency != nullptr && active)
                setLatencySamples ((int) latency->get (plugin));
        }

        void addPendingParameterChanges()
        {
            for (auto* parameter : getParameters())
                if (auto* clapParameter = static_cast<ClapParameter*> (parameter))
                    if (double value = 0.0; clapParameter->takePending (value))
                    {
                        clap_event_param_value_t event {};
                        event.header = { sizeof (event), 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0 };
                        event.param_id = clapParameter->getId();
                        event.note_id = -1;
                        event.port_index = event.channel = event.key = -1;
                        event.value = value;
                        inEvents.add (event.header);
                    }
        }

        void takeOutputEvents()
        {
            for (const auto& event : outEvents.events)
            {
                if (event.header.space_id != CLAP_CORE_EVENT_SPACE_ID)
                    continue;

                const auto found = parameterById.find (event.header.type == CLAP_EVENT_PARAM_VALUE ? event.value.param_id : event.gesture.param_id);

                if (found == parameterById.end())
                    continue;

                if (event.header.type == CLAP_EVENT_PARAM_VALUE)
                    found->second->setFromPlugin (event.value.value);
                else if (event.header.type == CLAP_EVENT_PARAM_GESTURE_BEGIN)
                    found->second->beginChangeGesture();
                else if (event.header.type == CLAP_EVENT_PARAM_GESTURE_END)
                    found->second->endChangeGesture();
            }

            outEvents.clear();
        }

        void flushOnMainThread()
        {
            if (params == nullptr || active)
                return;

            inEvents.clear();
            addPendingParameterChanges();
            outEvents.clear();
            params->flush (plugin, &inEvents.input, &outEvents.output);
            takeOutputEvents();
        }

        void refreshParameterValues()
        {
            for (const auto& [id, parameter] : parameterById)
                if (double value = 0.0; params->get_value (plugin, id, &value))
                    parameter->setFromPlugin (value);
        }

        void timerCallback() override
        {
            if (flushRequested.exchange (false))
                flushOnMainThread();
        }

        //==============================================================================
        // The host's side.
        const void* hostExtension (const char* id)
        {
            static const clap_host_thread_check_t threadCheck
            {
                [] (const clap_host_t*) { return juce::MessageManager::existsAndIsCurrentThread(); },
                [] (const clap_host_t* h) { return std::this_thread::get_id() == of (h).audioThread.load(); }
            };

            static const clap_host_params_t hostParams
            {
                [] (const clap_host_t*, clap_param_rescan_flags) {},
                [] (const clap_host_t*, clap_id, clap_param_clear_flags) {},
                [] (const clap_host_t* h) { of (h).flushRequested = true; }
            };

            static const clap_host_latency_t hostLatency
            {
                [] (const clap_host_t* h) { of (h).updateLatency(); }
            };

            static const clap_host_gui_t hostGui
            {
                [] (const clap_host_t*) {},
                [] (const clap_host_t* h, uint32_t width, uint32_t height)
                {
                    juce::Component::SafePointer<juce::AudioProcessorEditor> editor (of (h).openEditor);
                    const auto resize = [editor, width, height]
                    {
                        if (editor != nullptr)
                            editor->setSize ((int) width, (int) height);
                    };

                    if (juce::MessageManager::existsAndIsCurrentThread())
                        resize();
                    else
                        juce::MessageManager::callAsync (resize);

                    return true;
                },
                [] (const clap_host_t*) { return false; },
                [] (const clap_host_t*) { return false; },
                [] (const clap_host_t*, bool) {}
            };

            static const clap_host_timer_support_t hostTimers
            {
                [] (const clap_host_t* h, uint32_t period, clap_id* id)
                {
                    auto& self = of (h);

                    if (id == nullptr || self.timerSupport == nullptr)
                        return false;

                    *id = self.nextTimer++;
                    self.timers[*id] = std::make_unique<PluginTimer> (self, *id);
                    self.timers[*id]->startTimer ((int) juce::jmax (1u, period));
                    return true;
                },
                [] (const clap_host_t* h, clap_id id) { return of (h).timers.erase (id) > 0; }
            };

            static const clap_host_state_t hostState
            {
                [] (const clap_host_t*) {}
            };

            if (std::strcmp (id, CLAP_EXT_THREAD_CHECK) == 0)  return &threadCheck;
            if (std::strcmp (id, CLAP_EXT_PARAMS) == 0)        return &hostParams;
            if (std::strcmp (id, CLAP_EXT_LATENCY) == 0)       return &hostLatency;
            if (std::strcmp (id, CLAP_EXT_GUI) == 0)           return &hostGui;
            if (std::strcmp (id, CLAP_EXT_TIMER_SUPPORT) == 0) return &hostTimers;
            if (std::strcmp (id, CLAP_EXT_STATE) == 0)         return &hostState;
            return nullptr;
        }

        /** A plug-in's timer, on the message thread. */
        struct PluginTimer : public juce::Timer
        {
            PluginTimer (ClapInstance& ownerToUse, clap_id idToUse) : owner (ownerToUse), id (idToUse) {}
            void timerCallback() override { owner.timerSupport->on_timer (owner.plugin, id); }

            ClapInstance& owner;
            const clap_id id;
        };

        std::shared_ptr<ClapModule> module;
        const juce::PluginDescription description;

        clap_host_t host
        {
            CLAP_VERSION_INIT, nullptr, "korvane-host", "Korvane Project", "https://korvane.codeberg.page", "1.0",
            [] (const clap_host_t* h, const char* id) { return id != nullptr ? of (h).hostExtension (id) : nullptr; },
            [] (const clap_host_t*) {},
            [] (const clap_host_t*) {},
            [] (const clap_host_t* h)
            {
                juce::MessageManager::callAsync ([plugin = of (h).plugin, alive = of (h).alive]
                {
                    if (alive->load())
                        plugin->on_main_thread (plugin);
                });
            }
        };

        const clap_plugin_t* plugin = nullptr;
        const clap_plugin_params_t* params = nullptr;
        const clap_plugin_state_t* state = nullptr;
        const clap_plugin_latency_t* latency = nullptr;
        const clap_plugin_gui_t* gui = nullptr;
        const clap_plugin_timer_support_t* timerSupport = nullptr;
        bool acceptsMidiInput = false;

        std::unordered_map<clap_id, ClapParameter*> parameterById;
        std::map<clap_id, std::unique_ptr<PluginTimer>> timers;
        clap_id nextTimer = 1;

        bool active = false, processing = false;
        std::atomic<bool> flushRequested { false };
        std::atomic<std::thread::id> audioThread {};
        std::shared_ptr<std::atomic<bool>> alive = std::make_shared<std::atomic<bool>> (true);
        juce::int64 steadyTime = 0;
        juce::AudioBuffer<float> inputs;
        EventList inEvents, outEvents;

        friend class ClapParameter;
    };

    void ClapParameter::setValue (float newValue)
    {
        plain = toPlain (newValue);
        pending = true;
        owner.parameterSet();
    }

    juce::String ClapParameter::getText (float value, int maximum) const
    {
        return owner.valueToText (info.id, toPlain (value)).substring (0, maximum);
    }

    float ClapParameter::getValueForText (const juce::String& text) const
    {
        double value = 0.0;
        return owner.textToValue (info.id, text, value) ? normalised (value) : getValue();
    }

    //==============================================================================
    /** The plug-in's own window inside the editor: created with the editor,
        given the window once the editor is on the screen, sized by the
        plug-in's resize requests. */
    class ClapEditor : public juce::AudioProcessorEditor
    {
    public:
        explicit ClapEditor (ClapInstance& instanceToUse)
            : AudioProcessorEditor (instanceToUse), instance (instanceToUse),
              plugin (instanceToUse.getPlugin()), gui (instanceToUse.getGui())
        {
            setOpaque (true);
            created = gui->create (plugin, CLAP_WINDOW_API_X11, false);
            uint32_t width = 400, height = 300;

            if (created)
                gui->get_size (plugin, &width, &height);

            setSize ((int) width, (int) height);
            instance.openEditor = this;
        }

        ~ClapEditor() override
        {
            instance.openEditor = nullptr;

            if (created)
                gui->destroy (plugin);
        }

        void paint (juce::Graphics& g) override { g.fillAll (juce::Colours::black); }

        // The plug-in scales its own window; the editor takes its new size.
        void setScaleFactor (float scale) override
        {
            uint32_t width = 0, height = 0;

            if (created && gui->set_scale (plugin, scale) && gui->get_size (plugin, &width, &height))
                setSize ((int) width, (int) height);
        }

        void parentHierarchyChanged() override
        {
            // The plug-in's window goes into the host window once there is one.
            if (! created || attached)
                return;

            if (auto* peer = getPeer())
            {
                clap_window_t window {};
                window.api = CLAP_WINDOW_API_X11;
                window.x11 = (clap_xwnd) (juce::pointer_sized_uint) peer->getNativeHandle();
                attached = gui->set_parent (plugin, &window);

                if (attached)
                    gui->show (plugin);
            }
        }

    private:
        ClapInstance& instance;
        const clap_plugin_t* const plugin;
        const clap_plugin_gui_t* const gui;
        bool created = false, attached = false;
    };

    juce::AudioProcessorEditor* ClapInstance::createEditor()
    {
        return hasEditor() ? new ClapEditor (*this) : nullptr;
    }
}

//==============================================================================
ClapPluginFormat::ClapPluginFormat() = default;
ClapPluginFormat::~ClapPluginFormat() = default;

bool ClapPluginFormat::fileMightContainThisPluginType (const juce::String& fileOrIdentifier)
{
    return fileOf (fileOrIdentifier).hasFileExtension ("clap");
}

bool ClapPluginFormat::doesPluginStillExist (const juce::PluginDescription& description)
{
    return fileOf (description.fileOrIdentifier).existsAsFile();
}

void ClapPluginFormat::findAllTypesForFile (juce::OwnedArray<juce::PluginDescription>& results, const juce::String& fileOrIdentifier)
{
    juce::String error;
    const auto file = fileOf (fileOrIdentifier);
    const auto module = ClapModule::open (file, error);
    const auto* factory = module != nullptr ? module->getFactory() : nullptr;

    for (uint32_t i = 0; factory != nullptr && i < factory->get_plugin_count (factory); ++i)
    {
        const auto* descriptor = factory->get_plugin_descriptor (factory, i);

        if (descriptor == nullptr || descriptor->id == nullptr)
            continue;

        auto description = std::make_unique<juce::PluginDescription>();
        description->name = juce::String::fromUTF8 (descriptor->name != nullptr ? descriptor->name : descriptor->id);
        description->descriptiveName = juce::String::fromUTF8 (descriptor->description != nullptr ? descriptor->description : "");
        description->manufacturerName = juce::String::fromUTF8 (descriptor->vendor != nullptr ? descriptor->vendor : "");
        description->version = juce::String::fromUTF8 (descriptor->version != nullptr ? descriptor->version : "");
        description->pluginFormatName = formatName;
        description->fileOrIdentifier = file.getFullPathName() + "#" + descriptor->id;
        description->uniqueId = description->deprecatedUid = (int) juce::String (descriptor->id).hashCode();

        juce::StringArray features;
        for (auto** feature = descriptor->features; feature != nullptr && *feature != nullptr; ++feature)
            features.add (*feature);

        description->category = features.joinIntoString (", ");
        description->isInstrument = features.contains (CLAP_PLUGIN_FEATURE_INSTRUMENT);
        results.add (description.release());
    }
}

bool ClapPluginFormat::loadState (juce::AudioPluginInstance& instance, const void* data, size_t size)
{
    auto* clap = dynamic_cast<ClapInstance*> (&instance);
    return clap != nullptr && clap->loadState (data, size);
}

void ClapPluginFormat::createPluginInstance (const juce::PluginDescription& description, double sampleRate, int blockSize,
                                             PluginCreationCallback callback)
{
    juce::String error;
    auto module = ClapModule::open (fileOf (description.fileOrIdentifier), error);
    std::unique_ptr<juce::AudioPluginInstance> instance;

    if (module != nullptr)
        if (auto clap = ClapInstance::create (module, description, error))
        {
            clap->setRateAndBufferSizeDetails (sampleRate, blockSize);
            instance = std::move (clap);
        }

    callback (std::move (instance), error);
}
