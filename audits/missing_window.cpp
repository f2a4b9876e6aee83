#include "audits/missing_window.h"

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

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace {

// One framed result list, `left` twips from the window's edge, with its count
// label under the frame, both named after the frame for screen readers.
EntryListModel* resultList(QWidget* parent, int left, const char* frameName, const char* frameCaption,
                           const char* listName, QLabel*& countLabel, const char* countName)
{
    auto* frame = new QGroupBox(QString::fromLatin1(frameCaption), parent);
    frame->setObjectName(QString::fromLatin1(frameName));
    placeTwips(frame, left, 120, 2055, 5160);

    auto* model = new EntryListModel(false, parent);
    auto* list = new EntryListView(QString::fromLatin1(listName), model, QAbstractItemView::SingleSelection,
                                   listFont(8.25), frame);
    placeTwips(list, 120, 300, 1815, 4740);
    nameControl(list, frame->title());

    // Blank until the first report.
    countLabel = label(parent, countName, "", left, 5340, 2055, 285);
    countLabel->setAlignment(Qt::AlignCenter);
    nameCountLabel(countLabel, frame->title());
    return model;
}

} // namespace

Missing::Missing(Messenger& messenger)
    : ToolWindow(QStringLiteral("Missing"), QStringLiteral("Missing Bitmaps")), m_messenger(messenger)
{
    // The folder tree on the left, three result frames of 2055 twips with gaps
    // of 120 on the right, Exit at the bottom right under a line.
    sizeClientTwips(this, 9465, 6555);

    QLabel* labPath = label(this, "labPath", "Choose Directory", 120, 120, 2655, 255);

    dirMissing = new DirectoryChooser(QStringLiteral("dirMissing"), this);
    placeTwips(dirMissing, 120, 420, 2655, 4245);
    labPath->setBuddy(dirMissing);
    nameControl(dirMissing, QStringLiteral("Bitmap folder"),
                QStringLiteral("The folder searched for the bitmaps of the FileList and Except lists"));
    // The keyboard starts in the folder tree, where every report starts.
    setFirstControl(dirMissing->tree());

    QPushButton* bReport = button(this, "bReport", "Report ===>", 120, 4785, 2655, 495);
    nameControl(bReport, QStringLiteral("Report missing bitmaps of the FileList and Except lists"));

    m_fileListMissing = resultList(this, 2940, "FrMissing", "Missing FileList", "lFileListMissing",
                                   labFileListMissingCount, "labFileListMissingCount");
    m_exceptMissing = resultList(this, 5115, "Frame1", "Missing Except", "lExceptMissing", labExceptMissingCount,
                                 "labExceptMissingCount");
    m_missing = resultList(this, 7290, "Frame2", "Missing", "lMissing", labMissingCount, "labMissingCount");

    separatorLine(this, 0, 5760, 9465);
    QPushButton* breportCancel = button(this, "breportCancel", "Exit", 8130, 5940, 1215, 495);
    breportCancel->setAccessibleDescription(QStringLiteral("Back to the main window"));

    connect(bReport, &QPushButton::clicked, this, &Missing::bReport_Click);
    connect(breportCancel, &QPushButton::clicked, this, &Missing::breportCancel_Click);
}

void Missing::setMainLists(const veq::Entries& fileList, const veq::Entries& exceptList)
{
    m_fileList = fileList;
    m_exceptList = exceptList;
}

void Missing::bReport_Click()
{
    // The folder is read once; every entry is then a lookup in its names. A
    // folder that cannot be read says so rather than report every bitmap missing.
    const auto names = veq::platform::listFiles(toFsPath(dirMissing->currentPath()));
    if (!names) {
        m_messenger.tell(QString::fromStdString(names.reason()));
        return;
    }
    veq::MissingBitmaps report = veq::missingBitmaps(m_fileList, m_exceptList, *names);
    // Each list changes once, to what adding its names one by one would give.
    m_fileListMissing->assign(std::move(report.fileListMissing));
    m_exceptMissing->assign(std::move(report.exceptMissing));
    m_missing->assign(std::move(report.missing));
    showCounts();
}

void Missing::showCounts()
{
    showCount(labFileListMissingCount, m_fileListMissing->count());
    showCount(labExceptMissingCount, m_exceptMissing->count());
    showCount(labMissingCount, m_missing->count());
}

void Missing::breportCancel_Click() { leave(); }
