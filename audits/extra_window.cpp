#include "audits/extra_window.h"

fExtra::fExtra(Messenger&) 
    : ToolWindow(QStringLiteral("fExtra"), QStringLiteral("Extra"))
{
}

void fExtra::setFileList(const veq::Entries&) {}
