#include "presets/PresetBank.h"

#include <algorithm>

PresetBank::PresetBank (int numPresetParameters)
    : numValues (juce::jlimit (0, maxValues, numPresetParameters)),
      defaultValues ("Preset", numValues, -1),
      clipboard ("Preset", numValues, -1)
{
    slots.reserve (slotCount);

    for (int i = 0; i < slotCount; ++i)
        slots.push_back (std::make_unique<Preset> ("Preset", numValues, i));
}

//==============================================================================
Preset PresetBank::getPreset (int index) const
{
    const juce::ScopedLock sl (lock);
    return isValidSlot (index) ? *slots[(size_t) index] : Preset ({}, numValues, -1);
}

void PresetBank::setPreset (int index, const Preset& preset)
{
    const juce::ScopedLock sl (lock);

    if (! isValidSlot (index))
        return;

    assignNameAndValues (*slots[(size_t) index], preset);
}

void PresetBank::assignNameAndValues (Preset& record, const Preset& source) const
{
    record.name = source.name;
    std::copy_n (source.values.begin(), std::min (source.getCount(), numValues), record.values.begin());
}

juce::String PresetBank::getName (int index) const
{
    const juce::ScopedLock sl (lock);
    return isValidSlot (index) ? slots[(size_t) index]->name : juce::String();
}

void PresetBank::setName (int index, const juce::String& name)
{
    const juce::ScopedLock sl (lock);

    if (isValidSlot (index))
        slots[(size_t) index]->name = name;
}

float PresetBank::getValue (int index, int valueIndex) const
{
    const juce::ScopedLock sl (lock);
    return isValidSlot (index) && valueIndex >= 0 && valueIndex < numValues ? slots[(size_t) index]->values[(size_t) valueIndex] : 0.0f;
}

void PresetBank::setValue (int index, int valueIndex, float value)
{
    const juce::ScopedLock sl (lock);

    if (isValidSlot (index) && valueIndex >= 0 && valueIndex < numValues)
        slots[(size_t) index]->values[(size_t) valueIndex] = value;
}

void PresetBank::copyValues (int index, float* destination) const
{
    const juce::ScopedLock sl (lock);

    if (isValidSlot (index))
        std::copy_n (slots[(size_t) index]->values.begin(), numValues, destination);
}

void PresetBank::setValues (int index, const float* source)
{
    const juce::ScopedLock sl (lock);

    if (isValidSlot (index))
        std::copy_n (source, numValues, slots[(size_t) index]->values.begin());
}

int PresetBank::findRecord (int slotNumber) const
{
    const juce::ScopedLock sl (lock);

    for (size_t i = 0; i < slots.size(); ++i)
        if (slots[i]->slot == slotNumber)
            return (int) i;

    return -1;
}

int PresetBank::getRecordNumber (int index) const
{
    const juce::ScopedLock sl (lock);
    return isValidSlot (index) ? slots[(size_t) index]->slot : -1;
}

void PresetBank::moveRecord (int from, int to)
{
    const juce::ScopedLock sl (lock);

    if (! isValidSlot (from) || ! isValidSlot (to) || from == to)
        return;

    auto record = std::move (slots[(size_t) from]);
    slots.erase (slots.begin() + from);
    slots.insert (slots.begin() + to, std::move (record));
}

void PresetBank::moveRecords (const std::vector<int>& positions, int insertBefore)
{
    const juce::ScopedLock sl (lock);

    std::vector<std::unique_ptr<Preset>> taken;
    auto target = insertBefore;

    // Take from the back so the earlier positions stay valid.
    for (auto i = positions.rbegin(); i != positions.rend(); ++i)
    {
        if (! isValidSlot (*i) || *i >= (int) slots.size())
            continue;

        taken.insert (taken.begin(), std::move (slots[(size_t) *i]));
        slots.erase (slots.begin() + *i);

        if (*i < insertBefore)
            --target;
    }

    target = juce::jlimit (0, (int) slots.size(), target);
    slots.insert (slots.begin() + target, std::make_move_iterator (taken.begin()), std::make_move_iterator (taken.end()));
}

//==============================================================================
int PresetBank::getNumGroups() const
{
    const juce::ScopedLock sl (lock);
    return (int) groups.size();
}

