#include "formats/MessageLoop.h"

#include "editor/QueuedXEvents.h"

#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1
#include <juce_audio_plugin_client/juce_audio_plugin_client.h>
#include <juce_audio_plugin_client/utility/juce_LinuxMessageThread.h>

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

void HostDriven::dispatch()
{
    shared->loop->processPendingEvents();
    QueuedXEvents::deliver();
}
}
