#include "audits/missing_window.h"

#include "audits/directory_chooser.h"
#include "audits/folder_listing.h"
#include "core/bitmap_audit.h"
#include "ui/entry_list_model.h"
#include "ui/entry_list_view.h"
#include "ui/layout.h"
#include "ui/removal.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kMargin = 120;
constexpr int kChooserWidth = 2655;
constexpr int kFrameLeft = 2940;
constexpr int kFrameWidth = 2055;
constexpr int kFrameGap = 120;
constexpr int kFrameTop = 120;
constexpr int kFrameHeight = 5160;
constexpr int kCountTop = kFrameTop + kFrameHeight + 60;
constexpr int kLineTop = kCountTop + 420;
constexpr int kClientWidth = kFrameLeft + 3 * kFrameWidth + 2 * kFrameGap + kMargin;
constexpr int kExitWidth = 1215;
constexpr int kExitHeight = 495;
constexpr int kClientHeight = kLineTop + 180 + kExitHeight + kMargin;

QLabel* label(QWidget* parent, const char* name, const QString& caption)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

// One framed result list with its count label under the frame.
EntryListModel* resultList(QWidget* parent, int column, const char* frameName, const char* frameCaption,
                           const char* listName, QLabel*& countLabel, const char* countName)
{
    const int left = kFrameLeft + column * (kFrameWidth + kFrameGap);
    auto* frame = new QGroupBox(QString::fromLatin1(frameCaption), parent);
    frame->setObjectName(QString::fromLatin1(frameName));
    placeTwips(frame, left, kFrameTop, kFrameWidth, kFrameHeight);

    auto* model = new EntryListModel(false, parent);
    auto* list = new EntryListView(QString::fromLatin1(listName), model, QAbstractItemView::SingleSelection,
                                   listFont(8.25), frame);
    placeTwips(list, 120, 300, kFrameWidth - 240, kFrameHeight - 420);

    // Blank until the first report.
    countLabel = label(parent, countName, QString());
    countLabel->setAlignment(Qt::AlignCenter);
    placeTwips(countLabel, left, kCountTop, kFrameWidth, 285);
    return model;
}

} // namespace

Missing::Missing() : ToolWindow(QStringLiteral("Missing"), QStringLiteral("Missing Bitmaps"))
{
    sizeClientTwips(this, kClientWidth, kClientHeight);

    QLabel* labPath = label(this, "labPath", QStringLiteral("Choose Directory"));
    placeTwips(labPath, kMargin, kFrameTop, kChooserWidth, 255);

    dirMissing = new DirectoryChooser(QStringLiteral("dirMissing"), this);
    placeTwips(dirMissing, kMargin, kFrameTop + 300, kChooserWidth, kFrameHeight - 300 - 615);

    auto* bReport = new QPushButton(QStringLiteral("Report ===>"), this);
    bReport->setObjectName(QStringLiteral("bReport"));
    placeTwips(bReport, kMargin, kFrameTop + kFrameHeight - 495, kChooserWidth, 495);

    m_fileListMissing = resultList(this, 0, "FrMissing", "Missing FileList", "lFileListMissing",
                                   labFileListMissingCount, "labFileListMissingCount");
    m_exceptMissing = resultList(this, 1, "Frame1", "Missing Except", "lExceptMissing", labExceptMissingCount,
                                 "labExceptMissingCount");
    m_missing = resultList(this, 2, "Frame2", "Missing", "lMissing", labMissingCount, "labMissingCount");

    auto* Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Line1->setGeometry(0, twips(kLineTop) - 1, twips(kClientWidth), 3);

    auto* breportCancel = new QPushButton(QStringLiteral("Exit"), this);
    breportCancel->setObjectName(QStringLiteral("breportCancel"));
    placeTwips(breportCancel, kClientWidth - kMargin - kExitWidth, kLineTop + 180, kExitWidth, kExitHeight);

    connect(bReport, &QPushButton::clicked, this, &Missing::bReport_Click);
    connect(breportCancel, &QPushButton::clicked, this, &Missing::breportCancel_Click);
}

void Missing::setMainLists(const veq::Entries& fileList, const veq::Entries& exceptList)
{
    m_fileList = fileList;
    m_exceptList = exceptList;
}

void Missing::AddMissingItem(const veq::Entry& item) { m_missing->add(item); }
void Missing::AddFileListMissingItem(const veq::Entry& item) { m_fileListMissing->add(item); }
void Missing::AddExceptMissingItem(const veq::Entry& item) { m_exceptMissing->add(item); }

void Missing::bReport_Click()
{
    // The folder is read once; every entry is then a lookup in its names.
    const veq::FoldedNames present = veq::foldNames(listBitmapFolder(dirMissing->currentPath()));
    veq::MissingBitmaps report = veq::missingBitmaps(m_fileList, m_exceptList, present);
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
