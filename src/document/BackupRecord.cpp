#include "document/BackupRecord.h"

#include <cstdint>
#include <unistd.h>
#include <vector>

#include "dbfile/FileBytes.h"
#include "dbfile/SafeSave.h"

namespace {

const std::string kHeader = "vesk-builder backup record\n";
const std::string kUnsaved = "unsaved yes\n";
const std::string kSaved = "unsaved no\n";
const std::string kPathKey = "path ";

std::string RecordText(const sBackupRecord& record) {
    return kHeader + (record.unsaved ? kUnsaved : kSaved) + kPathKey + record.path + "\n";
}

// Takes expected off the front of text at at; false when text does not continue with it.
bool Take(const std::string& text, size_t& at, const std::string& expected) {
    if (text.compare(at, expected.size(), expected) != 0)
        return false;
    at += expected.size();
    return true;
}

} // namespace

bool cBackupRecord::write(const std::string& file, const sBackupRecord& record) {
    const std::string text = RecordText(record);
    if (file == writtenFile_ && text == writtenText_)
        return true;
    sSaveOptions options;
    options.privateFile = true;
    if (SafeSaveFile(file, text.data(), text.size(), options) != SaveWritten) {
        writtenFile_.clear();
        return false;
    }
    writtenFile_ = file;
    writtenText_ = text;
    return true;
}

void cBackupRecord::remove(const std::string& file) {
    ::unlink(file.c_str());
    writtenFile_.clear();
    writtenText_.clear();
}

bool cBackupRecord::read(const std::string& file, sBackupRecord& record) {
    std::vector<uint8_t> bytes;
    if (ReadWholeFile(file, bytes) != eFileRead::Read)
        return false;
    const std::string text(bytes.begin(), bytes.end());
    size_t at = 0;
    if (!Take(text, at, kHeader))
        return false;
    if (Take(text, at, kUnsaved))
        record.unsaved = true;
    else if (Take(text, at, kSaved))
        record.unsaved = false;
    else
        return false;
    if (!Take(text, at, kPathKey) || text.back() != '\n')
        return false;
    record.path = text.substr(at, text.size() - 1 - at);
    return true;
}
