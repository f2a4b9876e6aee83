#include "dialogs/form_message.h"

#include "ui/layout.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

FormMessage::FormMessage(QWidget* parent)
    : QWidget(parent, Qt::Window), m_lMessage(new QLabel(this)), m_bOK(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("FormMessage"));
    setWindowTitle(QStringLiteral("Message"));
    sizeClientTwips(this, 5145, 4245);

    m_lMessage->setObjectName(QStringLiteral("lMessage"));
    m_lMessage->setWordWrap(true);
    m_lMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lMessage->setTextFormat(Qt::PlainText);
    m_lMessage->setFocusPolicy(Qt::NoFocus);
    placeTwips(m_lMessage, 240, 240, 4695, 3015);

    m_bOK->setObjectName(QStringLiteral("bOK"));
    m_bOK->setDefault(true);
    placeTwips(m_bOK, 1800, 3600, 1695, 495);
    connect(m_bOK, &QPushButton::clicked, this, &FormMessage::bOK_Click);
}

void FormMessage::SetMessageText(const QString& MessageText)
{
    m_lMessage->setText(breakableText(MessageText));
    // OK is where the keyboard lands, so it carries the message for screen readers.
    m_bOK->setAccessibleDescription(MessageText);
}

void FormMessage::showMessage(const QString& text)
{
    SetMessageText(text);
    show();
    raise();
    activateWindow();
    m_bOK->setFocus();
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

void FormMessage::bOK_Click() { hide(); }

void FormMessage::closeEvent(QCloseEvent* event)
{
    // Closing through the frame is the same as "OK": the window stays for the next message.
    event->ignore();
    hide();
}

void FormMessage::keyPressEvent(QKeyEvent* event)
{
    // Escape dismisses a message as it does a dialog: the same as "OK".
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        bOK_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MessageWindow::tell(const QString& text)
{
    if (!m_window)
        m_window = std::make_unique<FormMessage>();
    m_window->showMessage(text);
}
