#include "audits/extra_window.h"

#include "audits/bitmap_preview.h"
#include "audits/directory_chooser.h"
#include "core/bitmap_audit.h"
#include "core/platform.h"
#include "ui/accessibility.h"
#include "ui/data_directory.h"
#include "ui/entry_list_model.h"
#include "ui/entry_list_view.h"
#include "ui/layout.h"
#include "ui/messenger.h"
#include "ui/removal.h"

#include <QDir>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolTip>
#include <QTreeWidget>

#include <algorithm>

fExtra::fExtra(Messenger& messenger)
    : ToolWindow(QStringLiteral("fExtra"), QStringLiteral("Extra")), m_messenger(messenger)
{
    sizeClientTwips(this, 7215, 8655);

    DirExtra = new DirectoryChooser(QStringLiteral("DirExtra"), this);
    placeTwips(DirExtra, 120, 120, 2655, 4590);

    QPushButton* bCheck = button(this, "bCheck", "Check--->", 3120, 1200, 1215, 495);
    QPushButton* bRemove = button(this, "bRemove", "<---Remove", 3120, 2760, 1215, 495);

    // A name found in two spellings is listed twice; the file list drops the repeat on "Finish".
    m_model = new EntryListModel(true, this);
    lExtra = new EntryListView(QStringLiteral("lExtra"), m_model, QAbstractItemView::ExtendedSelection, listFont(8.25),
                               this);
    placeTwips(lExtra, 4680, 120, 2415, 6780);

    labExtra = label(this, "labExtra", "", 5280, 7200, 1095, 375);

    QPushButton* Command1 = button(this, "Command1", "Finish", 120, 7920, 1695, 615);
    QPushButton* bCancel = button(this, "bCancel", "Cancel", 5400, 7920, 1695, 615);

    // The keyboard starts in the folder tree, where every check starts.
    setFirstControl(DirExtra->tree());
    nameControl(DirExtra, QStringLiteral("Bitmap folder"),
                QStringLiteral("The folder searched for part bitmaps that the FileList list does not name"));
    nameControl(bCheck, QStringLiteral("Check the folder for bitmaps not in the FileList list"));
    nameControl(bRemove, QStringLiteral("Remove selected extra bitmaps"));
    nameControl(lExtra, QStringLiteral("Extra bitmaps"),
                QStringLiteral("Part ids of the bitmaps that the FileList list does not name"));
    nameCountLabel(labExtra, QStringLiteral("Extra bitmaps"));
    nameControl(Command1, QStringLiteral("Finish: add the extra bitmaps to the FileList list"));
    bCancel->setAccessibleDescription(QStringLiteral("Close without changing the FileList list"));

    // Resting the pointer on an id shows its bitmap.
    lExtra->viewport()->installEventFilter(this);

    connect(bCheck, &QPushButton::clicked, this, &fExtra::bCheck_Click);
    connect(bRemove, &QPushButton::clicked, this, &fExtra::bRemove_Click);
    connect(lExtra, &EntryListView::deleteKeyPressed, this, &fExtra::bRemove_Click);
    connect(Command1, &QPushButton::clicked, this, &fExtra::Command1_Click);
    connect(bCancel, &QPushButton::clicked, this, &fExtra::bCancel_Click);
}

void fExtra::setFileList(const veq::Entries& fileList) { m_fileList = fileList; }

void fExtra::bCheck_Click()
{
    const QString folder = DirExtra->currentPath();
    const auto names = veq::platform::listFiles(toFsPath(folder));
    if (!names) {
        m_messenger.tell(QString::fromStdString(names.reason()));
        return;
    }
    m_model->assign(veq::extraBitmaps(*names, m_fileList));
    showCount(labExtra, m_model->count());
    m_checkedFolder = folder;
    m_folderNames = std::move(*names);
}

bool fExtra::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != lExtra->viewport() || event->type() != QEvent::ToolTip)
        return ToolWindow::eventFilter(watched, event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = lExtra->indexAt(help->pos());
    // Looked up when asked: a check of a folder of thousands pays nothing for it.
    const std::string bitmap = index.isValid() ? index.data().toString().toStdString() + ".BMP" : std::string();
    const auto file = std::find_if(m_folderNames.begin(), m_folderNames.end(),
                                   [&](const std::string& name) { return veq::toUpperAscii(name) == bitmap; });
    if (file == m_folderNames.end()) {
        QToolTip::hideText();
        return true;
    }
    QToolTip::showText(help->globalPos(), bitmapPreview(QDir(m_checkedFolder).filePath(QString::fromStdString(*file))),
                       lExtra->viewport(), lExtra->visualRect(index));
    return true;
}

void fExtra::bRemove_Click() { removeSelectedEntries(*lExtra, kDeleteLimit, labExtra, m_messenger); }

void fExtra::Command1_Click() { finish(m_model->entries(), veq::ListId::FileList); }

void fExtra::bCancel_Click() { leave(); }
