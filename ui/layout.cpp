#include "ui/layout.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace {

// A line of its own class, so that screen readers are told it is a separator
// rather than an unnamed frame.
class SeparatorLine final : public QFrame {
    Q_OBJECT
    Q_CLASSINFO("AccessibleRole", "Separator")

public:
    using QFrame::QFrame;
};

// What a window built in twips keeps, as properties of its widgets, to be
// fitted to a screen anew: each control's place, the window's client size and
// scale, and the fonts as designed.
constexpr const char* kPlace = "veqTwipsPlace";
constexpr const char* kClient = "veqTwipsClient";
constexpr const char* kScale = "veqTwipsScale";
constexpr const char* kFont = "veqDesignFont";

qreal logicalDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

int scaled(int value, qreal scale) { return static_cast<int>(std::lround(value * logicalDpi() / 1440.0 * scale)); }

qreal scaleOf(const QWidget* widget)
{
    const QVariant scale = widget->window()->property(kScale);
    return scale.isValid() ? scale.toReal() : 1.0;
}

void place(QWidget* widget, qreal scale)
{
    const QRect at = widget->property(kPlace).toRect();
    // A separator line is three pixels high, centred on its height.
    if (at.height() == 0)
        widget->setGeometry(scaled(at.x(), scale), scaled(at.y(), scale) - 1, scaled(at.width(), scale), 3);
    else
        widget->setGeometry(scaled(at.x(), scale), scaled(at.y(), scale), scaled(at.width(), scale),
                            scaled(at.height(), scale));
}

void sizeFont(QWidget* widget, qreal scale)
{
    const QVariant design = widget->property(kFont);
    if (!design.isValid())
        return;
    QFont font = design.value<QFont>();
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * scale);
    else if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * scale))));
    widget->setFont(font);
}

// Fits `window` to its screen each time it is shown (it may open on another
// screen than before): at the screen's scale where it fits the available area,
// frame included, else at the largest scale at which it does.
class ScreenFit final : public QObject {
public:
    explicit ScreenFit(QWidget* window) : QObject(window), m_window(window) { window->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::Show)
            fit();
        return false;
    }

private:
    void fit()
    {
        const QScreen* screen = m_window->screen();
        const QSize client = m_window->property(kClient).toSize();
        if (!screen || client.isEmpty())
            return;
        const QMargins frame = m_window->windowHandle() ? m_window->windowHandle()->frameMargins() : QMargins();
        const QSize room = screen->availableGeometry().size().shrunkBy(frame);
        const qreal full = logicalDpi() / 1440.0;
        const qreal scale =
            std::min({1.0, room.width() / (client.width() * full), room.height() / (client.height() * full)});
        if (scale == scaleOf(m_window))
            return;
        // Fonts are scaled from the design: the window's, which its controls
        // without one of their own inherit, and the controls' own.
        if (!m_window->property(kFont).isValid())
            m_window->setProperty(kFont, m_window->font());
        m_window->setProperty(kScale, scale);
        sizeFont(m_window, scale);
        m_window->setFixedSize(scaled(client.width(), scale), scaled(client.height(), scale));
        for (QWidget* control : m_window->findChildren<QWidget*>()) {
            if (control->window() != m_window || !control->property(kPlace).isValid())
                continue;
            place(control, scale);
            if (control->testAttribute(Qt::WA_SetFont) && !control->property(kFont).isValid())
                control->setProperty(kFont, control->font());
            sizeFont(control, scale);
        }
    }

    QWidget* m_window;
};

} // namespace

int twips(int value) { return scaled(value, 1.0); }

void placeTwips(QWidget* widget, int left, int top, int width, int height)
{
    widget->setProperty(kPlace, QRect(left, top, width, height));
    place(widget, scaleOf(widget));
}

void sizeClientTwips(QWidget* window, int width, int height)
{
    if (!window->property(kClient).isValid())
        new ScreenFit(window);
    window->setProperty(kClient, QSize(width, height));
    window->setFixedSize(twips(width), twips(height));
}

QFont listFont(qreal pointSize)
{
    return fixedPitchFont({QStringLiteral("Courier New"), QStringLiteral("Consolas"), QStringLiteral("Lucida Console")},
                          pointSize);
}

QFont fixedPitchFont(const QStringList& families, qreal pointSize)
{
    // The system's fixed font can be a family that is missing (Courier New on a
    // Windows without it), which resolves to a proportional face: every
    // candidate is taken only if what it resolves to is fixed-pitch.
    QStringList candidates = families;
    candidates += QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    for (const QString& family : QFontDatabase::families()) {
        // "@" marks Windows' vertical faces for East Asian text.
        if (QFontDatabase::isFixedPitch(family) && !family.startsWith(QLatin1Char('@')))
            candidates += family;
    }
    for (const QString& family : candidates) {
        QFont font(family);
        font.setStyleHint(QFont::TypeWriter);
        font.setPointSizeF(pointSize);
        if (QFontInfo(font).fixedPitch())
            return font;
    }
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(pointSize);
    return font;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, int left, int top, int width, int height)
{
    auto* b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    placeTwips(b, left, top, width, height);
    return b;
}

QLabel* label(QWidget* parent, const char* name, const char* caption, int left, int top, int width, int height)
{
    auto* lab = new QLabel(QString::fromLatin1(caption), parent);
    lab->setObjectName(QString::fromLatin1(name));
    placeTwips(lab, left, top, width, height);
    return lab;
}

void chainTabOrder(QWidget* window, std::initializer_list<const char*> names)
{
    QWidget* previous = nullptr;
    for (const char* name : names) {
        auto* next = window->findChild<QWidget*>(QString::fromLatin1(name));
        Q_ASSERT(next);
        if (previous)
            QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

QFrame* separatorLine(QWidget* parent, int left, int y, int width)
{
    auto* line = new SeparatorLine(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    // A thin band centred on the line's height, kept as a place without height.
    line->setProperty(kPlace, QRect(left, y, width, 0));
    place(line, scaleOf(line));
    return line;
}

QString breakableText(const QString& text)
{
    constexpr int kLongestRun = 20;
    QString shown;
    shown.reserve(text.size() + text.size() / 8);
    int run = 0;
    for (const QChar c : text) {
        shown += c;
        run = c.isSpace() ? 0 : run + 1;
        if ((c == u'/' || c == u'\\' || run >= kLongestRun) && !c.isHighSurrogate()) {
            shown += QChar(0x200B);
            run = 0;
        }
    }
    return shown;
}

#include "layout.moc"
