#pragma once

#include "ui/tool_window.h"

class Messenger;

class fFileListAdd final : public ToolWindow {
    Q_OBJECT

public:
    explicit fFileListAdd(Messenger& messenger);
    void Who(int lname);
};
