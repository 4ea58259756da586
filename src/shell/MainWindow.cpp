#include "shell/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <cmath>

#include "document/Document.h"
#include "panes/AttributePane.h"
#include "panes/CategoryPane.h"
#include "panes/ListView.h"
#include "panes/Panes.h"
#include "panes/QtText.h"
#include "panes/TermPane.h"
#include "panes/ValuePane.h"
#include "shell/AppState.h"
#include "shell/Commands.h"
#include "shell/OpenDatabase.h"
#include "shell/ShellPaneHost.h"
#include "text/TextIds.h"

namespace {

constexpr int SplitterGap = 2;
constexpr int MinimumPaneExtent = 40;

// The pixels a ratio gives of an extent, less the half gap on each side of a splitter.
int Share(int extent, double ratio) {
    return static_cast<int>(std::trunc(extent * ratio));
}

class cSplitterResizeWatcher : public QObject {
public:
    explicit cSplitterResizeWatcher(std::function<void()> onResize, QObject* parent)
        : QObject(parent), onResize_(std::move(onResize)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            onResize_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onResize_;
};

// The accelerator table is offered every key unless an in-place editor is open: while
// acceleratorsEnabled is clear, a key that is some command's accelerator goes to the focused
// widget (the editor) as a plain key press instead. The actions keep their shortcuts, so
// opening and closing an editor changes no action, menu or toolbar button.
class cAcceleratorGate : public QObject {
public:
    cAcceleratorGate(const QHash<QAction*, QList<QKeySequence>>& accelerators, QObject* parent)
        : QObject(parent), accelerators_(accelerators) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride && !AppState().acceleratorsEnabled &&
            isAccelerator(*static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool isAccelerator(const QKeyEvent& key) const {
        const QKeySequence pressed(key.keyCombination());
        for (const QList<QKeySequence>& list : accelerators_)
            for (const QKeySequence& keys : list)
                if (keys.matches(pressed) == QKeySequence::ExactMatch)
                    return true;
        return false;
    }

    const QHash<QAction*, QList<QKeySequence>>& accelerators_;
};

} // namespace

cMainWindow::cMainWindow() {
    setWindowTitle(TableText(TextWindowTitle));
    setWindowIcon(QIcon(":/icons/vesk-builder.svg"));
    buildPanes();
    buildMenus();
    buildContextMenus();
    buildToolbar();
    status_ = new QLabel(this);
    status_->setObjectName("statusText");
    statusBar()->addWidget(status_, 1);
    qApp->installEventFilter(new cAcceleratorGate(accelerators_, this));
    // Paste follows what the clipboard holds, whichever program put it there.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { panes_->updateCommandState(); });
    resize(900, 640);
}

// The panes' lists go first, while the panes they report their events to still exist.
cMainWindow::~cMainWindow() {
    delete takeCentralWidget();
}

cTermPane& cMainWindow::termPane() const {
    return panes_->terms();
}
cValuePane& cMainWindow::valuePane() const {
    return panes_->values();
}
cCategoryPane& cMainWindow::categoryPane() const {
    return panes_->categories();
}
cAttributePane& cMainWindow::attributePane() const {
    return panes_->attributes();
}

void cMainWindow::buildPanes() {
    columns_ = new QSplitter(Qt::Horizontal, this);
    rightColumn_ = new QSplitter(Qt::Vertical, columns_);
    paneHost_ = std::make_unique<cShellPaneHost>();
    panes_ = std::make_unique<cPanes>(CurrentDocument(), *paneHost_, columns_, rightColumn_);
    columns_->insertWidget(0, termPane().view());
    rightColumn_->addWidget(valuePane().view());
    rightColumn_->addWidget(categoryPane().view());
    rightColumn_->addWidget(attributePane().view());

    connect(rightColumn_, &QSplitter::splitterMoved, this,
            [this](int, int handle) { keepOtherRightBorder(handle); });
    for (QSplitter* splitter : {columns_, rightColumn_}) {
        splitter->setHandleWidth(SplitterGap);
        splitter->setChildrenCollapsible(false);
        connect(splitter, &QSplitter::splitterMoved, this, [this] { rememberRatios(); });
        splitter->installEventFilter(new cSplitterResizeWatcher([this] { applyRatios(); }, this));
    }
    termPane().view()->setMinimumWidth(MinimumPaneExtent);
    rightColumn_->setMinimumWidth(MinimumPaneExtent);
    for (QWidget* pane : std::initializer_list<QWidget*>{valuePane().view(), categoryPane().view(),
                                                         attributePane().view()})
        pane->setMinimumHeight(MinimumPaneExtent);
    setCentralWidget(columns_);
}

QMenu* cMainWindow::contextMenu(QWidget* pane) const {
    return contextMenus_.value(pane, nullptr);
}

QString cMainWindow::statusText() const {
    return status_->text();
}

void cMainWindow::showStatus(const QString& text) {
    status_->setText(text);
}

void cMainWindow::addAccelerator(int command, const QKeySequence& keys) {
    if (QAction* target = action(command)) {
        accelerators_[target].append(keys);
        target->setShortcuts(accelerators_[target]);
    }
}

QAction* cMainWindow::addCommand(int command, const QString& label, const QKeySequence& keys) {
    auto* action = new QAction(label, this);
    action->setData(command);
    if (!keys.isEmpty()) {
        action->setShortcut(keys);
        accelerators_.insert(action, {keys});
    }
    connect(action, &QAction::triggered, this, [command] { ExecuteCommand(command); });
    actions_.insert(command, action);
    return action;
}

void cMainWindow::setSplitterRatios(double r1, double r2, double r3) {
    r1_ = r1;
    r2_ = r2;
    r3_ = r3;
    applyRatios();
}

void cMainWindow::splitterRatios(double& r1, double& r2, double& r3) const {
    r1 = r1_;
    r2 = r2_;
    r3 = r3_;
}

void cMainWindow::applyRatios() {
    if (applyingRatios_)
        return;
    applyingRatios_ = true;
    const int width = columns_->width();
    const int height = rightColumn_->height();
    const int left = Share(width, r1_) - SplitterGap / 2;
    columns_->setSizes({left, width - left - SplitterGap});
    const int value = Share(height, r2_) - SplitterGap / 2;
    const int category = Share(height, r3_) - Share(height, r2_) - SplitterGap;
    rightColumn_->setSizes({value, category, height - value - category - 2 * SplitterGap});
    rightSizes_ = rightColumn_->sizes();
    applyingRatios_ = false;
}

// A border of the right column stops at the middle pane's minimum height rather than
// pushing the other border along: handle 1 is the upper border, handle 2 the lower one.
void cMainWindow::keepOtherRightBorder(int handle) {
    QList<int> sizes = rightColumn_->sizes();
    const QList<int> before = rightSizes_;
    if (sizes.size() != 3 || before.size() != 3 || applyingRatios_)
        return;
    const int total = before[0] + before[1] + before[2];
    if (handle == 1 && sizes[2] != before[2]) {
        sizes = {total - MinimumPaneExtent - before[2], MinimumPaneExtent, before[2]};
    } else if (handle == 2 && sizes[0] != before[0]) {
        sizes = {before[0], MinimumPaneExtent, total - MinimumPaneExtent - before[0]};
    } else {
        rightSizes_ = sizes;
        return;
    }
    applyingRatios_ = true;
    rightColumn_->setSizes(sizes);
    applyingRatios_ = false;
    rightSizes_ = rightColumn_->sizes();
}

// A splitter the user moved sets the ratio the next resize keeps.
void cMainWindow::rememberRatios() {
    if (applyingRatios_)
        return;
    const QList<int> columns = columns_->sizes();
    const QList<int> rows = rightColumn_->sizes();
    const double width = columns_->width();
    const double height = rightColumn_->height();
    if (width > 0 && columns.size() == 2)
        r1_ = (columns[0] + SplitterGap / 2) / width;
    if (height > 0 && rows.size() == 3) {
        r2_ = (rows[0] + SplitterGap / 2) / height;
        r3_ = (rows[0] + rows[1] + SplitterGap + SplitterGap / 2) / height;
    }
}

void cMainWindow::closeEvent(QCloseEvent* event) {
    // The save prompt must know of a value still being typed.
    panes_->commitOpenEdit();
    if (SavePrompt("before exiting?"))
        event->ignore();
    else
        event->accept();
}

void cMainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    applyRatios();
}
