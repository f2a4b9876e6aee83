#include "editor/veq_window.h"
#include "ui/file_dialogs.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

namespace {

// Without a display Qt aborts with a long diagnostic; say it in one line instead.
bool displayAvailable()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char* argv[])
{
    if (!displayAvailable()) {
        std::fputs("veq-editor: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are not set); "
                   "start it from a desktop session.\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VEQ Editor"));
    QApplication::setDesktopFileName(QStringLiteral("veq-editor"));
    // Every window takes the program's icon (on Linux an SVG, drawn by Qt's SVG plugins).
    QApplication::setWindowIcon(QIcon(QStringLiteral(VEQ_WINDOW_ICON)));

    QtFileDialogs fileDialogs;
    VEQ window(fileDialogs);
    window.show();
    window.openFiles(QApplication::arguments().mid(1));
    return QApplication::exec();
}
