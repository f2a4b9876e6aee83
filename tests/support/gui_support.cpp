#include "tests/support/gui_support.h"

#include <QFile>

#include <QItemSelectionModel>
#include <cmath>

QString ScriptedFileDialogs::next()
{
    if (m_answers.empty())
        return {};
    QString answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

QString ScriptedFileDialogs::openFileName(QWidget*, const FileRequest& request)
{
    asked.push_back({false, request});
    return next();
}

QString ScriptedFileDialogs::saveFileName(QWidget*, const FileRequest& request)
{
    asked.push_back({true, request});
    return next();
}

void click(const QWidget* root, const char* name)
{
    auto* button = control<QAbstractButton>(root, name);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled()) << name << " is disabled";
    QTest::mouseClick(button, Qt::LeftButton);
}

std::vector<std::string> shownItems(const QListView* list)
{
    std::vector<std::string> items;
    const QAbstractItemModel* model = list->model();
    for (int row = 0; row < model->rowCount(); ++row)
        items.push_back(model->index(row, 0).data().toString().toStdString());
    return items;
}

std::vector<std::string> shownItems(const QWidget* root, const char* listName)
{
    auto* list = control<QListView>(root, listName);
    return list ? shownItems(list) : std::vector<std::string>{};
}

void selectRows(QListView* list, const std::vector<int>& rows)
{
    QItemSelection selection;
    for (int row : rows) {
        const QModelIndex index = list->model()->index(row, 0);
        selection.select(index, index);
    }
    list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

QString labelText(const QWidget* root, const char* name)
{
    auto* label = control<QLabel>(root, name);
    return label ? label->text() : QString();
}

void writeBytes(const QString& path, const veq::Bytes& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

veq::Bytes readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    return veq::Bytes(data.begin(), data.end());
}

QRect twipsRect(const QWidget* window, int left, int top, int width, int height)
{
    const double pixelsPerTwip = window->logicalDpiX() / 1440.0;
    auto px = [&](int twips) { return static_cast<int>(std::lround(twips * pixelsPerTwip)); };
    return {px(left), px(top), px(width), px(height)};
}

void expectTabOrder(const QWidget* root, const std::vector<const char*>& order)
{
    auto next = [&](QWidget* from) {
        for (QWidget* w = from->nextInFocusChain(); w != from; w = w->nextInFocusChain())
            for (const char* name : order)
                if (w->objectName() == QLatin1String(name))
                    return w;
        return from;
    };
    for (std::size_t i = 1; i < order.size(); ++i) {
        auto* from = control<QWidget>(root, order[i - 1]);
        ASSERT_NE(from, nullptr);
        EXPECT_EQ(next(from)->objectName(), QString::fromLatin1(order[i])) << "after " << order[i - 1];
    }
}
