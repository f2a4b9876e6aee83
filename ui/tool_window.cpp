#include "ui/tool_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QShowEvent>

ToolWindow::ToolWindow(const QString& name, const QString& caption) : QWidget(nullptr, Qt::Window)
{
    setObjectName(name);
    setWindowTitle(caption);
}

void ToolWindow::leave()
{
    hide();
    Q_EMIT closed();
}

void ToolWindow::finish(const veq::Entries& items, veq::ListId listId)
{
    Q_EMIT finished(items, listId);
    leave();
}

void ToolWindow::showEvent(QShowEvent* event)
{
    // Every opening is a new task: it starts where the keyboard starts in the window.
    if (m_firstControl && !event->spontaneous())
        m_firstControl->setFocus(Qt::OtherFocusReason);
    QWidget::showEvent(event);
}

void ToolWindow::closeEvent(QCloseEvent* event)
{
    // Hidden, never destroyed: the window keeps its contents for the next opening.
    event->ignore();
    leave();
}

void ToolWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        leave();
        return;
    }
    QWidget::keyPressEvent(event);
}
