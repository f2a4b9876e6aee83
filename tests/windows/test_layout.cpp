// The windows' layout on the screens users have: a window too large for the
// screen at its scale, and lists on a system whose fonts are not the ones asked
// for. Runs on a 1920 x 1080 screen at 175 % (screen_175_percent.json), where
// the main window would be 1439 x 1115 pixels.
#include "editor/veq_window.h"
#include "tests/kit/gui.h"
#include "ui/layout.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// The controls a window's design places, with their geometry and font size.
struct Control {
    QWidget* widget;
    QRect geometry;
    qreal pointSize;
};

std::vector<Control> controlsOf(QWidget* window)
{
    std::vector<Control> controls;
    for (QWidget* widget : window->findChildren<QWidget*>())
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1String("qt_")))
            controls.push_back({widget, widget->geometry(), widget->font().pointSizeF()});
    return controls;
}

// Shows `window` and checks that it fits the screen's available area, frame
// and all, as large as fits (one side full), with every control placed and
// every font sized at one scale: the one its size tells.
void expectFittedAtOneScale(QWidget* window, bool fitsAsDesigned)
{
    const QSize designed = window->size();
    const std::vector<Control> before = controlsOf(window);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const QRect room = window->screen()->availableGeometry();
    const QSize frame = window->frameGeometry().size();
    EXPECT_LE(frame.width(), room.width());
    EXPECT_LE(frame.height(), room.height());
    if (fitsAsDesigned) {
        EXPECT_EQ(window->size(), designed);
    } else {
        EXPECT_TRUE(frame.width() >= room.width() - 1 || frame.height() >= room.height() - 1)
            << frame.width() << "x" << frame.height() << " in " << room.width() << "x" << room.height();
    }
    // The scale as the window's longer side tells it, to within one pixel of that side.
    const int longer = std::max(designed.width(), designed.height());
    const qreal scale = qreal(std::max(window->width(), window->height())) / longer;
    auto near = [&](qreal now, qreal was) { return std::abs(now - was * scale) <= 1.0 + was / longer; };
    EXPECT_TRUE(near(window->width(), designed.width()) && near(window->height(), designed.height()));
    ASSERT_FALSE(before.empty());
    for (const Control& control : before) {
        const QRect now = control.widget->geometry();
        const QRect was = control.geometry;
        EXPECT_TRUE(near(now.x(), was.x()) && near(now.y(), was.y()) && near(now.width(), was.width()) &&
                    near(now.height(), was.height()))
            << control.widget->objectName().toStdString() << " at scale " << scale;
        EXPECT_NEAR(control.widget->font().pointSizeF(), control.pointSize * scale, control.pointSize / longer + 0.01)
            << control.widget->objectName().toStdString();
    }
}

TEST(ScreenFit, AWindowLargerThanTheScreenIsShownWholeAtTheLargestScaleWithItsLayout)
{
    ASSERT_NEAR(QGuiApplication::primaryScreen()->devicePixelRatio(), 1.75, 0.01) << "not the screen at 175 %";
    // Too high, too wide, and one that fits; each with a button that takes the
    // window's font and a label with a font of its own.
    const QSize clients[] = {{12330, 9555}, {30000, 1500}, {3000, 3000}};
    for (const QSize& client : clients) {
        SCOPED_TRACE(std::to_string(client.width()) + " x " + std::to_string(client.height()) + " twips");
        QWidget window;
        sizeClientTwips(&window, client.width(), client.height());
        button(&window, "bOK", "OK", client.width() / 3, client.height() / 2, 1215, 495);
        auto* caption = new QLabel(QStringLiteral("Caption"), &window);
        caption->setObjectName(QStringLiteral("lCaption"));
        QFont big = caption->font();
        big.setPointSizeF(24);
        caption->setFont(big);
        placeTwips(caption, 120, 120, client.width() - 240, 1000);
        expectFittedAtOneScale(&window, client.height() < 4000 && client.width() < 20000);
        // Shown again, it is fitted from its design, not from the last fitting.
        window.hide();
        const QSize shown = window.size();
        window.show();
        EXPECT_EQ(window.size(), shown);
    }
}

TEST(ScreenFit, TheMainWindowFitsTheScreenAtAnyScale)
{
    kit::ScriptedFileDialogs dialogs;
    VEQ window(dialogs);
    expectFittedAtOneScale(&window, false);
}

TEST(ListFont, IsReallyFixedPitchWhicheverFamiliesThisSystemLacks)
{
    // One family of each kind that this system has, as it resolves them.
    QString proportional, fixed;
    for (const QString& family : QFontDatabase::families()) {
        QString& kind = QFontInfo(QFont(family)).fixedPitch() ? fixed : proportional;
        if (kind.isEmpty())
            kind = family;
        if (!fixed.isEmpty() && !proportional.isEmpty())
            break;
    }
    ASSERT_FALSE(proportional.isEmpty());
    ASSERT_FALSE(fixed.isEmpty());
    const QString missing = QStringLiteral("No Such Family");
    const QStringList asked[] = {{}, {missing}, {proportional}, {missing, proportional}};
    for (const QStringList& families : asked) {
        const QFont font = fixedPitchFont(families, 9.75);
        EXPECT_TRUE(QFontInfo(font).fixedPitch())
            << families.join(QLatin1Char(',')).toStdString() << " gave " << QFontInfo(font).family().toStdString();
        EXPECT_EQ(font.pointSizeF(), 9.75);
    }
    // A fixed-pitch family that is there is taken as asked, after one that is not.
    EXPECT_EQ(QFontInfo(fixedPitchFont({proportional, fixed}, 8.25)).family(), QFontInfo(QFont(fixed)).family());
    EXPECT_TRUE(QFontInfo(listFont(8.25)).fixedPitch()) << QFontInfo(listFont(8.25)).family().toStdString();
}

} // namespace
