#pragma once

#include <QWidget>

class QLabel;

// "Working": shown while a data file is read, so the user knows the hidden
// main window will come back.
class fPleaseWait final : public QWidget {
    Q_OBJECT
    Q_CLASSINFO("AccessibleRole", "Dialog")

public:
    explicit fPleaseWait(QWidget* parent = nullptr);

    // Shows the window and returns once it is on the screen with its words
    // drawn: the read that follows does not return to the event loop until it
    // is done, so nothing would draw it meanwhile.
    void showPainted();
    // The same while a change waits for another program, saying why in a
    // line under the words; the line goes again when the window is hidden.
    void showWaiting(const QString& why);

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QLabel* m_why;
};
