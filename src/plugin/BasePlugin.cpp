#include "plugin/BasePlugin.h"

#include "editor/BasePluginEditor.h"
#include "midi/MidiControl.h"
#include "parameters/FloatParameter.h"
#include "plugin/AtomicFileWriter.h"
#include "plugin/AudioProcessorEditorWrapper.h"
#include "plugin/HostParameter.h"
#include "plugin/ModuleLocation.h"
#include "plugin/XmlNames.h"
#include "presets/StateChunk.h"

#include <chrono>
#include <condition_variable>
#include <thread>

namespace
{
    constexpr int debugParameterCount = 12;
    constexpr int firstDebugParameterIdentifier = 300000;
    constexpr int firstDebugEventIdentifier = 10000;
    constexpr int editorRefreshMilliseconds = 25;
}

BasePlugin::BasePlugin (const BusesProperties& buses)
    : juce::AudioProcessor (buses)
{
    hostParameters.ensureStorageAllocated (200);
    editorBuildGate->owner = this;

    midiControl = std::make_unique<MidiControl> (parameterManager);
    parameterManager.loadFromResource ("parameters.xml");
    eventsMap.loadFromResource ("events.xml");
    eventsMap.registerBuiltInEvents();
}

BasePlugin::~BasePlugin()
{
    cancelPendingUpdate();

    shutDownEditor();
    midiControl.reset();
    eventsMap.clear();

    {
        const juce::ScopedLock sl (hostParametersLock);
        hostParameters.clear();
    }
    {
        const juce::ScopedLock sl (hostIndexLock);
        hostIndexOfParameter.clear();
    }
}

//==============================================================================
void BasePlugin::startUp()
{
    postConstruction();
    initialise();

    // Hosts that keep their own copy of the values (LV2's, from the plug-in's
    // description files) must start from what the instance really starts with.
    for (auto* adapter : hostParameterAdapters)
        adapter->setDefaultValue (adapter->getValue());

    createEditorComponentOnMessageThread();
}

void BasePlugin::postConstruction()
{
    const auto module = getModuleFile();
    pluginFile = module.getFullPathName();
    pluginDirectory = module.getParentDirectory().getFullPathName();

    midiControl->setPluginName (getPluginName());

    if (isDebugMode())
        addDebugParametersAndEvents();
}

void BasePlugin::addDebugParametersAndEvents()
{
    for (int i = 0; i < debugParameterCount; ++i)
    {
        auto* parameter = new FloatParameter (firstDebugParameterIdentifier + i,
                                              "Debug Parameter " + juce::String (i), 0.0f, 1.0f, 0.0f);
        parameter->setAutomatable (false);

        if (parameterManager.addParameter (parameter))
            parameter->addListener (this);
    }

    for (int i = 0; i < debugParameterCount; ++i)
        eventsMap.add (firstDebugEventIdentifier + i, "Debug Event " + juce::String (i));
}

void BasePlugin::initialise()
{
    parameterManager.addListenerToAll (this);

    loadUserSettingsFile();
    midiControl->loadDefaultMapIfWanted();

    afterInitialise();
}

void BasePlugin::fillHostParameterTable()
{
    const auto count = juce::jlimit (0, maxHostParameters, getNumHostParameters());

    for (int index = 0; index < count; ++index)
    {
        auto* parameter = parameterManager.getParameter (index);

        {
            const juce::ScopedLock sl (hostParametersLock);
            hostParameters.set (index, parameter);
        }
        {
            const juce::ScopedLock sl (hostIndexLock);
            hostIndexOfParameter.set (index, index);
        }
    }

    // JUCE's wrappers read the parameter list once, when they are created,
    // which is after start-up: the adapters exist by then.
    if (hostParameterAdapters.isEmpty())
    {
        juce::StringArray identifiers;

        for (int index = 0; index < count; ++index)
        {
            auto identifier = HostParameter::identifierForName (getHostParameterName (index));

            if (identifiers.contains (identifier))
                identifier << index;

            identifiers.add (identifier);
            auto* adapter = new HostParameter (*this, index, identifier, getHostParameter (index));
            hostParameterAdapters.add (adapter);
            addParameter (adapter);
        }
    }
}

