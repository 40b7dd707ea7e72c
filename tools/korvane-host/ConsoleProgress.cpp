#include "ConsoleProgress.h"

#include <iostream>
#include <unistd.h>

ConsoleProgress::ConsoleProgress (const juce::String& labelToShow, bool worthShowing)
    : label (labelToShow), enabled (worthShowing && isatty (STDERR_FILENO) != 0)
{
}

ConsoleProgress::~ConsoleProgress()
{
    if (enabled && shown >= 0)
        std::cerr << std::endl;
}

void ConsoleProgress::update (double fractionDone)
{
    if (! enabled)
        return;

    const auto percent = juce::jlimit (0, 100, (int) (fractionDone * 100.0));

    if (percent == shown)
        return;

    shown = percent;
    constexpr int width = 40;
    const auto filled = percent * width / 100;
    std::cerr << "\r" << label << " [" << std::string ((size_t) filled, '#') << std::string ((size_t) (width - filled), ' ')
              << "] " << percent << "%" << std::flush;
}
