#pragma once
// SHA-1 (FIPS 180-4), which Anki uses for a note's first-field checksum; the export also
// derives its stable identifiers from it. Not for anything that needs security.

#include <array>
#include <cstdint>
#include <string>

std::array<uint8_t, 20> Sha1(const std::string& bytes);
