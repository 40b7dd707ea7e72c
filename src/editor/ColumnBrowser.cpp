#include "editor/ColumnBrowser.h"

#include "editor/DefaultLookAndFeel.h"

namespace
{
    constexpr int columnGap = 7;
    constexpr int listInset = 4;
    constexpr int dropZone = 5;
    constexpr int minimumKeptWidth = 100;
    constexpr int autoScrollIntervalMs = 25;
    const juce::Colour indicationColour = juce::Colours::red;
}

//==============================================================================
ColumnBrowser::Column::Column (ColumnBrowser& owner)
    : browser (owner)
{
}

ColumnBrowser::Column::~Column() = default;

void ColumnBrowser::Column::paint (juce::Graphics& g)
{
    auto area = getLocalBounds().toFloat().reduced (0.5f);

    if (next != nullptr)
        area.removeFromRight ((float) columnGap);

    g.setColour (findColour (DefaultLookAndFeel::columnBackgroundColourId));
    g.fillRoundedRectangle (area, 6.0f);
    g.setColour (findColour (DefaultLookAndFeel::columnOutlineColourId));
    g.drawRoundedRectangle (area, 6.0f, 1.0f);
}

//==============================================================================
ColumnBrowser::ListColumn::ItemComponent::ItemComponent (ListColumn& owner)
    : column (owner)
{
    setInterceptsMouseClicks (false, true);
    label.setInterceptsMouseClicks (false, true);
    label.setFont (DefaultLookAndFeel::interfaceFont (13.0f));
    label.addModalListener (this);
    addAndMakeVisible (label);
}

void ColumnBrowser::ListColumn::ItemComponent::update (int newRow, bool isSelected)
{
    row = newRow;
    selected = isSelected;
    hasChildren = row >= 0 && column.itemHasChildren (row);

    label.setText (row >= 0 ? column.rowText (row) : juce::String());
    label.setFont (DefaultLookAndFeel::interfaceFont (13.0f, hasChildren ? juce::Font::bold : juce::Font::plain));
    label.setColour (juce::Label::textColourId, selected ? juce::Colours::white : juce::Colours::black);
    resized();
    repaint();
}

void ColumnBrowser::ListColumn::ItemComponent::resized()
{
    label.setBounds (20, 0, juce::jmax (0, getWidth() - 20 - (hasChildren ? 13 : 0)), getHeight());
}

void ColumnBrowser::ListColumn::ItemComponent::paint (juce::Graphics& g)
{
    if (row < 0)
        return;

    if (selected)
    {
        const bool scrollBarShown = column.list.getVerticalScrollBar().isVisible();
        const auto width = (float) getWidth() - (scrollBarShown ? 3.0f : 0.0f);
        g.setColour (findColour (DefaultLookAndFeel::columnSelectedRowColourId));
        g.fillRoundedRectangle (0.0f, 1.0f, width, (float) getHeight() - 2.0f, 4.0f);
    }

    const auto icon = column.itemIcon (selected);

    if (icon.isValid())
        icon.drawAt (g, 1, 1);

    if (hasChildren)
    {
        // A small arrow: this row opens a column.
        const auto x = (float) getWidth() - 13.0f + 3.0f;
        const auto y = (float) getHeight() * 0.5f;
        juce::Path arrow;
        arrow.addTriangle (x, y - 3.5f, x, y + 3.5f, x + 6.0f, y);
        g.setColour (juce::Colours::white);
        g.fillPath (arrow);
        g.setColour (juce::Colour (0xFF646464));
        g.strokePath (arrow, juce::PathStrokeType (1.0f));
    }
}

void ColumnBrowser::ListColumn::ItemComponent::textCommitted (ModalTextEditor* editor)
{
    if (row >= 0)
    {
        column.renameItem (row, editor->getText());
        column.getBrowser().refreshAll();
    }
}

