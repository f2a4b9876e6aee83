#include "autogen/autogen_window.h"

fAutoGen::fAutoGen(Messenger&, FileDialogs&) 
    : ToolWindow(QStringLiteral("fAutoGen"), QStringLiteral("AutoGen"))
{
}

