#pragma once
// The platform on real Qt windows.

#include "shell/Platform.h"

class cQtPlatform : public cPlatform {
public:
    int messageBox(QWidget* owner, const QString& caption, const QString& text,
                   unsigned flags) override;
    QString openFileName(QWidget* owner, const sFileDialogRequest& request) override;
    QString saveFileName(QWidget* owner, const sFileDialogRequest& request) override;
    bool chooseFont(QWidget* owner, const QFont& initial, QFont& chosen) override;
    int execDialog(QDialog& dialog) override;
    QString clipboardText() override;
    bool clipboardHasText() override;
    void setClipboardText(const QString& text) override;
    bool openUrl(const QString& target) override;
    QString fileNameWithOption(QWidget* owner, const sFileDialogRequest& request, bool forSaving,
                               const QString& option, bool& checked) override;
};
