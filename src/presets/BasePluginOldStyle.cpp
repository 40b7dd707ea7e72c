#include "presets/BasePluginOldStyle.h"

#include "editor/BasePluginEditorOldStyle.h"
#include "parameters/IntParameter.h"
#include "parameters/StringParameter.h"
#include "plugin/EmbeddedResources.h"
#include "plugin/XmlNames.h"

BasePluginOldStyle::BasePluginOldStyle (int presetParameters, int notPresetableParameters, const BusesProperties& buses)
    : BasePlugin (buses),
      numPresetParameters (juce::jlimit (0, PresetBank::maxValues, presetParameters)),
      numNotPresetableParameters (juce::jmax (0, notPresetableParameters)),
      bank (presetParameters)
{
    auto& parameters = getParameterManager();
    parameters.addParameter (new IntParameter (currentPresetNumberIdentifier, "Current Preset Number", 0, PresetBank::slotCount - 1, 0));
    parameters.addParameter (new StringParameter (currentPresetNameIdentifier, "Current Preset Name"));
}

//==============================================================================
int BasePluginOldStyle::getNumPrograms()
{
    return wrapperType == wrapperType_VST ? 1 : 0;
}

const juce::String BasePluginOldStyle::getProgramName (int index)
{
    if (index != 0 || getNumPrograms() == 0)
        return {};

    if (auto* name = getParameterManager().getParameter (currentPresetNameIdentifier))
        return name->getText();

    return {};
}

//==============================================================================
void BasePluginOldStyle::initialise()
{
    fillHostParameterTable();

    {
        const juce::SpinLock::ScopedLockType sl (recentlyUsedDirectoryLock);
        recentlyUsedDirectory = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getFullPathName();
    }

    // Listeners, user settings, the MIDI map's start-up file, afterInitialise().
    BasePlugin::initialise();

    loadDefaultValues();
    loadStartUpBank();

    if (PresetBank::isValidSlot (currentPreset.load()))
        applyCurrentPreset();

    // Parameters presets leave alone are announced once with their own value.
    for (int i = numPresetParameters; i < numPresetParameters + numNotPresetableParameters; ++i)
        if (auto* parameter = getParameterManager().getParameter (i))
            parameter->announce();
}

void BasePluginOldStyle::loadDefaultValues()
{
    // Without a readable default preset, cleared slots take the parameters'
    // initial values.
    Preset defaults ("empty", numPresetParameters, -1);
    fillLiveValues (defaults.values.data());

    if (auto root = XmlNames::parseText (loadResourceString ("default.kvprs")))
        loadPresetFromXml (*root, defaults);

    bank.setDefaultValues (defaults);
}

void BasePluginOldStyle::loadStartUpBank()
{
    const auto userBank = juce::File::isAbsolutePath (userDefinedBankFile) ? juce::File (userDefinedBankFile) : juce::File();

    if (defaultPresetsMode == clearedPresets)
    {
        clearPresets();
        return;
    }

    std::unique_ptr<juce::XmlElement> root;

    if (defaultPresetsMode == userDefinedPresets && userBank.existsAsFile())
    {
        root = XmlNames::parseFile (userBank);
        rememberFolderOf (userBank);
    }

    // A user's bank that cannot be read (damaged, no bank, endless) leaves
    // the instance with the factory bank, as a missing one does.
    if (root == nullptr || ! isPresetBankXml (*root))
        root = XmlNames::parseText (loadResourceString ("default.kvprsb"));

    if (root != nullptr)
        loadBankFromXml (*root);
}

//==============================================================================
void BasePluginOldStyle::setCurrentPresetIndex (int index, bool notify)
{
    if (! PresetBank::isValidSlot (index))
        return;

    currentPreset.store (index);

    auto& parameters = getParameterManager();

    if (auto* number = parameters.getParameter (currentPresetNumberIdentifier))
        number->setIntValue (index, notify);

    if (auto* name = parameters.getParameter (currentPresetNameIdentifier))
        name->setText (bank.getName (index), notify);
}

void BasePluginOldStyle::fillLiveValues (float* destination)
{
    auto& parameters = getParameterManager();

    for (int i = 0; i < numPresetParameters; ++i)
        destination[i] = parameters.getNormalisedValue (i);
}

void BasePluginOldStyle::applyCurrentPreset()
{
    // May run on the audio thread (program change, silent change): the
    // values are copied out of the bank without allocating.
    const auto index = currentPreset.load();
    float values[PresetBank::maxValues] = {};
    bank.copyValues (index, values);

    auto& parameters = getParameterManager();

    for (int i = 0; i < numPresetParameters; ++i)
        parameters.setNormalisedValue (i, values[i]);

    parameters.setCurrentPresetNumber (index);
    parameters.setCurrentPresetName (bank.getName (index));

    for (int i = presetManagerListeners.size(); --i >= 0;)
        presetManagerListeners.getUnchecked (i)->presetChanged();
}

