#include "PlotWriter.h"

#include "Spectrum.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
    constexpr int imageWidth = 1600;
    constexpr int imageHeight = 1000;
    constexpr int spectrumFftOrder = 13;

    constexpr float waveformRange = 1.1f;   // a little above full scale, so ±1 is visible
    constexpr float spectrumTopDb = 6.0f;
    constexpr float spectrumBottomDb = -120.0f;
    constexpr double lowestFrequency = 20.0;

    namespace Colours
    {
        const juce::Colour background  { 0xff111318 };
        const juce::Colour panel       { 0xff1a1d24 };
        const juce::Colour grid        { 0xff2a2f39 };
        const juce::Colour gridStrong  { 0xff434a57 };
        const juce::Colour text        { 0xffe8eaed };
        const juce::Colour dimText     { 0xff9aa3ae };
        const juce::Colour input       { 0xffb8c4d0 };
        const juce::Colour output      { 0xffff7a45 };

        juce::Colour channel (int index)
        {
            static const juce::Colour colours[] { juce::Colour (0xff4fc3f7), juce::Colour (0xffffc857),
                                                  juce::Colour (0xff8bd17c), juce::Colour (0xfff07ab0),
                                                  juce::Colour (0xffb39ddb), juce::Colour (0xff4dd0c0) };
            return colours[(size_t) index % std::size (colours)];
        }
    }

    juce::Font font (float height, bool bold = false)
    {
        return juce::Font (height, bold ? juce::Font::bold : juce::Font::plain);
    }

    juce::String dot()
    {
        return juce::String (juce::CharPointer_UTF8 ("  \xc2\xb7  "));
    }

    juce::String channelName (int channel, int numChannels)
    {
        if (numChannels == 1) return "mono";
        if (numChannels == 2) return channel == 0 ? "L" : "R";
        return juce::String (channel + 1);
    }

    juce::String peakText (const juce::AudioBuffer<float>& buffer)
    {
        const auto peak = buffer.getNumChannels() > 0 ? buffer.getMagnitude (0, buffer.getNumSamples()) : 0.0f;
        return peak > 0.0f ? juce::String (juce::Decibels::gainToDecibels (peak), 1) + " dBFS" : "silent";
    }

    /** Panel heading on the left and a row of colour keys on the right,
        drawn in the strip just above the panel. */
    void drawHeading (juce::Graphics& g, juce::Rectangle<float> strip, const juce::String& heading,
                      const std::vector<std::pair<juce::String, juce::Colour>>& keys)
    {
        g.setColour (Colours::text);
        g.setFont (font (17.0f, true));
        g.drawText (heading, strip, juce::Justification::bottomLeft);

        g.setFont (font (15.0f));
        auto right = strip.getRight();

        for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        {
            const auto textWidth = g.getCurrentFont().getStringWidthFloat (it->first) + 4.0f;
            g.setColour (Colours::dimText);
            g.drawText (it->first, juce::Rectangle<float> (right - textWidth, strip.getY(), textWidth, strip.getHeight()),
                        juce::Justification::bottomRight);
            right -= textWidth + 6.0f;

            g.setColour (it->second);
            g.fillRoundedRectangle (right - 22.0f, strip.getBottom() - 11.0f, 22.0f, 6.0f, 2.0f);
            right -= 22.0f + 18.0f;
        }
    }

    /** A step of 1, 2 or 5 times a power of ten that puts ticks at least
        minimumSpacing pixels apart. */
    double niceStep (double range, double pixels, double minimumSpacing)
    {
        const auto rough = range * minimumSpacing / pixels;
        auto power = std::pow (10.0, std::floor (std::log10 (rough)));

        for (;; power *= 10.0)
            for (auto multiple : { 1.0, 2.0, 5.0 })
                if (multiple * power >= rough)
                    return multiple * power;
    }

    juce::String secondsText (double seconds, double step)
    {
        if (seconds == 0.0)
            return "0 s";

        const auto decimals = juce::jlimit (0, 6, (int) std::ceil (-std::log10 (step) - 1.0e-9));
        return (decimals == 0 ? juce::String (juce::roundToInt (seconds)) : juce::String (seconds, decimals)) + " s";
    }

    /** One waveform panel, each channel in a lane of its own. Per pixel
        column it draws the lowest and highest sample the column covers, so a
        long file still shows its true envelope. */
    void drawWaveform (juce::Graphics& g, juce::Rectangle<float> area, const juce::AudioBuffer<float>& buffer,
                       double sampleRate, double seconds)
    {
        g.setColour (Colours::panel);
        g.fillRect (area);

        // Time grid across all lanes, labels below the panel.
        const auto step = niceStep (seconds, area.getWidth(), 90.0);
        g.setFont (font (14.0f));

        for (int i = 0;; ++i)
        {
            const auto t = step * i;
            if (t > seconds * (1.0 + 1.0e-9))
                break;

            const auto x = area.getX() + (float) (t / seconds) * area.getWidth();
            g.setColour (Colours::grid);
            g.drawVerticalLine (juce::roundToInt (x), area.getY(), area.getBottom());
            g.setColour (Colours::dimText);
            g.drawText (secondsText (t, step), juce::Rectangle<float> (x - 40.0f, area.getBottom() + 3.0f, 80.0f, 18.0f),
                        juce::Justification::centredTop);
        }

        const auto numChannels = buffer.getNumChannels();
        const auto numSamples = buffer.getNumSamples();
        const auto numColumns = (int) area.getWidth();
        const auto samplesPerColumn = seconds * sampleRate / numColumns;
        const auto laneHeight = area.getHeight() / (float) std::max (numChannels, 1);

        for (int channel = 0; channel < std::max (numChannels, 1); ++channel)
        {
            const auto lane = area.withY (area.getY() + laneHeight * (float) channel).withHeight (laneHeight);
            const auto centreY = lane.getCentreY();
            const auto scale = lane.getHeight() * 0.5f / waveformRange;
            const auto yFor = [&] (float value) { return centreY - value * scale; };

            if (channel > 0)
            {
                g.setColour (Colours::gridStrong);
                g.drawHorizontalLine (juce::roundToInt (lane.getY()), area.getX(), area.getRight());
            }

            // Level grid: full scale and the centre line, labelled at the left.
            g.setFont (font (13.0f));

            for (auto level : { -1.0f, 0.0f, 1.0f })
            {
                const auto y = yFor (level);
                g.setColour (level == 0.0f ? Colours::gridStrong : Colours::grid);
                g.drawHorizontalLine (juce::roundToInt (y), area.getX(), area.getRight());
                // Full-scale labels sit inside their lane, clear of the next one's.
                const auto labelY = level == 0.0f ? y - 8.0f : (level > 0.0f ? y - 2.0f : y - 14.0f);
                g.setColour (Colours::dimText);
                g.drawText (level == 0.0f ? "0" : (level > 0.0f ? "+1" : "-1"),
                            juce::Rectangle<float> (area.getX() - 40.0f, labelY, 34.0f, 16.0f), juce::Justification::centredRight);
            }

            if (channel >= numChannels)
                break;

            g.saveState();
            g.reduceClipRegion (lane.toNearestInt());
            g.setColour (Colours::channel (channel));
            const auto* samples = buffer.getReadPointer (channel);

            for (int column = 0; column < numColumns; ++column)
            {
                const auto first = (int) std::floor (column * samplesPerColumn);
                if (first >= numSamples)
                    break;

                // The next column's first sample is included, so columns
                // join up when there are fewer samples than columns.
                const auto last = std::min (numSamples - 1, (int) std::floor ((column + 1) * samplesPerColumn));
                auto lowest = samples[first], highest = samples[first];

                for (int n = first + 1; n <= last; ++n)
                {
                    lowest = std::min (lowest, samples[n]);
                    highest = std::max (highest, samples[n]);
                }

                const auto top = yFor (juce::jlimit (-waveformRange, waveformRange, highest));
                const auto bottom = yFor (juce::jlimit (-waveformRange, waveformRange, lowest));
                const auto height = std::max (bottom - top, 1.0f);
                g.fillRect (juce::Rectangle<float> (area.getX() + (float) column, (top + bottom - height) * 0.5f, 1.0f, height));
            }

            g.restoreState();

            // The channel's name in the lane's corner, on a backing so the
            // waveform does not run through it.
            const auto name = channelName (channel, numChannels);
            g.setFont (font (13.0f, true));
            const juce::Rectangle<float> tag (area.getX() + 6.0f, lane.getY() + 4.0f, g.getCurrentFont().getStringWidthFloat (name) + 10.0f, 17.0f);
            g.setColour (Colours::panel.withAlpha (0.85f));
            g.fillRoundedRectangle (tag, 3.0f);
            g.setColour (Colours::channel (channel));
            g.drawText (name, tag, juce::Justification::centred);
        }

        g.setColour (Colours::gridStrong);
        g.drawRect (area, 1.0f);
    }

    /** The channels' spectra averaged by power, so each channel counts the
        same and opposite-phase channels do not cancel. */
    std::vector<float> averageSpectrumDb (const juce::AudioBuffer<float>& buffer)
    {
        const auto numChannels = buffer.getNumChannels();
        if (numChannels == 0)
            return {};

        std::vector<double> power;

        for (int channel = 0; channel < numChannels; ++channel)
        {
            const auto db = averageMagnitudeSpectrumDb (buffer.getReadPointer (channel), buffer.getNumSamples(), spectrumFftOrder);
            power.resize (db.size(), 0.0);

            for (size_t k = 0; k < db.size(); ++k)
                power[k] += std::pow (10.0, db[k] / 10.0) / numChannels;
        }

        std::vector<float> result (power.size());

        for (size_t k = 0; k < power.size(); ++k)
            result[k] = (float) (10.0 * std::log10 (std::max (power[k], 1.0e-16)));

        return result;
    }

    juce::String frequencyText (double hz)
    {
        if (hz >= 1000.0)
        {
            const auto khz = hz / 1000.0;
            return (std::abs (khz - std::round (khz)) < 0.05 ? juce::String (juce::roundToInt (khz)) : juce::String (khz, 1)) + " kHz";
        }

        return juce::String (juce::roundToInt (hz)) + " Hz";
    }

    void drawSpectrum (juce::Graphics& g, juce::Rectangle<float> area, const std::vector<float>& inputDb,
                       const std::vector<float>& outputDb, double sampleRate)
    {
        g.setColour (Colours::panel);
        g.fillRect (area);

        const auto nyquist = std::max (sampleRate * 0.5, lowestFrequency * 2.0);
        const auto logSpan = std::log (nyquist / lowestFrequency);
        const auto xFor = [&] (double hz) { return area.getX() + (float) (std::log (hz / lowestFrequency) / logSpan) * area.getWidth(); };
        const auto yFor = [&] (float db)
        {
            const auto clamped = juce::jlimit (spectrumBottomDb, spectrumTopDb, db);
            return area.getY() + (spectrumTopDb - clamped) / (spectrumTopDb - spectrumBottomDb) * area.getHeight();
        };

        // Frequency grid: every 1, 2 … 9 of each decade, the decades stronger
        // and labelled, plus the two ends of the axis.
        g.setFont (font (14.0f));
        std::vector<float> labelledX;

        for (double decade = 10.0; decade < nyquist; decade *= 10.0)
        {
            for (int multiple = 1; multiple <= 9; ++multiple)
            {
                const auto hz = decade * multiple;
                if (hz < lowestFrequency || hz > nyquist)
                    continue;

                const auto x = xFor (hz);
                g.setColour (multiple == 1 ? Colours::gridStrong : Colours::grid);
                g.drawVerticalLine (juce::roundToInt (x), area.getY(), area.getBottom());

                if (multiple == 1)
                {
                    g.setColour (Colours::text);
                    g.drawText (frequencyText (hz), juce::Rectangle<float> (x - 40.0f, area.getBottom() + 3.0f, 80.0f, 18.0f),
                                juce::Justification::centredTop);
                    labelledX.push_back (x);
                }
            }
        }

        g.setColour (Colours::dimText);

        for (auto [hz, justification] : { std::pair<double, juce::Justification> { lowestFrequency, juce::Justification::topLeft },
                                          std::pair<double, juce::Justification> { nyquist, juce::Justification::topRight } })
        {
            const auto x = xFor (hz);
            const auto clear = std::none_of (labelledX.begin(), labelledX.end(), [x] (float other) { return std::abs (other - x) < 70.0f; });

            if (clear)
                g.drawText (frequencyText (hz), juce::Rectangle<float> (hz == nyquist ? x - 80.0f : x, area.getBottom() + 3.0f, 80.0f, 18.0f),
                            justification);
        }

        // Level grid every 20 dB, full scale stronger.
        g.setFont (font (13.0f));

        for (int db = 0; db >= (int) spectrumBottomDb; db -= 20)
        {
            const auto y = yFor ((float) db);
            g.setColour (db == 0 ? Colours::gridStrong : Colours::grid);
            g.drawHorizontalLine (juce::roundToInt (y), area.getX(), area.getRight());
            g.setColour (Colours::dimText);
            g.drawText (juce::String (db) + " dB", juce::Rectangle<float> (area.getX() - 64.0f, y - 8.0f, 58.0f, 16.0f),
                        juce::Justification::centredRight);
        }

        // Each curve takes, per pixel column, the loudest bin in it; where
        // bins are further apart than a pixel, the path joins them.
        const auto binWidth = sampleRate / (double) (1 << spectrumFftOrder);
        const auto curve = [&] (const std::vector<float>& db)
        {
            juce::Path path;
            auto started = false;
            auto column = -1;
            auto columnPeak = spectrumBottomDb;
            auto columnX = 0.0f;

            const auto flush = [&]
            {
                if (column < 0)
                    return;

                if (started)
                    path.lineTo (columnX, yFor (columnPeak));
                else
                    path.startNewSubPath (columnX, yFor (columnPeak));

                started = true;
            };

            for (size_t k = 1; k < db.size(); ++k)
            {
                const auto hz = (double) k * binWidth;
                if (hz < lowestFrequency || hz > nyquist)
                    continue;

                const auto x = xFor (hz);
                const auto thisColumn = (int) std::floor (x - area.getX());

                if (thisColumn != column)
                {
                    flush();
                    column = thisColumn;
                    columnPeak = db[k];
                    columnX = x;
                }
                else
                {
                    columnPeak = std::max (columnPeak, db[k]);
                }
            }

            flush();
            return path;
        };

        g.saveState();
        g.reduceClipRegion (area.toNearestInt());

        // The output, what the plug-in made, gets a faint fill under both
        // lines; the input stays a line so the two remain easy to tell apart.
        const auto inputPath = curve (inputDb), outputPath = curve (outputDb);

        if (! outputPath.isEmpty())
        {
            auto filled = outputPath;
            const auto bounds = outputPath.getBounds();
            filled.lineTo (bounds.getRight(), area.getBottom() + 2.0f);
            filled.lineTo (bounds.getX(), area.getBottom() + 2.0f);
            filled.closeSubPath();
            g.setColour (Colours::output.withAlpha (0.10f));
            g.fillPath (filled);
        }

        const juce::PathStrokeType stroke (1.6f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded);
        g.setColour (Colours::input);
        g.strokePath (inputPath, stroke);
        g.setColour (Colours::output);
        g.strokePath (outputPath, stroke);

        g.restoreState();
        g.setColour (Colours::gridStrong);
        g.drawRect (area, 1.0f);
    }
}

