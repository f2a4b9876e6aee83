#include "ui/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QPointer>
#include <QScopeGuard>

namespace {

QString ask(QWidget* parent, const FileRequest& request, QFileDialog::AcceptMode mode)
{
    // Where the user was: a window manager may leave no window active once the
    // dialog closes, and the keyboard nowhere until the user clicks.
    QPointer<QWidget> asker = parent ? parent->window() : nullptr;
    QPointer<QWidget> focused = asker ? asker->focusWidget() : nullptr;
    const auto giveBack = qScopeGuard([&] {
        if (!asker || !asker->isVisible())
            return;
        if (focused)
            focused->setFocus(Qt::OtherFocusReason);
        asker->activateWindow();
    });

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
