#pragma once

#include <QWidget>

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

protected:
    void closeEvent(QCloseEvent* event) override;
};
