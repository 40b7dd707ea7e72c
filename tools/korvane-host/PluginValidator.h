#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>
#include <vector>

/*  Puts a loaded plug-in through what a careful host, and the plug-in
    validators hosts' users rely on, do to it:

    - state: saved, every parameter randomised, restored; every parameter
      must be back within 1e-6 and a second save identical to the first;
    - damaged state: the saved state cut short at many lengths and with
      bytes changed, each restored in turn while audio runs between them;
      the output must stay clean, and the whole state must restore after;
    - parameters: random values on every parameter, each value in 0 … 1, and
      its text entered again through the host's text entry must show the
      same text (a plug-in that takes no text at all has no text entry,
      an optional feature: that part is skipped);
    - automation of random parameters every 32 samples;
    - 44.1, 48 and 96 kHz with blocks of 64 to 1024 samples and with block
      sizes that change from block to block;
    - the rates at the ends, 8 kHz to 384 kHz, and, where the format lets a
      host name any rate (VST 2.4, VST3), no rate at all (0, negative, NaN,
      infinite), each followed by 44.1 kHz;
    - blocks of up to 8192 samples after a prepare for 256, where the format
      lets a host send them (VST 2.4);
    - the editor opened and closed again and again while audio runs;
    - parameters set from a second thread while audio runs;
    - several instances, each processing on a thread of its own, while the
      host saves each one's state and restores it into another; at the end
      every instance, given a state of its own, must save exactly that
      state (instances that share what should be their own fail here).

    Audio is white noise followed by silence; every output sample that is
    NaN, infinite or subnormal fails the check it came from.
*/
class PluginValidator
{
public:
    struct Settings
    {
        juce::int64 seed = 1;
        double secondsPerCase = 1.0;   ///< noise per processing case (a half second of silence follows)
        int valuesPerParameter = 16;
        int editorCycles = 8;
        bool withEditor = true;        ///< needs an X display
        int concurrentInstances = 4;
    };

    struct Outcome
    {
        enum Result { passed, failed, skipped };
        juce::String name;
        Result result = passed;
        juce::String detail;
    };

    /** Makes another instance of the same plug-in, on the message thread. */
    using InstanceFactory = std::function<std::unique_ptr<juce::AudioPluginInstance>()>;

    /** Without a factory the check of several instances is skipped. */
    PluginValidator (juce::AudioPluginInstance& plugin, Settings settings, InstanceFactory makeInstance = {});
    ~PluginValidator();

    /** Runs every check in order, telling `starting` the name of each as it
        begins and `report` its outcome as it ends. */
    std::vector<Outcome> runAll (const std::function<void (const Outcome&)>& report = {},
                                 const std::function<void (const char*)>& starting = {});

    // Each check on its own; the outcome's name is left to runAll.

    Outcome checkStateRoundTrip();
    Outcome checkDamagedState();
    Outcome checkParameterValuesAndTexts();
    Outcome checkAutomationEvery32Samples();
    Outcome checkSampleRatesAndBlockSizes();
    Outcome checkExtremeAndBadSampleRates();
    Outcome checkBlocksLargerThanPrepared();
    Outcome checkEditorWhileProcessing();
    Outcome checkParametersFromAnotherThread();
    Outcome checkInstancesOnSeveralThreads();

    struct Check
    {
        const char* name;
        Outcome (PluginValidator::*run)();
    };

    /** Every check, with the name its report goes by, in the order runAll
        runs them. */
    static const std::vector<Check>& getChecks();

    /** The host's side of the audio callback the checks drive. */
    class NoiseHost;

private:

    void prepare (double sampleRate, int maximumBlockSize);
    void settle();
    /** The plug-in's state after a little audio at 44.1 kHz, ready for a check. */
    juce::MemoryBlock stateAfterSomeAudio();
    void randomiseParameter (juce::AudioProcessorParameter& parameter);

    juce::AudioPluginInstance& plugin;
    const Settings settings;
    const InstanceFactory makeInstance;
    juce::Random random;
    std::unique_ptr<NoiseHost> host;
};