void BasePluginOldStyle::changeToCurrentPreset()
{
    if (auto* changer = presetChanger.load(); changer != nullptr && isSilentPresetChange())
        changer->changePreset();
    else
        applyCurrentPreset();
}

void BasePluginOldStyle::selectNextPreset()
{
    const auto next = currentPreset.load() + 1;

    if (PresetBank::isValidSlot (next))
    {
        currentPreset.store (next);
        changeToCurrentPreset();
    }
}

void BasePluginOldStyle::selectPreviousPreset()
{
    const auto previous = currentPreset.load() - 1;

    if (PresetBank::isValidSlot (previous))
    {
        currentPreset.store (previous);
        changeToCurrentPreset();
    }
}

void BasePluginOldStyle::selectPreset (int index)
{
    if (index == currentPreset.load() || ! PresetBank::isValidSlot (index))
        return;

    currentPreset.store (index);
    changeToCurrentPreset();
}

void BasePluginOldStyle::selectPresetFromProgramChange (int program)
{
    if (! PresetBank::isValidSlot (program))
        return;

    currentPreset.store (program);
    changeToCurrentPreset();
}

//==============================================================================
void BasePluginOldStyle::storePreset (int index)
{
    if (! PresetBank::isValidSlot (index))
        return;

    float values[PresetBank::maxValues] = {};
    fillLiveValues (values);
    bank.setValues (index, values);
}

void BasePluginOldStyle::copyCurrentPreset()
{
    Preset copy (bank.getName (currentPreset.load()) + "_copy", numPresetParameters, -1);
    fillLiveValues (copy.values.data());
    bank.setClipboard (copy);
    clipboardFilled.store (true);
}

void BasePluginOldStyle::pasteCopiedPreset()
{
    if (! clipboardFilled.load())
        return;

    const auto copy = bank.getClipboard();
    auto& parameters = getParameterManager();

    for (int i = 0; i < numPresetParameters; ++i)
        parameters.setNormalisedValue (i, copy.values[(size_t) i]);

    const auto index = currentPreset.load();
    bank.setName (index, copy.name);
    storePreset (index);
    applyCurrentPreset();
}

void BasePluginOldStyle::renamePreset (int index, const juce::String& name)
{
    if (! PresetBank::isValidSlot (index))
        return;

    bank.setName (index, name);

    if (index == currentPreset.load())
        getParameterManager().setCurrentPresetName (name);
}

//==============================================================================
void BasePluginOldStyle::addGroup (int group)
{
    if (bank.isValidGroup (group))
        bank.insertGroup (group, { "New Group", 0 });
}

void BasePluginOldStyle::removeEmptyGroup (int group)
{
    if (bank.isValidGroup (group) && bank.getGroupCount (group) == 0)
        bank.removeGroup (group);
}

void BasePluginOldStyle::renameGroup (int group, const juce::String& name)
{
    bank.setGroupName (group, name);
}

void BasePluginOldStyle::movePreset (int from, int to, int fromGroup, int toGroup)
{
    if (! bank.isValidGroup (fromGroup) || ! bank.isValidGroup (toGroup)
        || ! PresetBank::isValidSlot (from) || ! PresetBank::isValidSlot (to) || from == to)
        return;

    const auto current = bank.getRecordNumber (currentPreset.load());

    if (fromGroup != toGroup)
    {
        bank.setGroupCount (fromGroup, bank.getGroupCount (fromGroup) - 1);
        bank.setGroupCount (toGroup, bank.getGroupCount (toGroup) + 1);
    }

    bank.moveRecord (from, to);
    setCurrentPresetIndex (bank.findRecord (current), false);
}

void BasePluginOldStyle::movePresetsToGroup (int toGroup, int fromGroup, const juce::SparseSet<int>& selection)
{
    if (! bank.isValidGroup (fromGroup) || ! bank.isValidGroup (toGroup) || fromGroup == toGroup || selection.isEmpty())
        return;

    const auto first = bank.firstPresetOfGroup (fromGroup);
    const auto count = bank.getGroupCount (fromGroup);
    std::vector<int> positions;

    for (int i = 0; i < selection.size(); ++i)
        if (const auto k = selection[i]; k >= 0 && k < count)
            positions.push_back (first + k);

    if (positions.empty())
        return;

    const auto current = bank.getRecordNumber (currentPreset.load());
    const auto endOfDestination = bank.firstPresetOfGroup (toGroup) + bank.getGroupCount (toGroup);

    bank.moveRecords (positions, endOfDestination);
    bank.setGroupCount (fromGroup, count - (int) positions.size());
    bank.setGroupCount (toGroup, bank.getGroupCount (toGroup) + (int) positions.size());
    setCurrentPresetIndex (bank.findRecord (current), false);
}

