#pragma once
// A platform that answers every blocking call from a script and records what it was asked,
// installed for its lifetime. Unscripted message boxes answer OK (or No for questions),
// unscripted file dialogs are cancelled, unscripted dialogs end with their current result.

#include <QDialog>
#include <deque>
#include <functional>
#include <vector>

#include "shell/Platform.h"
#include "text/Messages.h"

class cScriptedPlatform : public cPlatform {
public:
    struct sMessage {
        QString caption;
        QString text;
        unsigned flags;
    };

    cScriptedPlatform() { InstallPlatform(this); }
    ~cScriptedPlatform() override { InstallPlatform(nullptr); }

    int messageBox(QWidget*, const QString& caption, const QString& text, unsigned flags) override {
        messages.push_back({caption, text, flags});
        if (!messageAnswers.empty()) {
            int answer = messageAnswers.front();
            messageAnswers.pop_front();
            return answer;
        }
        unsigned buttons = flags & MessageButtonMask;
        return buttons == MessageYesNo || buttons == MessageYesNoCancel ? MessageResultNo
                                                                        : MessageResultOk;
    }
    QString openFileName(QWidget*, const sFileDialogRequest& request) override {
        return answerFile(request);
    }
    QString saveFileName(QWidget*, const sFileDialogRequest& request) override {
        return answerFile(request);
    }
    bool chooseFont(QWidget*, const QFont&, QFont& chosen) override {
        ++fontDialogs;
        if (!fontAnswer)
            return false;
        chosen = *fontAnswer;
        return true;
    }
    int execDialog(QDialog& dialog) override {
        dialogTitles.push_back(dialog.windowTitle());
        if (dialogScripts.empty())
            return dialog.result();
        auto script = std::move(dialogScripts.front());
        dialogScripts.pop_front();
        return script(dialog);
    }
    QString clipboardText() override { return clipboard; }
    bool clipboardHasText() override { return !clipboard.isNull(); }
    void setClipboardText(const QString& text) override { clipboard = text; }
    bool openUrl(const QString& target) override {
        openedUrls.push_back(target);
        return openUrlSucceeds;
    }

    // The texts of the message boxes shown so far.
    std::vector<QString> messageTexts() const {
        std::vector<QString> texts;
        for (const sMessage& message : messages)
            texts.push_back(message.text);
        return texts;
    }

    std::deque<int> messageAnswers;
    std::vector<sMessage> messages;
    std::deque<QString> fileAnswers; // an empty string cancels
    std::vector<sFileDialogRequest> fileRequests;
    std::deque<std::function<int(QDialog&)>> dialogScripts;
    std::vector<QString> dialogTitles;
    std::optional<QFont> fontAnswer;
    int fontDialogs = 0;
    QString clipboard;
    std::vector<QString> openedUrls;
    bool openUrlSucceeds = true;

private:
    QString answerFile(const sFileDialogRequest& request) {
        fileRequests.push_back(request);
        if (fileAnswers.empty())
            return QString();
        QString answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
};
