#pragma once

#include "editor/ColumnBrowser.h"
#include "parameters/Parameter.h"

class BasePluginOldStyle;
class OldStylePresetBrowserWindow;

/**
    The bank as a column of groups and a column of the selected group's
    presets. It follows the current preset and sends every change through
    the preset manager; it keeps no bank data of its own.
*/
class OldStylePresetsBrowser : public ColumnBrowser,
                               public Parameter::Listener
{
public:
    /** A list column of the preset browser, with the icons of its kind. */
    class CommonColumn : public ListColumn
    {
    public:
        CommonColumn (OldStylePresetsBrowser& browser, bool groups);
        OldStylePresetsBrowser& owner;
        BasePluginOldStyle& processor;

        SkinImage itemIcon (bool selected) override        { return selected ? selectedIcon : normalIcon; }
        bool canDrag (const juce::SparseSet<int>&) override { return true; }
        bool canRename (int) override                      { return true; }
        bool isResizable() override                        { return false; }

    private:
        SkinImage normalIcon, selectedIcon;
    };

    class GroupListColumn : public CommonColumn
    {
    public:
        explicit GroupListColumn (OldStylePresetsBrowser& browser);

        int preferredWidth() override                      { return 241; }
        int numRows() override;
        juce::String rowText (int row) override;
        bool itemHasChildren (int row) override;
        std::unique_ptr<Column> createChildColumn (int row) override;
        void rowSelected (int row) override;
        void renameItem (int row, const juce::String& text) override;
        bool canDropIntoRow (ListColumn* source, int row) override;
        bool canInsertBefore (ListColumn* source, int row) override;
        bool canInsertAfter (ListColumn* source, int row) override;
        void dropIntoRow (ListColumn* source, int row) override;
        void insertBefore (ListColumn* source, int row) override;
        void insertAfter (ListColumn* source, int row) override;

    private:
        void moveSelectedGroupTo (ListColumn* source, int to);
    };

    class PresetListColumn : public CommonColumn
    {
    public:
        PresetListColumn (OldStylePresetsBrowser& browser, int group);
        const int group;

        int preferredWidth() override                      { return 350; }
        bool isChildOf (Column* column) override;
        std::unique_ptr<Column> createParentColumn() override;
        int numRows() override;
        juce::String rowText (int row) override;
        void rowSelected (int row) override;
        void renameItem (int row, const juce::String& text) override;
        bool canDropOnColumn (ListColumn* source) override;
        bool canInsertBefore (ListColumn* source, int row) override;
        bool canInsertAfter (ListColumn* source, int row) override;
        void dropOnColumn (ListColumn* source) override;
        void insertBefore (ListColumn* source, int row) override;
        void insertAfter (ListColumn* source, int row) override;

    private:
        void movePresetFrom (ListColumn* source, int row, bool after);
    };

    OldStylePresetsBrowser (OldStylePresetBrowserWindow& window, BasePluginOldStyle& processor);
    ~OldStylePresetsBrowser() override;

    BasePluginOldStyle& getProcessor() const noexcept      { return processor; }
    GroupListColumn* getGroupColumn() const;
    PresetListColumn* getPresetColumn() const;

    /** Shows the group's presets (building the column when another group is
        shown) and selects the preset at position and the group's row. */
    void showPreset (int group, int position);
    /** Shows where the current preset is. */
    void showCurrentPreset();

    std::unique_ptr<Column> createRootColumn() override;
    void columnsChanged() override;

    void parameterChanged (Parameter* parameter) override;

    /** True while the browser itself moves the selection to the current
        preset: a selection made then selects no preset. */
    bool isFollowingCurrentPreset() const noexcept         { return followingCurrentPreset; }

private:
    bool followingCurrentPreset = false;

    OldStylePresetBrowserWindow& window;
    BasePluginOldStyle& processor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OldStylePresetsBrowser)
};
