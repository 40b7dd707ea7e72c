#include "plugin/AtomicFileWriter.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
    // As many links as the system itself follows before it gives up.
    constexpr int maxLinkHops = 40;
    constexpr int maxNameAttempts = 32;

    juce::String canonicalPath (const juce::String& path)
    {
        if (auto* real = ::realpath (path.toRawUTF8(), nullptr))
        {
            const auto result = juce::String::fromUTF8 (real);
            std::free (real);
            return result;
        }

        return {};
    }

    bool writeAll (int fd, const void* data, std::size_t numBytes)
    {
        auto* bytes = static_cast<const char*> (data);

        while (numBytes > 0)
        {
            const auto written = ::write (fd, bytes, numBytes);

            if (written < 0)
            {
                if (errno == EINTR)
                    continue;

                return false;
            }

            bytes += written;
            numBytes -= (std::size_t) written;
        }

        return true;
    }

    /** The new content before it takes the target's place: a file of our
        own beside the target, removed again unless it was renamed. */
    class ReplacementFile
    {
    public:
        explicit ReplacementFile (const juce::File& target)
        {
            juce::Random random;
            random.setSeedRandomly();

            for (int attempt = 0; attempt < maxNameAttempts && fd < 0; ++attempt)
            {
                path = target.getSiblingFile ("." + target.getFileName() + "."
                                              + juce::String::toHexString (random.nextInt64()) + ".tmp").getFullPathName();

                // The mode a new file gets from JUCE's own writer, less the umask.
                fd = ::open (path.toRawUTF8(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);

                if (fd < 0 && errno != EEXIST)
                    break;
            }
        }

        ~ReplacementFile()
        {
            if (fd >= 0)
                ::close (fd);

            if (! renamed && path.isNotEmpty())
                ::unlink (path.toRawUTF8());
        }

        bool isOpen() const noexcept { return fd >= 0; }

        /** Takes the old file's owner where we may (root may; a user may
            keep the group) and its mode, which must succeed. */
        bool takeOwnerAndMode (const struct stat& old)
        {
            if (::fchown (fd, old.st_uid, old.st_gid) != 0)
                (void) ::fchown (fd, (uid_t) -1, old.st_gid);

            return ::fchmod (fd, old.st_mode & 07777) == 0;
        }

        bool write (const void* data, std::size_t numBytes)
        {
            return writeAll (fd, data, numBytes) && ::fsync (fd) == 0;
        }

        bool renameOver (const juce::File& target)
        {
            const auto result = ::close (fd);
            fd = -1;

            if (result != 0 || ::rename (path.toRawUTF8(), target.getFullPathName().toRawUTF8()) != 0)
                return false;

            renamed = true;
            return true;
        }

    private:
        juce::String path;
        int fd = -1;
        bool renamed = false;

        JUCE_DECLARE_NON_COPYABLE (ReplacementFile)
    };

    /** Makes the rename itself last through a crash; a folder that cannot
        be synced leaves the file written all the same. */
    void syncFolder (const juce::File& folder)
    {
        const auto fd = ::open (folder.getFullPathName().toRawUTF8(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);

        if (fd >= 0)
        {
            (void) ::fsync (fd);
            ::close (fd);
        }
    }
}

juce::File AtomicFileWriter::followLinks (const juce::File& file)
{
    auto path = file.getFullPathName();

    for (int hop = 0; hop < maxLinkHops; ++hop)
    {
        // Everything that exists resolves at once, links in folders included.
        if (const auto real = canonicalPath (path); real.isNotEmpty())
            return juce::File (real);

        // What is left is a link to a file that does not exist yet, or no
        // file at all.
        struct stat info {};

        if (::lstat (path.toRawUTF8(), &info) != 0 || ! S_ISLNK (info.st_mode))
            break;

        char buffer[PATH_MAX];
        const auto length = ::readlink (path.toRawUTF8(), buffer, sizeof (buffer));

        if (length <= 0 || (std::size_t) length >= sizeof (buffer))
            break;

        const auto target = juce::String::fromUTF8 (buffer, (int) length);

        if (juce::File::isAbsolutePath (target))
        {
            path = target;
        }
        else
        {
            // Relative to the folder the link is in, as the system reads it.
            const auto linkFolder = juce::File (path).getParentDirectory();
            const auto folder = canonicalPath (linkFolder.getFullPathName());
            path = (folder.isNotEmpty() ? juce::File (folder) : linkFolder).getChildFile (target).getFullPathName();
        }
    }

    return juce::File (path);
}

bool AtomicFileWriter::isReadOnly (const juce::File& file)
{
    const auto path = file.getFullPathName();
    struct stat info {};

    if (::stat (path.toRawUTF8(), &info) != 0)
        return false;

    // access() grants root everything, so the mode decides first.
    return (info.st_mode & S_IWUSR) == 0 || ::access (path.toRawUTF8(), W_OK) != 0;
}

bool AtomicFileWriter::write (const juce::File& file, const void* data, std::size_t numBytes)
{
    const auto target = followLinks (file);
    struct stat old {};
    const bool replacing = ::stat (target.getFullPathName().toRawUTF8(), &old) == 0;

    if (replacing && (! S_ISREG (old.st_mode) || isReadOnly (target)))
        return false;

    ReplacementFile replacement (target);

    if (! replacement.isOpen()
        || (replacing && ! replacement.takeOwnerAndMode (old))
        || ! replacement.write (data, numBytes)
        || ! replacement.renameOver (target))
        return false;

    syncFolder (target.getParentDirectory());
    return true;
}
