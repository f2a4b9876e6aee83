#pragma once

#include <QString>

class QWidget;

// What a window asks of a file dialog: a suggested name and a folder to start
// in (both may be empty: the dialog is then shown unprepared).
struct FileRequest {
    QString suggestedName;
    QString initialDirectory;
};

// The one seam through which every window asks for a file name. The answer is
// the chosen path, or empty when the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    [[nodiscard]] virtual QString openFileName(QWidget* parent, const FileRequest& request) = 0;
    [[nodiscard]] virtual QString saveFileName(QWidget* parent, const FileRequest& request) = 0;
};

// The real dialogs of the desktop.
class QtFileDialogs final : public FileDialogs {
public:
    [[nodiscard]] QString openFileName(QWidget* parent, const FileRequest& request) override;
    [[nodiscard]] QString saveFileName(QWidget* parent, const FileRequest& request) override;
};
