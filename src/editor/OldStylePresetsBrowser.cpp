#include "editor/OldStylePresetsBrowser.h"

#include "editor/FrameworkArtwork.h"
#include "editor/OldStylePresetBrowserWindow.h"
#include "parameters/ParameterManager.h"
#include "presets/BasePluginOldStyle.h"

namespace
{
    PresetBank& bankOf (BasePluginOldStyle& processor)  { return processor.getBank(); }

    /** The only selected row of a column, or -1. */
    int singleSelectedRow (ColumnBrowser::ListColumn* column)
    {
        auto& list = column->getList();
        return list.getNumSelectedRows() == 1 ? list.getSelectedRow (0) : -1;
    }
}

//==============================================================================
OldStylePresetsBrowser::CommonColumn::CommonColumn (OldStylePresetsBrowser& browserToJoin, bool groups)
    : ListColumn (browserToJoin), owner (browserToJoin), processor (browserToJoin.getProcessor()),
      normalIcon (FrameworkArtwork::getBrowserIcon (groups, false)),
      selectedIcon (FrameworkArtwork::getBrowserIcon (groups, true))
{
}

//==============================================================================
OldStylePresetsBrowser::GroupListColumn::GroupListColumn (OldStylePresetsBrowser& browserToJoin)
    : CommonColumn (browserToJoin, true)
{
    setName ("GroupColumn");
}

int OldStylePresetsBrowser::GroupListColumn::numRows()                 { return bankOf (processor).getNumGroups(); }
juce::String OldStylePresetsBrowser::GroupListColumn::rowText (int row) { return bankOf (processor).getGroupName (row); }
bool OldStylePresetsBrowser::GroupListColumn::itemHasChildren (int row) { return bankOf (processor).getGroupCount (row) > 0; }

std::unique_ptr<ColumnBrowser::Column> OldStylePresetsBrowser::GroupListColumn::createChildColumn (int row)
{
    return std::make_unique<PresetListColumn> (owner, row);
}

void OldStylePresetsBrowser::GroupListColumn::rowSelected (int row)
{
    // The group's presets are shown now; mark the current one if it is there.
    auto& bank = bankOf (processor);
    const auto current = processor.getCurrentPresetIndex();

    if (auto* presets = owner.getPresetColumn(); presets != nullptr && bank.groupOfPreset (current) == row)
    {
        const juce::ScopedValueSetter<bool> following (owner.followingCurrentPreset, true);
        presets->selectOnly (current - bank.firstPresetOfGroup (row));
    }
}

void OldStylePresetsBrowser::GroupListColumn::renameItem (int row, const juce::String& text)
{
    processor.renameGroup (row, text);
}

bool OldStylePresetsBrowser::GroupListColumn::canDropIntoRow (ListColumn* source, int)
{
    return dynamic_cast<PresetListColumn*> (source) != nullptr;
}

bool OldStylePresetsBrowser::GroupListColumn::canInsertBefore (ListColumn* source, int)
{
    return dynamic_cast<GroupListColumn*> (source) != nullptr;
}

bool OldStylePresetsBrowser::GroupListColumn::canInsertAfter (ListColumn* source, int)
{
    return dynamic_cast<GroupListColumn*> (source) != nullptr;
}

void OldStylePresetsBrowser::GroupListColumn::dropIntoRow (ListColumn* source, int row)
{
    auto* presets = dynamic_cast<PresetListColumn*> (source);

    if (presets == nullptr)
        return;

    processor.movePresetsToGroup (row, presets->group, presets->getList().getSelectedRows());
    owner.showCurrentPreset();
}

void OldStylePresetsBrowser::GroupListColumn::moveSelectedGroupTo (ListColumn* source, int to)
{
    if (source != this)
        return;

    const auto from = singleSelectedRow (this);

    if (from < 0)
        return;

    processor.moveGroup (from, to);
    refresh();
    selectOnly (to);
}

void OldStylePresetsBrowser::GroupListColumn::insertBefore (ListColumn* source, int row)
{
    const auto from = singleSelectedRow (this);
    moveSelectedGroupTo (source, from >= 0 && from < row ? row - 1 : row);
}

void OldStylePresetsBrowser::GroupListColumn::insertAfter (ListColumn* source, int row)
{
    const auto from = singleSelectedRow (this);
    moveSelectedGroupTo (source, from >= 0 && row < from ? row + 1 : row);
}

//==============================================================================
OldStylePresetsBrowser::PresetListColumn::PresetListColumn (OldStylePresetsBrowser& browserToJoin, int groupToShow)
    : CommonColumn (browserToJoin, false), group (groupToShow)
{
    setName ("PresetColumn");
}

bool OldStylePresetsBrowser::PresetListColumn::isChildOf (Column* column)
{
    auto* groups = dynamic_cast<GroupListColumn*> (column);
    return groups != nullptr && &groups->processor == &processor;
}

std::unique_ptr<ColumnBrowser::Column> OldStylePresetsBrowser::PresetListColumn::createParentColumn()
{
    return std::make_unique<GroupListColumn> (owner);
}

int OldStylePresetsBrowser::PresetListColumn::numRows()
{
    auto& bank = bankOf (processor);
    return bank.isValidGroup (group) ? bank.getGroupCount (group) : 0;
}

juce::String OldStylePresetsBrowser::PresetListColumn::rowText (int row)
{
    return bankOf (processor).getName (bankOf (processor).firstPresetOfGroup (group) + row);
}