//==============================================================================
ColumnBrowser::ListColumn::List::List (ListColumn& owner)
    : juce::ListBox ("List", nullptr), column (owner)
{
    setModel (this);
    setRowHeight (ListColumn::rowHeight);
    setMultipleSelectionEnabled (true);
    setColour (juce::ListBox::backgroundColourId, juce::Colours::transparentBlack);
    setOutlineThickness (0);
}

int ColumnBrowser::ListColumn::List::getNumRows()
{
    return column.numRows();
}

juce::Component* ColumnBrowser::ListColumn::List::refreshComponentForRow (int row, bool isSelected, juce::Component* existing)
{
    auto* item = dynamic_cast<ItemComponent*> (existing);

    if (item == nullptr)
    {
        delete existing;
        item = new ItemComponent (column);
    }

    item->update (row < getNumRows() ? row : -1, isSelected);
    return item;
}

void ColumnBrowser::ListColumn::List::selectedRowsChanged (int lastRow)
{
    if (lastRow < 0)
        return;

    // The child column first: selecting a group shows its presets, which
    // the group's rowSelected() then selects the current one in.
    if (auto child = column.createChildColumn (lastRow))
        column.getBrowser().showColumn (std::move (child));

    column.rowSelected (lastRow);
}

void ColumnBrowser::ListColumn::List::listBoxItemDoubleClicked (int row, const juce::MouseEvent&)
{
    if (getNumSelectedRows() != 1 || ! isRowSelected (row) || ! column.canRename (row))
        return;

    if (auto* item = dynamic_cast<ItemComponent*> (getComponentForRowNumber (row)))
        item->showEditor();
}

void ColumnBrowser::ListColumn::List::backgroundClicked (const juce::MouseEvent&)
{
    if (auto other = column.createColumnForBackgroundClick())
        column.getBrowser().showColumn (std::move (other));

    column.backgroundClicked();
    column.refresh();
}

juce::var ColumnBrowser::ListColumn::List::getDragSourceDescription (const juce::SparseSet<int>& rows)
{
    if (! column.canDrag (rows))
        return {};

    column.getBrowser().setDragSource (&column);
    return dragDescription;
}

//==============================================================================
ColumnBrowser::ListColumn::ListColumn (ColumnBrowser& owner)
    : Column (owner), list (*this)
{
    addAndMakeVisible (list);
}

ColumnBrowser::ListColumn::~ListColumn()
{
    stopTimer();
    list.setModel (nullptr);
}

void ColumnBrowser::ListColumn::refresh()
{
    list.updateContent();
    list.repaint();
}

void ColumnBrowser::ListColumn::selectOnly (int row)
{
    if (row < 0 || row >= numRows())
        return;

    // The list may not have counted a row the model has just gained (a
    // preset dropped into this group), and would ignore its selection.
    list.updateContent();

    if (list.getNumSelectedRows() != 1 || ! list.isRowSelected (row))
        list.selectRow (row);

    list.scrollToEnsureRowIsOnscreen (row);
}

void ColumnBrowser::ListColumn::resized()
{
    auto area = getLocalBounds();

    if (next != nullptr)
        area.removeFromRight (columnGap);

    list.setBounds (area.reduced (listInset));
}

ColumnBrowser::ListColumn* ColumnBrowser::ListColumn::sourceColumnOf (const SourceDetails& details) const
{
    auto* sourceList = dynamic_cast<List*> (details.sourceComponent.get());

    if (sourceList == nullptr || &sourceList->column.getBrowser() != &getBrowser())
        return nullptr;

    return &sourceList->column;
}

bool ColumnBrowser::ListColumn::isInterestedInDragSource (const SourceDetails& details)
{
    return details.description.toString() == dragDescription && sourceColumnOf (details) != nullptr;
}

