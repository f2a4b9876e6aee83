#include "ui/layout.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

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

} // namespace

int twips(int value)
{
    qreal dpi = 96.0;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dpi = screen->logicalDotsPerInch();
    return static_cast<int>(std::lround(value * dpi / 1440.0));
}

void placeTwips(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(twips(left), twips(top), twips(width), twips(height));
}

void sizeClientTwips(QWidget* window, int width, int height) { window->setFixedSize(twips(width), twips(height)); }

QFont listFont(qreal pointSize)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(pointSize);
    if (QFontInfo(font).fixedPitch())
        return font;
    QFont fallback = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fallback.setPointSizeF(pointSize);
    return fallback;
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
    // A thin band centred on the line's height.
    line->setGeometry(twips(left), twips(y) - 1, twips(width), 3);
    return line;
}

#include "layout.moc"
