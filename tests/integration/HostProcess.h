#pragma once

#include <juce_core/juce_core.h>

#include <sys/types.h>

/*  A program a test runs beside itself (a JACK server, a host such as
    jalv): started with extra environment variables, fed lines on its
    standard input, its standard output and error collected, and ended
    (terminated, then killed) when the object goes.
*/
class HostProcess
{
public:
    HostProcess (const juce::StringArray& arguments, const juce::StringPairArray& environment = {});
    ~HostProcess();

    bool isRunning();
    /** Exit status once it has ended, or -1. */
    int getExitCode();

    void writeLine (const juce::String& line);

    /** Everything the program wrote so far (output and errors). */
    juce::String getOutput();

    /** Waits (up to the time given) until the output after `from` contains
        `text`; returns whether it did. */
    bool waitForOutput (const juce::String& text, int timeoutMs, int from = 0);

    void terminate();

private:
    void readAvailable();

    pid_t pid = -1;
    int input = -1, output = -1;
    int exitCode = -1;
    juce::MemoryOutputStream collected;
};
