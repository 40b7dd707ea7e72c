#pragma once

#include <memory>

/*  JUCE's message loop inside a host that knows nothing of it, as JUCE's own
    Linux plug-in wrappers run it:

    - while an instance exists and no editor is open, a thread of JUCE's own
      runs the loop (`OwnThread`, held by every instance);
    - while an editor is open, the host's UI thread is the message thread,
      and the loop runs whenever the host lets the editor idle
      (`HostDriven`, held by every open editor; the host calls dispatch()).

    Both are shared: the first holder starts the arrangement, the last one
    to go ends it.
*/
namespace MessageLoop
{
    class OwnThread
    {
    public:
        OwnThread();
        ~OwnThread();

    private:
        struct Shared;
        std::unique_ptr<Shared> shared;
    };

    class HostDriven
    {
    public:
        /** Makes the calling thread (the host's UI thread) the message thread. */
        HostDriven();
        ~HostDriven();

        /** Delivers every message and window event waiting. */
        void dispatch();

    private:
        struct Shared;
        std::unique_ptr<Shared> shared;
    };
}