//==============================================================================
void BasePlugin::createEditorComponentOnMessageThread()
{
    auto* messageManager = juce::MessageManager::getInstanceWithoutCreating();

    if (messageManager != nullptr && messageManager->isThisTheMessageThread())
    {
        buildEditorComponent();
        return;
    }

    // VST3 and LV2 hosts may construct the processor on a thread of their
    // own while JUCE runs the message thread; the editor is built there.
    auto gate = editorBuildGate;
    juce::MessageManager::callAsync ([gate]
    {
        const std::lock_guard<std::recursive_mutex> lock (gate->lock);

        if (gate->owner != nullptr)
            gate->owner->buildEditorComponent();
    });
}

void BasePlugin::buildEditorComponent()
{
    const std::lock_guard<std::recursive_mutex> gate (editorBuildGate->lock);

    if (editorComponent != nullptr)
        return;

    editorComponent = createEditorComponent();

    if (editorComponent == nullptr)
        return;

    editorComponent->buildDefaultLayout();

    if (isDebugMode())
        editorComponent->showDebugPanel();

    editorComponent->startTimer (editorRefreshMilliseconds);
    parameterManager.announceAll();
    showSettingsFileNotice();
}

void BasePlugin::showSettingsFileNotice()
{
    // The user learns it while the choices can still be made elsewhere,
    // not when the instance closes and they are lost.
    if (editorComponent != nullptr && userSettingsLocation.isFileToWriteReadOnly())
        editorComponent->showReadOnlySettingsNotice (userSettingsLocation.getFileToWrite().getFileName());
}

void BasePlugin::shutDownEditor()
{
    {
        // Waits for a build under way on the message thread; a build still
        // queued finds nobody to build for.
        const std::lock_guard<std::recursive_mutex> gate (editorBuildGate->lock);
        editorBuildGate->owner = nullptr;
    }

    deleteEditorComponent();
}

void BasePlugin::deleteEditorComponent()
{
    if (editorComponent == nullptr)
        return;

    auto* messageManager = juce::MessageManager::getInstanceWithoutCreating();

    if (messageManager == nullptr || messageManager->isThisTheMessageThread())
    {
        editorComponent->stopTimer();
        editorComponent.reset();
        return;
    }

    // Components belong to the message thread, whose timers and repaints
    // touch the editor: a host destroying the processor on a thread of its
    // own deletes it while that thread is held between two callbacks. A host
    // whose message thread waits for this one would never let it in, so the
    // wait is bounded and the editor then goes without the lock.
    juce::MessageManager::Lock lock;
    std::mutex waitLock;
    std::condition_variable finished;
    bool done = false;

    std::thread watchdog ([&]
    {
        std::unique_lock<std::mutex> guard (waitLock);

        if (! finished.wait_for (guard, std::chrono::seconds (2), [&] { return done; }))
            lock.abort();
    });

    const bool locked = lock.tryEnter();

    {
        const std::lock_guard<std::mutex> guard (waitLock);
        done = true;
    }

    finished.notify_one();
    watchdog.join();

    editorComponent->stopTimer();
    editorComponent.reset();

    if (locked)
        lock.exit();
}

namespace
{
    /*  Hosts reach these calls through the formats' C interfaces, where an
        exception (running out of memory while building a document, say)
        would unwind through the host's own code: it ends here instead, and
        the call has done nothing. */
    template <typename Call>
    bool withoutExceptions (Call&& call) noexcept
    {
        try
        {
            call();
            return true;
        }
        catch (...)
        {
            return false;
        }
    }
}

