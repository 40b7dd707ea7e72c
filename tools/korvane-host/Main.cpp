#include "Commands.h"
#include "XDisplay.h"

#include <juce_events/juce_events.h>

#include <algorithm>
#include <iostream>
#include <stdexcept>

/*  korvane-host: a command-line host built from JUCE's plug-in hosting
    classes. It loads VST 2.4, VST3, LV2 and CLAP plug-ins by path, as a
    host does, and inspects, renders, compares and times them.
*/
namespace
{
    struct Command
    {
        const char* name;
        int (*run) (const juce::StringArray&);
        const char* usage;   // its synopsis, then what it does and its options
    };

    const Command commands[] =
    {
        { "inspect", runInspect, R"(inspect <plug-in>
      print what a host sees of the plug-in, as JSON
)" },
        { "render", runRender, R"(render <plug-in> <input.wav> <output.wav> [options]
      run a mono or stereo WAV file through the plug-in into a 32-bit float WAV
        --rate HZ          sample rate to render at (default: the input's)
        --block N          block size (default 512)
        --set P=V          set parameter P (index or name) to normalised value V; repeatable
        --state-in FILE    load a state before rendering: one --state-out wrote, or the
                           plug-in's own chunk as a host keeps it (VST 2.4 chunk, VST3
                           component state or .vstpreset, CLAP state)
        --state-out FILE   save the state after rendering
        --midi FILE        MIDI events, one "position status data1 data2" a line
        --tail SECONDS     render this much longer than the input
        --plot FILE.png    draw the input and output waveforms and spectra
        --report FILE      write what a host sees after the render (as inspect does), as JSON
)" },
        { "compare", runCompare, R"(compare <plug-in A> <plug-in B> [--input WAV] [--rate HZ] [--block N] [--set P=V] [--tolerance X]
      render the same input through both and print the largest sample difference;
      with --tolerance, exit 1 when it is exceeded
)" },
        { "bench", runBench, R"(bench <plug-in> [<plug-in> ...] [--seconds S] [--runs N] [--rate HZ] [--block N] [--set P=V]
      [--scenario steady|automation|glides|silence|all]
      time the processing, the plug-ins interleaved, with a table of medians
      (with two, their ratio); --scenario is repeatable
)" },
        { "demo", runDemo, R"(demo <output.wav> [--rate HZ]
      write the demo input, a plucked-string phrase
)" },
        { "editor", runEditor, R"(editor <plug-in> <output.png> [options]
      open the plug-in's editor in a window on the X display (DISPLAY; under CI
      use xvfb-run), click into it and save what the screen shows of the window
        --click X,Y        click at a position relative to the editor (ctrl:X,Y holds
                           Ctrl); repeatable, in order
        --drag X,Y:X,Y     after the clicks, drag with the left button from one
                           position to the other; repeatable, in order
        --settle MS        wait this long after opening and after each click (default 1500)
        --wait-size WxH    before the capture, wait (up to 30 s) until the window is
                           W x H pixels; fail if it never is
        --scale S          the scale a host names for its window (clicks stay unscaled)
)" },
        { "validate", runValidate, R"(validate <plug-in> [--seed N] [--seconds S] [--values N] [--editor-cycles N] [--no-editor]
      put the plug-in through a validator's checks: state round trip, parameter
      values and texts, automation every 32 samples, 44.1/48/96 kHz with fixed
      and varying block sizes, the editor opened and closed while audio runs
      (needs an X display; skipped without one), parameters set from another
      thread; any NaN, infinite or subnormal output fails. Exits 1 when a check failed
)" },
    };

    constexpr auto pluginNote = "A plug-in is a VST 2.4 .so file, a .vst3 bundle, an .lv2 bundle (or an LV2 URI) or a .clap file.\n";

    const Command* findCommand (const juce::String& name)
    {
        for (const auto& command : commands)
            if (name == command.name)
                return &command;

        return nullptr;
    }

    void printOverview (std::ostream& out)
    {
        out << "usage: korvane-host <command> ...\n"
               "       korvane-host <command> --help\n\n";

        for (const auto& command : commands)
            out << "  " << command.usage;

        out << "\n" << pluginNote;
    }

    void printUsage (const Command& command)
    {
        std::cout << "usage: korvane-host " << command.usage << "\n" << pluginNote;
    }

    bool asksForHelp (const juce::String& word)
    {
        return word == "--help" || word == "-h";
    }

    // Only the editor, and the validator's editor check, open windows.
    bool opensWindows (const juce::String& command, const juce::StringArray& words)
    {
        return command == "editor" || (command == "validate" && ! words.contains ("--no-editor"));
    }
}

int main (int argc, char** argv)
{
    juce::StringArray words;
    for (int i = 1; i < argc; ++i)
        words.add (juce::String::fromUTF8 (argv[i]));

    if (words.isEmpty() || asksForHelp (words[0]) || (words[0] == "help" && words.size() == 1))
    {
        printOverview (words.isEmpty() ? std::cerr : std::cout);
        return words.isEmpty() ? 2 : 0;
    }

    auto name = words[0];
    words.remove (0);

    // "help render" as "render --help".
    if (name == "help")
    {
        name = words[0];
        words = { "--help" };
    }

    const auto* command = findCommand (name);

    if (command == nullptr)
    {
        std::cerr << "korvane-host: unknown command '" << name << "'\n(see korvane-host --help)\n";
        return 2;
    }

    if (std::any_of (words.begin(), words.end(), asksForHelp))
    {
        printUsage (*command);
        return 0;
    }

    // Before JUCE or a plug-in can open a display.
    XDisplay::allowOnlyIf (opensWindows (name, words));
    juce::ScopedJuceInitialiser_GUI juce;

    try
    {
        return command->run (words);
    }
    catch (const std::invalid_argument& e)
    {
        std::cerr << "korvane-host: " << e.what() << "\n(see korvane-host " << name << " --help)\n";
        return 2;
    }
    catch (const std::exception& e)
    {
        std::cerr << "korvane-host: " << e.what() << "\n";
        return 1;
    }
}
