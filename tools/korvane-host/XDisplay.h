#pragma once

/*  Whether the tool may talk to an X server. JUCE opens the display ":0"
    when DISPLAY is unset, and so does a JUCE inside a plug-in, which reads
    the same variable: a command run without a display, or one that opens
    no window, would otherwise reach whatever desktop runs there.
*/
namespace XDisplay
{
    /** Called first in main(), before JUCE starts or a plug-in loads. Unless
        the command opens windows and DISPLAY names a display, DISPLAY is
        replaced by a name no X library connects to. */
    void allowOnlyIf (bool commandOpensWindows);

    /** Whether DISPLAY named a display at the start and the command may use
        it; without allowOnlyIf (a program using the pieces), whether DISPLAY
        names one. */
    bool isAllowed();
}
