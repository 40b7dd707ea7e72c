#include "HostProcess.h"

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <vector>

extern char** environ;

HostProcess::HostProcess (const juce::StringArray& arguments, const juce::StringPairArray& environment)
{
    int toChild[2], fromChild[2];

    if (pipe (toChild) != 0 || pipe (fromChild) != 0)
        throw std::runtime_error ("no pipes");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init (&actions);
    posix_spawn_file_actions_adddup2 (&actions, toChild[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2 (&actions, fromChild[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2 (&actions, fromChild[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose (&actions, toChild[1]);
    posix_spawn_file_actions_addclose (&actions, fromChild[0]);

    // This process's environment with the extra variables replacing their namesakes.
    std::vector<std::string> variables;
    for (auto** variable = environ; *variable != nullptr; ++variable)
    {
        const juce::String entry (*variable);
        if (! environment.containsKey (entry.upToFirstOccurrenceOf ("=", false, false)))
            variables.push_back (*variable);
    }
    for (const auto& key : environment.getAllKeys())
        variables.push_back ((key + "=" + environment[key]).toStdString());

    std::vector<char*> envp, argv;
    for (auto& variable : variables)
        envp.push_back (variable.data());
    envp.push_back (nullptr);

    std::vector<std::string> args;
    for (const auto& argument : arguments)
        args.push_back (argument.toStdString());
    for (auto& argument : args)
        argv.push_back (argument.data());
    argv.push_back (nullptr);

    const auto result = posix_spawnp (&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy (&actions);
    close (toChild[0]);
    close (fromChild[1]);
    input = toChild[1];
    output = fromChild[0];
    fcntl (output, F_SETFL, fcntl (output, F_GETFL) | O_NONBLOCK);
    signal (SIGPIPE, SIG_IGN);

    if (result != 0)
    {
        pid = -1;
        throw std::runtime_error (("cannot start " + arguments[0]).toStdString());
    }
}

HostProcess::~HostProcess()
{
    terminate();

    if (input >= 0)
        close (input);
    if (output >= 0)
        close (output);
}

bool HostProcess::isRunning()
{
    if (pid <= 0)
        return false;

    int status = 0;

    if (waitpid (pid, &status, WNOHANG) == pid)
    {
        exitCode = WIFEXITED (status) ? WEXITSTATUS (status) : 128 + WTERMSIG (status);
        pid = -1;
        return false;
    }

    return true;
}

int HostProcess::getExitCode()
{
    isRunning();
    return exitCode;
}

void HostProcess::writeLine (const juce::String& line)
{
    const auto text = (line + "\n").toStdString();
    [[maybe_unused]] const auto written = write (input, text.data(), text.size());
}

void HostProcess::readAvailable()
{
    char buffer[4096];

    for (;;)
    {
        const auto n = read (output, buffer, sizeof (buffer));

        if (n <= 0)
            break;

        collected.write (buffer, (size_t) n);
    }
}

juce::String HostProcess::getOutput()
{
    readAvailable();
    return collected.toString();
}

bool HostProcess::waitForOutput (const juce::String& text, int timeoutMs, int from)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

    while (juce::Time::getMillisecondCounter() < end)
    {
        if (getOutput().substring (from).contains (text))
            return true;

        if (! isRunning())
            return getOutput().substring (from).contains (text);

        juce::Thread::sleep (20);
    }

    return false;
}

void HostProcess::terminate()
{
    if (! isRunning())
        return;

    kill (pid, SIGTERM);

    for (int i = 0; i < 250 && isRunning(); ++i)
        juce::Thread::sleep (20);

    if (isRunning())
    {
        kill (pid, SIGKILL);
        int status = 0;
        waitpid (pid, &status, 0);
        pid = -1;
    }
}
