#include "dialogs/copy_dialog.h"

#include "core/codec.h"
#include "core/copy_reader.h"
#include "core/data_file.h"
#include "ui/accessibility.h"
#include "ui/data_directory.h"
#include "ui/entry_list_model.h"
#include "ui/entry_list_view.h"
#include "ui/file_dialogs.h"
#include "ui/layout.h"
#include "ui/list_names.h"
#include "ui/messenger.h"
#include "ui/removal.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <vector>

fCopy::fCopy(Messenger& messenger, FileDialogs& fileDialogs)
    : ToolWindow(QStringLiteral("fCopy"), QStringLiteral("Copy From File")), m_messenger(messenger),
      m_fileDialogs(fileDialogs)
{
    // The input on the left, the collected entries on the right (wide enough
    // for a 25-character exception pair), the closing buttons under a line.
    sizeClientTwips(this, 8415, 6735);

    labFileId = label(this, "labFileId", "Operating on Filelist file", 240, 120, 3855, 375);
    labExample = label(this, "labExample", "Enter Plane Hex Id: ie. 25 = SE5a", 240, 600, 3855, 375);

    tCopyPlaneId = new QLineEdit(this);
    tCopyPlaneId->setObjectName(QStringLiteral("tCopyPlaneId"));
    placeTwips(tCopyPlaneId, 240, 1200, 1695, 375);

    bCopyAdd = button(this, "bCopyAdd", "Add ----->", 2040, 1200, 1815, 375);
    bCopyRemove = button(this, "bCopyRemove", "<-----Remove", 2040, 2400, 1815, 375);

    m_model = new EntryListModel(true, this);
    lCopy =
        new EntryListView(QStringLiteral("lCopy"), m_model, QAbstractItemView::ExtendedSelection, listFont(9.75), this);
    placeTwips(lCopy, 4080, 120, 4095, 5400);

    separatorLine(this, 120, 5775, 8175);

    bCopyFinish = button(this, "bCopyFinish", "Finish", 240, 6000, 1935, 495);
    bCopyCancel = button(this, "bCopyCancel", "Cancel", 6240, 6000, 1935, 495);

    chainTabOrder(this, {"tCopyPlaneId", "bCopyAdd", "bCopyRemove", "lCopy", "bCopyFinish", "bCopyCancel"});
    setFirstControl(tCopyPlaneId);
    labExample->setBuddy(tCopyPlaneId);
    nameControls(CopyListId);

    connect(bCopyAdd, &QPushButton::clicked, this, &fCopy::bCopyAdd_Click);
    // Enter in the plane-id box is the quick way to press "Add ----->".
    connect(tCopyPlaneId, &QLineEdit::returnPressed, bCopyAdd, &QPushButton::click);
    connect(bCopyRemove, &QPushButton::clicked, this, &fCopy::bCopyRemove_Click);
    connect(lCopy, &EntryListView::deleteKeyPressed, this, &fCopy::bCopyRemove_Click);
    connect(bCopyFinish, &QPushButton::clicked, this, &fCopy::bCopyFinish_Click);
    connect(bCopyCancel, &QPushButton::clicked, this, &fCopy::bCopyCancel_Click);
}

void fCopy::Who(veq::ListId lid)
{
    m_model->assign({});
    CopyListId = lid;
    labFileId->setText(operatingOnCaption(lid));
    nameControls(lid);
}

void fCopy::nameControls(veq::ListId id)
{
    const QString list = listCaption(id);
    nameControl(tCopyPlaneId, QStringLiteral("Plane id of the %1 entries to copy").arg(list), labExample->text());
    nameControl(
        bCopyAdd,
        QStringLiteral("Add the plane's entries from another %1").arg(QLatin1StringView(veq::dataFileName(id))));
    nameControl(bCopyRemove, QStringLiteral("Remove selected %1 entries to copy").arg(list));
    nameControl(lCopy, QStringLiteral("%1 entries to copy").arg(list));
    nameControl(bCopyFinish, QStringLiteral("Finish: copy the entries into the %1 list").arg(list));
    bCopyCancel->setAccessibleDescription(QStringLiteral("Close without copying into the %1 list").arg(list));
}

void fCopy::bCopyAdd_Click()
{
    // Any file of any folder may hold the aircraft, so nothing is suggested.
    const QString fileName = m_fileDialogs.openFileName(this, FileRequest{});
    if (fileName.isEmpty()) {
        m_messenger.tell(QStringLiteral("File not Selected"));
        return;
    }

    // The whole file is checked before the list is touched, so a damaged file
    // leaves what was collected so far in place.
    auto entries = veq::loadCopyEntries(toFsPath(fileName), CopyListId, tCopyPlaneId->text().toStdString());
    if (!entries) {
        m_messenger.tell(QString::fromStdString(entries.reason()));
        return;
    }
    // One change for the whole file; the list sorts exactly as adding one entry at a time would.
    m_model->addMany(std::move(*entries));
}

void fCopy::bCopyRemove_Click() { removeSelectedEntries(*lCopy, kRemoveLimit, nullptr, m_messenger); }

void fCopy::bCopyFinish_Click() { finish(m_model->entries(), CopyListId); }

void fCopy::bCopyCancel_Click() { leave(); }
