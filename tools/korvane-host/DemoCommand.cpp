#include "AudioFiles.h"
#include "CommandOptions.h"
#include "Commands.h"
#include "DemoPhrase.h"

#include <iostream>
#include <stdexcept>

int runDemo (const juce::StringArray& words)
{
    const CommandOptions options (words, { "rate" });

    if (options.getPositional().size() != 1)
        throw std::invalid_argument ("demo takes the WAV file to write");

    AudioClip clip;
    clip.sampleRate = options.getNumber ("rate", 44100.0, 8000.0, 768000.0);
    clip.samples = makeDemoPhrase (clip.sampleRate);

    const auto file = juce::File::getCurrentWorkingDirectory().getChildFile (options.getPositional()[0]);
    writeFloatWavFile (file, clip);
    std::cout << "wrote a " << juce::String (clip.samples.getNumSamples() / clip.sampleRate, 1)
              << " s plucked-string phrase to " << file.getFullPathName() << "\n";
    return 0;
}
