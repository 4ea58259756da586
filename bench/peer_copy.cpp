// The raw I/O floor of `vesk import pdb IN OUT`: `vesk-peer-copy IN OUT` reads IN, writes its
// bytes to a temporary file beside OUT, syncs it and renames it over OUT. Plain POSIX calls,
// no library of the project.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

[[noreturn]] void Fail(const char* what, const std::string& path) {
    std::fprintf(stderr, "vesk-peer-copy: %s %s: %s\n", what, path.c_str(), std::strerror(errno));
    std::exit(1);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vesk-peer-copy INPUT OUTPUT\n");
        return 2;
    }
    const std::string input = argv[1], output = argv[2];
    int in = ::open(input.c_str(), O_RDONLY);
    struct stat status;
    if (in < 0 || ::fstat(in, &status) != 0)
        Fail("cannot open", input);
    std::vector<char> bytes(size_t(status.st_size));
    for (size_t done = 0; done < bytes.size();) {
        ssize_t got = ::read(in, bytes.data() + done, bytes.size() - done);
        if (got <= 0)
            Fail("cannot read", input);
        done += size_t(got);
    }
    ::close(in);

    const size_t slash = output.rfind('/');
    std::string temporary =
        (slash == std::string::npos ? std::string() : output.substr(0, slash + 1)) + ".copyXXXXXX";
    int out = ::mkstemp(temporary.data());
    if (out < 0)
        Fail("cannot create a temporary file for", output);
    for (size_t done = 0; done < bytes.size();) {
        ssize_t put = ::write(out, bytes.data() + done, bytes.size() - done);
        if (put <= 0)
            Fail("cannot write", temporary);
        done += size_t(put);
    }
    if (::fsync(out) != 0 || ::close(out) != 0)
        Fail("cannot sync", temporary);
    if (::rename(temporary.c_str(), output.c_str()) != 0)
        Fail("cannot rename over", output);
    return 0;
}
