#include "ui/file_dialogs.h"

#include <QDir>
#include <QFileDialog>

namespace {

QString ask(QWidget* parent, const FileRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!request.initialDirectory.isEmpty())
        dialog.setDirectory(request.initialDirectory);
    if (!request.suggestedName.isEmpty())
        dialog.selectFile(request.suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString QtFileDialogs::openFileName(QWidget* parent, const FileRequest& request)
{
    return ask(parent, request, QFileDialog::AcceptOpen);
}

QString QtFileDialogs::saveFileName(QWidget* parent, const FileRequest& request)
{
    return ask(parent, request, QFileDialog::AcceptSave);
}
