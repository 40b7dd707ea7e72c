#include "CommandOptions.h"
#include "Commands.h"
#include "PluginLoading.h"
#include "PluginValidator.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <iostream>
#include <stdexcept>

#include <unistd.h>

namespace
{
    std::atomic<const char*> runningCheck { nullptr };

    /** A plug-in that crashes takes the validator with it: the report still
        says which check it was, and the exit status says it failed. */
    extern "C" void reportCrash (int signal)
    {
        const auto write = [] (const char* text) { [[maybe_unused]] auto n = ::write (STDOUT_FILENO, text, std::strlen (text)); };
        const char* check = runningCheck.load();

        write ("  CRASH  ");
        write (check != nullptr ? check : "loading the plug-in");
        write (": the plug-in crashed (");
        write (signal == SIGSEGV ? "segmentation fault" : signal == SIGBUS ? "bus error"
               : signal == SIGFPE ? "arithmetic exception" : signal == SIGILL ? "illegal instruction" : "aborted");
        write (")\nFAILED\n");
        _exit (1);
    }

    void reportCrashes()
    {
        for (const auto signal : { SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT })
            std::signal (signal, reportCrash);
    }
}

int runValidate (const juce::StringArray& words)
{
    const CommandOptions options (words, { "seed", "seconds", "values", "editor-cycles" }, { "no-editor" });
    const auto& args = options.getPositional();

    if (args.size() != 1)
        throw std::invalid_argument ("validate takes one plug-in");

    PluginValidator::Settings settings;
    settings.seed = options.getInteger ("seed", 1, 0, std::numeric_limits<int>::max());
    settings.secondsPerCase = options.getNumber ("seconds", 1.0, 0.01, 600.0);
    settings.valuesPerParameter = options.getInteger ("values", 16, 2, 100000);
    settings.editorCycles = options.getInteger ("editor-cycles", 8, 1, 10000);
    settings.withEditor = ! options.has ("no-editor");

    reportCrashes();
    PluginLoader loader;
    auto plugin = loader.load (args[0], 44100.0, 512);

    std::cout << "validating " << plugin.description.name << " (" << plugin.formatName << ", "
              << plugin.instance->getParameters().size() << " parameters, seed " << settings.seed << ")\n";

    int failures = 0, skips = 0, passes = 0;
    const auto start = juce::Time::getMillisecondCounterHiRes();

    {
        PluginValidator validator (*plugin.instance, settings,
                                   [&] { return loader.load (args[0], 44100.0, 512).instance; });
        validator.runAll ([&] (const PluginValidator::Outcome& outcome)
        {
            const char* word = outcome.result == PluginValidator::Outcome::passed ? "pass"
                             : outcome.result == PluginValidator::Outcome::failed ? "FAIL" : "skip";
            (outcome.result == PluginValidator::Outcome::failed ? failures
             : outcome.result == PluginValidator::Outcome::skipped ? skips : passes)++;
            std::cout << "  " << word << "  " << outcome.name << ": " << outcome.detail << "\n" << std::flush;
        },
        [] (const char* check) { runningCheck = check; });
    }

    plugin.instance.reset();

    std::cout << (failures == 0 ? "passed" : "FAILED") << ": " << passes << " passed, " << failures << " failed, "
              << skips << " skipped in " << juce::String ((juce::Time::getMillisecondCounterHiRes() - start) / 1000.0, 1)
              << " s\n";
    return failures == 0 ? 0 : 1;
}
