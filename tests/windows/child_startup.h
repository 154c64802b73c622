#pragma once

// Shared by the Windows test programs that start children of their own.

#include <windows.h>

namespace kelvane::testing {

// Start-up information that gives a child our standard input and the given
// output and error handles (which must be inheritable).
inline STARTUPINFOW startupWithHandles(HANDLE output, HANDLE error) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = error;
    return startup;
}

}  // namespace kelvane::testing
