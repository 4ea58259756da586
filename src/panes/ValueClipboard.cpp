// Cut, copy and paste of one value through the system clipboard, as plain text. An Ascii
// value leaves as its Windows-1252 text decoded and is encoded again when it comes back, so
// values can be exchanged with other programs and between Ascii and Unicode attributes.

#include <string>

#include "document/Document.h"
#include "model/Database.h"
#include "panes/InputMode.h"
#include "panes/ListView.h"
#include "panes/PaneHost.h"
#include "panes/Panes.h"
#include "panes/QtText.h"
#include "panes/ValuePane.h"

bool cValuePane::copySelectedValue() {
    const int r = view_->firstSelected();
    const int t = panes_.firstSelectedTerm();
    if (r == -1 || t == -1)
        return false;
    const cDatabase& db = panes_.database();
    const cTerm* term = db.term(static_cast<uint32_t>(t));
    const cValue* value = term ? term->findValue(static_cast<uint16_t>(r)) : nullptr;
    if (!value || !db.attribute(value->attribute))
        return false;
    // An empty value leaves whatever the clipboard holds, and a Cut of it deletes nothing.
    if (value->isEmpty())
        return false;
    panes_.host().setClipboardText(ValueToQString(value));
    return true;
}

void cValuePane::copyValue() {
    if (copySelectedValue())
        updateCommandState();
}

void cValuePane::cutValue() {
    if (!copySelectedValue())
        return;
    deleteValue();
    updateCommandState();
}

void cValuePane::pasteValue() {
    const int r = view_->firstSelected();
    const int t = panes_.firstSelectedTerm();
    if (r == -1 || t == -1)
        return;
    const cDatabase& db = panes_.database();
    const auto term = static_cast<uint32_t>(t);
    const auto attribute = static_cast<uint32_t>(r);
    if (!db.term(term) || !db.attribute(attribute))
        return;
    // An empty clipboard leaves an empty value behind where there was none, and the database
    // still counts as changed.
    cPaneHost& host = panes_.host();
    if (host.clipboardHasText()) {
        const std::u16string text = host.clipboardText().toStdU16String();
        panes_.document().pasteValue(term, attribute, &text);
    } else {
        panes_.document().pasteValue(term, attribute, nullptr);
    }
    // Repeated Pastes fill one attribute down the list of terms.
    if (host.inputMode() == eInputMode::OneAttribute)
        panes_.selectTerm(t + 1);
    panes_.showSelectedTerm();
}
