#include "autogen/autogen_window.h"

#include "core/sentences.h"
#include "core/squadron.h"
#include "ui/accessibility.h"
#include "ui/data_directory.h"
#include "ui/entry_list_model.h"
#include "ui/entry_list_view.h"
#include "ui/file_dialogs.h"
#include "ui/layout.h"
#include "ui/messenger.h"
#include "ui/removal.h"

#include <QPushButton>

#include <vector>

fAutoGen::fAutoGen(Messenger& messenger, FileDialogs& fileDialogs)
    : ToolWindow(QStringLiteral("fAutoGen"), QStringLiteral("AutoGen")), m_messenger(messenger),
      m_fileDialogs(fileDialogs)
{
    sizeClientTwips(this, 6330, 5625);

    // Equal entries may stand side by side here; the main list drops them on "Finish".
    m_model = new EntryListModel(true, this);
    SqList =
        new EntryListView(QStringLiteral("SqList"), m_model, QAbstractItemView::SingleSelection, listFont(9.75), this);
    placeTwips(SqList, 3120, 120, 2295, 3900);

    QPushButton* bOpenSq = button(this, "bOpenSq", "Open Squad File -->", 240, 120, 2055, 615);
    QPushButton* bFinish = button(this, "bFinish", "Finish", 120, 4920, 2055, 495);
    // Pilot files are not read: the button is shown but has no action.
    QPushButton* Command1 = button(this, "Command1", "Open Pilot File -->", 240, 960, 2055, 615);
    QPushButton* Command2 = button(this, "Command2", "<--- Remove", 360, 2400, 1815, 615);
    QPushButton* Command3 = button(this, "Command3", "Cancel", 3960, 4920, 2055, 495);

    separatorLine(this, 0, 4560, 6240);

    chainTabOrder(this, {"SqList", "bOpenSq", "bFinish", "Command1", "Command2", "Command3"});
    setFirstControl(SqList);

    nameControl(SqList, QStringLiteral("PlaneSQ entries from squadron.dat"));
    nameControl(bOpenSq, QStringLiteral("Open Squad File squadron.dat"),
                QStringLiteral("Lists a PlaneSQ entry for every plane of every squadron in the file"));
    nameControl(bFinish, QStringLiteral("Finish: add the entries to the PlaneSQ list"));
    nameControl(Command1, QStringLiteral("Open Pilot File"), QStringLiteral("Pilot files are not read"));
    nameControl(Command2, QStringLiteral("Remove the selected PlaneSQ entry"));
    Command3->setAccessibleDescription(QStringLiteral("Close without changing the PlaneSQ list"));

    connect(bOpenSq, &QPushButton::clicked, this, &fAutoGen::bOpenSq_Click);
    connect(Command2, &QPushButton::clicked, this, &fAutoGen::Command2_Click);
    connect(SqList, &EntryListView::deleteKeyPressed, this, &fAutoGen::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &fAutoGen::Command3_Click);
    connect(bFinish, &QPushButton::clicked, this, &fAutoGen::bFinish_Click);
}

void fAutoGen::bOpenSq_Click()
{
    const QString fileName =
        m_fileDialogs.openFileName(this, {QStringLiteral("squadron.dat"), simulationDataDirectory()});
    if (fileName.isEmpty()) {
        m_messenger.tell(fromCore(veq::sentences::kFileNotSelected));
        return;
    }

    // The whole file is checked before the list is touched, so a damaged file
    // leaves the previous list in place.
    auto items = veq::loadSquadronFile(toFsPath(fileName));
    if (!items) {
        m_messenger.tell(QString::fromStdString(items.reason()));
        return;
    }
    // One change for the whole file; the list sorts exactly as adding one entry at a time would.
    m_model->assign(std::move(*items));
}

void fAutoGen::Command2_Click() { removeSelectedEntries(*SqList, kRemoveLimit, nullptr, m_messenger); }

void fAutoGen::Command3_Click() { leave(); }

void fAutoGen::bFinish_Click() { finish(m_model->entries(), veq::ListId::PlaneSq); }
