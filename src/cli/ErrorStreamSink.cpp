#include "cli/ErrorStreamSink.h"

#include <iostream>

int cErrorStreamSink::showMessage(const std::string& /*caption*/, const std::string& text,
                                  unsigned flags) {
    std::cerr << text << '\n';
    unsigned buttons = flags & MessageButtonMask;
    return buttons == MessageYesNo || buttons == MessageYesNoCancel ? MessageResultNo
                                                                    : MessageResultOk;
}

void cErrorStreamSink::showStatus(const std::string& /*text*/) {}
