// JUCE's X11 declarations, for the window's size hints: before any JUCE header.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1
#include <juce_gui_basics/juce_gui_basics.h>

#include "formats/EmbeddedEditor.h"

#include <stdexcept>

/** The component in the host's window: the editor is its only child. */
class EmbeddedEditor::Holder : public juce::Component
{
public:
    explicit Holder (std::function<void()> sizeChanged) : onSizeChanged (std::move (sizeChanged)) { setOpaque (true); }

    // The host (or suil for it) may size the window of its own accord.
    void resized() override { onSizeChanged(); }

    void paint (juce::Graphics& g) override
    {
        // Only ever seen for the moment a new size travels to the X server.
        g.fillAll (findColour (juce::ResizableWindow::backgroundColourId));
    }

private:
    std::function<void()> onSizeChanged;
};

namespace
{
    /** The window's size hints: this size, and nothing larger. No smallest
        size is named: suil's GTK 2 wrapper (Ardour's) pins its socket to the
        first smallest size it sees when the window maps and then centres a
        grown editor in the old area, half of it cut off. */
    void fixSizeHints (unsigned long window, int width, int height)
    {
        auto* display = juce::XWindowSystem::getInstance()->getDisplay();

        if (display == nullptr || window == 0)
            return;

        auto* symbols = juce::X11Symbols::getInstance();
        XSizeHints hints {};
        hints.flags = PMaxSize | PBaseSize;
        hints.max_width = hints.base_width = width;
        hints.max_height = hints.base_height = height;

        const juce::XWindowSystemUtilities::ScopedXLock lock;
        symbols->xSetWMNormalHints (display, (::Window) window, &hints);
        symbols->xFlush (display);
    }
}

EmbeddedEditor::EmbeddedEditor (juce::AudioProcessor& processorToUse, RequestSize request)
    : processor (processorToUse),
      editor (processor.createEditorIfNeeded()),
      requestSize (std::move (request))
{
    if (editor == nullptr)
        throw std::runtime_error ("the plug-in has no editor");

    holder = std::make_unique<Holder> ([this] { hostResized (holder->getWidth(), holder->getHeight()); });
    holder->addAndMakeVisible (*editor);
    holder->setSize (getWidth(), getHeight());
    editor->addComponentListener (this);
}

void EmbeddedEditor::attachTo (unsigned long parentWindow)
{
    holder->addToDesktop (0, (void*) (juce::pointer_sized_uint) parentWindow);
    holder->setVisible (true);
    followEditor();
}

void EmbeddedEditor::setVisible (bool shouldBeVisible)
{
    holder->setVisible (shouldBeVisible);
}

EmbeddedEditor::~EmbeddedEditor()
{
    editor->removeComponentListener (this);
    holder->removeChildComponent (editor.get());
    processor.editorBeingDeleted (editor.get());
    editor.reset();
    holder.reset();
}

unsigned long EmbeddedEditor::getWindow() const
{
    return holder->isOnDesktop() ? (unsigned long) (juce::pointer_sized_uint) holder->getWindowHandle() : 0ul;
}

// The editor's size on the screen: its host scale applied.
int EmbeddedEditor::getWidth() const noexcept  { return editor->getBoundsInParent().getWidth(); }
int EmbeddedEditor::getHeight() const noexcept { return editor->getBoundsInParent().getHeight(); }

void EmbeddedEditor::setScale (float scale)
{
    editor->setScaleFactor (scale);
    followEditor();
}

void EmbeddedEditor::hostResized (int width, int height)
{
    if (width != getWidth() || height != getHeight())
        followEditor();
}

void EmbeddedEditor::componentMovedOrResized (juce::Component&, bool, bool)
{
    // Also a new scale, which changes only the editor's transform.
    followEditor();
}

void EmbeddedEditor::followEditor()
{
    const auto width = getWidth(), height = getHeight();
    editor->setTopLeftPosition (0, 0);

    if (holder->getWidth() != width || holder->getHeight() != height)
        holder->setSize (width, height);

    if (! holder->isOnDesktop())
        return;

    fixSizeHints (getWindow(), width, height);

    if (requestSize)
        requestSize (width, height);
}
