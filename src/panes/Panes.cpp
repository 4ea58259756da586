#include "panes/Panes.h"

#include <QItemSelectionModel>

#include "model/Database.h"
#include "panes/AttributePane.h"
#include "panes/CategoryPane.h"
#include "panes/ListView.h"
#include "panes/PaneHost.h"
#include "panes/TermPane.h"
#include "panes/ValuePane.h"
#include "text/Messages.h"

namespace {

constexpr int TextAttributeCreated = 3;
constexpr int TextCategoryCreated = 9;
constexpr int TextTermAdded = 11;

} // namespace

cPanes::cPanes(cDatabase& database, cPaneHost& host, QWidget* termParent, QWidget* rightParent)
    : db_(database), host_(host), terms_(std::make_unique<cTermPane>(database, termParent)),
      values_(std::make_unique<cValuePane>(database, rightParent)),
      categories_(std::make_unique<cCategoryPane>(database, rightParent)),
      attributes_(std::make_unique<cAttributePane>(database, rightParent)) {
    QObject::connect(terms_->view()->selectionModel(), &QItemSelectionModel::selectionChanged,
                     terms_->view(), [this] { followTermSelection(); });
}

cPanes::~cPanes() = default;

void cPanes::followTermSelection() {
    values_->fill(terms_->view()->firstSelected());
    categories_->refreshChecks(terms_->selectedTerms());
}

void cPanes::newTerm() {
    const int selected = terms_->view()->firstSelected();
    const int32_t index = db_.addTerm();
    if (index < 0)
        return;
    if (selected >= 0)
        db_.copyMemberships(static_cast<uint32_t>(selected), static_cast<uint32_t>(index));
    terms_->fill();
    terms_->view()->selectRow(index, true);
    ShowStatusText(TextTermAdded);
    host_.databaseChanged();
}

void cPanes::newCategory() {
    const int32_t index = db_.addCategory();
    if (index < 0)
        return;
    categories_->fill();
    categories_->refreshChecks(terms_->selectedTerms());
    categories_->view()->selectRow(index, true);
    ShowStatusText(TextCategoryCreated);
    host_.databaseChanged();
}

void cPanes::newAttribute(int mediaType) {
    const int32_t index = db_.addAttribute(static_cast<uint16_t>(mediaType));
    if (index < 0)
        return;
    attributes_->fill();
    attributes_->view()->selectRow(index, true);
    values_->fill(terms_->view()->firstSelected());
    ShowStatusText(TextAttributeCreated);
    host_.databaseChanged();
    host_.attributesChanged();
}
