#include "dialogs/entry_collector.h"

#include "ui/entry_list_model.h"
#include "ui/entry_list_view.h"
#include "ui/layout.h"
#include "ui/list_names.h"
#include "ui/removal.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

EntryCollector::EntryCollector(const Layout& layout, Messenger& messenger)
    : ToolWindow(QString::fromLatin1(layout.name), QString::fromLatin1(layout.caption)), m_messenger(messenger)
{
    sizeClientTwips(this, layout.width, layout.height);
    auto place = [this](QWidget* control, const Control& at) {
        control->setObjectName(QString::fromLatin1(at.name));
        placeTwips(control, at.left, at.top, at.width, at.height);
        return control;
    };
    auto makeButton = [this](const Control& at) {
        return button(this, at.name, at.caption, at.left, at.top, at.width, at.height);
    };
    labFileId = label(this, layout.fileId.name, layout.fileId.caption, layout.fileId.left, layout.fileId.top,
                      layout.fileId.width, layout.fileId.height);
    labExample = label(this, layout.example.name, layout.example.caption, layout.example.left, layout.example.top,
                       layout.example.width, layout.example.height);
    m_text = new QLineEdit(this);
    place(m_text, layout.text);
    m_collect = makeButton(layout.collect);
    m_remove = makeButton(layout.remove);
    m_collected = new EntryListModel(true, this);
    m_list = new EntryListView(QString::fromLatin1(layout.list.name), m_collected, QAbstractItemView::ExtendedSelection,
                               listFont(9.75), this);
    place(m_list, layout.list);
    if (layout.lineTop >= 0)
        separatorLine(this, 120, layout.lineTop, layout.width - 240);
    m_finish = makeButton(layout.finish);
    m_cancel = makeButton(layout.cancel);

    chainTabOrder(this, {layout.text.name, layout.collect.name, layout.remove.name, layout.list.name,
                         layout.finish.name, layout.cancel.name});
    setFirstControl(m_text);
    labExample->setBuddy(m_text);

    connect(m_collect, &QPushButton::clicked, this, [this] { collect(); });
    // Enter in the text box is the quick way to press its button.
    connect(m_text, &QLineEdit::returnPressed, m_collect, &QPushButton::click);
    connect(m_remove, &QPushButton::clicked, this, &EntryCollector::removeSelected);
    connect(m_list, &EntryListView::deleteKeyPressed, this, &EntryCollector::removeSelected);
    connect(m_finish, &QPushButton::clicked, this, &EntryCollector::finishCollecting);
    connect(m_cancel, &QPushButton::clicked, this, &EntryCollector::cancel);
}

void EntryCollector::Who(veq::ListId id)
{
    m_collected->assign({});
    m_listId = id;
    labFileId->setText(operatingOnCaption(id));
    if (const QString line = example(id); !line.isEmpty())
        labExample->setText(line);
    nameControls(id);
}

void EntryCollector::removeSelected() { removeSelectedEntries(*m_list, kRemoveLimit, nullptr, m_messenger); }

void EntryCollector::finishCollecting() { finish(m_collected->entries(), m_listId); }
