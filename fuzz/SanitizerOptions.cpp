// AddressSanitizer settings every fuzz target starts with; ASAN_OPTIONS given
// at run time still take precedence.
//
// A fuzz target frees everything it allocates for one input before the next.
// With the default quarantine of 256 MB each block came back only after a
// quarter of a gigabyte of others, as memory the kernel had to map afresh;
// page faults took a fifth of the time. A quarantine of 64 MB still holds
// many inputs' worth of freed blocks, so a use after free within an input is
// found as before, and memory freed once is kept rather than returned to the
// system and faulted in again.

// Read before the sanitizers are set up: nothing in it may be instrumented.
extern "C" __attribute__((no_sanitize("address", "undefined", "coverage"))) const char*
__asan_default_options() {
    return "quarantine_size_mb=64:allocator_release_to_os_interval_ms=-1";
}
