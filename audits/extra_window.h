#pragma once

#include "ui/tool_window.h"

class Messenger;

class fExtra final : public ToolWindow {
    Q_OBJECT

public:
    explicit fExtra(Messenger& messenger);
    // The file list as it stands when the window is opened.
    void setFileList(const veq::Entries& fileList);
};
