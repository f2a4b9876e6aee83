#include "dialogs/please_wait.h"

#include "ui/layout.h"

#include <QCloseEvent>
#include <QLabel>

fPleaseWait::fPleaseWait(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("fPleaseWait"));
    setWindowTitle(QStringLiteral("Working"));
    sizeClientTwips(this, 4125, 1725);

    auto* label = new QLabel(QStringLiteral("Please Wait"), this);
    label->setObjectName(QStringLiteral("Label1"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(24);
    label->setFont(font);
    placeTwips(label, 720, 480, 3495, 2295);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void fPleaseWait::showPainted()
{
    show();
    raise();
    repaint();
}

void fPleaseWait::closeEvent(QCloseEvent* event)
{
    // The read it stands for cannot be stopped, so neither can the window.
    event->ignore();
}
