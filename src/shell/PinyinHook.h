#pragma once

class QLineEdit;

// While PinyinConversion is on, every text change of the editor of a Unicode value turns
// tone numbers into tone marks (ni3 becomes nĭ) and puts the caret back where the
// selection started.
void AttachPinyinHook(QLineEdit& editor);