bool writePlot (const juce::File& pngFile,
                const juce::AudioBuffer<float>& input,
                const juce::AudioBuffer<float>& output,
                double sampleRate,
                const juce::String& title,
                juce::String& error)
{
    if (! (sampleRate > 0.0))
    {
        error = "cannot plot at a sample rate of " + juce::String (sampleRate);
        return false;
    }

    if (pngFile.isDirectory())
    {
        error = "cannot write the plot to " + pngFile.getFullPathName() + ": it is a directory";
        return false;
    }

    juce::Image image (juce::Image::ARGB, imageWidth, imageHeight, true, juce::SoftwareImageType());

    {
        juce::Graphics g (image);
        g.fillAll (Colours::background);

        const auto left = 110.0f, right = (float) imageWidth - 36.0f, width = right - left;
        const auto longest = std::max (input.getNumSamples(), output.getNumSamples());
        const auto seconds = longest > 0 ? longest / sampleRate : 1.0;

        // Title line, with the facts a listener wants at a glance on the right.
        g.setColour (Colours::text);
        g.setFont (font (26.0f, true));
        g.drawText (title, juce::Rectangle<float> (left, 12.0f, width * 0.55f, 36.0f), juce::Justification::centredLeft, true);

        const auto facts = juce::String (sampleRate / 1000.0, 1).trimCharactersAtEnd ("0").trimCharactersAtEnd (".") + " kHz"
                         + dot() + juce::String (longest / sampleRate, 2) + " s"
                         + dot() + "input peak " + peakText (input)
                         + dot() + "output peak " + peakText (output);
        g.setColour (Colours::dimText);
        g.setFont (font (16.0f));
        g.drawText (facts, juce::Rectangle<float> (left + width * 0.4f, 12.0f, width * 0.6f, 36.0f), juce::Justification::centredRight, true);

        const auto channelKeys = [] (const juce::AudioBuffer<float>& buffer)
        {
            std::vector<std::pair<juce::String, juce::Colour>> keys;
            for (int channel = 0; channel < buffer.getNumChannels(); ++channel)
                keys.emplace_back (channelName (channel, buffer.getNumChannels()), Colours::channel (channel));
            return keys;
        };

        const juce::Rectangle<float> inputArea (left, 88.0f, width, 240.0f);
        drawHeading (g, inputArea.withY (62.0f).withHeight (24.0f), "Input", channelKeys (input));
        drawWaveform (g, inputArea, input, sampleRate, seconds);

        const juce::Rectangle<float> outputArea (left, 382.0f, width, 240.0f);
        drawHeading (g, outputArea.withY (356.0f).withHeight (24.0f), "Output", channelKeys (output));
        drawWaveform (g, outputArea, output, sampleRate, seconds);

        const juce::Rectangle<float> spectrumArea (left, 676.0f, width, 270.0f);
        drawHeading (g, spectrumArea.withY (650.0f).withHeight (24.0f), "Average spectrum",
                     { { "Input", Colours::input }, { "Output", Colours::output } });
        drawSpectrum (g, spectrumArea, averageSpectrumDb (input), averageSpectrumDb (output), sampleRate);
    }

    // Written beside the target and moved over it, so a failed write never
    // leaves half a picture behind.
    juce::TemporaryFile temporary (pngFile);

    {
        juce::FileOutputStream stream (temporary.getFile());

        if (stream.failedToOpen())
        {
            error = "cannot write the plot to " + pngFile.getFullPathName() + ": " + stream.getStatus().getErrorMessage();
            return false;
        }

        juce::PNGImageFormat png;

        if (! png.writeImageToStream (image, stream) || (stream.flush(), ! stream.getStatus().wasOk()))
        {
            error = "cannot write the plot to " + pngFile.getFullPathName() + ": " + stream.getStatus().getErrorMessage();
            return false;
        }
    }

    if (! temporary.overwriteTargetFileWithTemporary())
    {
        error = "cannot replace " + pngFile.getFullPathName();
        return false;
    }

    return true;
}
