#include "exchange/ZipArchive.h"

#include <zip.h>

namespace {

constexpr zip_uint32_t kCompressionLevel = 1;

// An absolute name or one with a ".." part would land outside the folder it is unpacked
// into; a package has no business naming one.
bool EscapesFolder(const std::string& name) {
    if (name.empty() || name.front() == '/' || name.front() == '\\')
        return true;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("/\\", start);
        if (end == std::string::npos)
            end = name.size();
        if (name.compare(start, end - start, "..") == 0)
            return true;
        start = end + 1;
    }
    return false;
}

} // namespace

cZipReader::~cZipReader() {
    if (archive_)
        zip_discard(archive_);
}

bool cZipReader::open(const std::vector<uint8_t>& bytes, std::string& reason) {
    reason = "not a zip archive";
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (!source) {
        zip_error_fini(&error);
        return false;
    }
    archive_ = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    zip_error_fini(&error);
    if (!archive_) {
        zip_source_free(source);
        return false;
    }
    const zip_int64_t count = zip_get_num_entries(archive_, 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        const char* name = zip_get_name(archive_, static_cast<zip_uint64_t>(index), ZIP_FL_ENC_RAW);
        if (!name || EscapesFolder(name)) {
            reason = "it names a file outside its folder";
            zip_discard(archive_);
            archive_ = nullptr;
            return false;
        }
    }
    reason.clear();
    return true;
}

bool cZipReader::has(const std::string& name) const {
    return archive_ && zip_name_locate(archive_, name.c_str(), ZIP_FL_ENC_RAW) >= 0;
}

bool cZipReader::read(const std::string& name, uint64_t limit, std::string& out,
                      std::string& reason) {
    out.clear();
    const zip_int64_t index =
        archive_ ? zip_name_locate(archive_, name.c_str(), ZIP_FL_ENC_RAW) : -1;
    if (index < 0) {
        reason = "it holds no " + name;
        return false;
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
        !(stat.valid & ZIP_STAT_SIZE)) {
        reason = name + " is damaged";
        return false;
    }
    if (stat.size > limit) {
        reason = name + " would unpack to more than its package's size allows";
        return false;
    }
    zip_file_t* file = zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0);
    if (!file) {
        reason = name + " cannot be unpacked";
        return false;
    }
    out.resize(static_cast<size_t>(stat.size));
    // One byte past the stated size shows an entry that claims less than it holds.
    char extra = 0;
    zip_uint64_t got = 0;
    zip_int64_t step = 1;
    while (got < stat.size && (step = zip_fread(file, &out[got], stat.size - got)) > 0)
        got += static_cast<zip_uint64_t>(step);
    const zip_int64_t beyond = step < 0 ? -1 : zip_fread(file, &extra, 1);
    const bool closed = zip_fclose(file) == 0;
    if (step < 0 || got != stat.size || beyond != 0 || !closed) {
        out.clear();
        reason = name + " is damaged";
        return false;
    }
    return true;
}

bool WriteZipArchive(const std::vector<std::pair<std::string, std::string>>& entries,
                     std::string& out) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = buffer ? zip_open_from_source(buffer, ZIP_TRUNCATE, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive) {
        if (buffer)
            zip_source_free(buffer);
        return false;
    }
    // The buffer outlives the archive: the bytes are read from it after the close.
    zip_source_keep(buffer);
    bool added = true;
    for (const auto& [name, bytes] : entries) {
        zip_source_t* data = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        const zip_int64_t index =
            data ? zip_file_add(archive, name.c_str(), data, ZIP_FL_ENC_UTF_8) : -1;
        // The fastest level: an SQLite collection is mostly page slack, which any level
        // removes, and the higher ones cost many times the time for a few percent.
        if (index < 0 || zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                                  ZIP_CM_DEFLATE, kCompressionLevel) != 0) {
            // Once added, the source belongs to the archive.
            if (data && index < 0)
                zip_source_free(data);
            added = false;
            break;
        }
    }
    if (!added || zip_close(archive) != 0) {
        zip_discard(archive);
        zip_source_free(buffer);
        return false;
    }
    bool read = false;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(buffer, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) &&
        zip_source_open(buffer) == 0) {
        out.resize(static_cast<size_t>(stat.size));
        read = zip_source_read(buffer, out.empty() ? nullptr : &out[0], stat.size) ==
               static_cast<zip_int64_t>(stat.size);
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    return read;
}
