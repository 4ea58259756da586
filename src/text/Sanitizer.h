#pragma once
// Whether this build runs under AddressSanitizer. Its leak check scans only the heap it
// knows, so memory taken straight from the system or left to it at exit would hide leaks or
// be reported as one; code that does either asks here first.

#if defined(__SANITIZE_ADDRESS__)
#define VESK_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VESK_ADDRESS_SANITIZER 1
#endif
#endif
#ifndef VESK_ADDRESS_SANITIZER
#define VESK_ADDRESS_SANITIZER 0
#endif

constexpr bool UnderAddressSanitizer = VESK_ADDRESS_SANITIZER != 0;
