#pragma once

#include <juce_core/juce_core.h>

#include <map>

class GFXToggleButton;

/**
    The process-wide registry of toggle drag groups: toggles sharing a group
    name can all be set by pressing on one and dragging across the others.

    Each group (name compared exactly) keeps its members in registration order
    without duplicates, the screen position of the last press on a member and
    the drag state, which is the state of the last click of a member. Dragging
    sets every member whose left or right screen edge lies between the press x
    and the pointer's x to the drag state; only horizontal positions count.

    The registry is created on first use under a process-wide lock and deleted
    when the library unloads; its contents are used on the message thread only.
    A toggle leaves its group when it is destroyed.
*/
class GFXToggleButtonDragGroup
{
public:
    struct Group
    {
        juce::Array<GFXToggleButton*> members;
        int pressX = 0;
        int pressY = 0;
        bool dragState = false;
    };

    /** The registry, created on first use. */
    static GFXToggleButtonDragGroup& getInstance();
    /** The registry, or nullptr when it was never created or is already gone. */
    static GFXToggleButtonDragGroup* getInstanceWithoutCreating();

    /** Adds the toggle to the named group (creating it) unless already there. */
    void join (const juce::String& groupName, GFXToggleButton* toggle);
    /** Removes the toggle from the named group. */
    void leave (const juce::String& groupName, GFXToggleButton* toggle);

    Group* findGroup (const juce::String& groupName);

    void setPressPosition (const juce::String& groupName, int screenX, int screenY);
    void setDragState (const juce::String& groupName, bool state);

    /** The drag rule, for a member's mouse drag with the pointer at screen x. */
    void applyDrag (const juce::String& groupName, int screenX);

    GFXToggleButtonDragGroup() = default;

private:
    std::map<juce::String, Group> groups;

    JUCE_DECLARE_NON_COPYABLE (GFXToggleButtonDragGroup)
};
