#include "editor/PseudoModalComponent.h"

PseudoModalComponent::CoveringWindow::CoveringWindow (PseudoModalComponent& ownerToUse)
    : juce::Component ("CoveringWindow"), owner (ownerToUse)
{
    setInterceptsMouseClicks (true, true);
    setWantsKeyboardFocus (true);
}

void PseudoModalComponent::CoveringWindow::paint (juce::Graphics& g)
{
    if (owner.dimsBackground())
        g.fillAll (juce::Colours::black.withAlpha (0.33f));
}

void PseudoModalComponent::CoveringWindow::parentSizeChanged()
{
    if (auto* parent = getParentComponent())
        setBounds (parent->getLocalBounds());

    if (isVisible())
        owner.updatePlacement();
}

//==============================================================================
PseudoModalComponent::PseudoModalComponent (const juce::String& name)
    : juce::Component (name), coveringWindow (*this)
{
}

PseudoModalComponent::~PseudoModalComponent()
{
    // The covering window is a member: take the component out of it and it
    // out of the editor before either goes.
    if (isAttached())
        coveringWindow.removeChildComponent (this);

    if (auto* desktop = coveringWindow.getParentComponent())
        desktop->removeChildComponent (&coveringWindow);
}

bool PseudoModalComponent::attach()
{
    if (isAttached())
        return true;

    juce::Component* desktop = getParentComponent();

    while (desktop != nullptr && dynamic_cast<Desktop*> (desktop) == nullptr)
        desktop = desktop->getParentComponent();

    if (desktop == nullptr)
        return false;

    setVisible (true);
    coveringWindow.addAndMakeVisible (this);
    coveringWindow.setVisible (false);
    desktop->addChildComponent (coveringWindow);
    coveringWindow.toBack();
    coveringWindow.setBounds (desktop->getLocalBounds());
    return true;
}

void PseudoModalComponent::show()
{
    showWith (Placement::centred, {});
}

void PseudoModalComponent::showAt (juce::Point<int> point, juce::Component* relativeTo)
{
    if (relativeTo != nullptr && attach())
        point = coveringWindow.getLocalPoint (relativeTo, point);

    showWith (Placement::atPoint, point);
}

void PseudoModalComponent::showWith (Placement mode, juce::Point<int> point)
{
    if (! attach())
    {
        setVisible (true);
        return;
    }

    if (coveringWindow.isVisible())
        return;

    placement = mode;
    placementPoint = point;

    coveringWindow.setVisible (true);
    coveringWindow.toFront (true);
    pseudoModalVisibilityChanged();
    updatePlacement();
}

void PseudoModalComponent::hide()
{
    if (! isAttached())
    {
        setVisible (false);
        return;
    }

    coveringWindow.setVisible (false);
    coveringWindow.toBack();
    pseudoModalVisibilityChanged();
}

bool PseudoModalComponent::isOverlayShown() const
{
    return isAttached() ? coveringWindow.isVisible() : isVisible();
}

void PseudoModalComponent::updatePlacement()
{
    if (! isAttached())
        return;

    if (placement == Placement::centred)
        setCentrePosition (coveringWindow.getLocalBounds().getCentre());
    else
        setTopLeftPosition (placementPoint);
}
