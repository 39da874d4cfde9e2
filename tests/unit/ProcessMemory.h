#pragma once

#include <malloc.h>

#include <cstddef>
#include <cstdio>

#if defined(__SANITIZE_ADDRESS__)
#define GLIMMERLUX_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GLIMMERLUX_ASAN 1
#endif
#endif

#ifdef GLIMMERLUX_ASAN
// From the sanitizer runtime; GCC ships the runtime without its header.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

// Heap bytes the program holds now: AddressSanitizer's own count when it owns the heap,
// otherwise what glibc's allocator has handed out.
inline size_t LiveHeapBytes() {
#ifdef GLIMMERLUX_ASAN
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

// Resident pages of the whole process, in bytes (/proc/self/statm). Under AddressSanitizer it
// also holds freed memory in quarantine, so it tells, it does not judge.
inline size_t ResidentBytes() {
  long pages = 0;
  long resident = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return static_cast<size_t>(resident) * 4096;
}
