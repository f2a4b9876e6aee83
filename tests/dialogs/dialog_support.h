#pragma once

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <functional>
#include <utility>

// The top-level window of that object name, once the main window has made it.
inline QWidget* topLevelWindow(const char* name)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String(name))
            return widget;
    return nullptr;
}

// Runs a check at the moment a window is shown, to see what a launcher did
// before showing it and what it had not done yet.
class ShowWatcher final : public QObject {
public:
    ShowWatcher(QWidget* watched, std::function<void()> atShow) : m_atShow(std::move(atShow))
    {
        watched->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            ++shows;
            m_atShow();
        }
        return false;
    }

    int shows = 0;

private:
    std::function<void()> m_atShow;
};
