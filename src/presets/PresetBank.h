#pragma once

#include "presets/Preset.h"
#include "presets/PresetGroup.h"

#include <juce_core/juce_core.h>

#include <memory>
#include <vector>

/*  The bank in memory: exactly 128 preset records in an order that moves can
    change, and the groups that partition them (group 0 owns the first
    count0 slots, group 1 the next count1, ...).

    One lock guards the whole bank. Every call takes it for the whole of its
    own work, so a record is never read half-written and a move is never seen
    half-done; no call holds it while calling out, so nothing that reacts to
    a preset (parameters, host, core) runs under it.
*/
class PresetBank
{
public:
    static constexpr int slotCount = 128;
    static constexpr int maxValues = 128;

    explicit PresetBank (int numPresetParameters);

    int getNumValues() const noexcept { return numValues; }

    //==============================================================================
    // Slots, by their current position 0 … 127. Invalid indices do nothing and
    // read as empty.
    static bool isValidSlot (int index) noexcept { return (unsigned) index < (unsigned) slotCount; }

    Preset getPreset (int index) const;
    void setPreset (int index, const Preset& preset);   // name and values; the record stays where it is
    juce::String getName (int index) const;
    void setName (int index, const juce::String& name);
    float getValue (int index, int valueIndex) const;
    void setValue (int index, int valueIndex, float value);

    /** Copies a slot's values into `destination` (room for getNumValues());
        takes no allocation, for the audio thread. */
    void copyValues (int index, float* destination) const;
    void setValues (int index, const float* source);

    /** Where the record created as slot number `slotNumber` is now, or -1. */
    int findRecord (int slotNumber) const;
    /** The creation slot number of the record at `index`, or -1. */
    int getRecordNumber (int index) const;

    /** Moves the record at `from` to position `to`, shifting those between. */
    void moveRecord (int from, int to);
    /** Takes the records at the positions given (ascending) out and inserts
        them, in order, before what was at position `insertBefore`. */
    void moveRecords (const std::vector<int>& positions, int insertBefore);

    //==============================================================================
    int getNumGroups() const;
    static bool isValidGroupIndex (int group, int numGroups) noexcept { return group >= 0 && group < numGroups; }
    bool isValidGroup (int group) const { return isValidGroupIndex (group, getNumGroups()); }
    PresetGroup getGroup (int group) const;
    juce::String getGroupName (int group) const;
    int getGroupCount (int group) const;
    void setGroupName (int group, const juce::String& name);
    void setGroupCount (int group, int count);
    void insertGroup (int position, const PresetGroup& group);
    void appendGroup (const PresetGroup& group);
    void removeGroup (int group);
    void moveGroupRecord (int from, int to);
    void clearGroups();

    int firstPresetOfGroup (int group) const;
    int lastPresetOfGroup (int group) const;
    int groupOfPreset (int index) const;
    int presetIndexInBank (int group, int indexInGroup) const;

    //==============================================================================
    juce::String getBankName() const;
    void setBankName (const juce::String& name);

    /** The values a cleared slot receives, and the copy/paste clipboard:
        two records outside the slot list. */
    Preset getDefaultValues() const;
    void setDefaultValues (const Preset& preset);
    Preset getClipboard() const;
    void setClipboard (const Preset& preset);

private:
    int firstPresetOfGroupLocked (int group) const;
    void assignNameAndValues (Preset& record, const Preset& source) const;

    const int numValues;
    mutable juce::CriticalSection lock;
    std::vector<std::unique_ptr<Preset>> slots;
    std::vector<PresetGroup> groups;
    juce::String bankName { "Preset Bank" };
    Preset defaultValues, clipboard;

    JUCE_DECLARE_NON_COPYABLE (PresetBank)
};
