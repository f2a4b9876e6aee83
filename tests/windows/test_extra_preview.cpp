#include "audits/directory_chooser.h"
#include "tests/windows/main_window_fixture.h"

#include <QHelpEvent>
#include <QImage>
#include <QRegularExpression>
#include <QToolTip>

#include <algorithm>

namespace {

// A bitmap file of the given size, drawn in two colours so that a scaled copy is no blank.
void writeBitmap(const kit::fs::path& path, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    image.setPixelColor(0, 0, Qt::white);
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "BMP"));
}

// What resting the pointer on a row of a list shows.
QString toolTipOf(QListView* list, int row)
{
    QToolTip::hideText();
    const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
    QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &help);
    return QToolTip::text();
}

// The picture a tooltip carries in its text, or none.
QImage pictureIn(const QString& toolTip)
{
    const QRegularExpressionMatch png =
        QRegularExpression(QStringLiteral("src=\"data:image/png;base64,([^\"]+)\"")).match(toolTip);
    return png.hasMatch() ? QImage::fromData(QByteArray::fromBase64(png.captured(1).toLatin1()), "PNG") : QImage();
}

TEST_F(MainWindow, ExtraShowsTheBitmapOfTheIdUnderThePointerReadWhenAsked)
{
    const struct {
        const char* file;
        QSize picture; // 0 x 0: it cannot be read, and the tooltip says why
    } bitmaps[] = {
        {"03010714.bmp", {128, 64}}, // 300 x 150, scaled to fit 128
        {"03010715.BMP", {40, 30}},  // small ones stay as they are
        {"030a0b0c.bmp", {50, 128}}, // tall, and found by its own spelling
        {"03010716.bmp", {0, 0}},    // damaged
        {"03010717.bmp", {64, 64}},  // damaged at the check, drawn before the pointer came
    };
    writeBitmap(folder / "03010714.bmp", {300, 150});
    writeBitmap(folder / "03010715.BMP", {40, 30});
    writeBitmap(folder / "030a0b0c.bmp", {100, 256});
    for (const char* damaged : {"03010716.bmp", "03010717.bmp"})
        kit::writeFile(folder / damaged, {'B', 'M', 1, 2, 3});

    kit::click(window.get(), "bExtra");
    QWidget* extra = kit::topLevel("fExtra");
    kit::find<DirectoryChooser>(extra, "DirExtra")->setCurrentPath(QString::fromStdString(folder.path().string()));
    kit::click(extra, "bCheck");
    writeBitmap(folder / "03010717.bmp", {64, 64});

    auto* list = kit::find<QListView>(extra, "lExtra");
    ASSERT_EQ(kit::items(list), (veq::Entries{"03010714", "03010715", "03010716", "03010717", "030A0B0C"}));
    const veq::Entries shown = kit::items(list);
    for (const auto& [file, picture] : bitmaps) {
        const std::string id = QString::fromLatin1(file).left(8).toUpper().toStdString();
        const QString toolTip = toolTipOf(list, static_cast<int>(std::ranges::find(shown, id) - shown.begin()));
        EXPECT_TRUE(toolTip.contains(QString::fromLatin1(file))) << toolTip.toStdString();
        EXPECT_EQ(pictureIn(toolTip).size(), picture) << file;
        EXPECT_EQ(toolTip.contains(QStringLiteral("cannot be shown")), picture.isEmpty()) << file;
    }
}

} // namespace
