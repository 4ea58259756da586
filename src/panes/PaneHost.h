#pragma once
// What the panes need from the editor around them. The shell implements it; the panes stay
// below the shell and never call into it directly.

class cPaneHost {
public:
    virtual ~cPaneHost() = default;
    // Every change to the database ends here: the modified mark and the backup.
    virtual void databaseChanged() = 0;
    // Enables or greys a command's menu item, toolbar button and context item.
    virtual void setCommandEnabled(int command, bool enabled) = 0;
    // Off while an in-place editor is open, so that its keys reach the editor.
    virtual void setAcceleratorsEnabled(bool enabled) = 0;
    // The attribute list changed names or length: the Display Attribute menu follows.
    virtual void attributesChanged() = 0;
};
