#include "EditorTestSupport.h"

#include "editor/OptionsWindow.h"
#include "plugin/AudioProcessorEditorWrapper.h"
#include "plugin/EventsMap.h"
#include "skin/GFXKnob.h"
#include "skin/SkinImage.h"

#include "BinaryData.h"

#include <cmath>

using namespace EditorTestSupport;

namespace
{
    constexpr int editorWidth = 633, closedHeight = 207 + 16, openHeight = closedHeight + 256;

    juce::Rectangle<int> scaledSize (int width, int height, float scale)
    {
        return juce::Rectangle<int> (width, height).transformedBy (juce::AffineTransform::scale (scale));
    }

    /** The host window's view of the wrapper: its size with its transform. */
    juce::Rectangle<int> onScreen (const juce::Component& wrapper)
    {
        return wrapper.getLocalBounds().transformedBy (wrapper.getTransform()).withZeroOrigin();
    }

    /** A plain picture of one colour. */
    juce::Image filled (int width, int height, juce::Colour colour)
    {
        juce::Image image (juce::Image::ARGB, width, height, true);
        juce::Graphics (image).fillAll (colour);
        return image;
    }

    /** What a SkinImage draws into a 10 x 10 area at a scale. */
    juce::Image drawnAt (const SkinImage& image, float scale)
    {
        juce::Image target (juce::Image::ARGB, (int) (10 * scale), (int) (10 * scale), true);
        juce::Graphics g (target);
        g.addTransform (juce::AffineTransform::scale (scale));
        image.drawAt (g, 0, 0);
        return target;
    }

    /** The editor in its host wrapper, in a window on the display. */
    struct ScaledWindow
    {
        explicit ScaledWindow (Product& product, int size)
            : wrapper (product.processor->createEditor())
        {
            product.processor->setInterfaceSize (size);
            // Room for the open panel below the skin.
            const auto area = onScreen (*wrapper);
            host = std::make_unique<ButtonTestSupport::DesktopHost> (area.getWidth(), area.getHeight() * openHeight / closedHeight);
            host->addAndMakeVisible (*wrapper);
            pump (30);
        }

        ~ScaledWindow()
        {
            host->removeChildComponent (wrapper.get());
            wrapper.reset();
        }

        /** Where a control's point (in the skin's own units) is in the window. */
        juce::Point<int> at (juce::Component& control, juce::Point<int> point)
        {
            return host->getLocalPoint (&control, point);
        }

        std::unique_ptr<juce::AudioProcessorEditor> wrapper;
        std::unique_ptr<ButtonTestSupport::DesktopHost> host;
    };
}

TEST (InterfaceSize, TheHostWindowTakesEverySizeWithAndWithoutPanels)
{
    Product p;
    std::unique_ptr<juce::AudioProcessorEditor> wrapper (p.processor->createEditor());
    ASSERT_NE (wrapper, nullptr);
    EXPECT_EQ (onScreen (*wrapper), scaledSize (editorWidth, closedHeight, 1.0f));

    for (const int size : { 100, 125, 150, 175, 200 })
    {
        const auto scale = (float) size / 100.0f;
        p.processor->setInterfaceSize (size);
        EXPECT_EQ (onScreen (*wrapper), scaledSize (editorWidth, closedHeight, scale)) << size;

        p.fire (EventsMap::optionsEvent, "OptionsButton");
        EXPECT_EQ (onScreen (*wrapper), scaledSize (editorWidth, openHeight, scale)) << size;
        p.fire (EventsMap::browsePresetsEvent, "BrowsePresetButton");
        EXPECT_EQ (onScreen (*wrapper), scaledSize (editorWidth, openHeight, scale)) << size;
        p.fire (EventsMap::browsePresetsEvent, "BrowsePresetButton");
        EXPECT_EQ (onScreen (*wrapper), scaledSize (editorWidth, closedHeight, scale)) << size;

        // The editor keeps its own units.
        EXPECT_EQ (p.editor->getWidth(), editorWidth);
        EXPECT_EQ (p.editor->getHeight(), closedHeight);
    }

    // Automatic: the scale the host names.
    p.processor->setInterfaceSize (BasePlugin::automaticInterfaceSize);
    EXPECT_EQ (onScreen (*wrapper), scaledSize (editorWidth, closedHeight, 1.0f));
    wrapper->setScaleFactor (1.5f);
    EXPECT_EQ (onScreen (*wrapper), scaledSize (editorWidth, closedHeight, 1.5f));

    // A size the user chose replaces the host's scale.
    p.processor->setInterfaceSize (100);
    EXPECT_EQ (onScreen (*wrapper), scaledSize (editorWidth, closedHeight, 1.0f));
    p.processor->setInterfaceSize (200);
    EXPECT_EQ (onScreen (*wrapper), scaledSize (editorWidth, closedHeight, 2.0f));
}