int ColumnBrowser::ListColumn::dropModeAt (ListColumn* source, juce::Point<int> position, int& row)
{
    const auto inList = position - list.getPosition();
    row = list.getRowContainingPosition (inList.x, inList.y);

    if (row < 0 || row >= numRows())
    {
        row = -1;
        return canDropOnColumn (source) ? dropOnColumnMode : noDrop;
    }

    const auto rowTop = list.getRowPosition (row, true).getY();
    const auto y = inList.y - rowTop;

    if (canDropIntoRow (source, row))
    {
        if (y < dropZone && canInsertBefore (source, row))
            return dropBeforeRowMode;

        if (y >= rowHeight - dropZone && canInsertAfter (source, row))
            return dropAfterRowMode;

        return dropIntoRowMode;
    }

    if (y < rowHeight / 2 && canInsertBefore (source, row))
        return dropBeforeRowMode;

    if (canInsertAfter (source, row))
        return dropAfterRowMode;

    if (canDropOnColumn (source))
    {
        row = -1;
        return dropOnColumnMode;
    }

    return noDrop;
}

void ColumnBrowser::ListColumn::setDropIndication (int mode, int row)
{
    if (mode != dropMode || row != dropRow)
    {
        dropMode = mode;
        dropRow = row;
        repaint();
    }
}

void ColumnBrowser::ListColumn::itemDragEnter (const SourceDetails& details)
{
    itemDragMove (details);
}

void ColumnBrowser::ListColumn::itemDragMove (const SourceDetails& details)
{
    auto* source = sourceColumnOf (details);
    int row = -1;
    const auto mode = source != nullptr ? dropModeAt (source, details.localPosition.toInt(), row) : (int) noDrop;
    setDropIndication (mode, row);

    if (mode == dropIntoRowMode && ! (list.getNumSelectedRows() == 1 && list.isRowSelected (row)))
        list.selectRow (row);

    // Near the list's top or bottom edge the list scrolls.
    const auto y = details.localPosition.toInt().y - list.getY();
    autoScrollStep = y < rowHeight / 2 ? -1 : (y > list.getHeight() - rowHeight / 2 ? 1 : 0);

    if (autoScrollStep != 0)
        startTimer (autoScrollIntervalMs);
    else
        stopTimer();
}

void ColumnBrowser::ListColumn::timerCallback()
{
    if (auto* viewport = list.getViewport())
        viewport->setViewPosition (viewport->getViewPositionX(),
                                   juce::jmax (0, viewport->getViewPositionY() + autoScrollStep * rowHeight));
}

void ColumnBrowser::ListColumn::itemDragExit (const SourceDetails&)
{
    stopTimer();
    setDropIndication (noDrop, -1);
}

void ColumnBrowser::ListColumn::itemDropped (const SourceDetails& details)
{
    stopTimer();
    auto* source = sourceColumnOf (details);
    int row = -1;
    const auto mode = source != nullptr ? dropModeAt (source, details.localPosition.toInt(), row) : (int) noDrop;
    setDropIndication (noDrop, -1);

    // An action may rebuild the columns, this one included.
    auto& owningBrowser = getBrowser();

    switch (mode)
    {
        case dropOnColumnMode:  dropOnColumn (source); break;
        case dropIntoRowMode:   dropIntoRow (source, row); break;
        case dropBeforeRowMode: insertBefore (source, row); break;
        case dropAfterRowMode:  insertAfter (source, row); break;
        default:                return;
    }

    owningBrowser.refreshAll();
}

void ColumnBrowser::ListColumn::paintOverChildren (juce::Graphics& g)
{
    if (dropMode == noDrop)
        return;

    g.setColour (indicationColour);

    if (dropMode == dropOnColumnMode)
    {
        auto area = getLocalBounds().toFloat().reduced (0.5f);

        if (next != nullptr)
            area.removeFromRight ((float) columnGap);

        g.drawRoundedRectangle (area, 4.0f, 1.0f);
        return;
    }

    const auto rowArea = list.getRowPosition (dropRow, true).translated (list.getX(), list.getY()).toFloat();

    if (dropMode == dropIntoRowMode)
    {
        g.drawRoundedRectangle (rowArea.reduced (1.0f), 4.0f, 2.0f);
        return;
    }

    // A line between two rows: at the top of one and the bottom of the other.
    g.setColour (indicationColour.withAlpha (0.75f));
    const auto y = dropMode == dropBeforeRowMode ? rowArea.getY() : rowArea.getBottom();
    g.fillRect (rowArea.getX(), y - 1.0f, rowArea.getWidth(), 2.0f);
}

