#pragma once

#include "core/kinds.h"

#include <QWidget>

// A window that the main window opens in its own place: it works on what it
// was given, hands its result back through `finished`, and says `closed` when
// the user leaves it, so the main window can show itself again. Closing it
// through the frame or with Escape leaves it like its "Cancel" or "Exit".
// Each showing starts with the keyboard on the window's first control.
class ToolWindow : public QWidget {
    Q_OBJECT
    Q_CLASSINFO("AccessibleRole", "Window")

public:
    explicit ToolWindow(const QString& name, const QString& caption);

Q_SIGNALS:
    // The items to hand to the main window's list `listId`.
    void finished(const veq::Entries& items, veq::ListId listId);
    void closed();

protected:
    // Hides the window and lets the main window come back.
    void leave();
    // Hands `items` to list `listId`, then leaves.
    void finish(const veq::Entries& items, veq::ListId listId);
    // The control that has the keyboard focus whenever the window is shown.
    void setFirstControl(QWidget* control) { m_firstControl = control; }

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* m_firstControl = nullptr;
};
