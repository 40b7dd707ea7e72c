#include "Commands.h"

#include <juce_events/juce_events.h>

#include <iostream>
#include <stdexcept>

/*  korvane-host: a command-line host built from JUCE's plug-in hosting
    classes. It loads VST 2.4, VST3 and LV2 plug-ins by path, as a host
    does, and inspects, renders, compares and times them.
*/
namespace
{
    constexpr auto usage = R"(usage: korvane-host <command> ...

  inspect <plug-in>
      print what a host sees of the plug-in, as JSON
  render <plug-in> <input.wav> <output.wav> [options]
      run a WAV file through the plug-in into a 32-bit float WAV
        --rate HZ          sample rate to render at (default: the input's)
        --block N          block size (default 512)
        --set P=V          set parameter P (index or name) to normalised value V; repeatable
        --state-in FILE    load a state chunk before rendering
        --state-out FILE   save the state chunk after rendering
        --midi FILE        MIDI events, one "position status data1 data2" a line
        --tail SECONDS     render this much longer than the input
        --plot FILE.png    draw the input and output waveforms and spectra
        --report FILE      write what a host sees after the render (as inspect does), as JSON
  compare <plug-in A> <plug-in B> [--input WAV] [--rate HZ] [--block N] [--set P=V] [--tolerance X]
      render the same input through both and print the largest sample difference
  bench <plug-in> [<plug-in B>] [--seconds S] [--runs N] [--rate HZ] [--block N] [--set P=V]
      time the processing; with two plug-ins, interleaved, with their ratio
  demo <output.wav> [--rate HZ]
      write the demo input, a plucked-string phrase
  editor <plug-in> <output.png> [--click X,Y] [--click ctrl:X,Y] [--settle MS]
      open the plug-in's editor in a window on the X display, click into it
      (positions relative to the editor; repeatable, in order) and save what
      the screen shows of the window
  validate <plug-in> [--seed N] [--seconds S] [--values N] [--editor-cycles N] [--no-editor]
      put the plug-in through a validator's checks: state round trip, parameter
      values and texts, automation every 32 samples, 44.1/48/96 kHz with fixed
      and varying block sizes, the editor opened and closed while audio runs
      (needs an X display), parameters set from another thread; any NaN,
      infinite or subnormal output fails. Exits 1 when a check failed

A plug-in is a VST 2.4 .so file, a .vst3 bundle, an .lv2 bundle or an LV2 URI.
)";

    int dispatch (const juce::String& command, const juce::StringArray& words)
    {
        if (command == "inspect") return runInspect (words);
        if (command == "render")  return runRender (words);
        if (command == "compare") return runCompare (words);
        if (command == "bench")   return runBench (words);
        if (command == "demo")    return runDemo (words);
        if (command == "editor")  return runEditor (words);
        if (command == "validate") return runValidate (words);

        throw std::invalid_argument (("unknown command '" + command + "'").toStdString());
    }
}

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;

    juce::StringArray words;
    for (int i = 1; i < argc; ++i)
        words.add (juce::String::fromUTF8 (argv[i]));

    if (words.isEmpty() || words[0] == "--help" || words[0] == "-h" || words[0] == "help")
    {
        (words.isEmpty() ? std::cerr : std::cout) << usage;
        return words.isEmpty() ? 2 : 0;
    }

    const auto command = words[0];
    words.remove (0);

    try
    {
        return dispatch (command, words);
    }
    catch (const std::invalid_argument& e)
    {
        std::cerr << "korvane-host: " << e.what() << "\n(see korvane-host --help)\n";
        return 2;
    }
    catch (const std::exception& e)
    {
        std::cerr << "korvane-host: " << e.what() << "\n";
        return 1;
    }
}
