#include "dialogs/copy_dialog.h"

#include "core/copy_reader.h"
#include "core/sentences.h"
#include "ui/accessibility.h"
#include "ui/data_directory.h"
#include "ui/entry_list_model.h"
#include "ui/entry_list_view.h"
#include "ui/file_dialogs.h"
#include "ui/list_names.h"
#include "ui/messenger.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The input on the left, the collected entries on the right (wide enough for
// a 25-character exception pair), the closing buttons under a line.
const EntryCollector::Layout kLayout{
    "fCopy",
    "Copy From File",
    8415,
    6735,
    {"labFileId", "Operating on Filelist file", 240, 120, 3855, 375},
    {"labExample", "Enter Plane Hex Id: ie. 25 = SE5a", 240, 600, 3855, 375},
    {"tCopyPlaneId", "", 240, 1200, 1695, 375},
    {"bCopyAdd", "Add ----->", 2040, 1200, 1815, 375},
    {"bCopyRemove", "<-----Remove", 2040, 2400, 1815, 375},
    {"lCopy", "", 4080, 120, 4095, 5400},
    {"bCopyFinish", "Finish", 240, 6000, 1935, 495},
    {"bCopyCancel", "Cancel", 6240, 6000, 1935, 495},
    5775,
};

} // namespace

fCopy::fCopy(Messenger& messenger, FileDialogs& fileDialogs)
    : EntryCollector(kLayout, messenger), m_fileDialogs(fileDialogs)
{
    nameControls(listId());
}

void fCopy::nameControls(veq::ListId id)
{
    const QString list = listCaption(id);
    nameControl(m_text, QStringLiteral("Plane id of the %1 entries to copy").arg(list), labExample->text());
    nameControl(m_collect, QStringLiteral("Add the plane's entries from another %1").arg(listFileName(id)));
    nameControl(m_remove, QStringLiteral("Remove selected %1 entries to copy").arg(list));
    nameControl(m_list, QStringLiteral("%1 entries to copy").arg(list));
    nameControl(m_finish, QStringLiteral("Finish: copy the entries into the %1 list").arg(list));
    m_cancel->setAccessibleDescription(QStringLiteral("Close without copying into the %1 list").arg(list));
}

void fCopy::bCopyAdd_Click()
{
    // Any file of any folder may hold the aircraft, so nothing is suggested.
    const QString fileName = m_fileDialogs.openFileName(this, FileRequest{});
    if (fileName.isEmpty()) {
        m_messenger.tell(fromCore(veq::sentences::kFileNotSelected));
        return;
    }

    // The whole file is checked before the list is touched, so a damaged file
    // leaves what was collected so far in place.
    auto entries = veq::loadCopyEntries(toFsPath(fileName), listId(), m_text->text().toStdString());
    if (!entries) {
        m_messenger.tell(fromCore(entries.reason()));
        return;
    }
    // One change for the whole file; the list sorts exactly as adding one entry at a time would.
    m_collected->addMany(std::move(*entries));
}