juce::AudioProcessorEditor* BasePlugin::createEditor()
{
    juce::AudioProcessorEditor* editor = nullptr;

    withoutExceptions ([&]
    {
        // The host asks on the message thread; an editor still waiting for
        // its asynchronous construction is built now.
        buildEditorComponent();

        if (editorComponent != nullptr)
        {
            // Every window opened tells it again, in case it was cleared.
            showSettingsFileNotice();
            editor = new AudioProcessorEditorWrapper (*this, *editorComponent);
        }
    });

    return editor;
}

const juce::String BasePlugin::getName() const
{
    return getPluginName();
}

//==============================================================================
void BasePlugin::getStateInformation (juce::MemoryBlock& destData)
{
    // A save that fails hands over no chunk rather than part of one.
    if (! withoutExceptions ([&] { if (auto element = createStateXml()) StateChunk::pack (*element, destData); }))
        destData.reset();

    stateSavedPending.exchange (1);
    triggerAsyncUpdate();
}

void BasePlugin::setStateInformation (const void* data, int sizeInBytes)
{
    restoreState (data, sizeInBytes);
}

bool BasePlugin::restoreState (const void* data, int sizeInBytes)
{
    bool taken = false;

    withoutExceptions ([&]
    {
        if (auto element = StateChunk::unpack (data, sizeInBytes))
        {
            taken = isStateXml (*element);
            restoreStateFromXml (*element);
        }
    });

    stateRestoredPending.exchange (1);
    triggerAsyncUpdate();
    return taken;
}

void BasePlugin::getCurrentProgramStateInformation (juce::MemoryBlock& destData)
{
    if (! withoutExceptions ([&] { if (auto element = createProgramStateXml()) StateChunk::pack (*element, destData); }))
        destData.reset();
}

void BasePlugin::setCurrentProgramStateInformation (const void* data, int sizeInBytes)
{
    withoutExceptions ([&] { if (auto element = StateChunk::unpack (data, sizeInBytes)) restoreProgramStateFromXml (*element); });
}

//==============================================================================
static juce::File& userSettingsFolderOverride()
{
    static juce::File folder;
    return folder;
}

void BasePlugin::setUserSettingsFolderOverride (const juce::File& folder)
{
    userSettingsFolderOverride() = folder;
}

juce::File BasePlugin::getUserSettingsFolderOverride()
{
    return userSettingsFolderOverride();
}

const SettingsFileLocation& BasePlugin::getUserSettingsLocation()
{
    // Decided by the first look, at start-up; an instance that is never
    // started decides when it writes.
    if (! userSettingsLocation.isKnown())
        userSettingsLocation = SettingsFileLocation::find (pluginDirectory, getPluginName(), userSettingsFolderOverride());

    return userSettingsLocation;
}

juce::File BasePlugin::getUserSettingsFile()
{
    return getUserSettingsLocation().getFileToWrite();
}

void BasePlugin::loadUserSettingsFile()
{
    const auto file = getUserSettingsLocation().getFileToRead();

    if (file.existsAsFile())
        if (auto root = XmlNames::parseFile (file))
            loadUserSettingsXml (*root);
}

void BasePlugin::saveUserSettingsFile() noexcept
{
    // Called from destructors: whatever fails, the old file stays and
    // nothing escapes.
    withoutExceptions ([&]
    {
        auto element = createUserSettingsXml();

        if (element == nullptr)
            return;

        // The bytes JUCE's own writer would put in the file.
        XmlNames::replaceForbiddenCharacters (*element);
        juce::MemoryOutputStream content;
        element->writeTo (content, XmlNames::fileFormat());

        const auto file = getUserSettingsLocation().getFileToWrite();
        file.getParentDirectory().createDirectory();
        AtomicFileWriter::write (file, content.getData(), content.getDataSize());
    });
}

void BasePlugin::addStateObserver (StateObserver* observer)
{
    stateObservers.addIfNotAlreadyThere (observer);
}

void BasePlugin::removeStateObserver (StateObserver* observer)
{
    stateObservers.removeFirstMatchingValue (observer);
}

