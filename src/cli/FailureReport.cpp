#include "cli/FailureReport.h"

#include <ostream>

#include "dbfile/FileFailure.h"

int ReportFailure(int result, const std::string& fallbackPath, std::ostream& errors) {
    if (result == 0)
        return result;
    const sFileFailure& failure = LastFileFailure();
    const bool recorded = !failure.reason.empty();
    errors << "vesk: " << (recorded ? failure.path : fallbackPath) << ": "
           << (recorded ? failure.reason : "failed") << '\n';
    return result;
}
