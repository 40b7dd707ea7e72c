#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include "parameters/ParameterManager.h"
#include "plugin/EventsMap.h"
#include "plugin/SettingsFileLocation.h"
#include "plugin/SoftwareDesignation.h"
#include "plugin/StateObserver.h"

#include <array>
#include <atomic>
#include <optional>
#include <memory>
#include <mutex>

class BasePluginEditor;
class HostParameter;
class MidiControl;

/*  The framework's processor: the object the host's wrapper talks to.

    It owns the parameters, the event map, the MIDI controller map and the
    editor component, and answers the host's questions about parameters,
    programs, state and editor. The audio path belongs to the layers above.

    Host parameters are a table from host index to Parameter. Each host index
    is presented to JUCE's wrappers as one HostParameter, whose answers come
    from the table operations below.
*/
class BasePlugin : public juce::AudioProcessor,
                   public juce::AsyncUpdater,
                   public Parameter::Listener,
                   public SoftwareDesignation
{
public:
    /** Room for host parameters: getNumHostParameters() never exceeds it. */
    static constexpr int maxHostParameters = 128;

    explicit BasePlugin (const BusesProperties& buses);
    ~BasePlugin() override;

    /** The start-up sequence after construction: the post-construction step,
        initialise() and the editor component. */
    void startUp();

    //==============================================================================
    const juce::String getName() const override;
    void reset() override {}
    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override { return true; }

    int getNumPrograms() override { return 0; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram (int) override {}
    const juce::String getProgramName (int) override { return {}; }
    void changeProgramName (int, const juce::String&) override {}

    void getStateInformation (juce::MemoryBlock& destData) override;
    void getCurrentProgramStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;
    /** setStateInformation, telling whether the bytes held a state of this
        plug-in (a damaged or foreign chunk restores nothing). */
    bool restoreState (const void* data, int sizeInBytes);
    void setCurrentProgramStateInformation (const void* data, int sizeInBytes) override;

    //==============================================================================
    // The host parameter table. Indices at or beyond getNumHostParameters()
    // read as 0 or empty and ignore writes.
    float getHostParameter (int index);
    void setHostParameter (int index, float value);
    juce::String getHostParameterName (int index);
    juce::String getHostParameterText (int index);
    bool isHostParameterAutomatable (int index);

    /** Text the host shows for a value other than the current one (VST3 asks). */
    juce::String getHostParameterTextForValue (int index, float normalisedValue);
    /** The normalised value a text typed into the host stands for; a text
        without a value leaves the parameter's current value. */
    float getHostParameterValueForText (int index, const juce::String& text);
    /** The same, or nothing when the text holds no value. */
    std::optional<float> findHostParameterValueForText (int index, const juce::String& text);

    //==============================================================================
    // The framework's own operations, for the layers above to extend.
    virtual void initialise();
    virtual std::unique_ptr<BasePluginEditor> createEditorComponent();
    virtual juce::String getPluginName() const;
    virtual juce::String getShortName() const;
    virtual bool isStateXml (const juce::XmlElement& element) const;
    virtual void restoreStateFromXml (const juce::XmlElement& element);
    virtual std::unique_ptr<juce::XmlElement> createStateXml();
    virtual void restoreProgramStateFromXml (const juce::XmlElement& element);
    virtual std::unique_ptr<juce::XmlElement> createProgramStateXml();
    virtual bool isUserSettingsXml (const juce::XmlElement& element) const;
    virtual void loadUserSettingsXml (const juce::XmlElement& element);
    virtual std::unique_ptr<juce::XmlElement> createUserSettingsXml();
    virtual int getNumHostParameters() const;
    virtual juce::String getParameterDisplayText (int identifier);
    virtual void handleEvent (int identifier);
    virtual bool isDebugMode() const;
    virtual void afterInitialise();

    /** Display text of a parameter at a value it does not have now; by default
        the parameter's own text for that value. */
    virtual juce::String getParameterDisplayTextForValue (int identifier, float normalisedValue);

    /** The normalised value a text typed into a host's parameter field stands
        for, or nothing when the text holds no value; by default the
        parameter's own reading of the text. */
    virtual std::optional<float> getParameterValueForText (int identifier, const juce::String& text);

    //==============================================================================
    void parameterChanged (Parameter* parameter) override;
    void parameterGestureBegan (Parameter* parameter) override;
    void parameterGestureEnded (Parameter* parameter) override;

    //==============================================================================
    juce::String getSoftwareName() const override      { return getPluginName(); }
    juce::String getPluginFileLocation() const override { return pluginFile; }
    juce::String getPluginFormat() const override;

    //==============================================================================
    // The editor's size on the screen: 0 follows the host (or the desktop),
    // 100 … 200 is a size in per cent the user chose. Kept in the user
    // settings; open editors follow a change at once (message thread).
    static constexpr int automaticInterfaceSize = 0;
    static bool isInterfaceSize (int size) noexcept { return size == automaticInterfaceSize || (size >= 100 && size <= 200); }
    int getInterfaceSize() const noexcept { return interfaceSize.load(); }
    void setInterfaceSize (int size);
    juce::ChangeBroadcaster& getInterfaceSizeBroadcaster() noexcept { return interfaceSizeChanged; }
    /** The format's name where JUCE has no wrapper type for it ("CLAP"). */
    void setPluginFormatName (const juce::String& name) { formatName = name; }
    juce::String getArchitecture() const override;

    //==============================================================================
    ParameterManager& getParameterManager() noexcept   { return parameterManager; }
    EventsMap& getEventsMap() noexcept                 { return eventsMap; }
    MidiControl& getMidiControl() noexcept             { return *midiControl; }
    BasePluginEditor* getEditorComponent() const noexcept { return editorComponent.get(); }
    const juce::String& getPluginFile() const noexcept      { return pluginFile; }
    const juce::String& getPluginDirectory() const noexcept { return pluginDirectory; }

    /** Where this instance reads and writes its user settings file (see
        SettingsFileLocation); decided when the instance starts. */
    const SettingsFileLocation& getUserSettingsLocation();
    /** The user settings file this instance writes. */
    juce::File getUserSettingsFile();
    void loadUserSettingsFile();
    /** Writes the settings through AtomicFileWriter: a read-only file, or
        one that cannot be replaced, stays as it was. Never throws. */
    void saveUserSettingsFile() noexcept;

    /** Puts every instance's settings file into `folder` instead; for tools
        and tests that must not share a user's settings. */
    static void setUserSettingsFolderOverride (const juce::File& folder);
    static juce::File getUserSettingsFolderOverride();

    void addStateObserver (StateObserver* observer);
    void removeStateObserver (StateObserver* observer);

    /** Polled and cleared by the editor's MIDI activity light. */
    std::atomic<int> midiActivity { 0 };

protected:
    /** Deletes the editor, and stops one from being built, before the
        processor's parts go: every layer's destructor calls it first, since
        the editor reads them on the message thread. */
    void shutDownEditor();

    /** Host index i shows the parameter whose identifier is i; called by the
        preset layer's initialise() before the lower layer's. */
    void fillHostParameterTable();

    /** Tells the host, on the message thread, that the program it shows
        (its name) has changed; callable from any thread. */
    void announceProgramChange();

private:
    void postConstruction();
    void createEditorComponentOnMessageThread();
    void buildEditorComponent();
    void showSettingsFileNotice();
    void deleteEditorComponent();
    void addDebugParametersAndEvents();
    void handleAsyncUpdate() override;

    Parameter* getHostTableEntry (int index) const;
    int findHostIndex (int identifier) const;

    /** Lets a build of the editor that was posted to the message thread
        find out, safely, whether the processor still exists: the host may
        destroy it on a thread of its own meanwhile. Held while the editor is
        built, so destruction waits for a build that is under way. */
    struct EditorBuildGate
    {
        std::recursive_mutex lock;
        BasePlugin* owner = nullptr;
    };

    std::shared_ptr<EditorBuildGate> editorBuildGate = std::make_shared<EditorBuildGate>();
    std::unique_ptr<BasePluginEditor> editorComponent;
    juce::String pluginDirectory;
    juce::String pluginFile;
    juce::String formatName;
    SettingsFileLocation userSettingsLocation;
    std::atomic<int> interfaceSize { automaticInterfaceSize };
    juce::ChangeBroadcaster interfaceSizeChanged;
    ParameterManager parameterManager;

    juce::Array<Parameter*> hostParameters;
    juce::CriticalSection hostParametersLock;
    juce::HashMap<int, int> hostIndexOfParameter { 101 };
    juce::CriticalSection hostIndexLock;
    std::array<std::atomic<float>, maxHostParameters> hostValues {};
    std::array<std::atomic<int>, maxHostParameters> hostIsSetting {};

    std::unique_ptr<MidiControl> midiControl;
    EventsMap eventsMap;

    std::atomic<int> stateRestoredPending { 0 };
    std::atomic<int> stateSavedPending { 0 };
    std::atomic<int> programChangePending { 0 };
    juce::Array<StateObserver*> stateObservers;

    // The JUCE parameter objects the wrappers see, one per host index; owned
    // by juce::AudioProcessor.
    juce::Array<HostParameter*> hostParameterAdapters;

    JUCE_DECLARE_NON_COPYABLE (BasePlugin)
};