void BasePlugin::handleAsyncUpdate()
{
    if (stateRestoredPending.exchange (0) == 1)
        for (int i = stateObservers.size(); --i >= 0;)
            stateObservers.getUnchecked (i)->stateRestored (*this);

    if (stateSavedPending.exchange (0) == 1)
        for (int i = stateObservers.size(); --i >= 0;)
            stateObservers.getUnchecked (i)->stateSaved (*this);

    if (programChangePending.exchange (0) == 1)
        updateHostDisplay (ChangeDetails().withProgramChanged (true));
}

void BasePlugin::announceProgramChange()
{
    programChangePending.exchange (1);
    triggerAsyncUpdate();
}

//==============================================================================
Parameter* BasePlugin::getHostTableEntry (int index) const
{
    const juce::ScopedLock sl (hostParametersLock);
    return hostParameters[index];
}

int BasePlugin::findHostIndex (int identifier) const
{
    const juce::ScopedLock sl (hostIndexLock);
    return hostIndexOfParameter.contains (identifier) ? hostIndexOfParameter[identifier] : -1;
}

static bool isHostIndex (int index, int count)
{
    return index >= 0 && index < juce::jmin (count, BasePlugin::maxHostParameters);
}

float BasePlugin::getHostParameter (int index)
{
    if (! isHostIndex (index, getNumHostParameters()))
        return 0.0f;

    if (auto* parameter = getHostTableEntry (index))
        return parameter->getNormalisedValue();

    return hostValues[(size_t) index].load();
}

void BasePlugin::setHostParameter (int index, float value)
{
    if (! isHostIndex (index, getNumHostParameters()))
        return;

    hostValues[(size_t) index].store (value);

    if (auto* parameter = getHostTableEntry (index))
    {
        // While the flag is up, the change is known to come from the host and
        // is not sent back to it as automation.
        hostIsSetting[(size_t) index].exchange (1);
        parameter->setNormalisedValue (value, true);
        hostIsSetting[(size_t) index].exchange (0);
    }
}

juce::String BasePlugin::getHostParameterName (int index)
{
    if (! isHostIndex (index, getNumHostParameters()))
        return {};

    if (auto* parameter = getHostTableEntry (index))
        return parameter->getName();

    return "Parameter " + juce::String (index + 1);
}

juce::String BasePlugin::getHostParameterText (int index)
{
    if (! isHostIndex (index, getNumHostParameters()))
        return {};

    if (auto* parameter = getHostTableEntry (index))
        return getParameterDisplayText (parameter->getIdentifier());

    return juce::String (hostValues[(size_t) index].load(), 9);
}

bool BasePlugin::isHostParameterAutomatable (int index)
{
    return isHostIndex (index, getNumHostParameters());
}

juce::String BasePlugin::getHostParameterTextForValue (int index, float normalisedValue)
{
    if (! isHostIndex (index, getNumHostParameters()))
        return {};

    if (normalisedValue == getHostParameter (index))
        return getHostParameterText (index);

    if (auto* parameter = getHostTableEntry (index))
        return getParameterDisplayTextForValue (parameter->getIdentifier(), normalisedValue);

    return juce::String (normalisedValue, 9);
}

float BasePlugin::getHostParameterValueForText (int index, const juce::String& text)
{
    if (const auto value = findHostParameterValueForText (index, text))
        return *value;

    return getHostParameter (index);
}

std::optional<float> BasePlugin::findHostParameterValueForText (int index, const juce::String& text)
{
    if (! isHostIndex (index, getNumHostParameters()))
        return std::nullopt;

    if (auto* parameter = getHostTableEntry (index))
        return getParameterValueForText (parameter->getIdentifier(), text);

    return juce::jlimit (0.0f, 1.0f, text.getFloatValue());
}

std::optional<float> BasePlugin::getParameterValueForText (int identifier, const juce::String& text)
{
    auto* parameter = parameterManager.getParameter (identifier);

    if (parameter == nullptr)
        return std::nullopt;

    std::unique_ptr<Parameter> scratch (parameter->clone());
    scratch->setText (text, false);
    return scratch->getNormalisedValue();
}

