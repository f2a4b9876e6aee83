#pragma once

#include "core/kinds.h"
#include "ui/messenger.h"

#include <QString>

// "FileList": the caption of a main list's frame, by which every window names it.
[[nodiscard]] inline QString listCaption(veq::ListId id) { return fromCore(veq::dataKind(id).caption); }

// "filelist.dat": the file of a main list's kind.
[[nodiscard]] inline QString listFileName(veq::ListId id) { return fromCore(veq::dataKind(id).fileName); }

// "Operating on Filelist file": how the add and copy dialogs name the list they serve.
[[nodiscard]] inline QString operatingOnCaption(veq::ListId id)
{
    return QStringLiteral("Operating on %1 file").arg(fromCore(veq::dataKind(id).fileWord));
}
