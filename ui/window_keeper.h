#pragma once

#include <QHash>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QRect>

class QWidget;

// Made on the main window, it keeps the program's windows where the user
// expects them. The main window hides for a step (a read, a tool window) and
// shows again: it comes back where the user put it, active, with the keyboard
// on the control that started the step, whatever the window system did to it
// while it was hidden. The other windows open over it, wholly on the screen:
// a tool window where the user last left it while the main window stayed
// put, else centred over the main window; the message and please-wait windows
// centred over the window they speak for.
class WindowKeeper final : public QObject {
    Q_OBJECT

public:
    explicit WindowKeeper(QWidget* mainWindow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void mainHidden();
    void mainShown();
    void placeOpening(QWidget* window);
    // The main window's frame: as it is, or as it was when it hid.
    [[nodiscard]] QRect mainFrame() const;

    QWidget* m_main;
    // While the main window is away: where it was and what had the keyboard.
    bool m_away = false;
    QRect m_frame;
    QMargins m_margins;
    QPoint m_place;
    bool m_placed = false;
    QPointer<QWidget> m_started;
    // From showing again until the window system makes it active.
    bool m_returning = false;

    // Where a tool window was left, and where the main window stood then.
    struct Left {
        QPoint at;
        QRect mainFrame;
    };
    QHash<const QWidget*, Left> m_left;
};
