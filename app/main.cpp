#include "editor/veq_window.h"
#include "ui/file_dialogs.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <string_view>

namespace {

constexpr const char* kUsage = R"(Usage: veq-editor [FILE]...
Edits the part, exception and plane-squadron lists of RedBaron3D (filelist.dat,
except.dat, planesq.dat) in a window. Each FILE is read into the list its name
says: a name that ends with filelist.dat, except.dat or planesq.dat, in any
case.

Options:
  -h, --help     this text
  --version      the version
  --             every argument after it is a FILE, even one that starts with -

In the lists Ctrl+Z undoes the last change and Ctrl+Shift+Z or Ctrl+Y redoes
it; Ctrl+C copies the selected entries as text, Ctrl+V adds entries from the
clipboard's text, Delete deletes the selected ones. A right-click, the Menu key
or Shift+F10 opens a list's menu of the same commands.

Exit status:
  0  the window was closed, or this text or the version was shown
  1  there is no display to open the window on
  2  usage error

veq, the command line without windows, reads and changes the same files.
)";

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

// The files to read: the arguments after the program's name, less a first
// "--". Anything else that starts with '-' and that Qt did not take as its
// own option is no file the user meant; it is named in `unknown`.
QStringList filesGiven(QStringList arguments, QString& unknown)
{
    arguments.removeFirst();
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == u"--") {
            arguments.removeAt(i);
            break;
        }
        if (arguments[i].startsWith(u'-') && arguments[i].size() > 1) {
            unknown = arguments[i];
            break;
        }
    }
    return arguments;
}

} // namespace

int main(int argc, char* argv[])
{
    // Answered before a display is looked for, so that they work anywhere.
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--")
            break;
        if (argument == "--help" || argument == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (argument == "--version") {
            std::printf("veq-editor %s\n", VEQ_VERSION);
            return 0;
        }
    }
    if (!displayAvailable()) {
        std::fputs("veq-editor: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are not set); "
                   "start it from a desktop session.\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QString unknown;
    const QStringList files = filesGiven(QApplication::arguments(), unknown);
    if (!unknown.isEmpty()) {
        std::fprintf(stderr, "veq-editor: unknown option \"%s\" (veq-editor --help lists them)\n", qPrintable(unknown));
        return 2;
    }
    QApplication::setApplicationName(QStringLiteral("VEQ Editor"));
    QApplication::setDesktopFileName(QStringLiteral("veq-editor"));
    // Every window takes the program's icon (on Linux an SVG, drawn by Qt's SVG plugins).
    QApplication::setWindowIcon(QIcon(QStringLiteral(VEQ_WINDOW_ICON)));

    QtFileDialogs fileDialogs;
    VEQ window(fileDialogs);
    window.show();
    window.openFiles(files);
    return QApplication::exec();
}
