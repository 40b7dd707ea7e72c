#pragma once

#include "skin/SkinImage.h"
#include "editor/LabelWithModalTextEditor.h"

#include <memory>

/**
    A horizontally scrolling row of columns, each a list whose selected row
    may open a child column to its right (groups, then the presets of the
    selected group). Rows can be renamed in place and dragged between or
    within columns; each column decides what it accepts and does.
*/
class ColumnBrowser : public juce::Viewport,
                      public juce::DragAndDropContainer
{
public:
    class Column : public juce::Component
    {
    public:
        explicit Column (ColumnBrowser& browser);
        ~Column() override;

        ColumnBrowser& getBrowser() const noexcept          { return browser; }

        virtual bool isChildOf (Column* column)             { juce::ignoreUnused (column); return false; }
        virtual std::unique_ptr<Column> createParentColumn() { return {}; }
        virtual bool isResizable()                          { return false; }
        virtual int preferredWidth()                        { return 200; }
        virtual void refresh()                              {}

        Column* previous = nullptr;
        Column* next = nullptr;

        void paint (juce::Graphics& g) override;

    private:
        ColumnBrowser& browser;
    };

    /** A column that is a list of rows. */
    class ListColumn : public Column,
                       public juce::DragAndDropTarget,
                       private juce::Timer
    {
    public:
        enum DropMode { noDrop = 0, dropOnColumnMode, dropIntoRowMode, dropBeforeRowMode, dropAfterRowMode };

        static constexpr int rowHeight = 20;
        static constexpr const char* dragDescription = "ListColumn";

        /** One row: its icon, its text (renamable in place) and, for a row
            with children, a small arrow. */
        class ItemComponent : public juce::Component,
                              public ModalTextEditor::ModalListener
        {
        public:
            explicit ItemComponent (ListColumn& column);
            void update (int row, bool isSelected);
            void showEditor()                               { label.showEditor(); }
            LabelWithModalTextEditor& getLabel() noexcept   { return label; }
            int getRow() const noexcept                     { return row; }

            void paint (juce::Graphics& g) override;
            void resized() override;
            void textCommitted (ModalTextEditor* editor) override;

        private:
            ListColumn& column;
            LabelWithModalTextEditor label;
            int row = -1;
            bool selected = false, hasChildren = false;
        };

        /** The list, its own model. */
        class List : public juce::ListBox,
                     public juce::ListBoxModel
        {
        public:
            explicit List (ListColumn& column);
            ListColumn& column;

            int getNumRows() override;
            void paintListBoxItem (int, juce::Graphics&, int, int, bool) override {}
            juce::Component* refreshComponentForRow (int row, bool isSelected, juce::Component* existing) override;
            void selectedRowsChanged (int lastRowSelected) override;
            void listBoxItemDoubleClicked (int row, const juce::MouseEvent&) override;
            void backgroundClicked (const juce::MouseEvent&) override;
            juce::var getDragSourceDescription (const juce::SparseSet<int>& rows) override;
        };

        explicit ListColumn (ColumnBrowser& browser);
        ~ListColumn() override;

        List& getList() noexcept                            { return list; }
        int getDropRow() const noexcept                     { return dropRow; }
        int getDropMode() const noexcept                    { return dropMode; }

        /** Selects one row (replacing the selection) and scrolls it into view,
            unless it is already selected. */
        void selectOnly (int row);

        virtual int numRows()                               { return 0; }
        virtual juce::String rowText (int row)              { juce::ignoreUnused (row); return {}; }
        virtual SkinImage itemIcon (bool selected)          { juce::ignoreUnused (selected); return {}; }
        virtual bool itemHasChildren (int row)              { juce::ignoreUnused (row); return false; }
        virtual bool canDrag (const juce::SparseSet<int>& selection) { juce::ignoreUnused (selection); return false; }
        virtual bool canRename (int row)                    { juce::ignoreUnused (row); return false; }
        virtual std::unique_ptr<Column> createChildColumn (int row) { juce::ignoreUnused (row); return {}; }
        virtual std::unique_ptr<Column> createColumnForBackgroundClick() { return {}; }
        virtual void rowSelected (int row)                  { juce::ignoreUnused (row); }
        virtual void renameItem (int row, const juce::String& text) { juce::ignoreUnused (row, text); }
        virtual void backgroundClicked()                    {}
        virtual bool canDropOnColumn (ListColumn* source)   { juce::ignoreUnused (source); return false; }
        virtual bool canDropIntoRow (ListColumn* source, int row)  { juce::ignoreUnused (source, row); return false; }
        virtual bool canInsertBefore (ListColumn* source, int row) { juce::ignoreUnused (source, row); return false; }
        virtual bool canInsertAfter (ListColumn* source, int row)  { juce::ignoreUnused (source, row); return false; }
        virtual void dropOnColumn (ListColumn* source)      { juce::ignoreUnused (source); }
        virtual void dropIntoRow (ListColumn* source, int row)   { juce::ignoreUnused (source, row); }
        virtual void insertBefore (ListColumn* source, int row)  { juce::ignoreUnused (source, row); }
        virtual void insertAfter (ListColumn* source, int row)   { juce::ignoreUnused (source, row); }

        void refresh() override;

        /** The drop mode a drag from source would have at a point of this
            column (and the row it concerns). */
        int dropModeAt (ListColumn* source, juce::Point<int> position, int& row);

        void resized() override;
        void paintOverChildren (juce::Graphics& g) override;

        bool isInterestedInDragSource (const SourceDetails& details) override;
        void itemDragEnter (const SourceDetails& details) override;
        void itemDragMove (const SourceDetails& details) override;
        void itemDragExit (const SourceDetails& details) override;
        void itemDropped (const SourceDetails& details) override;

        /** The list column a drag came from, when it belongs to this browser. */
        ListColumn* sourceColumnOf (const SourceDetails& details) const;

    private:
        void timerCallback() override;
        void setDropIndication (int mode, int row);

        List list;
        int dropRow = -1;
        int dropMode = noDrop;
        int autoScrollStep = 0;

        friend class ItemComponent;
    };

    ColumnBrowser();
    ~ColumnBrowser() override;

    /** Shows c after its parent, dropping the columns past that parent and
        putting in front whatever parents c needs. */
    void showColumn (std::unique_ptr<Column> column);

    int getNumColumns() const                         { return columns.size(); }
    Column* getColumn (int index) const               { return columns[index]; }

    /** The column a drag started from (kept alive until the drop when a
        selection during the drag rebuilds the columns). */
    void setDragSource (Column* column) noexcept      { dragSource = column; }
    Column* getDragSource() const noexcept            { return dragSource; }

    virtual std::unique_ptr<Column> createRootColumn() { return {}; }
    virtual void columnsChanged()                     {}
    /** Every column reloads, then columnsChanged(). */
    virtual void refreshAll();

    void layOutColumns();
    void resized() override;
    void visibleAreaChanged (const juce::Rectangle<int>&) override;

private:
    class ViewportComponent : public juce::Component
    {
    public:
        explicit ViewportComponent (ColumnBrowser& owner) : browser (owner) {}
        void paint (juce::Graphics& g) override;
        ColumnBrowser& browser;
    };

    ViewportComponent content { *this };
    juce::OwnedArray<Column> columns;
    std::unique_ptr<Column> keptDragSource;
    Column* dragSource = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ColumnBrowser)
};
