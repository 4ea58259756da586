#pragma once
// Message boxes and status texts by string-table number, routed to an installable sink:
// the editor installs one that shows Qt boxes, the CLI one that prints to standard error,
// and tests one that records.

#include <string>

// Message-box flags, with the values of the platform the design comes from, so that callers
// can pass and compare them as they always have.
enum : unsigned {
    MessageOk = 0x00,
    MessageOkCancel = 0x01,
    MessageYesNoCancel = 0x03,
    MessageYesNo = 0x04,
    MessageButtonMask = 0x0F,
    MessageIconQuestion = 0x20,
    MessageIconExclamation = 0x30,
    MessageIconInformation = 0x40,
    MessageIconMask = 0xF0,
};

// Buttons a message box returns.
enum : int {
    MessageResultOk = 1,
    MessageResultCancel = 2,
    MessageResultYes = 6,
    MessageResultNo = 7,
};

class cMessageSink {
public:
    virtual ~cMessageSink() = default;
    // Shows a modal box; returns the button pressed (MessageResult...).
    virtual int showMessage(const std::string& caption, const std::string& text,
                            unsigned flags) = 0;
    virtual void showStatus(const std::string& text) = 0;
};

// Installs the sink that receives every message and status text; nullptr restores the
// default sink, which writes messages to standard error, answers OK or No, and drops
// status texts. The sink is not owned.
void InstallMessageSink(cMessageSink* sink);
// The installed sink, or the default one; never nullptr.
cMessageSink* CurrentMessageSink();

// Flags added by caption (text/TextIds.h): TextCaptionConfirm gets the question icon and
// Yes/No (Yes/No/Cancel from the caller stays), TextCaptionWarning and TextCaptionError the
// exclamation icon, TextCaptionInstructions the information icon, any other caption nothing.
// An added icon replaces one the caller passed.
unsigned MessageFlagsForCaption(int captionId, unsigned flags);

// Shows caption and text by number through the current sink, with the flags for the
// caption added; returns the sink's answer.
int ShowTableMessage(int captionId, int textId, unsigned flags = MessageOk);
void ShowStatusText(int textId);
// The status text textId with its "%u" replaced by count.
void ShowStatusCount(int textId, unsigned count);

// The text textId with its "%u" replaced by count, for texts that carry a number.
std::string CountedText(int textId, unsigned count);
// Shows the text textId with its "%u" replaced by count, as ShowTableMessage does.
int ShowCountedMessage(int captionId, int textId, unsigned count, unsigned flags = MessageOk);
