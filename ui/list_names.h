#pragma once

#include "core/codec.h"

#include <QString>

// "FileList": the caption of a main list's frame, by which every window names it.
[[nodiscard]] inline QString listCaption(veq::ListId id)
{
    switch (id) {
    case veq::ListId::Except:
        return QStringLiteral("Except");
    case veq::ListId::PlaneSq:
        return QStringLiteral("PlaneSQ");
    case veq::ListId::FileList:
        break;
    }
    return QStringLiteral("FileList");
}

// "Operating on Filelist file": how the add and copy dialogs name the list
// they serve.
[[nodiscard]] inline QString operatingOnCaption(veq::ListId id)
{
    switch (id) {
    case veq::ListId::Except:
        return QStringLiteral("Operating on Except file");
    case veq::ListId::PlaneSq:
        return QStringLiteral("Operating on PlaneSQ file");
    case veq::ListId::FileList:
        break;
    }
    return QStringLiteral("Operating on Filelist file");
}
