#pragma once

#include <gtest/gtest.h>

#include "editor/KorvaneEditor.h"
#include "plugin/Korvane.h"
#include "skin/ButtonTestSupport.h"

#include <memory>

/*  The product as a host has it: a started processor with its editor, and
    a desktop window to put the editor in when a test needs real input.
*/
namespace EditorTestSupport
{
    using ButtonTestSupport::pump;
    using ButtonTestSupport::pumpUntil;

    struct Product
    {
        Product()
        {
            ButtonTestSupport::ignoreXErrors();
            processor = std::make_unique<Korvane>();
            processor->startUp();
            editor = dynamic_cast<KorvaneEditor*> (processor->getEditorComponent());
            pump (30);   // the controls hear the parameters' start-up announcements
        }

        ~Product()
        {
            if (editor != nullptr && editor->getParentComponent() != nullptr)
                editor->getParentComponent()->removeChildComponent (editor);
        }

        ParameterManager& parameters()          { return processor->getParameterManager(); }
        StatusBar& statusBar()                  { return *editor->getStatusBar(); }
        juce::String statusText()               { return statusBar().getText(); }

        template <typename Type>
        Type* control (const juce::String& name)
        {
            return dynamic_cast<Type*> (BasePluginEditor::findControlByName (*editor, name));
        }

        /** Fires a skin event as the control with that name would. */
        void fire (int eventId, const juce::String& controlName = {})
        {
            GUIController* controller = nullptr;

            if (controlName.isNotEmpty())
                controller = dynamic_cast<GUIController*> (BasePluginEditor::findControlByName (*editor, controlName));

            editor->controllerEventTriggered (controller, eventId);
        }

        std::unique_ptr<Korvane> processor;
        KorvaneEditor* editor = nullptr;
    };

    /** A desktop window that overlays open on, as the editor is, with the
        framework's look. */
    struct OverlayHost : ButtonTestSupport::DesktopHost, PseudoModalComponent::Desktop
    {
        OverlayHost (int width, int height) : DesktopHost (width, height)  { setLookAndFeel (&lookAndFeel); }
        ~OverlayHost() override                                            { setLookAndFeel (nullptr); }

        DefaultLookAndFeel lookAndFeel;
    };

    /** The editor in a window on the display, for real pointer input. */
    struct ShownProduct : Product
    {
        ShownProduct() : host (editor->getWidth(), editor->getHeight() + 256)
        {
            host.addAndMakeVisible (editor);
            pump (20);
        }

        ~ShownProduct()
        {
            host.removeChildComponent (editor);
        }

        juce::Point<int> centreOf (const juce::String& name)
        {
            auto* component = BasePluginEditor::findControlByName (*editor, name);
            EXPECT_NE (component, nullptr) << name;
            return component == nullptr ? juce::Point<int>()
                                        : host.getLocalPoint (component, component->getLocalBounds().getCentre());
        }

        ButtonTestSupport::DesktopHost host;
    };
}
