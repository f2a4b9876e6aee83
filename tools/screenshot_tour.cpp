// veq-screenshot-tour SAMPLES OUTPUT: drives the real windows over the sample
// data (made by veq-make-samples into SAMPLES) the way a user would, and saves
// a picture of every window into OUTPUT for the user guide. Any window or
// control that does not appear, or a list that stays empty, stops the tour
// with a non-zero status, so stale pictures are never taken for fresh ones.
#include "audits/directory_chooser.h"
#include "editor/veq_window.h"
#include "tests/kit/gui.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const QString& why)
{
    std::fprintf(stderr, "veq-screenshot-tour: %s\n", qPrintable(why));
    std::exit(1);
}

// Lets the windows lay out, paint and fill the folder trees, which load in the background.
void settle(int milliseconds = 150)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void click(QWidget* root, const char* name)
{
    kit::click(root, name);
    settle();
}

void type(QWidget* root, const char* name, const QString& text) { kit::find<QLineEdit>(root, name)->setText(text); }

QWidget* shownWindow(const char* name)
{
    QWidget* window = kit::topLevel(name);
    if (!window || !window->isVisible())
        fail(QStringLiteral("the window %1 is not shown").arg(QString::fromLatin1(name)));
    return window;
}

void expectRows(QWidget* root, const char* listName)
{
    if (kit::items(root, listName).empty())
        fail(QStringLiteral("the list %1 is empty").arg(QString::fromLatin1(listName)));
}

void openFolder(QWidget* root, const char* chooserName, const QString& folder)
{
    auto* chooser = kit::find<DirectoryChooser>(root, chooserName);
    chooser->setCurrentPath(folder);
    // The tree reads the folders on the way in the background; once they are
    // read, opening the folder again scrolls the tree to it for the picture.
    settle(1500);
    chooser->setCurrentPath(folder);
    settle(300);
    chooser->tree()->scrollTo(chooser->tree()->currentIndex(), QAbstractItemView::PositionAtCenter);
    settle(100);
    if (QDir(chooser->currentPath()) != QDir(folder))
        fail(QStringLiteral("%1 did not open %2").arg(QString::fromLatin1(chooserName), folder));
}

class Camera {
public:
    explicit Camera(QString folder) : m_folder(std::move(folder)) {}

