#include "formats/MessageLoop.h"

#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1
#include <juce_audio_plugin_client/juce_audio_plugin_client.h>
#include <juce_audio_plugin_client/utility/juce_LinuxMessageThread.h>

#include <X11/Xatom.h>

namespace juce
{
    extern ::Window juce_messageWindowHandle;   // JUCE's own message window
}

namespace MessageLoop
{
struct OwnThread::Shared
{
    juce::SharedResourcePointer<juce::MessageThread> thread;
};

OwnThread::OwnThread() : shared (std::make_unique<Shared>()) {}
OwnThread::~OwnThread() = default;

struct HostDriven::Shared
{
    juce::SharedResourcePointer<juce::HostDrivenEventLoop> loop;
};

HostDriven::HostDriven() : shared (std::make_unique<Shared>()) {}
HostDriven::~HostDriven() = default;

namespace
{
    /*  JUCE reads the X connection's events when the connection has data.
        An Xlib call that waits for a reply (a paint's sync, a pointer
        query) reads every event that arrived meanwhile into Xlib's queue,
        and if that happens outside JUCE's reading, those events (a mouse
        button's release, say) wait there until the next event arrives,
        which may be never. A message sent to JUCE's own message window
        gives the connection data, so JUCE reads the queue now; JUCE
        ignores the message itself. */
    void deliverEventsAlreadyRead()
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
}

void HostDriven::dispatch()
{
    shared->loop->processPendingEvents();
    deliverEventsAlreadyRead();
}
}
