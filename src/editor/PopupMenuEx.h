#pragma once

#include "editor/ListenerSet.h"
#include "editor/PseudoModalComponent.h"

#include <memory>
#include <vector>

/**
    A cascading menu drawn inside the editor on a pseudo-modal overlay, so
    that it works in any host window. Items are plain (they can be chosen)
    or open a sub-menu; a sub-menu item is drawn bold while one of the
    plain items below it is ticked.
*/
class PopupMenuEx
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void itemSelected (PopupMenuEx* menu, int itemId) = 0;
    };

    struct Item
    {
        PopupMenuEx* menu = nullptr;
        int id = 0;
        juce::String text;
        bool ticked = false;
        bool enabled = true;
        bool holdsTicked = false;
        std::unique_ptr<PopupMenuEx> subMenu;

        bool isSubMenu() const noexcept   { return subMenu != nullptr; }
    };

    class Window;

    /** The overlay the open menu windows live on: a stack of windows, the
        top menu's first, and the hover timer that opens and closes
        sub-menus. */
    class PopupMenuComponent : public PseudoModalComponent,
                               private juce::Timer
    {
    public:
        explicit PopupMenuComponent (PopupMenuEx& topMenu);
        ~PopupMenuComponent() override;

        /** Shows the overlay with the top menu at the point (in relativeTo's
            coordinates). */
        void open (juce::Point<int> point, juce::Component* relativeTo);

        int getNumWindows() const noexcept                { return (int) windows.size(); }
        Window* getWindow (int index) const               { return windows[(size_t) index].get(); }
        PopupMenuEx* getLastOpened() const noexcept       { return lastOpened; }
        bool isHoverTimerRunning() const                  { return isTimerRunning(); }

        /** Opens (or closes down to) a menu at a point of this component. */
        void openMenu (PopupMenuEx& menu, juce::Point<int> position);
        /** The menu to open after the hover delay. */
        void schedule (PopupMenuEx& menu, juce::Point<int> position);
        void openScheduledNow();
        void stopHoverTimer()                             { stopTimer(); }
        PopupMenuEx& getTopMenu() noexcept                { return top; }

        bool dimsBackground() const override              { return false; }
        void updatePlacement() override;
        void pseudoModalVisibilityChanged() override;
        void mouseDown (const juce::MouseEvent&) override { hide(); }

    private:
        void timerCallback() override;
        void closeTopWindow();
        void closeAllWindows();

        PopupMenuEx& top;
        std::vector<std::unique_ptr<Window>> windows;
        PopupMenuEx* scheduled = nullptr;
        juce::Point<int> scheduledPosition;
        PopupMenuEx* lastOpened = nullptr;
        juce::Point<int> requestedPoint;
        juce::Component::SafePointer<juce::Component> requestedRelativeTo;
    };

    /** One open menu: its items in rows of 16 pixels. */
    class Window : public juce::Component
    {
    public:
        static constexpr int rowHeight = 16;

        Window (PopupMenuComponent& popup, PopupMenuEx& menu);
        PopupMenuEx& getMenu() const noexcept             { return menu; }
        int getHighlighted() const noexcept               { return highlighted; }
        /** The row under a y position (may be past the last item). */
        static int rowAt (int y)                          { return (y - 6) / rowHeight; }

        void paint (juce::Graphics& g) override;
        void mouseMove (const juce::MouseEvent& e) override;
        void mouseExit (const juce::MouseEvent& e) override;
        void mouseDown (const juce::MouseEvent& e) override;

    private:
        void setHighlighted (int item);

        PopupMenuComponent& popup;
        PopupMenuEx& menu;
        juce::Font font;
        int highlighted = -1;
    };

    explicit PopupMenuEx (const juce::String& name = {}, int level = 0);
    ~PopupMenuEx();

    /** A plain item at the end. */
    void addItem (int id, const juce::String& text, bool enabled = true);
    /** A sub-menu item at the end; its menu is one level deeper. */
    PopupMenuEx& addSubMenu (const juce::String& text);

    void addListener (Listener* listener)                 { listeners.add (listener); }
    void removeListener (Listener* listener)              { listeners.remove (listener); }

    /** Opens the menu below the editor's overlay at the point of relativeTo. */
    void showAt (juce::Point<int> point, juce::Component* relativeTo);

    /** The plain item with the id, searched depth first; sub-menu items are
        never matched by their own id. */
    Item* findItem (int id);
    juce::String itemText (int id);
    /** Ticks or unticks the plain item with the id (here and below), unticks
        every other plain item when asked, and recomputes the sub-menu items'
        holds-ticked flags. */
    void setTicked (int id, bool ticked, bool untickOthers);

    const juce::String& getName() const noexcept          { return name; }
    int getLevel() const noexcept                         { return level; }
    int getNumItems() const noexcept                      { return (int) items.size(); }
    Item& getItem (int index)                             { return *items[(size_t) index]; }
    PopupMenuComponent& getPopup() noexcept               { return *popup; }

private:
    friend class PopupMenuComponent;
    friend class Window;
    void applyTicks (int id, bool ticked, bool untickOthers);
    bool recomputeHoldsTicked();

    juce::String name;
    int level = 0;
    std::vector<std::unique_ptr<Item>> items;
    ListenerSet<Listener> listeners;
    std::unique_ptr<PopupMenuComponent> popup;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PopupMenuEx)
};
