#include "dbfile/DiagnosticLog.h"

namespace {

// Kept small: the oldest half goes when the log outgrows this.
constexpr size_t kMaxLogSize = 64 * 1024;

std::string& Log() {
    static std::string log;
    return log;
}

} // namespace

void AppendDiagnostic(const char* context, const char* message, const std::string& path) {
    std::string& log = Log();
    if (log.size() > kMaxLogSize) {
        size_t cut = log.find('\n', log.size() / 2);
        log.erase(0, cut == std::string::npos ? log.size() : cut + 1);
    }
    log += context;
    log += ": ";
    log += message;
    log += " (";
    log += path;
    log += ")\n";
}

const std::string& DiagnosticLog() { return Log(); }

void ClearDiagnosticLog() { Log().clear(); }
