#include "ui/data_directory.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

// Only a build outside Windows looks for the data folder inside a Wine prefix.
#ifndef Q_OS_WIN
namespace {

// Finds `name` in `folder` without regard to case, as Wine's drive would.
QString childIgnoringCase(const QDir& folder, const QString& name)
{
    if (folder.exists(name))
        return folder.filePath(name);
    const QStringList children = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& child : children)
        if (child.compare(name, Qt::CaseInsensitive) == 0)
            return folder.filePath(child);
    return {};
}

QString insideWinePrefix(const QString& windowsPath)
{
    QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix.isEmpty())
        prefix = QDir::home().filePath(QStringLiteral(".wine"));

    QString rest = windowsPath;
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (rest.indexOf(QLatin1Char(':')) != 1)
        return {};
    const QString drive = QStringLiteral("drive_") + rest.at(0).toLower();
    QStringList components = rest.mid(2).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    components.prepend(drive);

    QString current = prefix;
    for (const QString& component : components) {
        current = childIgnoringCase(QDir(current), component);
        if (current.isEmpty() || !QFileInfo(current).isDir())
            return {};
    }
    return QDir::cleanPath(current);
}

} // namespace
#endif

QString mapWindowsPath(const QString& windowsPath)
{
#ifdef Q_OS_WIN
    return windowsPath;
#else
    const QString mapped = insideWinePrefix(windowsPath);
    return mapped.isEmpty() ? QDir::homePath() : mapped;
#endif
}

QString simulationDataDirectory() { return mapWindowsPath(QStringLiteral("C:\\Sierra\\Redbaron3d\\data\\simpatch")); }

std::filesystem::path toFsPath(const QString& path) { return std::filesystem::path(path.toStdU16String()); }
