#pragma once
// A message sink that records every box and status text instead of showing it, installed
// for its lifetime. Boxes are answered with `answer`.

#include <string>
#include <vector>

#include "text/Messages.h"
#include "text/StringTable.h"

class cRecordingSink : public cMessageSink {
public:
    struct cShown {
        std::string caption;
        std::string text;
        unsigned flags;
    };

    cRecordingSink() { InstallMessageSink(this); }
    ~cRecordingSink() override { InstallMessageSink(nullptr); }

    int showMessage(const std::string& caption, const std::string& text, unsigned flags) override {
        shown.push_back({caption, text, flags});
        return answer;
    }
    void showStatus(const std::string& text) override { statuses.push_back(text); }

    // True when exactly one box was shown, with the given caption and text numbers.
    bool showedOnly(int captionId, int textId) const {
        return shown.size() == 1 && shown[0].caption == ResourceString(captionId) &&
               shown[0].text == ResourceString(textId);
    }

    int answer = MessageResultOk;
    std::vector<cShown> shown;
    std::vector<std::string> statuses;
};
