#include "dialogs/add_dialog.h"

fFileListAdd::fFileListAdd(Messenger&) 
    : ToolWindow(QStringLiteral("fFileListAdd"), QStringLiteral("Add Aircraft Parts"))
{
}

void fFileListAdd::Who(int) {}
