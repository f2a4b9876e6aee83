#pragma once

#include "core/codec.h"

#include <QString>

// The names of the files in `folder` that the simulation's own file searches
// would match: ordinary and read-only files; hidden files, folders and
// special files (sockets, devices, broken links) left out. Listed once, in
// the order the file system returns them; a folder that cannot be read lists
// nothing. The folder may be a root, with or without its trailing separator.
[[nodiscard]] veq::Entries listBitmapFolder(const QString& folder);
