#pragma once

#include <QString>

// The simulation's own folder names are Windows paths. On Windows they are
// used as they are; elsewhere the same folder inside the Wine prefix
// ($WINEPREFIX, else ~/.wine) is used when it exists, else the home folder.
[[nodiscard]] QString mapWindowsPath(const QString& windowsPath);

// The folder the file dialogs of the data files start in.
[[nodiscard]] QString simulationDataDirectory();

#include <filesystem>

// A path from a Qt widget in the form the core's file functions take.
[[nodiscard]] std::filesystem::path toFsPath(const QString& path);
