#pragma once

#include "core/codec.h"

#include <QString>

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