//==============================================================================
void ColumnBrowser::ViewportComponent::paint (juce::Graphics& g)
{
    g.fillAll (findColour (DefaultLookAndFeel::columnBrowserBackgroundColourId));

    // Room the columns leave at the right looks like an empty column.
    const auto used = browser.getNumColumns() > 0 ? browser.getColumn (browser.getNumColumns() - 1)->getRight() : 0;

    if (used < getWidth())
    {
        const auto area = juce::Rectangle<int> (used, 0, getWidth() - used, getHeight()).toFloat().reduced (0.5f);
        g.setColour (findColour (DefaultLookAndFeel::columnBackgroundColourId));
        g.fillRoundedRectangle (area, 6.0f);
        g.setColour (findColour (DefaultLookAndFeel::columnOutlineColourId));
        g.drawRoundedRectangle (area, 6.0f, 1.0f);
    }
}

ColumnBrowser::ColumnBrowser()
{
    setViewedComponent (&content, false);
    setScrollBarsShown (false, true);
}

ColumnBrowser::~ColumnBrowser()
{
    columns.clear();
    keptDragSource.reset();
}

void ColumnBrowser::showColumn (std::unique_ptr<Column> column)
{
    if (column == nullptr)
        return;

    int removedWidth = -1;

    while (! columns.isEmpty() && ! column->isChildOf (columns.getLast()))
    {
        auto* last = columns.getLast();
        removedWidth = last->getWidth();

        if (last == dragSource && isDragAndDropActive())
        {
            // The drop still reads the source's selection: keep it out of sight.
            content.removeChildComponent (last);
            keptDragSource.reset (columns.removeAndReturn (columns.size() - 1));
        }
        else
        {
            if (last == dragSource)
                dragSource = nullptr;

            columns.removeLast();
        }
    }

    auto* added = columns.add (column.release());
    added->setSize (added->preferredWidth(), content.getHeight());
    content.addAndMakeVisible (added);

    // Put in front the parents it needs, up to the root.
    for (auto* first = added;;)
    {
        const auto index = columns.indexOf (first);

        if (index > 0 && first->isChildOf (columns[index - 1]))
            break;

        auto parent = first->createParentColumn();

        if (parent == nullptr)
            break;

        auto* inserted = columns.insert (index, parent.release());
        inserted->setSize (inserted->preferredWidth(), content.getHeight());
        content.addAndMakeVisible (inserted);
        first = inserted;
    }

    if (removedWidth >= 0)
        added->setSize (juce::jmax (minimumKeptWidth, removedWidth), added->getHeight());

    layOutColumns();

    for (auto* c : columns)
        c->refresh();

    columnsChanged();
}

void ColumnBrowser::layOutColumns()
{
    int x = 0;
    const auto height = getMaximumVisibleHeight();

    for (int i = 0; i < columns.size(); ++i)
    {
        auto* c = columns.getUnchecked (i);
        c->previous = columns[i - 1];
        c->next = columns[i + 1];
        c->setBounds (x, 0, c->getWidth(), height);
        c->resized();
        x += c->getWidth();
    }

    content.setSize (juce::jmax (x, getMaximumVisibleWidth()), height);
}

void ColumnBrowser::refreshAll()
{
    for (auto* c : columns)
        c->refresh();

    columnsChanged();
}

void ColumnBrowser::resized()
{
    juce::Viewport::resized();
    layOutColumns();
}

void ColumnBrowser::visibleAreaChanged (const juce::Rectangle<int>&)
{
}
