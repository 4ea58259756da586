#include "text/Messages.h"

#include "text/StringTable.h"
#include "text/TextIds.h"

#include <cstddef>
#include <iostream>

namespace {

// Used when nothing is installed (the CLI, tools, tests that do not care): nobody can
// answer, so a question gets the cautious No and destructive commands do not run.
class cStandardErrorSink : public cMessageSink {
public:
    int showMessage(const std::string& caption, const std::string& text, unsigned flags) override {
        std::cerr << caption << ": " << text << '\n';
        unsigned buttons = flags & MessageButtonMask;
        if (buttons == MessageYesNo || buttons == MessageYesNoCancel)
            return MessageResultNo;
        return MessageResultOk;
    }
    void showStatus(const std::string&) override {}
};

cStandardErrorSink DefaultSink;
cMessageSink* InstalledSink = nullptr;

const size_t CaptionBufferBytes = 256;

} // namespace

void InstallMessageSink(cMessageSink* sink) {
    InstalledSink = sink;
}

cMessageSink* CurrentMessageSink() {
    return InstalledSink != nullptr ? InstalledSink : &DefaultSink;
}

unsigned MessageFlagsForCaption(int captionId, unsigned flags) {
    switch (captionId) {
    case TextCaptionConfirm:
        // A confirmation is always a question; a caller that asks for Cancel as well keeps
        // its three buttons rather than getting a mix of both button sets.
        if ((flags & MessageButtonMask) != MessageYesNoCancel)
            flags = (flags & ~MessageButtonMask) | MessageYesNo;
        return (flags & ~MessageIconMask) | MessageIconQuestion;
    case TextCaptionWarning:
    case TextCaptionError:
        return (flags & ~MessageIconMask) | MessageIconExclamation;
    case TextCaptionInstructions:
        return (flags & ~MessageIconMask) | MessageIconInformation;
    default:
        return flags;
    }
}

int ShowTableMessage(int captionId, int textId, unsigned flags) {
    // Both loads share one buffer: the caption must be copied before the text overwrites it.
    char caption[CaptionBufferBytes];
    const char* loaded = LoadResourceText(captionId);
    size_t length = 0;
    for (; loaded[length] != 0 && length + 1 < CaptionBufferBytes; ++length)
        caption[length] = loaded[length];
    caption[length] = 0;

    const char* text = LoadResourceText(textId);
    return CurrentMessageSink()->showMessage(caption, text,
                                             MessageFlagsForCaption(captionId, flags));
}

void ShowStatusText(int textId) {
    CurrentMessageSink()->showStatus(LoadResourceText(textId));
}

void ShowStatusCount(int textId, unsigned count) {
    std::string text = LoadResourceText(textId);
    const size_t mark = text.find("%u");
    if (mark != std::string::npos)
        text.replace(mark, 2, std::to_string(count));
    CurrentMessageSink()->showStatus(text);
}

std::string CountedText(int textId, unsigned count) {
    std::string text = ResourceString(textId);
    const size_t mark = text.find("%u");
    if (mark != std::string::npos)
        text.replace(mark, 2, std::to_string(count));
    return text;
}

int ShowCountedMessage(int captionId, int textId, unsigned count, unsigned flags) {
    return CurrentMessageSink()->showMessage(ResourceString(captionId), CountedText(textId, count),
                                             MessageFlagsForCaption(captionId, flags));
}
