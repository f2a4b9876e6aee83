#include "dialogs/copy_dialog.h"

fCopy::fCopy(Messenger&, FileDialogs&) 
    : ToolWindow(QStringLiteral("fCopy"), QStringLiteral("Copy From File"))
{
}

void fCopy::Who(int) {}