//==============================================================================
void BasePlugin::parameterChanged (Parameter* parameter)
{
    const auto index = findHostIndex (parameter->getIdentifier());

    if (index < 0)
        return;

    const auto value = parameter->getNormalisedValue();

    if (hostIsSetting[(size_t) index].load() == 0)
        if (auto* adapter = hostParameterAdapters[index])
            adapter->sendValueChangedMessageToListeners (value);
}

void BasePlugin::parameterGestureBegan (Parameter* parameter)
{
    const auto index = findHostIndex (parameter->getIdentifier());

    if (auto* adapter = hostParameterAdapters[index])
        adapter->beginChangeGesture();
}

void BasePlugin::parameterGestureEnded (Parameter* parameter)
{
    const auto index = findHostIndex (parameter->getIdentifier());

    if (auto* adapter = hostParameterAdapters[index])
        adapter->endChangeGesture();
}

//==============================================================================
std::unique_ptr<BasePluginEditor> BasePlugin::createEditorComponent()
{
    return std::make_unique<BasePluginEditor> (*this);
}

juce::String BasePlugin::getPluginName() const { return "BasePlugin"; }
juce::String BasePlugin::getShortName() const  { return "XX"; }

bool BasePlugin::isStateXml (const juce::XmlElement& element) const
{
    return XmlNames::hasTag (element, "PluginState")
        && XmlNames::attributeText (element, "application").equalsIgnoreCase (getPluginName());
}

void BasePlugin::restoreStateFromXml (const juce::XmlElement&) {}
std::unique_ptr<juce::XmlElement> BasePlugin::createStateXml() { return nullptr; }
void BasePlugin::restoreProgramStateFromXml (const juce::XmlElement&) {}
std::unique_ptr<juce::XmlElement> BasePlugin::createProgramStateXml() { return nullptr; }

bool BasePlugin::isUserSettingsXml (const juce::XmlElement& element) const
{
    return XmlNames::hasTag (element, "UserSettings")
        && XmlNames::attributeText (element, "application").equalsIgnoreCase (getPluginName());
}

void BasePlugin::loadUserSettingsXml (const juce::XmlElement&) {}
std::unique_ptr<juce::XmlElement> BasePlugin::createUserSettingsXml() { return nullptr; }

int BasePlugin::getNumHostParameters() const { return maxHostParameters; }

juce::String BasePlugin::getParameterDisplayText (int identifier)
{
    return parameterManager.getText (identifier);
}

juce::String BasePlugin::getParameterDisplayTextForValue (int identifier, float normalisedValue)
{
    if (auto* parameter = parameterManager.getParameter (identifier))
    {
        std::unique_ptr<Parameter> scratch (parameter->clone());
        scratch->setNormalisedValue (normalisedValue, false);
        return scratch->getText();
    }

    return {};
}

void BasePlugin::handleEvent (int) {}
bool BasePlugin::isDebugMode() const { return false; }
void BasePlugin::afterInitialise() {}

void BasePlugin::setInterfaceSize (int size)
{
    if (! isInterfaceSize (size) || interfaceSize.exchange (size) == size)
        return;

    // Open editors resize at once; a change read with the settings at
    // start-up (any thread) reaches them on the message thread.
    if (juce::MessageManager::existsAndIsCurrentThread())
        interfaceSizeChanged.sendSynchronousChangeMessage();
    else
        interfaceSizeChanged.sendChangeMessage();
}

juce::String BasePlugin::getPluginFormat() const
{
    // The VST 2.4 build is the product proper; the others name themselves.
    if (formatName.isNotEmpty())               return formatName;
    if (wrapperType == wrapperType_VST3)       return "VST3";
    if (wrapperType == wrapperType_LV2)        return "LV2";
    if (wrapperType == wrapperType_Standalone) return "Standalone";
    return "VST";
}

juce::String BasePlugin::getArchitecture() const
{
    return sizeof (void*) == 8 ? "64bit" : "32bit";
}
