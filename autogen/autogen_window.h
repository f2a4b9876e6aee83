#pragma once

#include "ui/tool_window.h"

class FileDialogs;
class Messenger;

class fAutoGen final : public ToolWindow {
    Q_OBJECT

public:
    explicit fAutoGen(Messenger& messenger, FileDialogs& fileDialogs);

};
