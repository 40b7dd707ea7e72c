#pragma once

class BasePlugin;

/** Told on the message thread after the host restored or saved the state. */
class StateObserver
{
public:
    virtual ~StateObserver() = default;
    virtual void stateRestored (BasePlugin& processor) = 0;
    virtual void stateSaved (BasePlugin& processor) = 0;
};
