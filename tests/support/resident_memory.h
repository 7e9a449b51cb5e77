#pragma once

// The process's resident memory as the kernel counts it (Linux /proc), for tests and benchmarks
// that hold memory to a multiple of the bytes handled. 0 where it cannot be read.
double resident_mib();
// The high-water mark: since the process started, or since the last reset_peak_resident().
double peak_resident_mib();
// Starts the high-water mark anew from what is resident now; false where the kernel refuses.
bool reset_peak_resident();
// Whether resident memory measures the program: an address-sanitized build keeps what was freed in
// quarantine and adds its shadow, so there a bound on memory says nothing about our code.
bool resident_memory_is_the_programs();