PresetGroup PresetBank::getGroup (int group) const
{
    const juce::ScopedLock sl (lock);
    return isValidGroupIndex (group, (int) groups.size()) ? groups[(size_t) group] : PresetGroup();
}

juce::String PresetBank::getGroupName (int group) const
{
    return getGroup (group).name;
}

int PresetBank::getGroupCount (int group) const
{
    return getGroup (group).count;
}

void PresetBank::setGroupName (int group, const juce::String& name)
{
    const juce::ScopedLock sl (lock);

    if (isValidGroupIndex (group, (int) groups.size()))
        groups[(size_t) group].name = name;
}

void PresetBank::setGroupCount (int group, int count)
{
    const juce::ScopedLock sl (lock);

    if (isValidGroupIndex (group, (int) groups.size()))
        groups[(size_t) group].count = count;
}

void PresetBank::insertGroup (int position, const PresetGroup& group)
{
    const juce::ScopedLock sl (lock);
    groups.insert (groups.begin() + juce::jlimit (0, (int) groups.size(), position), group);
}

void PresetBank::appendGroup (const PresetGroup& group)
{
    const juce::ScopedLock sl (lock);
    groups.push_back (group);
}

void PresetBank::removeGroup (int group)
{
    const juce::ScopedLock sl (lock);

    if (isValidGroupIndex (group, (int) groups.size()))
        groups.erase (groups.begin() + group);
}

void PresetBank::moveGroupRecord (int from, int to)
{
    const juce::ScopedLock sl (lock);
    const auto n = (int) groups.size();

    if (! isValidGroupIndex (from, n) || ! isValidGroupIndex (to, n) || from == to)
        return;

    const auto group = groups[(size_t) from];
    groups.erase (groups.begin() + from);
    groups.insert (groups.begin() + to, group);
}

void PresetBank::clearGroups()
{
    const juce::ScopedLock sl (lock);
    groups.clear();
}

int PresetBank::firstPresetOfGroupLocked (int group) const
{
    if (! isValidGroupIndex (group, (int) groups.size()))
        return -1;

    int first = 0;

    for (int g = 0; g < group; ++g)
        first += groups[(size_t) g].count;

    return first;
}

int PresetBank::firstPresetOfGroup (int group) const
{
    const juce::ScopedLock sl (lock);
    return firstPresetOfGroupLocked (group);
}

int PresetBank::lastPresetOfGroup (int group) const
{
    const juce::ScopedLock sl (lock);
    const auto first = firstPresetOfGroupLocked (group);
    return first < 0 ? -1 : first + groups[(size_t) group].count - 1;
}

int PresetBank::groupOfPreset (int index) const
{
    const juce::ScopedLock sl (lock);
    int sum = 0;

    for (size_t g = 0; g < groups.size(); ++g)
    {
        if (index < sum + groups[g].count)
            return (int) g;

        sum += groups[g].count;
    }

    return -1;
}

int PresetBank::presetIndexInBank (int group, int indexInGroup) const
{
    const juce::ScopedLock sl (lock);
    const auto first = firstPresetOfGroupLocked (group);

    if (first < 0 || indexInGroup < 0 || indexInGroup >= groups[(size_t) group].count || first + indexInGroup >= slotCount)
        return -1;

    return first + indexInGroup;
}

//==============================================================================
juce::String PresetBank::getBankName() const
{
    const juce::ScopedLock sl (lock);
    return bankName;
}

void PresetBank::setBankName (const juce::String& name)
{
    const juce::ScopedLock sl (lock);
    bankName = name;
}

Preset PresetBank::getDefaultValues() const
{
    const juce::ScopedLock sl (lock);
    return defaultValues;
}

void PresetBank::setDefaultValues (const Preset& preset)
{
    const juce::ScopedLock sl (lock);
    assignNameAndValues (defaultValues, preset);
}

Preset PresetBank::getClipboard() const
{
    const juce::ScopedLock sl (lock);
    return clipboard;
}

void PresetBank::setClipboard (const Preset& preset)
{
    const juce::ScopedLock sl (lock);
    assignNameAndValues (clipboard, preset);
}
