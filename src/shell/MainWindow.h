#pragma once
// The one top-level window: menus, toolbar, status bar and the four panes divided by three
// splitters. Every action carries its command number and goes to ExecuteCommand.

#include <QHash>
#include <QMainWindow>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;
class cAttributePane;
class cCategoryPane;
class cPaneHost;
class cPanes;
class cTermPane;
class cValuePane;

class cMainWindow : public QMainWindow {
public:
    cMainWindow();
    ~cMainWindow() override;

    cPanes& panes() const { return *panes_; }
    cTermPane& termPane() const;
    cValuePane& valuePane() const;
    cCategoryPane& categoryPane() const;
    cAttributePane& attributePane() const;

    // The action of a command number (menu, toolbar or context item), or nullptr.
    QAction* action(int command) const { return actions_.value(command, nullptr); }
    QToolBar* toolBar() const { return toolBar_; }
    QMenu* recentMenu() const { return recentMenu_; }
    QMenu* displayAttributeMenu() const { return displayAttributeMenu_; }
    QMenu* contextMenu(QWidget* pane) const;
    QString statusText() const;
    void showStatus(const QString& text);

    // Builds an action that runs command; registered under that number.
    QAction* addCommand(int command, const QString& label, const QKeySequence& keys = {});
    // One more accelerator for a command built with its first.
    void addAccelerator(int command, const QKeySequence& keys);
    // The three splitter ratios: term pane width, and the two borders of the right column.
    void setSplitterRatios(double r1, double r2, double r3);
    void splitterRatios(double& r1, double& r2, double& r3) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildPanes();
    void buildMenus();
    void buildContextMenus();
    void buildToolbar();
    void applyRatios();
    void rememberRatios();
    void keepOtherRightBorder(int handle);

    QHash<int, QAction*> actions_;
    QHash<QAction*, QList<QKeySequence>> accelerators_;
    std::unique_ptr<cPaneHost> paneHost_;
    std::unique_ptr<cPanes> panes_;
    QSplitter* columns_ = nullptr;
    QSplitter* rightColumn_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QLabel* status_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QMenu* displayAttributeMenu_ = nullptr;
    QHash<QWidget*, QMenu*> contextMenus_;
    double r1_ = 0.5, r2_ = 0.33, r3_ = 0.66;
    QList<int> rightSizes_; // the right column's pane heights after the last layout or move
    bool applyingRatios_ = false;
};
