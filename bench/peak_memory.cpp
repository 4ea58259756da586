// `vesk-peak-memory COMMAND [ARGUMENTS...]` runs the command with its output thrown away and
// prints its peak resident memory in KiB. A process's peak counts the memory of the process
// it was started from until its exec, so a command started straight from Python reports
// Python's memory when its own is smaller. Started from this small program, the peak is the
// command's own (within this program's few hundred KiB).

#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: vesk-peak-memory COMMAND [ARGUMENTS...]\n");
        return 2;
    }
    const pid_t child = ::fork();
    if (child < 0)
        return 1;
    if (child == 0) {
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, 1);
        ::dup2(quiet, 2);
        ::execvp(argv[1], argv + 1);
        ::_exit(127);
    }
    int status = 0;
    struct rusage usage {};
    if (::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "vesk-peak-memory: %s failed\n", argv[1]);
        return 1;
    }
    std::printf("%ld\n", usage.ru_maxrss);
    return 0;
}
