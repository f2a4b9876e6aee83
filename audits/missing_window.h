#pragma once

#include "ui/tool_window.h"

class Missing final : public ToolWindow {
    Q_OBJECT

public:
    Missing();
    // The main lists as they stand when the window is opened.
    void setMainLists(const veq::Entries& fileList, const veq::Entries& exceptList);
};
