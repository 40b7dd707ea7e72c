#include "editor/QueuedXEvents.h"

#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1
#include <juce_gui_basics/juce_gui_basics.h>

#include <X11/Xatom.h>

namespace juce
{
    extern ::Window juce_messageWindowHandle;   // JUCE's own message window
}

void QueuedXEvents::deliver()
{
    auto* windowSystem = juce::XWindowSystem::getInstanceWithoutCreating();
    auto* display = windowSystem != nullptr ? windowSystem->getDisplay() : nullptr;

    if (display == nullptr || juce::juce_messageWindowHandle == 0)
        return;

    auto* x = juce::X11Symbols::getInstance();
    const juce::XWindowSystemUtilities::ScopedXLock lock;

    if (x->xEventsQueued (display, QueuedAlready) == 0)
        return;

    XEvent wake {};
    wake.xclient.type = ClientMessage;
    wake.xclient.window = juce::juce_messageWindowHandle;
    wake.xclient.message_type = XA_INTEGER;
    wake.xclient.format = 32;
    x->xSendEvent (display, juce::juce_messageWindowHandle, False, NoEventMask, &wake);
    x->xFlush (display);
}
