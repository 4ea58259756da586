#pragma once
// The one thing read from Protocol Buffers messages here: a length-delimited field (a string,
// bytes or an embedded message) by its number. Newer Anki collections keep a deck's
// description in such a message.
//
//   wire type  field value                  skipped as
//   0          varint                       bytes up to one without its high bit
//   1          64 bits                      8 bytes
//   2          varint length, then bytes    the length
//   5          32 bits                      4 bytes

#include <cstdint>
#include <string>

// The last occurrence of the field in message (as a decoder merges them); false when it is
// absent or the message is malformed before it.
bool FindProtobufBytes(const std::string& message, uint32_t field, std::string& value);
