#pragma once
// Zip archives in memory, through libzip: the Anki package is one. Nothing is extracted to
// disk; an entry is read into memory only up to a limit, whatever its header claims, so a
// zip bomb costs no more than the limit.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct zip;

class cZipReader {
public:
    cZipReader() = default;
    cZipReader(const cZipReader&) = delete;
    cZipReader& operator=(const cZipReader&) = delete;
    ~cZipReader();

    // Opens the archive held in bytes, which must outlive the reader. False, with reason,
    // when it is no zip archive or names an entry outside its folder (absolute, or with a
    // ".." part).
    bool open(const std::vector<uint8_t>& bytes, std::string& reason);
    bool has(const std::string& name) const;
    // The entry's bytes; false, with reason, when it is missing, damaged (its checksum or
    // size wrong) or would unpack to more than limit bytes.
    bool read(const std::string& name, uint64_t limit, std::string& out, std::string& reason);

private:
    zip* archive_ = nullptr;
};

// A new archive holding the entries (name, bytes) in order, compressed with deflate; false
// when libzip fails.
bool WriteZipArchive(const std::vector<std::pair<std::string, std::string>>& entries,
                     std::string& out);
