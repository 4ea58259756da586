#include "shell/PinyinHook.h"

#include <QLineEdit>

#include "shell/AppState.h"
#include "text/Pinyin.h"
#include "text/Platform.h"

void AttachPinyinHook(QLineEdit& editor) {
    QObject::connect(&editor, &QLineEdit::textChanged, &editor, [&editor](const QString& text) {
        if (!UnicodePlatform || !PinyinConversion || text.isEmpty())
            return;
        std::u16string converted = ConvertPinyinNumbers(text.toStdU16String());
        if (converted == text.toStdU16String())
            return;
        // Off while the text is replaced, so the change this causes is not converted again.
        PinyinConversion = false;
        int caret = editor.cursorPosition();
        if (editor.hasSelectedText())
            caret = editor.selectionStart();
        editor.setText(QString::fromStdU16String(converted));
        editor.setCursorPosition(std::min(caret, static_cast<int>(converted.size())));
        PinyinConversion = true;
    });
}
