#include "ui/data_directory.h"

#include "core/platform.h"

QString mapWindowsPath(const QString& windowsPath)
{
    return QString::fromStdU16String(veq::platform::simulationFolder(windowsPath.toStdString()).u16string());
}

QString simulationDataDirectory() { return mapWindowsPath(QStringLiteral("C:\\Sierra\\Redbaron3d\\data\\simpatch")); }

std::filesystem::path toFsPath(const QString& path) { return std::filesystem::path(path.toStdU16String()); }
