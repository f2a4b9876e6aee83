#include "dialogs/please_wait.h"

#include "ui/layout.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <QWindow>

#include <chrono>

namespace {

// How long a read waits at most for the window system to show the window.
constexpr std::chrono::milliseconds kExposeWait{500};

// Ends `loop` when the window system has exposed `window`; the window then
// paints itself as part of the same event.
class ExposeWatch final : public QObject {
public:
    ExposeWatch(QWindow* window, QEventLoop& loop) : m_loop(loop) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed())
            m_loop.quit();
        return false;
    }

private:
    QEventLoop& m_loop;
};

} // namespace

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

    m_why = new QLabel(this);
    m_why->setObjectName(QStringLiteral("labWhy"));
    m_why->setWordWrap(true);

    placeTwips(m_why, 120, 1080, 3885, 600);
    m_why->hide();
}

void fPleaseWait::showWaiting(const QString& why)
{
    m_why->setText(breakableText(why)); // the folder's path shown whole
    m_why->show();
    m_why->raise();
    setAccessibleDescription(why);
    showPainted();
}

void fPleaseWait::hideEvent(QHideEvent* event)
{
    m_why->hide();
    setAccessibleDescription({});
    QWidget::hideEvent(event);
}

void fPleaseWait::showPainted()
{
    show();
    raise();
    // A window is drawn only once the window system has exposed it; until then
    // a repaint draws nothing. User input waits for the read to end.
    QWindow* window = windowHandle();
    if (!window->isExposed()) {
        QEventLoop loop;
        ExposeWatch watch(window, loop);
        QTimer::singleShot(kExposeWait, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    repaint();
}

void fPleaseWait::closeEvent(QCloseEvent* event)
{
    // The read it stands for cannot be stopped, so neither can the window.
    event->ignore();
}
