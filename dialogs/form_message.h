#pragma once

#include "ui/messenger.h"

#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;

// "Message": the one window through which the program reports a refusal. A
// new message replaces the text of the one window, shown not modal beside
// whatever window asked, and is announced to screen readers.
class FormMessage final : public QWidget {
    Q_OBJECT
    Q_CLASSINFO("AccessibleRole", "Dialog")

public:
    explicit FormMessage(QWidget* parent = nullptr);

    void SetMessageText(const QString& MessageText);
    // SetMessageText, then show the window not modal with OK ready to press,
    // and announce it.
    void showMessage(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void bOK_Click();

    QLabel* m_lMessage;
    QPushButton* m_bOK;
};

// The program's message channel: its FormMessage is made when the first
// message comes, then only shown and hidden, so it keeps its last text.
class MessageWindow final : public Messenger {
public:
    void tell(const QString& text) override;

private:
    std::unique_ptr<FormMessage> m_window;
};
