#include "editor/PopupMenuEx.h"

#include "editor/DefaultLookAndFeel.h"

namespace
{
    constexpr int hoverDelayMs = 100;
    constexpr int subMenuGap = 5;
}

//==============================================================================
PopupMenuEx::PopupMenuEx (const juce::String& menuName, int menuLevel)
    : name (menuName), level (menuLevel), popup (std::make_unique<PopupMenuComponent> (*this))
{
}

PopupMenuEx::~PopupMenuEx()
{
    popup.reset();
    items.clear();
}

void PopupMenuEx::addItem (int id, const juce::String& text, bool enabled)
{
    auto item = std::make_unique<Item>();
    item->menu = this;
    item->id = id;
    item->text = text;
    item->enabled = enabled;
    items.push_back (std::move (item));
}

PopupMenuEx& PopupMenuEx::addSubMenu (const juce::String& text)
{
    auto item = std::make_unique<Item>();
    item->menu = this;
    item->id = 0;
    item->text = text;
    item->subMenu = std::make_unique<PopupMenuEx> (text, level + 1);
    auto& subMenu = *item->subMenu;
    items.push_back (std::move (item));
    return subMenu;
}

void PopupMenuEx::showAt (juce::Point<int> point, juce::Component* relativeTo)
{
    popup->open (point, relativeTo);
}

PopupMenuEx::Item* PopupMenuEx::findItem (int id)
{
    for (auto& item : items)
    {
        if (item->isSubMenu())
        {
            if (auto* found = item->subMenu->findItem (id))
                return found;
        }
        else if (item->id == id)
        {
            return item.get();
        }
    }

    return nullptr;
}

juce::String PopupMenuEx::itemText (int id)
{
    if (auto* item = findItem (id))
        return item->text;

    return {};
}

void PopupMenuEx::applyTicks (int id, bool ticked, bool untickOthers)
{
    for (auto& item : items)
    {
        if (item->isSubMenu())
            item->subMenu->applyTicks (id, ticked, untickOthers);
        else if (item->id == id)
            item->ticked = ticked;
        else if (untickOthers)
            item->ticked = false;
    }
}

bool PopupMenuEx::recomputeHoldsTicked()
{
    bool anyTicked = false;

    for (auto& item : items)
    {
        if (item->isSubMenu())
        {
            item->holdsTicked = item->subMenu->recomputeHoldsTicked();
            anyTicked = anyTicked || item->holdsTicked;
        }
        else
        {
            anyTicked = anyTicked || item->ticked;
        }
    }

    return anyTicked;
}

void PopupMenuEx::setTicked (int id, bool ticked, bool untickOthers)
{
    applyTicks (id, ticked, untickOthers);
    recomputeHoldsTicked();
    popup->repaint();

    for (int i = 0; i < popup->getNumWindows(); ++i)
        popup->getWindow (i)->repaint();
}

//==============================================================================
PopupMenuEx::PopupMenuComponent::PopupMenuComponent (PopupMenuEx& topMenu)
    : PseudoModalComponent ("PopupMenu"), top (topMenu)
{
}

PopupMenuEx::PopupMenuComponent::~PopupMenuComponent()
{
    stopTimer();
    closeAllWindows();
}

void PopupMenuEx::PopupMenuComponent::open (juce::Point<int> point, juce::Component* relativeTo)
{
    requestedPoint = point;
    requestedRelativeTo = relativeTo;
    showAt (point, relativeTo);
}

void PopupMenuEx::PopupMenuComponent::updatePlacement()
{
    // The overlay's own bounds are those of its covering window.
    setBounds (getCoveringWindow().getLocalBounds());
}

void PopupMenuEx::PopupMenuComponent::pseudoModalVisibilityChanged()
{
    closeAllWindows();
    stopTimer();

    if (! isOverlayShown())
        return;

    auto point = requestedPoint;

    if (auto* relativeTo = requestedRelativeTo.getComponent())
        point = getCoveringWindow().getLocalPoint (relativeTo, point);

    schedule (top, point);
    openScheduledNow();
}

void PopupMenuEx::PopupMenuComponent::schedule (PopupMenuEx& menu, juce::Point<int> position)
{
    scheduled = &menu;
    scheduledPosition = position;

    if (scheduled == lastOpened)
        stopTimer();
    else
        startTimer (hoverDelayMs);
}

