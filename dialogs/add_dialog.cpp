#include "dialogs/add_dialog.h"

#include "core/entry_parser.h"
#include "ui/accessibility.h"
#include "ui/entry_list_model.h"
#include "ui/entry_list_view.h"
#include "ui/list_names.h"
#include "ui/messenger.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const EntryCollector::Layout kLayout{
    "fFileListAdd",
    "Add Aircraft Parts",
    9405,
    7065,
    {"labFileId", "Operating on the filelist file", 240, 120, 4095, 375},
    {"labExample", "Enter Part: ie 03010714", 240, 720, 5295, 375},
    {"tAddFilelistText", "", 240, 1320, 3615, 375},
    {"bAddFileListEntry", "Add -->", 3960, 1320, 1815, 375},
    {"bRemove", "<-- Remove", 3960, 3000, 1815, 375},
    {"lNewFileList", "", 6000, 1080, 2895, 4740},
    {"bFileListEntryFinish", "Finish", 240, 6360, 1935, 495},
    {"bFileListEntryCancel", "Cancel", 6960, 6360, 1935, 495},
};

} // namespace

fFileListAdd::fFileListAdd(Messenger& messenger) : EntryCollector(kLayout, messenger) { nameControls(listId()); }

QString fFileListAdd::example(veq::ListId id) const
{
    return QStringLiteral("Enter Part: ie %1").arg(fromCore(veq::dataKind(id).example));
}

void fFileListAdd::nameControls(veq::ListId id)
{
    const QString list = listCaption(id);
    // The example line is the text box's label; the name says which list the entry is for.
    nameControl(m_text, QStringLiteral("New %1 entry").arg(list), labExample->text());
    nameControl(m_collect, QStringLiteral("Add to the new %1 entries").arg(list));
    nameControl(m_list, QStringLiteral("New %1 entries").arg(list));
    nameControl(m_remove, QStringLiteral("Remove selected new %1 entries").arg(list));
    nameControl(m_finish, QStringLiteral("Finish: add the new entries to the %1 list").arg(list));
    m_cancel->setAccessibleDescription(QStringLiteral("Close without adding to the %1 list").arg(list));
}

void fFileListAdd::bAddFileListEntry_Click()
{
    // The box shows what is added: upper case, and kept for adding again.
    const QString text = m_text->text().toUpper();
    m_text->setText(text);

    const auto entry = veq::parseEntry(listId(), text.toStdString(), veq::EntryForm::Typed);
    if (entry)
        m_collected->add(*entry);
    else
        m_messenger.tell(fromCore(entry.reason()));
}
