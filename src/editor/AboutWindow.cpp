#include "editor/AboutWindow.h"

#include "plugin/SoftwareDesignation.h"

AboutWindow::AboutWindow (const SoftwareDesignation& identityRecord)
    : WindowComponent ("AboutWindow"), identity (identityRecord)
{
    setTitleBarShown (false);
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::mouseDown (const juce::MouseEvent&)
{
    hide();
}
