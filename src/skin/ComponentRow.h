#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    A component that lines up its children in a row or a column.

    Whenever a child is added, removed or changes bounds, the row sizes itself
    to its children (along the row: the sum of their lengths plus the spacing
    between neighbours; across: the largest child) and places them one after
    another, each aligned across the row at the start, the centre or the end.
    Every child counts, visible or not. The row's own position is its owner's.
*/
class ComponentRow : public juce::Component,
                     private juce::ComponentListener
{
public:
    enum Alignment : int { alignStart = 0, alignCentre = 1, alignEnd = 2 };

    explicit ComponentRow (bool isVertical = false, int alignment = alignStart, int spacing = 0);
    ~ComponentRow() override;

    bool isVertical() const noexcept       { return vertical; }
    int getAlignment() const noexcept      { return alignment; }
    int getSpacing() const noexcept        { return spacing; }

    void setVertical (bool shouldBeVertical);
    void setAlignment (int newAlignment);
    void setSpacing (int newSpacing);

    /** Sizes the row to its children and places them. */
    void layOut();

    void childrenChanged() override;
    void childBoundsChanged (juce::Component* child) override;

private:
    // A parent hears of a child's removal only while the child is showing;
    // the children's own hierarchy notifications cover the other cases.
    void componentParentHierarchyChanged (juce::Component& child) override;
    void componentBeingDeleted (juce::Component& child) override;

    void layOutWithout (const juce::Component* leaving);

    bool vertical;
    int alignment;
    int spacing;
    bool layingOut = false;
    juce::Array<juce::Component*> watchedChildren;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ComponentRow)
};
