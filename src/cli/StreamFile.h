#pragma once
// "-" as a file argument of the vesk tool. The readers and writers work on files (they check
// the type, the size and write safely), so standard input is first copied into a private
// temporary file, and standard output is filled from one the command wrote. Any other
// argument is the file itself.

#include <iosfwd>
#include <string>

class cStreamFile {
public:
    enum eDirection { Input, Output };

    cStreamFile(const std::string& argument, eDirection direction);
    ~cStreamFile();
    cStreamFile(const cStreamFile&) = delete;
    cStreamFile& operator=(const cStreamFile&) = delete;

    // False when standard input could not be taken in; the reason is then recorded for "-".
    bool ready() const { return ready_; }
    // The file the command reads or writes.
    const std::string& path() const { return path_; }
    // For output through "-": copies what the command wrote to out. 0 on success, 1 with
    // the reason recorded for "-".
    int deliver(std::ostream& out) const;
    // A failure recorded for the temporary file is told as one of "-".
    void nameFailure() const;

private:
    std::string folder_; // the temporary folder; empty for an ordinary file
    std::string path_;
    bool ready_ = true;
};
