#include "text/Messages.h"

#include "text/StringTable.h"

#include "support/RecordingSink.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class MessagesTest : public ::testing::Test {
protected:
    cRecordingSink sink;
};

} // namespace

TEST(MessageFlags, FollowTheCaption) {
    EXPECT_EQ(MessageFlagsForCaption(13, MessageOk), MessageYesNo | MessageIconQuestion);
    EXPECT_EQ(MessageFlagsForCaption(13, MessageYesNoCancel),
              MessageYesNoCancel | MessageIconQuestion);
    EXPECT_EQ(MessageFlagsForCaption(53, MessageOk), MessageOk | MessageIconExclamation);
    EXPECT_EQ(MessageFlagsForCaption(58, MessageYesNoCancel),
              MessageYesNoCancel | MessageIconExclamation);
    EXPECT_EQ(MessageFlagsForCaption(54, MessageOk), MessageOk | MessageIconInformation);
    EXPECT_EQ(MessageFlagsForCaption(116, MessageOk), MessageOk);
    EXPECT_EQ(MessageFlagsForCaption(116, MessageYesNo), MessageYesNo);
}

TEST_F(MessagesTest, ConfirmationAsksYesNoWithoutCallerButtons) {
    sink.answer = MessageResultYes;
    EXPECT_EQ(ShowTableMessage(13, 12), MessageResultYes);
    ASSERT_EQ(sink.shown.size(), 1u);
    // The caption survives the text being loaded into the shared buffer after it.
    EXPECT_EQ(sink.shown[0].caption, "Dangerous Command Confirmation");
    EXPECT_EQ(sink.shown[0].text, "Do you really wish to delete the currently selected term?");
    EXPECT_EQ(sink.shown[0].flags, MessageYesNo | MessageIconQuestion);
}

TEST_F(MessagesTest, InformationHasNoIcon) {
    ShowTableMessage(116, 115);
    ShowTableMessage(58, 39);
    ASSERT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(sink.shown[0].caption, "Information");
    EXPECT_EQ(sink.shown[0].text, "Failed to find a match.");
    EXPECT_EQ(sink.shown[0].flags, MessageOk);
    EXPECT_EQ(sink.shown[1].caption, "Error");
    EXPECT_EQ(sink.shown[1].text, "Failed to save.");
    EXPECT_EQ(sink.shown[1].flags, MessageOk | MessageIconExclamation);
}

TEST_F(MessagesTest, StatusTextGoesToSink) {
    ShowStatusText(40);
    ShowStatusText(110);
    EXPECT_EQ(sink.statuses, (std::vector<std::string>{"Database saved.", ""}));
    EXPECT_TRUE(sink.shown.empty());
}

TEST(DefaultMessageSink, AnswersCautiously) {
    InstallMessageSink(nullptr);
    ASSERT_NE(CurrentMessageSink(), nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(ShowTableMessage(13, 12), MessageResultNo);
    EXPECT_EQ(ShowTableMessage(53, 95, MessageYesNoCancel), MessageResultNo);
    EXPECT_EQ(ShowTableMessage(58, 39), MessageResultOk);
    ShowStatusText(40);
    std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_NE(printed.find("Error: Failed to save.\n"), std::string::npos);
    EXPECT_EQ(printed.find("Database saved."), std::string::npos);
}
