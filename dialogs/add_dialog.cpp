#include "dialogs/add_dialog.h"

#include "core/codec.h"
#include "ui/accessibility.h"
#include "ui/entry_list_model.h"
#include "ui/entry_list_view.h"
#include "ui/layout.h"
#include "ui/list_names.h"
#include "ui/messenger.h"
#include "ui/removal.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

fFileListAdd::fFileListAdd(Messenger& messenger)
    : ToolWindow(QStringLiteral("fFileListAdd"), QStringLiteral("Add Aircraft Parts")), m_messenger(messenger)
{
    sizeClientTwips(this, 9405, 7065);

    labFileId = label(this, "labFileId", "Operating on the filelist file", 240, 120, 4095, 375);
    labExample = label(this, "labExample", "Enter Part: ie 03010714", 240, 720, 5295, 375);

    tAddFilelistText = new QLineEdit(this);
    tAddFilelistText->setObjectName(QStringLiteral("tAddFilelistText"));
    placeTwips(tAddFilelistText, 240, 1320, 3615, 375);

    bAddFileListEntry = button(this, "bAddFileListEntry", "Add -->", 3960, 1320, 1815, 375);

    m_model = new EntryListModel(true, this);
    lNewFileList = new EntryListView(QStringLiteral("lNewFileList"), m_model, QAbstractItemView::ExtendedSelection,
                                     listFont(9.75), this);
    placeTwips(lNewFileList, 6000, 1080, 2895, 4740);

    bRemove = button(this, "bRemove", "<-- Remove", 3960, 3000, 1815, 375);
    bFileListEntryFinish = button(this, "bFileListEntryFinish", "Finish", 240, 6360, 1935, 495);
    bFileListEntryCancel = button(this, "bFileListEntryCancel", "Cancel", 6960, 6360, 1935, 495);

    chainTabOrder(this, {"tAddFilelistText", "bAddFileListEntry", "lNewFileList", "bRemove", "bFileListEntryFinish",
                         "bFileListEntryCancel"});
    setFirstControl(tAddFilelistText);
    labExample->setBuddy(tAddFilelistText);
    nameControls(CurrentList);

    connect(bAddFileListEntry, &QPushButton::clicked, this, &fFileListAdd::bAddFileListEntry_Click);
    // Enter in the text box is the quick way to press "Add -->".
    connect(tAddFilelistText, &QLineEdit::returnPressed, bAddFileListEntry, &QPushButton::click);
    connect(bRemove, &QPushButton::clicked, this, &fFileListAdd::bRemove_Click);
    connect(lNewFileList, &EntryListView::deleteKeyPressed, this, &fFileListAdd::bRemove_Click);
    connect(bFileListEntryFinish, &QPushButton::clicked, this, &fFileListAdd::bFileListEntryFinish_Click);
    connect(bFileListEntryCancel, &QPushButton::clicked, this, &fFileListAdd::bFileListEntryCancel_Click);
}

void fFileListAdd::Who(veq::ListId lname)
{
    m_model->assign({});
    CurrentList = lname;
    labFileId->setText(operatingOnCaption(lname));
    switch (lname) {
    case veq::ListId::FileList:
        labExample->setText(QStringLiteral("Enter Part: ie 03010714"));
        break;
    case veq::ListId::Except:
        labExample->setText(QStringLiteral("Enter Part: ie 03011804-03010814"));
        break;
    case veq::ListId::PlaneSq:
        labExample->setText(QStringLiteral("Enter Part: ie 2500000094"));
        break;
    }
    nameControls(lname);
}

void fFileListAdd::nameControls(veq::ListId id)
{
    const QString list = listCaption(id);
    // The example line is the text box's label; the name says which list the entry is for.
    nameControl(tAddFilelistText, QStringLiteral("New %1 entry").arg(list), labExample->text());
    nameControl(bAddFileListEntry, QStringLiteral("Add to the new %1 entries").arg(list));
    nameControl(lNewFileList, QStringLiteral("New %1 entries").arg(list));
    nameControl(bRemove, QStringLiteral("Remove selected new %1 entries").arg(list));
    nameControl(bFileListEntryFinish, QStringLiteral("Finish: add the new entries to the %1 list").arg(list));
    bFileListEntryCancel->setAccessibleDescription(QStringLiteral("Close without adding to the %1 list").arg(list));
}

void fFileListAdd::bAddFileListEntry_Click()
{
    // The box shows what is added: upper case, and kept for adding again.
    const QString text = tAddFilelistText->text().toUpper();
    tAddFilelistText->setText(text);

    // Only the length is checked, in characters; the command line's "add" takes the same rule.
    const auto entry = veq::typedEntry(CurrentList, text.toStdString());
    if (entry)
        m_model->add(*entry);
    else
        m_messenger.tell(QString::fromStdString(entry.reason()));
}

void fFileListAdd::bRemove_Click() { removeSelectedEntries(*lNewFileList, kRemoveLimit, nullptr, m_messenger); }

void fFileListAdd::bFileListEntryFinish_Click() { finish(m_model->entries(), CurrentList); }

void fFileListAdd::bFileListEntryCancel_Click() { leave(); }
