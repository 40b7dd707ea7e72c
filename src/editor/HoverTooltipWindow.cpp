#include "editor/HoverTooltipWindow.h"

juce::String HoverTooltipWindow::getTipFor (juce::Component& component)
{
    if (juce::ModifierKeys::currentModifiers.isAnyMouseButtonDown() || component.isCurrentlyBlockedByAnotherModalComponent())
        return {};

    if (auto* client = dynamic_cast<juce::TooltipClient*> (&component))
        return client->getTooltip();

    return {};
}