    // A window, and the popup menu open over it when there is one.
    void shoot(QWidget* window, const char* fileName, QWidget* popup = nullptr)
    {
        window->raise();
        settle(300);
        const QString path = QDir(m_folder).filePath(QString::fromLatin1(fileName));
        QPixmap shot = window->grab();
        if (popup) {
            // The popup may reach past the window's edge, as a tooltip does: the
            // picture then takes in both, on the desktop's plain background.
            const QRect windowArea(window->mapToGlobal(QPoint(0, 0)), shot.size());
            const QRect both = windowArea.united(QRect(popup->pos(), popup->size()));
            QPixmap canvas(both.size());
            canvas.fill(window->palette().color(QPalette::Mid));
            QPainter painter(&canvas);
            painter.drawPixmap(windowArea.topLeft() - both.topLeft(), shot);
            painter.drawPixmap(popup->pos() - both.topLeft(), popup->grab());
            painter.end();
            shot = canvas;
        }
        // A palette image: the windows use few colours, and the guide's pictures stay small.
        const QImage picture =
            shot.toImage().convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
        if (picture.isNull() || !picture.save(path, "PNG", 9))
            fail(QStringLiteral("could not save %1").arg(path));
        std::printf("%s  %dx%d  %s\n", qPrintable(path), picture.width(), picture.height(),
                    qPrintable(window->windowTitle()));
    }

private:
    QString m_folder;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VEQ Editor"));
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        std::fputs("usage: veq-screenshot-tour SAMPLES OUTPUT\n", stderr);
        return 2;
    }
    const QDir samples(args[1]);
    if (!QDir().mkpath(args[2]))
        fail(QStringLiteral("cannot create %1").arg(args[2]));
    Camera camera(args[2]);

    kit::ScriptedFileDialogs dialogs;
    VEQ veq(dialogs);
    veq.show();
    settle();

    // The three files, read into the main window.
    dialogs.answer(samples.filePath(QStringLiteral("filelist.dat")));
    click(&veq, "bRdFilelist");
    dialogs.answer(samples.filePath(QStringLiteral("except.dat")));
    click(&veq, "bRdExcept");
    dialogs.answer(samples.filePath(QStringLiteral("planesq.dat")));
    click(&veq, "bRdPlaneSq");
    for (const char* list : {"lFileList", "lExcept", "lPlaneSq"})
        expectRows(&veq, list);
    camera.shoot(&veq, "main-window.png");

    // Typed entries for the file list; one of the wrong length is refused.
    click(&veq, "bAddFileList");
    QWidget* add = shownWindow("fFileListAdd");
    for (const char* text : {"030D0714", "030d1804", "03FF0003"}) {
        type(add, "tAddFilelistText", QString::fromLatin1(text));
        click(add, "bAddFileListEntry");
    }
    expectRows(add, "lNewFileList");
    camera.shoot(add, "add-dialog.png");
    type(add, "tAddFilelistText", QStringLiteral("030D071"));
    click(add, "bAddFileListEntry");
    QWidget* message = shownWindow("FormMessage");
    camera.shoot(message, "message.png");
    click(message, "bOK");
    click(add, "bFileListEntryFinish");

    // Plane 25's parts, copied from another file list.
    click(&veq, "bCopyFileList");
    QWidget* copy = shownWindow("fCopy");
    type(copy, "tCopyPlaneId", QStringLiteral("25"));
    dialogs.answer(samples.filePath(QStringLiteral("other_filelist.dat")));
    click(copy, "bCopyAdd");
    expectRows(copy, "lCopy");
    camera.shoot(copy, "copy-dialog.png");
    click(copy, "bCopyFinish");

    const QString bitmaps = samples.filePath(QStringLiteral("bitmaps"));

    click(&veq, "bMissing");
    QWidget* missing = shownWindow("Missing");
    openFolder(missing, "dirMissing", bitmaps);
    click(missing, "bReport");
    expectRows(missing, "lMissing");
    camera.shoot(missing, "missing-window.png");
    click(missing, "breportCancel");

    click(&veq, "bExtra");
    QWidget* extra = shownWindow("fExtra");
    openFolder(extra, "DirExtra", bitmaps);
    click(extra, "bCheck");
    expectRows(extra, "lExtra");
    // The pointer resting on an id shows its bitmap.
    auto* extraList = kit::find<QListView>(extra, "lExtra");
    const QPoint onRow = extraList->visualRect(extraList->model()->index(1, 0)).center() - QPoint(40, 0);
    QHelpEvent hover(QEvent::ToolTip, onRow, extraList->viewport()->mapToGlobal(onRow));
    QApplication::sendEvent(extraList->viewport(), &hover);
    settle();
    QWidget* preview = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->inherits("QTipLabel") && top->isVisible())
            preview = top;
    if (!preview || !QToolTip::text().contains(QStringLiteral("<img")))
        fail(QStringLiteral("Extra shows no bitmap under the pointer"));
    camera.shoot(extra, "extra-window.png", preview);
    QToolTip::hideText();
    click(extra, "Command1");

    click(&veq, "bAuoGen");
    QWidget* autoGen = shownWindow("fAutoGen");
    dialogs.answer(samples.filePath(QStringLiteral("squadron.dat")));
    click(autoGen, "bOpenSq");
    expectRows(autoGen, "SqList");
    camera.shoot(autoGen, "autogen-window.png");
    click(autoGen, "bFinish");

    // A list's context menu after a Delete, with entries on the clipboard: something to undo and to paste.
    shownWindow("VEQ");
    auto* fileList = kit::find<QListView>(&veq, "lFileList");
    kit::selectRows(fileList, {1, 2, 4});
    click(&veq, "bDelFileList");
    kit::selectRows(fileList, {3, 4});
    QGuiApplication::clipboard()->setText(QStringLiteral("030D0715\n030D0716"));
    const QPoint at = fileList->visualRect(fileList->model()->index(4, 0)).center();
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, fileList->viewport()->mapToGlobal(at));
    QApplication::sendEvent(fileList->viewport(), &menuEvent);
    settle();
    auto* menu = veq.findChild<QMenu*>(QStringLiteral("listMenu"));
    if (!menu || !menu->isVisible() || !menu->actions().front()->isEnabled())
        fail(QStringLiteral("the FileList list's context menu is not shown with a step to undo"));
    camera.shoot(&veq, "list-menu.png", menu);
    menu->close();

    if (dialogs.unanswered() != 0)
        fail(QStringLiteral("a window did not ask for the file the tour had ready"));
    return 0;
}
