#pragma once

#include <QWidget>

// "Working": shown while a data file is read, so the user knows the hidden
// main window will come back.
class fPleaseWait final : public QWidget {
    Q_OBJECT

public:
    explicit fPleaseWait(QWidget* parent = nullptr);

    // Shows the window and paints it at once: the read that follows does not
    // return to the event loop until it is done.
    void showPainted();

protected:
    void closeEvent(QCloseEvent* event) override;
};
