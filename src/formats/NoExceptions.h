#pragma once

/*  A host calls a plug-in through C function pointers: an exception that
    left one would end the host. Every entry point of our own format
    clients runs its work through guarded(), which answers with `failure`
    when anything was thrown.
*/
namespace NoExceptions
{
    template <typename Call, typename Result>
    Result guarded (Call&& call, Result failure) noexcept
    {
        try
        {
            return call();
        }
        catch (...)
        {
            return failure;
        }
    }
}