TEST (InterfaceSize, TheOptionsPageChoosesTheSize)
{
    Product p;
    auto* page = p.editor->getQualitySettingsPage();
    ASSERT_NE (page, nullptr);
    auto& box = page->getInterfaceSizeBox();
    EXPECT_EQ (box.getText(), "Automatic");

    box.itemSelected (&box.menu(), 175);
    EXPECT_EQ (p.processor->getInterfaceSize(), 175);
    box.itemSelected (&box.menu(), 1);
    EXPECT_EQ (p.processor->getInterfaceSize(), BasePlugin::automaticInterfaceSize);
}

TEST (InterfaceSize, ClicksHitTheSameControlsAndAKnobTurnsOverTheSameUnscaledDistance)
{
    if (! ButtonTestSupport::DesktopHost::canSendInput())
        GTEST_SKIP() << "this display offers no synthetic pointer input";

    Product p;
    ScaledWindow window (p, 200);
    ASSERT_EQ (onScreen (*window.wrapper).getWidth(), 2 * editorWidth);

    // A click at the scaled place of the Options button opens the panel.
    auto* options = BasePluginEditor::findControlByName (*p.editor, "OptionsButton");
    ASSERT_NE (options, nullptr);
    window.host->click (window.at (*options, options->getLocalBounds().getCentre()));
    EXPECT_TRUE (pumpUntil ([&] { return p.editor->isOptionsPanelOpen(); }));
    EXPECT_EQ (onScreen (*window.wrapper).getHeight(), 2 * openHeight);

    // A full turn is 250 of the skin's pixels: 500 on the screen at 200 %
    // (dragged down, from the top, to stay on the screen).
    auto* knob = p.control<GFXKnob> ("BassBandwidthKnob");
    ASSERT_NE (knob, nullptr);
    knob->setValue (1.0, juce::sendNotificationSync);
    const auto centre = window.at (*knob, knob->getLocalBounds().getCentre());

    window.host->press (centre);
    window.host->dragTo (centre.translated (0, 250));
    EXPECT_TRUE (pumpUntil ([&] { return std::abs (knob->getValue() - 0.5) < 0.02; })) << knob->getValue();
    window.host->dragTo (centre.translated (0, 500));
    EXPECT_TRUE (pumpUntil ([&] { return knob->getValue() < 0.02; })) << knob->getValue();
    window.host->release (centre.translated (0, 500));
}

