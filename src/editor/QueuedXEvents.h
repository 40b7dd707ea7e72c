#pragma once

/*  Window events that Xlib has read but nobody has delivered yet.

    JUCE reads the X connection's events when the connection has data.
    An Xlib call that waits for a reply (a paint's sync, a pointer query,
    a window destroyed and synced) reads every event that arrived meanwhile
    into Xlib's queue, and if that happens outside JUCE's reading, those
    events (a button's release, the exposure of the area a closed drag
    image covered) wait there until the next event arrives, which may be
    never: the screen keeps a stale picture until the pointer moves. A
    host watching the connection for data does not see them either, in
    every plug-in format.

    deliver() gives the connection data when events wait (a message sent
    to JUCE's own message window, which JUCE reads and ignores), so they
    are delivered at once. Cheap when nothing waits: it only looks at
    Xlib's queue. Call it on the message thread.
*/
class QueuedXEvents
{
public:
    static void deliver();
};