void BasePluginOldStyle::moveGroup (int from, int to)
{
    if (! bank.isValidGroup (from) || ! bank.isValidGroup (to) || from == to)
        return;

    const auto current = bank.getRecordNumber (currentPreset.load());
    const auto first = bank.firstPresetOfGroup (from);
    std::vector<int> positions;

    for (int i = 0; i < bank.getGroupCount (from); ++i)
        positions.push_back (first + i);

    // Down: after the group now at `to`; up: before it.
    const auto insertBefore = to > from ? bank.firstPresetOfGroup (to) + bank.getGroupCount (to)
                                        : bank.firstPresetOfGroup (to);

    bank.moveRecords (positions, insertBefore);
    bank.moveGroupRecord (from, to);
    setCurrentPresetIndex (bank.findRecord (current), false);
}

void BasePluginOldStyle::clearPresets()
{
    auto defaults = bank.getDefaultValues();

    for (int i = 0; i < PresetBank::slotCount; ++i)
    {
        defaults.name = "Preset " + juce::String (i);
        bank.setPreset (i, defaults);
    }

    bank.clearGroups();
    bank.appendGroup ({ "Not used", PresetBank::slotCount });
}

//==============================================================================
void BasePluginOldStyle::handleEvent (int identifier)
{
    switch (identifier)
    {
        case EventsMap::selectNextPresetEvent:     selectNextPreset(); break;
        case EventsMap::selectPreviousPresetEvent: selectPreviousPreset(); break;
        case EventsMap::copyCurrentPresetEvent:    copyCurrentPreset(); break;
        case EventsMap::pasteCopiedPresetEvent:    pasteCopiedPreset(); break;
        case EventsMap::storeCurrentPresetEvent:   storePreset (currentPreset.load()); break;
        default: break;
    }
}

void BasePluginOldStyle::parameterChanged (Parameter* parameter)
{
    const auto identifier = parameter->getIdentifier();

    // A VST 2.4 host shows the current preset as its one program.
    if ((identifier == currentPresetNameIdentifier || identifier == currentPresetNumberIdentifier) && getNumPrograms() > 0)
        announceProgramChange();

    if (identifier == currentPresetNameIdentifier)
        renamePreset (currentPreset.load(), parameter->getText());
    else if (identifier >= 0 && identifier < numPresetParameters && ! isPresetStoringOnDemand())
        bank.setValue (currentPreset.load(), identifier, parameter->getNormalisedValue());

    BasePlugin::parameterChanged (parameter);
}

//==============================================================================
void BasePluginOldStyle::setPresetStoringOnDemand (bool onDemand)
{
    const auto wasOnDemand = presetStoringOnDemand.exchange (onDemand ? 1 : 0) != 0;

    if (wasOnDemand && ! onDemand)
        storePreset (currentPreset.load());
}

juce::String BasePluginOldStyle::getRecentlyUsedDirectory() const
{
    const juce::SpinLock::ScopedLockType sl (recentlyUsedDirectoryLock);
    return recentlyUsedDirectory;
}

void BasePluginOldStyle::setRecentlyUsedDirectory (const juce::File& folder)
{
    if (! folder.isDirectory())
        return;

    // A host thread loading a bank and the browser saving a file may both
    // remember their folder at once.
    const auto path = folder.getFullPathName();
    const juce::SpinLock::ScopedLockType sl (recentlyUsedDirectoryLock);
    recentlyUsedDirectory = path;
}

void BasePluginOldStyle::rememberFolderOf (const juce::File& file)
{
    setRecentlyUsedDirectory (file.getParentDirectory());
}

void BasePluginOldStyle::addPresetManagerListener (PresetManagerListener* listener)
{
    presetManagerListeners.addIfNotAlreadyThere (listener);
}

void BasePluginOldStyle::removePresetManagerListener (PresetManagerListener* listener)
{
    presetManagerListeners.removeFirstMatchingValue (listener);
}

std::unique_ptr<BasePluginEditor> BasePluginOldStyle::createEditorComponent()
{
    return std::make_unique<BasePluginEditorOldStyle> (*this);
}
