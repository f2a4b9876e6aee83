#pragma once

#include "ui/tool_window.h"

class FileDialogs;
class Messenger;

class fCopy final : public ToolWindow {
    Q_OBJECT

public:
    explicit fCopy(Messenger& messenger, FileDialogs& fileDialogs);
    void Who(int lid);
};
