#pragma once

#include <juce_core/juce_core.h>

#include <cstddef>

/*  Replaces a file's content the way a user's own file should be treated.

    A symbolic link is followed and the file it points to is written, so the
    link stays a link. The bytes go to a temporary file beside that target,
    which takes the old file's mode (and, where we may, its owner) and is
    then renamed over it: a crash leaves either the old file or the new one,
    never half of one. A file the user made read-only is not touched.
*/
class AtomicFileWriter
{
public:
    /** Writes the bytes as the file's new content; false, with the old
        file left as it was, when the file is read-only or anything fails. */
    static bool write (const juce::File& file, const void* data, std::size_t numBytes);

    /** The file at the end of the chain of links from `file` (the file
        itself when it is no link); it need not exist yet. */
    static juce::File followLinks (const juce::File& file);

    /** True for an existing file (through links) the user made read-only:
        its mode gives its owner no write permission, which holds for root
        too, or we may not write it at all. */
    static bool isReadOnly (const juce::File& file);
};
