#pragma once

// What the sanitizers do in every test program of a sanitized build, included by the test
// programs' one file with main: they stop at the first fault, print where it came from, and
// pass over the leaks of system libraries the program does not own (the message bus
// library that Qt's X11 platform loads makes one-time allocations it never frees).

#if defined(__SANITIZE_ADDRESS__)
extern "C" {
const char* __asan_default_options()
{
    return "halt_on_error=1:detect_leaks=1";
}
const char* __ubsan_default_options()
{
    return "halt_on_error=1:print_stacktrace=1";
}
const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}
}
#endif