void PopupMenuEx::PopupMenuComponent::openScheduledNow()
{
    stopTimer();

    if (scheduled != nullptr)
        openMenu (*scheduled, scheduledPosition);
}

void PopupMenuEx::PopupMenuComponent::timerCallback()
{
    openScheduledNow();
}

void PopupMenuEx::PopupMenuComponent::openMenu (PopupMenuEx& menu, juce::Point<int> position)
{
    while (windows.size() > 1 && windows.back()->getMenu().getLevel() > menu.getLevel())
        closeTopWindow();

    if (windows.size() > 1 && &windows.back()->getMenu() != &menu && windows.back()->getMenu().getLevel() == menu.getLevel())
        closeTopWindow();

    if (! windows.empty() && &windows.back()->getMenu() == &menu)
        return;

    auto window = std::make_unique<Window> (*this, menu);
    window->setTopLeftPosition (position);
    addAndMakeVisible (*window);
    window->toFront (false);
    windows.push_back (std::move (window));
    lastOpened = &menu;
}

void PopupMenuEx::PopupMenuComponent::closeTopWindow()
{
    if (windows.empty())
        return;

    removeChildComponent (windows.back().get());
    windows.pop_back();
    lastOpened = windows.empty() ? nullptr : &windows.back()->getMenu();
}

void PopupMenuEx::PopupMenuComponent::closeAllWindows()
{
    while (! windows.empty())
        closeTopWindow();

    lastOpened = nullptr;
}

//==============================================================================
PopupMenuEx::Window::Window (PopupMenuComponent& owner, PopupMenuEx& menuToShow)
    : popup (owner), menu (menuToShow), font (DefaultLookAndFeel::getStandardFontOf (owner.getLookAndFeel()))
{
    int widest = 0;

    for (auto& item : menu.items)
        widest = juce::jmax (widest, font.getStringWidth (item->text));

    setSize (widest + 12, menu.getNumItems() * rowHeight + 8);
}

void PopupMenuEx::Window::paint (juce::Graphics& g)
{
    g.setColour (juce::Colour (0xFFE3E3E3));
    g.fillRoundedRectangle (getLocalBounds().toFloat(), 6.0f);
    g.setColour (juce::Colours::black);
    g.drawRoundedRectangle (getLocalBounds().toFloat().reduced (0.5f), 5.0f, 1.0f);

    for (int i = 0; i < menu.getNumItems(); ++i)
    {
        const auto& item = menu.getItem (i);
        const auto y = 3 + rowHeight * i;

        if (i == highlighted)
        {
            g.setColour (juce::Colour (0xFFADADAD));
            g.fillRoundedRectangle (4.0f, (float) y + 1.0f, (float) getWidth() - 8.0f, (float) rowHeight, 3.0f);
        }

        const bool bold = item.isSubMenu() && item.holdsTicked;
        g.setColour (juce::Colours::black);
        g.setFont (bold ? DefaultLookAndFeel::getBoldFontOf (getLookAndFeel()) : font);
        g.drawText (item.text, 6, y, getWidth() - 12, rowHeight, juce::Justification::centredLeft, false);
    }
}

void PopupMenuEx::Window::setHighlighted (int item)
{
    if (item != highlighted)
    {
        highlighted = item;
        repaint();
    }
}

void PopupMenuEx::Window::mouseMove (const juce::MouseEvent& e)
{
    const auto row = rowAt (e.y);

    if (row >= menu.getNumItems())
    {
        setHighlighted (-1);
        return;
    }

    setHighlighted (row);
    auto& item = menu.getItem (row);
    popup.schedule (item.isSubMenu() ? *item.subMenu : menu, { getRight() + subMenuGap, getY() + row * rowHeight });
}

void PopupMenuEx::Window::mouseExit (const juce::MouseEvent&)
{
    setHighlighted (-1);
}

void PopupMenuEx::Window::mouseDown (const juce::MouseEvent& e)
{
    const auto row = rowAt (e.y);

    if (row >= menu.getNumItems())
        return;

    auto& item = menu.getItem (row);

    if (item.isSubMenu())
    {
        popup.schedule (*item.subMenu, { getRight() + subMenuGap, getY() + row * rowHeight });
        popup.openScheduledNow();
        return;
    }

    if (! item.enabled)
        return;

    const auto id = item.id;
    auto& top = popup.getTopMenu();
    popup.stopHoverTimer();
    popup.hide();   // deletes this window
    top.listeners.call ([&top, id] (Listener& l) { l.itemSelected (&top, id); });
}
