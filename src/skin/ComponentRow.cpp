#include "skin/ComponentRow.h"

ComponentRow::ComponentRow (bool isVertical, int alignmentToUse, int spacingToUse)
    : vertical (isVertical), alignment (alignmentToUse), spacing (spacingToUse)
{
}

ComponentRow::~ComponentRow()
{
    for (auto* child : watchedChildren)
        child->removeComponentListener (this);
}

void ComponentRow::setVertical (bool shouldBeVertical)
{
    vertical = shouldBeVertical;
    layOut();
}

void ComponentRow::setAlignment (int newAlignment)
{
    alignment = newAlignment;
    layOut();
}

void ComponentRow::setSpacing (int newSpacing)
{
    spacing = newSpacing;
    layOut();
}

void ComponentRow::childrenChanged()
{
    for (auto* child : getChildren())
        if (! watchedChildren.contains (child))
        {
            watchedChildren.add (child);
            child->addComponentListener (this);
        }

    layOut();
}

void ComponentRow::componentParentHierarchyChanged (juce::Component& child)
{
    if (child.getParentComponent() != this)
    {
        child.removeComponentListener (this);
        watchedChildren.removeFirstMatchingValue (&child);
        layOut();
    }
}

void ComponentRow::componentBeingDeleted (juce::Component& child)
{
    child.removeComponentListener (this);
    watchedChildren.removeFirstMatchingValue (&child);
    layOutWithout (&child);
}

void ComponentRow::childBoundsChanged (juce::Component*)
{
    layOut();
}

void ComponentRow::layOut()
{
    layOutWithout (nullptr);
}

void ComponentRow::layOutWithout (const juce::Component* leaving)
{
    // Placing the children moves them, which calls back here.
    if (layingOut)
        return;

    const juce::ScopedValueSetter<bool> guard (layingOut, true);

    const auto lengthOf = [this] (const juce::Component& c) { return vertical ? c.getHeight() : c.getWidth(); };
    const auto depthOf  = [this] (const juce::Component& c) { return vertical ? c.getWidth() : c.getHeight(); };

    juce::Array<juce::Component*> children;

    for (auto* child : getChildren())
        if (child != leaving)
            children.add (child);

    int length = 0;
    int depth = 0;

    for (int i = 0; i < children.size(); ++i)
    {
        length += lengthOf (*children.getUnchecked (i)) + (i > 0 ? spacing : 0);
        depth = juce::jmax (depth, depthOf (*children.getUnchecked (i)));
    }

    if (vertical)
        setSize (depth, length);
    else
        setSize (length, depth);

    int along = 0;

    for (auto* child : children)
    {
        const auto spare = depth - depthOf (*child);
        const auto across = alignment == alignCentre ? spare / 2
                          : alignment == alignEnd    ? spare
                                                     : 0;

        if (vertical)
            child->setTopLeftPosition (across, along);
        else
            child->setTopLeftPosition (along, across);

        along += lengthOf (*child) + spacing;
    }
}
