#pragma once
// The CLI's message sink: every message box becomes its text on standard error, and every
// question is answered No, because nobody is there to answer it.

#include "text/Messages.h"

class cErrorStreamSink : public cMessageSink {
public:
    int showMessage(const std::string& caption, const std::string& text, unsigned flags) override;
    void showStatus(const std::string& text) override;
};
