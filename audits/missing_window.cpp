#include "audits/missing_window.h"

Missing::Missing()
    : ToolWindow(QStringLiteral("Missing"), QStringLiteral("Missing Bitmaps"))
{
}

void Missing::setMainLists(const veq::Entries&, const veq::Entries&) {}
