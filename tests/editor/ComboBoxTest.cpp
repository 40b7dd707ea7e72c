#include "EditorTestSupport.h"

#include "editor/ComboBoxEx.h"
#include "skin/SkinTestSupport.h"

using ButtonTestSupport::DesktopHost;
using ButtonTestSupport::pump;
using ButtonTestSupport::pumpUntil;

namespace
{
    /** An editor-like window the menu's overlay opens on. */
    struct MenuHost : EditorTestSupport::OverlayHost
    {
        MenuHost() : EditorTestSupport::OverlayHost (400, 300)
        {
            box.setBounds (20, 20, 120, 20);
            addAndMakeVisible (box);

            auto& menu = box.menu();
            menu.addItem (1, "Sine");
            menu.addItem (2, "Square");
            menu.addItem (3, "");
            menu.addItem (4, "Noise", false);
            auto& more = menu.addSubMenu ("More");
            more.addItem (10, "Saw up");
            more.addItem (11, "Saw down");
        }

        ~MenuHost() override
        {
            box.menu().getPopup().hide();
        }

        PopupMenuEx::PopupMenuComponent& popup()  { return box.menu().getPopup(); }
        PopupMenuEx::Window& window (int index)   { return *popup().getWindow (index); }

        /** The pointer over row r of a window (synthesised). */
        void hover (PopupMenuEx::Window& w, int row)
        {
            const auto p = juce::Point<float> (10.0f, 3.0f + 16.0f * (float) row + 8.0f);
            w.mouseMove (SkinTestSupport::mouseEvent (w, p, p, {}));
        }

        void press (PopupMenuEx::Window& w, int row)
        {
            const auto p = juce::Point<float> (10.0f, 3.0f + 16.0f * (float) row + 8.0f);
            w.mouseDown (SkinTestSupport::mouseEvent (w, p, p));
        }

        ComboBoxEx box { "Waveform" };
    };

    struct Recorder : ComboBoxEx::Listener
    {
        void selectionChanged (ComboBoxEx* box) override { ids.add (box->selectedId()); }
        juce::Array<int> ids;
    };
}

//==============================================================================
// Choosing.

TEST (ComboBox, ANewBoxIsEmptyAndItalicAndAChosenItemIsUprightAndAloneTicked)
{
    MenuHost host;
    Recorder recorder;
    host.box.addListener (&recorder);
    EXPECT_TRUE (host.box.getText().isEmpty());
    EXPECT_TRUE (host.box.isTextItalic());
    EXPECT_EQ (host.box.selectedId(), -1);

    host.box.menu().setTicked (2, true, false);
    host.box.itemSelected (&host.box.menu(), 1);
    EXPECT_EQ (host.box.getText(), "Sine");
    EXPECT_FALSE (host.box.isTextItalic());
    EXPECT_TRUE (host.box.menu().findItem (1)->ticked);
    EXPECT_FALSE (host.box.menu().findItem (2)->ticked) << "alone ticked";
    EXPECT_EQ (recorder.ids, juce::Array<int> { 1 });

    host.box.itemSelected (&host.box.menu(), 1);
    EXPECT_EQ (recorder.ids.size(), 1) << "the same item again tells nobody";

    host.box.itemSelected (&host.box.menu(), 3);
    EXPECT_EQ (host.box.getText(), "---") << "an item without text";
    host.box.itemSelected (&host.box.menu(), 99);
    EXPECT_EQ (host.box.getText(), "---");
    EXPECT_TRUE (host.box.isTextItalic()) << "no such item";
    host.box.removeListener (&recorder);
}

TEST (ComboBox, ItemsAreFoundDepthFirstAndSubMenuItemsHoldTheirTicks)
{
    MenuHost host;
    auto& menu = host.box.menu();
    EXPECT_EQ (menu.itemText (11), "Saw down");
    EXPECT_EQ (menu.findItem (0), nullptr) << "sub-menu items are not found by their own id";
    EXPECT_EQ (menu.getItem (4).subMenu->getLevel(), 1);

    auto& more = menu.getItem (4);
    menu.setTicked (10, true, true);
    EXPECT_TRUE (more.holdsTicked);
    menu.setTicked (1, true, true);
    EXPECT_FALSE (more.holdsTicked) << "bold exactly while an item below is ticked";
    EXPECT_FALSE (menu.findItem (10)->ticked);
}

