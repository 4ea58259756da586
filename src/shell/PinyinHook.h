#pragma once

class QLineEdit;

// While pinyin conversion is on, each edit the user makes in the editor of a Unicode value
// (typing, pasting) turns the tone numbers it inserted into tone marks (ni3 becomes nĭ) and
// puts the caret back where the selection started. Digits that were there before the edit,
// the text the editor opened with among them, stay as they are.
void AttachPinyinHook(QLineEdit& editor);
