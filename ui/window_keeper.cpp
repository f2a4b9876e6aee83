#include "ui/window_keeper.h"

#include "ui/tool_window.h"
#include "ui/window_place.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace {

// A window of the program's own that the window system would place as it
// likes. Dialogs (the file dialogs) open over the window that asked, menus
// and tooltips where the pointer is.
bool placedByUs(const QWidget* widget) { return widget->isWindow() && widget->windowType() == Qt::Window; }

bool canTakeKeyboard(const QWidget* widget)
{
    return widget && widget->isVisibleTo(widget->window()) && widget->isEnabled() &&
           widget->focusPolicy() != Qt::NoFocus;
}

} // namespace

WindowKeeper::WindowKeeper(QWidget* mainWindow) : QObject(mainWindow), m_main(mainWindow)
{
    // The other windows are made later and know nothing of the main window:
    // they are watched from the application.
    qApp->installEventFilter(this);
}

bool WindowKeeper::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::Hide && type != QEvent::WindowActivate)
        return false;
    if (!watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);

    if (widget == m_main) {
        if (type == QEvent::WindowActivate && m_returning) {
            m_returning = false;
            if (canTakeKeyboard(m_started))
                m_started->setFocus(Qt::ActiveWindowFocusReason);
        }
        // Only the program's own hiding and showing: a minimised window keeps its place anyway.
        if (!event->spontaneous() && type == QEvent::Hide)
            mainHidden();
        if (!event->spontaneous() && type == QEvent::Show && m_away)
            mainShown();
        return false;
    }

    if (event->spontaneous() || !placedByUs(widget))
        return false;
    if (type == QEvent::Show)
        placeOpening(widget);
    else if (type == QEvent::Hide && qobject_cast<ToolWindow*>(widget)) {
        if (!m_left.contains(widget))
            connect(widget, &QObject::destroyed, this, [this, widget] { m_left.remove(widget); });
        m_left.insert(widget, {widget->pos(), mainFrame()});
    }
    return false;
}

QRect WindowKeeper::mainFrame() const { return m_away ? m_frame : m_main->frameGeometry(); }

void WindowKeeper::mainHidden()
{
    m_frame = m_main->frameGeometry();
    m_margins = frameMargins(m_main);
    m_place = m_main->pos();
    // A window hidden before the window system showed it (a read of the files
    // given at start) has no place yet: the window system gives it one.
    const QWindow* handle = m_main->windowHandle();
    m_placed = handle && handle->isExposed();
    m_started = m_main->focusWidget();
    m_away = true;
}

void WindowKeeper::mainShown()
{
    m_away = false;
    // This comes before the window system sees the window again.
    if (m_placed) {
        // The window system may have taken the frame away meanwhile.
        moveFrame(m_main, m_place, m_margins);
        // Until a window is moved it is placed anew at every showing. Its
        // place is the user's now, whether or not it differs from the first.
        if (QWindow* handle = m_main->windowHandle())
            handle->setPosition(handle->position());
    }
    // While the window was hidden, the window system may have made it active
    // (the file dialog before a read closed), and Qt then gave the keyboard
    // to the next control that could take it.
    if (canTakeKeyboard(m_started))
        m_started->setFocus(Qt::OtherFocusReason);
    m_returning = true;
    // Once shown: the window system may not make a window active that was
    // hidden while active, and a window not yet shown cannot be made so.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_main->isVisible()) {
                m_main->raise();
                m_main->activateWindow();
            }
        },
        Qt::QueuedConnection);
}

void WindowKeeper::placeOpening(QWidget* window)
{
    if (!m_away)
        m_margins = frameMargins(m_main);
    const QSize size = frameSize(window, m_margins);
    if (qobject_cast<ToolWindow*>(window)) {
        const auto left = m_left.constFind(window);
        if (left != m_left.cend() && left->mainFrame == mainFrame()) {
            const QRect there(left->at, size);
            moveFrame(window, keptWithin(size, left->at, availableAround(there)), m_margins);
            return;
        }
        moveFrame(window, centredWithin(size, mainFrame(), availableAround(mainFrame())), m_margins);
        return;
    }
    // A message speaks for the window the user works in: the active one, else
    // the one shown (one window at a time is), else the main window's place.
    QWidget* speaker = QApplication::activeWindow();
    if (!speaker || speaker == window || !speaker->isVisible() || !placedByUs(speaker)) {
        speaker = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top != window && top->isVisible() && placedByUs(top)) {
                speaker = top;
                break;
            }
    }
    const QRect over = speaker ? speaker->frameGeometry() : mainFrame();
    moveFrame(window, centredWithin(size, over, availableAround(over)), m_margins);
}