//==============================================================================
// The open menu.

TEST (PopupMenu, TheBoxOpensItsMenuBelowItselfWithTheWindowSize)
{
    MenuHost host;
    REQUIRE_DESKTOP_INPUT();
    host.click (DesktopHost::centreOf (host.box));
    ASSERT_TRUE (host.popup().isOverlayShown());
    ASSERT_EQ (host.popup().getNumWindows(), 1);

    auto& w = host.window (0);
    EXPECT_EQ (host.getLocalPoint (&w, juce::Point<int>()), juce::Point<int> (20, 40));
    EXPECT_EQ (w.getHeight(), 5 * 16 + 8);
    const auto widest = host.lookAndFeel.getStandardFont().getStringWidth ("Square");
    EXPECT_EQ (w.getWidth(), widest + 12);
    EXPECT_FALSE (host.popup().dimsBackground());
}

TEST (PopupMenu, HoverOpensSubMenusOnlyAfterAHundredMilliseconds)
{
    MenuHost host;
    host.box.menu().showAt ({ 0, 20 }, &host.box);
    ASSERT_EQ (host.popup().getNumWindows(), 1);
    auto& top = host.window (0);

    // Briefly over "More", then on to "Sine": the sub-menu never opens.
    // (No pause in between: on a loaded machine any pause may outlast the
    // 100 ms.)
    host.hover (top, 4);
    EXPECT_TRUE (host.popup().isHoverTimerRunning());
    host.hover (top, 0);
    EXPECT_FALSE (host.popup().isHoverTimerRunning()) << "the top menu is the one opened last";
    pump (200);
    EXPECT_EQ (host.popup().getNumWindows(), 1);

    // Resting on "More" opens it.
    host.hover (top, 4);
    EXPECT_TRUE (pumpUntil ([&] { return host.popup().getNumWindows() == 2; }, 1000));
    EXPECT_EQ (&host.window (1).getMenu(), host.box.menu().getItem (4).subMenu.get());

    // Back onto a plain item of the top menu: the sub-menu closes 100 ms later.
    host.hover (top, 1);
    EXPECT_EQ (host.popup().getNumWindows(), 2);
    EXPECT_TRUE (pumpUntil ([&] { return host.popup().getNumWindows() == 1; }, 1000));
}

TEST (PopupMenu, ADisabledItemKeepsTheMenuOpenAndAnEnabledOneChoosesIt)
{
    MenuHost host;
    Recorder recorder;
    host.box.addListener (&recorder);
    host.box.menu().showAt ({ 0, 20 }, &host.box);

    host.press (host.window (0), 3);   // "Noise", disabled
    EXPECT_TRUE (host.popup().isOverlayShown());
    EXPECT_TRUE (recorder.ids.isEmpty());

    host.press (host.window (0), 4);   // "More" opens at once
    ASSERT_EQ (host.popup().getNumWindows(), 2);
    host.press (host.window (1), 1);   // "Saw down"
    EXPECT_FALSE (host.popup().isOverlayShown());
    EXPECT_EQ (recorder.ids, juce::Array<int> { 11 });
    EXPECT_EQ (host.box.getText(), "Saw down");
    EXPECT_TRUE (host.box.menu().getItem (4).holdsTicked);
    host.box.removeListener (&recorder);
}

TEST (PopupMenu, AClickOutsideClosesItSilently)
{
    MenuHost host;
    REQUIRE_DESKTOP_INPUT();
    Recorder recorder;
    host.box.addListener (&recorder);

    host.click (DesktopHost::centreOf (host.box));
    ASSERT_TRUE (host.popup().isOverlayShown());
    host.click ({ 350, 250 });
    EXPECT_FALSE (host.popup().isOverlayShown());
    EXPECT_EQ (host.popup().getNumWindows(), 0);
    EXPECT_TRUE (recorder.ids.isEmpty());
    EXPECT_EQ (host.box.selectedId(), -1);
    host.box.removeListener (&recorder);
}
