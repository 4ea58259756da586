#include "shell/PinyinHook.h"

#include <QLineEdit>
#include <algorithm>
#include <memory>

#include "shell/AppState.h"
#include "shell/Settings.h"
#include "text/PinyinStyle.h"
#include "text/Platform.h"

namespace {

// The part of after that an edit of before inserted: what lies between the longest common
// start and the longest common end of the two texts.
void InsertedRange(const std::u16string& before, const std::u16string& after, size_t& from,
                   size_t& to) {
    const size_t shorter = std::min(before.size(), after.size());
    size_t start = 0;
    while (start < shorter && before[start] == after[start])
        ++start;
    size_t end = 0;
    while (end < shorter - start &&
           before[before.size() - 1 - end] == after[after.size() - 1 - end])
        ++end;
    from = start;
    to = after.size() - end;
}

} // namespace

void AttachPinyinHook(QLineEdit& editor) {
    // The text as it stood before the user's latest edit. Only textEdited reports the user's
    // own changes; the text the editor opened with, and the converted text set below, arrive
    // through textChanged alone and are never converted.
    auto before = std::make_shared<std::u16string>(editor.text().toStdU16String());
    QObject::connect(&editor, &QLineEdit::textChanged, &editor,
                     [&editor, before] { *before = editor.text().toStdU16String(); });
    QObject::connect(&editor, &QLineEdit::textEdited, &editor, [&editor, before] {
        const std::u16string text = editor.text().toStdU16String();
        if (!UnicodePlatform || !AppState().pinyinConversion || text.empty()) {
            *before = text;
            return;
        }
        size_t from = 0;
        size_t to = 0;
        InsertedRange(*before, text, from, to);
        const std::u16string converted = ConvertPinyin(text, from, to, Settings.pinyinStyle);
        *before = text;
        if (converted == text)
            return;
        int caret = editor.cursorPosition();
        if (editor.hasSelectedText())
            caret = editor.selectionStart();
        editor.setText(QString::fromStdU16String(converted));
        editor.setCursorPosition(std::min(caret, static_cast<int>(converted.size())));
    });
}
