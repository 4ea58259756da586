#include "panes/ValuePane.h"

#include <QHeaderView>
#include <QMetaObject>
#include <new>
#include <string>

#include "document/Document.h"
#include "model/Database.h"
#include "model/Limits.h"
#include "panes/CommandIds.h"
#include "panes/InputMode.h"
#include "panes/ListView.h"
#include "panes/PaneHost.h"
#include "panes/PaneModel.h"
#include "panes/Panes.h"
#include "panes/QtText.h"
#include "text/CodePage.h"
#include "text/Messages.h"
#include "text/TextIds.h"

namespace {

constexpr int AttributeColumnWidth = 140;

// True when some character of text has no Windows-1252 form and would be stored as "?".
bool HasCharsOutsideCodePage(const QString& text) {
    unsigned char byte;
    for (QChar c : text)
        if (!WideCharToAnsi(c.unicode(), byte))
            return true;
    return false;
}

} // namespace

class cValueModel : public cPaneModel {
public:
    explicit cValueModel(const cDatabase& database)
        : cPaneModel({TextColumnValue, TextColumnAttribute}), db_(database) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        if (parent.isValid() || term < 0 || !db_.term(static_cast<uint32_t>(term)))
            return 0;
        return static_cast<int>(db_.attributes.count());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if ((role != Qt::DisplayRole && role != Qt::EditRole) || !index.isValid() ||
            index.row() >= rowCount())
            return QVariant();
        auto row = static_cast<uint32_t>(index.row());
        if (index.column() == 1) {
            const cAttribute* attribute = db_.attribute(row);
            return attribute ? AnsiToQString(attribute->name) : QString();
        }
        const cTerm* t = db_.term(static_cast<uint32_t>(term));
        return t ? ValueToQString(t->findValue(static_cast<uint16_t>(row))) : QString();
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags result = cPaneModel::flags(index);
        if (index.isValid() && index.column() == 0)
            result |= Qt::ItemIsEditable;
        return result;
    }

    int term = -1;

private:
    const cDatabase& db_;
};

cValuePane::cValuePane(cPanes& panes, QWidget* parent)
    : panes_(panes), model_(new cValueModel(panes.database())),
      view_(new cListView(model_, false, parent)) {
    view_->setObjectName("valuePane");
    view_->setEvents(this);
    view_->enableEditing(MaxValueTextLength);
    view_->setColumnOrder(1, 0);
    view_->header()->resizeSection(1, AttributeColumnWidth);
}

bool cValuePane::fill() {
    if (editBox()) {
        // Rebuilding the rows would take the open editor (and the keyboard focus) away
        // from the user; the rows are rebuilt when the edit ends.
        deferredRefresh = true;
        return false;
    }
    const int row = view_->firstSelected();
    model_->term = panes_.onlySelectedTerm();
    model_->reload();
    if (row != -1)
        view_->selectRow(row, true);
    return true;
}

void cValuePane::refreshValue(int term, int attribute) {
    if (term == model_->term && attribute < model_->rowCount())
        model_->refreshRow(attribute);
}

int cValuePane::term() const {
    return model_->term;
}

void cValuePane::deleteValue() {
    const int t = panes_.firstSelectedTerm();
    const int b = view_->firstSelected();
    if (t == -1 || b == -1)
        return;
    panes_.document().removeValue(static_cast<uint32_t>(t), static_cast<uint32_t>(b));
    view_->selectRow(b, true);
}

void cValuePane::updateCommandState() {
    cPaneHost& host = panes_.host();
    const int row = view_->firstSelected();
    const bool selected = row != -1;
    host.setCommandEnabled(CmdCut, selected);
    host.setCommandEnabled(CmdCopy, selected);
    host.setCommandEnabled(CmdDelete, selected);
    const bool paste = selected && panes_.firstSelectedTerm() != -1 &&
                       panes_.database().attribute(static_cast<uint32_t>(row)) &&
                       host.clipboardHasText();
    host.setCommandEnabled(CmdPaste, paste);
}

void cValuePane::onFocus() {
    updateCommandState();
    if (pendingEditRow == -1)
        return;
    const int row = pendingEditRow;
    pendingEditRow = -1;
    panes_.showSelectedTerm();
    view_->beginEdit(row);
}

void cValuePane::onClick() {
    updateCommandState();
}

bool cValuePane::onKey(int key) {
    return panes_.handleKey(
        key, [this] { view_->beginEdit(view_->firstSelected()); }, [this] { deleteValue(); });
}

bool cValuePane::onBeginEdit(int row) {
    editTerm = panes_.firstSelectedTerm();
    if (editTerm == -1)
        return false;
    editRow_ = row;
    panes_.editStarted();
    return true;
}

void cValuePane::onEditorOpened(QLineEdit& editor) {
    const cAttribute* attribute = panes_.database().attribute(static_cast<uint32_t>(editRow_));
    panes_.host().valueEditorOpened(editor, attribute && attribute->mediaType == MediaTypeUnicode);
}

void cValuePane::onEndEdit(int row, const QString* text) {
    editRow_ = -1;
    const int t = editTerm;
    editTerm = -1;
    if (text && t != -1) {
        storeEditedText(t, row, *text);
        quickEntryStep(t, row);
    }
    panes_.editEnded();
}

void cValuePane::onSelectionChanged() {
    panes_.updateCommandState();
}

void cValuePane::storeEditedText(int term, int attribute, const QString& text) {
    const cDatabase& db = panes_.database();
    const cAttribute* owner = db.attribute(static_cast<uint32_t>(attribute));
    if (!owner || !db.term(static_cast<uint32_t>(term)))
        return;
    if (owner->mediaType != MediaTypeUnicode && HasCharsOutsideCodePage(text))
        ShowTableMessage(TextCaptionWarning, TextUnicodeIntoAscii);
    // Marked even when nothing changed: committing is what counts as editing.
    panes_.document().setValueText(static_cast<uint32_t>(term), static_cast<uint32_t>(attribute),
                                   text.toStdU16String());
}

void cValuePane::quickEntryStep(int term, int attribute) {
    const eInputMode mode = panes_.host().inputMode();
    if (mode == eInputMode::OneTerm) {
        if (attribute + 1 < static_cast<int>(panes_.database().attributes.count())) {
            pendingEditRow = attribute + 1;
        } else {
            selectNextTerm(term);
            pendingEditRow = 0;
        }
    } else if (mode == eInputMode::OneAttribute) {
        selectNextTerm(term);
        pendingEditRow = attribute;
    } else {
        if (deferredRefresh) {
            deferredRefresh = false;
            panes_.showSelectedTerm();
        }
        return;
    }
    // The view may have kept the focus through the edit, in which case no focus event
    // comes to open the next editor; open it once the closing editor is fully gone.
    QMetaObject::invokeMethod(
        view_, [this] { openPendingEditor(); }, Qt::QueuedConnection);
}

void cValuePane::selectNextTerm(int term) {
    const int next = term + 1;
    if (next >= static_cast<int>(panes_.database().terms.count())) {
        // Quick entry never stops at the term limit: the user is mid-way through a row.
        if (panes_.document().appendTerm(panes_.firstSelectedTerm()) < 0)
            return;
    }
    panes_.selectTerm(next);
}

void cValuePane::openPendingEditor() {
    if (pendingEditRow == -1 || !view_->hasFocus() || editBox())
        return;
    const int row = pendingEditRow;
    pendingEditRow = -1;
    panes_.showSelectedTerm();
    view_->beginEdit(row);
}
