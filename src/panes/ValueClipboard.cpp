// Cut, copy and paste of one value through the system clipboard, as plain text. An Ascii
// value leaves as its Windows-1252 text decoded and is encoded again when it comes back, so
// values can be exchanged with other programs and between Ascii and Unicode attributes.

#include <string>

#include "model/Database.h"
#include "panes/InputMode.h"
#include "panes/ListView.h"
#include "panes/PaneHost.h"
#include "panes/Panes.h"
#include "panes/QtText.h"
#include "panes/TermPane.h"
#include "panes/ValuePane.h"

bool cValuePane::copySelectedValue() {
    const int r = view_->firstSelected();
    const int t = panes_.terms().view()->firstSelected();
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
    cTermPane& terms = panes_.terms();
    const int t = terms.view()->firstSelected();
    if (r == -1 || t == -1)
        return;
    cDatabase& db = panes_.database();
    cTerm* term = db.term(static_cast<uint32_t>(t));
    const cAttribute* attribute = db.attribute(static_cast<uint32_t>(r));
    if (!term || !attribute)
        return;
    // The value exists before the clipboard is read: an empty clipboard leaves an empty
    // value behind, and the database still counts as changed.
    cValue* value = term->findValue(static_cast<uint16_t>(r));
    if (!value) {
        value = db.createValue(static_cast<uint32_t>(r));
        if (!value)
            return;
        if (!term->values.append(value)) {
            value->destroy();
            return;
        }
    }
    cPaneHost& host = panes_.host();
    if (host.clipboardHasText()) {
        const QString text = host.clipboardText();
        if (attribute->mediaType == MediaTypeUnicode) {
            const std::u16string units = text.toStdU16String();
            value->setText(units.c_str());
        } else {
            const std::string bytes = QStringToAnsi(text);
            value->setText(bytes.c_str());
        }
    }
    host.databaseChanged();
    terms.refreshRow(t);
    // Repeated Pastes fill one attribute down the list of terms.
    if (host.inputMode() == eInputMode::OneAttribute)
        terms.view()->selectRow(t + 1, true);
    fill();
}