TEST (SkinImage, TheDoubledPictureIsDrawnWhereTheScreenHasThePixels)
{
    const SkinImage both (filled (10, 10, juce::Colours::red), filled (20, 20, juce::Colours::blue));

    EXPECT_EQ (drawnAt (both, 1.0f).getPixelAt (5, 5), juce::Colours::red);
    EXPECT_EQ (drawnAt (both, 2.0f).getPixelAt (10, 10), juce::Colours::blue);
    EXPECT_EQ (drawnAt (both, 1.5f).getPixelAt (7, 7), juce::Colours::blue);   // resampled from the doubled one

    // Without a doubled picture (or one of the wrong size) the plain one is
    // drawn, scaled smoothly.
    const SkinImage plain (filled (10, 10, juce::Colours::red));
    const SkinImage wrong (filled (10, 10, juce::Colours::red), filled (19, 20, juce::Colours::blue));
    EXPECT_FALSE (wrong.hasDoubled());
    EXPECT_EQ (drawnAt (plain, 2.0f).getPixelAt (10, 10), juce::Colours::red);
    EXPECT_EQ (drawnAt (wrong, 2.0f).getPixelAt (10, 10), juce::Colours::red);

    // A part of both, in the plain picture's units.
    const auto part = both.getClippedImage ({ 2, 2, 4, 4 });
    EXPECT_EQ (part.getBounds(), juce::Rectangle<int> (0, 0, 4, 4));
    EXPECT_EQ (part.getDoubled().getBounds(), juce::Rectangle<int> (0, 0, 8, 8));
    EXPECT_EQ (SkinImage::doubledName ("PreampGainKnob.png"), "PreampGainKnob@2x.png");
}

TEST (SkinImage, EveryEmbeddedImageHasADoubledPictureOfTheSameArt)
{
    int images = 0;

    for (int i = 0; i < BinaryData::namedResourceListSize; ++i)
    {
        const juce::String fileName (BinaryData::originalFilenames[i]);

        if (! fileName.endsWithIgnoreCase (".png") || fileName.contains ("@2x"))
            continue;

        ++images;
        const auto image = SkinImage::loadResource (fileName);
        ASSERT_TRUE (image.isValid()) << fileName;
        ASSERT_TRUE (image.hasDoubled()) << fileName << ": no " << SkinImage::doubledName (fileName) << " of twice its size";

        // Halved again, the doubled picture is the plain one give or take
        // the edges' anti-aliasing (below 0.007 for all of them; art moved
        // by two pixels gives 0.035 and more): the same frames in the same
        // places.
        const auto halved = image.getDoubled().rescaled (image.getWidth(), image.getHeight(), juce::Graphics::highResamplingQuality);
        double difference = 0.0;

        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
            {
                const auto a = image.getImage().getPixelAt (x, y), b = halved.getPixelAt (x, y);
                difference += std::abs (a.getFloatAlpha() * a.getBrightness() - b.getFloatAlpha() * b.getBrightness());
            }

        EXPECT_LT (difference / (image.getWidth() * image.getHeight()), 0.02) << fileName;
    }

    EXPECT_GT (images, 40);
}

TEST (SkinImage, TheEditorPaintsAtTwiceItsSizeWithOrWithoutDoubledPictures)
{
    Product p;
    ASSERT_TRUE (p.control<GFXKnob> ("PreampGainKnob")->getFilmStrip().isValid());

    // The whole editor drawn at 200 %: every pixel of the skin area painted,
    // the dark panel where it is at 100 %.
    const auto normal = p.editor->createComponentSnapshot (p.editor->getLocalBounds(), true, 1.0f);
    const auto doubled = p.editor->createComponentSnapshot (p.editor->getLocalBounds(), true, 2.0f);
    ASSERT_EQ (doubled.getWidth(), 2 * editorWidth);
    ASSERT_EQ (doubled.getHeight(), 2 * closedHeight);

    double difference = 0.0;
    int compared = 0;

    for (int y = 0; y < 207; y += 3)
        for (int x = 0; x < editorWidth; x += 3)
        {
            const auto a = normal.getPixelAt (x, y), b = doubled.getPixelAt (2 * x, 2 * y);
            difference += std::abs (a.getBrightness() - b.getBrightness());
            ++compared;
        }

    EXPECT_LT (difference / compared, 0.05) << "the 200 % picture is not the 100 % one";
}