void OldStylePresetsBrowser::PresetListColumn::rowSelected (int row)
{
    // Following a change made elsewhere (possibly on the audio thread, by a
    // program change) must not select a preset of its own.
    if (owner.isFollowingCurrentPreset())
        return;

    const auto index = bankOf (processor).presetIndexInBank (group, row);

    if (index != processor.getCurrentPresetIndex())
        processor.selectPreset (index);
}

void OldStylePresetsBrowser::PresetListColumn::renameItem (int row, const juce::String& text)
{
    processor.renamePreset (bankOf (processor).firstPresetOfGroup (group) + row, text);
}

bool OldStylePresetsBrowser::PresetListColumn::canDropOnColumn (ListColumn* source)
{
    return dynamic_cast<PresetListColumn*> (source) != nullptr;
}

bool OldStylePresetsBrowser::PresetListColumn::canInsertBefore (ListColumn* source, int)
{
    return dynamic_cast<PresetListColumn*> (source) != nullptr && source->getList().getNumSelectedRows() == 1;
}

bool OldStylePresetsBrowser::PresetListColumn::canInsertAfter (ListColumn* source, int row)
{
    return canInsertBefore (source, row);
}

void OldStylePresetsBrowser::PresetListColumn::dropOnColumn (ListColumn* source)
{
    auto* presets = dynamic_cast<PresetListColumn*> (source);

    if (presets == nullptr || presets->group == group)
        return;

    processor.movePresetsToGroup (group, presets->group, presets->getList().getSelectedRows());
    owner.showCurrentPreset();
}

void OldStylePresetsBrowser::PresetListColumn::movePresetFrom (ListColumn* source, int row, bool after)
{
    auto* presets = dynamic_cast<PresetListColumn*> (source);
    const auto sourceRow = presets != nullptr ? singleSelectedRow (presets) : -1;

    if (sourceRow < 0)
        return;

    auto& bank = bankOf (processor);
    const auto from = bank.presetIndexInBank (presets->group, sourceRow);
    auto to = bank.presetIndexInBank (group, row);
    const bool sameGroup = presets->group == group;
    int selectRow;

    if (after)
    {
        if (to < from)
            ++to;

        selectRow = (to < from || ! sameGroup) ? row + 1 : row;
    }
    else
    {
        if (from < to)
            --to;

        selectRow = (sameGroup && from < to) ? row - 1 : row;
    }

    processor.movePreset (from, to, presets->group, group);
    refresh();
    selectOnly (selectRow);
}

void OldStylePresetsBrowser::PresetListColumn::insertBefore (ListColumn* source, int row) { movePresetFrom (source, row, false); }
void OldStylePresetsBrowser::PresetListColumn::insertAfter (ListColumn* source, int row)  { movePresetFrom (source, row, true); }

//==============================================================================
OldStylePresetsBrowser::OldStylePresetsBrowser (OldStylePresetBrowserWindow& owner, BasePluginOldStyle& processorToShow)
    : window (owner), processor (processorToShow)
{
    setName ("PresetsBrowser");
    auto& parameters = processor.getParameterManager();
    parameters.addAsyncListenerTo (ParameterManager::currentPresetNumberIdentifier, this);
    parameters.addAsyncListenerTo (ParameterManager::currentPresetNameIdentifier, this);
}

OldStylePresetsBrowser::~OldStylePresetsBrowser()
{
    auto& parameters = processor.getParameterManager();
    parameters.removeAsyncListenerFrom (ParameterManager::currentPresetNumberIdentifier, this);
    parameters.removeAsyncListenerFrom (ParameterManager::currentPresetNameIdentifier, this);
}

OldStylePresetsBrowser::GroupListColumn* OldStylePresetsBrowser::getGroupColumn() const
{
    return getNumColumns() > 0 ? dynamic_cast<GroupListColumn*> (getColumn (0)) : nullptr;
}

OldStylePresetsBrowser::PresetListColumn* OldStylePresetsBrowser::getPresetColumn() const
{
    return getNumColumns() > 1 ? dynamic_cast<PresetListColumn*> (getColumn (1)) : nullptr;
}

std::unique_ptr<ColumnBrowser::Column> OldStylePresetsBrowser::createRootColumn()
{
    return std::make_unique<GroupListColumn> (*this);
}

void OldStylePresetsBrowser::showPreset (int group, int position)
{
    const juce::ScopedValueSetter<bool> following (followingCurrentPreset, true);

    if (auto* presets = getPresetColumn(); presets == nullptr || presets->group != group)
        showColumn (std::make_unique<PresetListColumn> (*this, group));

    // The group's row first: selecting it anew rebuilds the preset column,
    // which would lose a row selected before.
    if (auto* groups = getGroupColumn())
        groups->selectOnly (group);

    if (auto* presets = getPresetColumn())
        presets->selectOnly (position);
}

void OldStylePresetsBrowser::showCurrentPreset()
{
    auto& bank = processor.getBank();
    const auto current = processor.getCurrentPresetIndex();
    const auto group = bank.groupOfPreset (current);
    const auto first = bank.firstPresetOfGroup (group);
    showPreset (group, first >= 0 ? current - first : -1);
}

void OldStylePresetsBrowser::columnsChanged()
{
    window.updateButtons();
}

void OldStylePresetsBrowser::parameterChanged (Parameter* parameter)
{
    if (parameter == nullptr)
        return;

    if (parameter->getIdentifier() == ParameterManager::currentPresetNumberIdentifier)
        showCurrentPreset();
    else if (parameter->getIdentifier() == ParameterManager::currentPresetNameIdentifier)
        refreshAll();
}
