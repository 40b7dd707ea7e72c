#include "InspectCommand.h"
#include "PluginLoading.h"

#include <iostream>
#include <stdexcept>

/*  korvane-host: a command-line host built from JUCE's plug-in hosting
    classes. It loads a plug-in file the way a host does and reports on it.
*/
namespace
{
    constexpr auto usage =
        "usage: korvane-host inspect <plug-in>\n"
        "  inspect   print what a host sees of the plug-in (VST 2.4 .so or .vst3 bundle) as JSON\n";

    int inspect (const juce::StringArray& args)
    {
        if (args.size() != 1)
            throw std::invalid_argument ("inspect takes exactly one plug-in path");

        auto plugin = loadPlugin (args[0], 44100.0, 512);
        std::cout << juce::JSON::toString (describePlugin (plugin)) << std::endl;
        return 0;
    }
}

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;

    juce::StringArray args;
    for (int i = 1; i < argc; ++i)
        args.add (juce::String::fromUTF8 (argv[i]));

    if (args.isEmpty() || args[0] == "--help" || args[0] == "-h")
    {
        std::cout << usage;
        return args.isEmpty() ? 2 : 0;
    }

    const auto command = args[0];
    args.remove (0);

    try
    {
        if (command == "inspect")
            return inspect (args);

        std::cerr << "korvane-host: unknown command '" << command << "'\n" << usage;
        return 2;
    }
    catch (const std::invalid_argument& e)
    {
        std::cerr << "korvane-host: " << e.what() << "\n" << usage;
        return 2;
    }
    catch (const std::exception& e)
    {
        std::cerr << "korvane-host: " << e.what() << "\n";
        return 1;
    }
}
