#pragma once

#include <cstddef>
#include <cstdint>

class Korvane;

/*  One function per reader of outside data, each taking one input as that
    reader gets it: the bytes of a host's chunk, or the bytes of a document
    file. The fuzz targets (FuzzMain.cpp) call them from libFuzzer; the unit
    tests (tests/fuzzing/FuzzRegressionTest.cpp) call them on every seed and
    every kept crash input.

    The chunk and document functions share one started product, created on
    first use, because starting one per input would be far too slow. Before
    each input it is put back to how it started (values, bank, current
    preset, MIDI map, settings), so what an input does, and a crash it
    causes, depends on that input alone. After each input the pending
    asynchronous notifications are delivered (the editor's controls, the MIDI
    map's listeners), and the rules that hold for any input are checked: a
    broken rule prints what broke and aborts, which libFuzzer reports as a
    crash and the unit tests as a failed run.

    Everything here runs on JUCE's message thread: the caller has set one up
    (setUpForFuzzing() does, for a fuzz process).
*/
namespace KorvaneFuzz
{
    /** What the reader made of an input. */
    struct Outcome
    {
        /** The reader took the input as a document of its kind (and of this
            product) and read it; false for input it rejected as a whole. */
        bool accepted = false;

        /** What it read: parameters restored (state), values loaded
            (preset), presets loaded (bank), assignments (MIDI map),
            controls built (skin), parameters created (definitions). */
        int count = 0;
    };

    // The host's chunks, as setStateInformation() and
    // setCurrentProgramStateInformation() get them.
    Outcome fuzzStateChunk (const uint8_t* data, size_t size);
    Outcome fuzzProgramChunk (const uint8_t* data, size_t size);

    /** XML text packed into a well-formed state chunk, so that mutations
        reach the restore logic instead of the chunk's header checks. */
    Outcome fuzzStateXml (const uint8_t* data, size_t size);

    /** A preset file loaded into the current slot; the same text packed as
        a program chunk is restored too. */
    Outcome fuzzPresetDocument (const uint8_t* data, size_t size);

    /** A bank file. */
    Outcome fuzzBankDocument (const uint8_t* data, size_t size);

    /** A MIDI controller map file. */
    Outcome fuzzMidiMapDocument (const uint8_t* data, size_t size);

    /** The user settings file, read as a new instance reads it. */
    Outcome fuzzUserSettingsDocument (const uint8_t* data, size_t size);

    /** A skin document, built into a stand-in editor with the product's
        parameters and events, painted once and torn down again. */
    Outcome fuzzSkinDocument (const uint8_t* data, size_t size);

    /** A parameter definitions document, read into a parameter set of its
        own, whose parameters are then used through every value form. */
    Outcome fuzzParameterDefinitions (const uint8_t* data, size_t size);

    //==============================================================================
    /** For a fuzz process: JUCE's message thread on this thread, and user
        settings and scratch files in temporary folders of the process's own
        (inside $KORVANE_FUZZ_TEMP when set), removed again at exit. */
    void setUpForFuzzing();

    /** The product the chunk and document functions share, started on first
        use, in the state its last input left it. */
    Korvane& sharedProduct();

    /** Puts the shared product back to how it started; every function above
        does this first. */
    void resetSharedProduct();

    /** True when the shared product is exactly as it started (every
        parameter, the bank, the current preset, the MIDI map and the
        settings); the folder file choosers open first is left out when
        ignoreRecentFolder is set, since loading a file remembers its folder. */
    bool sharedProductIsAsStarted (bool ignoreRecentFolder = false);

    /** Deletes the shared instances and the scratch files, while JUCE is still
        running; the next input makes new ones. */
    void releaseSharedInstances();
}
