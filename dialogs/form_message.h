#pragma once

#include "ui/messenger.h"

#include <QWidget>

class QLabel;
class QPushButton;

// "Message": the one window through which the program reports a refusal. It is
// created once; a new message replaces the text of the one window, shown not
// modal beside whatever window asked.
class FormMessage final : public QWidget, public Messenger {
    Q_OBJECT

public:
    explicit FormMessage(QWidget* parent = nullptr);

    void SetMessageText(const QString& MessageText);
    // SetMessageText, then show the window not modal.
    void tell(const QString& text) override;

    [[nodiscard]] QString text() const;

private:
    void bOK_Click();

    QLabel* m_lMessage;
    QPushButton* m_bOK;

protected:
    void closeEvent(QCloseEvent* event) override;
};
