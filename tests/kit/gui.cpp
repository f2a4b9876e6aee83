#include "tests/kit/gui.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QMetaProperty>
#include <QTest>

namespace kit {

QString ScriptedFileDialogs::next(QWidget* parent, const FileRequest& request)
{
    asked.push_back(request);
    if (activateAsker && parent) {
        // The dialog takes the keyboard while it is open.
        QWidget dialog(parent->window(), Qt::Dialog);
        dialog.show();
        (void)QTest::qWaitForWindowActive(&dialog);
        dialog.hide();
        parent->window()->activateWindow();
    }
    if (m_answers.empty())
        return {};
    QString answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

QWidget* topLevel(const char* name)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String(name))
            return widget;
    return nullptr;
}

QObject* findNamed(const QWidget* root, const char* name)
{
    if (!root)
        return topLevel(name);
    return root->findChild<QObject*>(QString::fromLatin1(name));
}

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void click(const QWidget* root, const char* name)
{
    auto* button = find<QAbstractButton>(root, name);
    QTest::mouseClick(button, Qt::LeftButton);
    settle();
}

std::vector<std::string> items(const QListView* list)
{
    std::vector<std::string> shown;
    const QAbstractItemModel* model = list->model();
    for (int row = 0; row < model->rowCount(); ++row)
        shown.push_back(model->index(row, 0).data().toString().toStdString());
    return shown;
}

std::vector<std::string> items(const QWidget* root, const char* listName)
{
    return items(find<QListView>(root, listName));
}

void selectRows(QListView* list, const std::vector<int>& rows)
{
    QItemSelection selection;
    for (int row : rows)
        selection.select(list->model()->index(row, 0), list->model()->index(row, 0));
    list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

QString text(const QWidget* root, const char* labelName) { return find<QLabel>(root, labelName)->text(); }

void drive(ScriptedFileDialogs& dialogs, const std::vector<std::string>& steps)
{
    for (const std::string& step : steps) {
        const std::size_t equals = step.find('=');
        QWidget* control = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* found = window->findChild<QWidget*>(QString::fromStdString(step.substr(0, equals))))
                control = window->isVisible() ? found : control;
        if (step[0] == '@')
            dialogs.answer(QString::fromStdString(step.substr(1)));
        else if (equals == std::string::npos)
            click(control->window(), step.c_str());
        else
            control->metaObject()->userProperty().write(control, QString::fromStdString(step.substr(equals + 1)));
    }
}

QString shownMessage()
{
    const QWidget* window = topLevel("FormMessage");
    // Without the zero-width spaces where the window may break a long line.
    return window && window->isVisible() ? text(window, "lMessage").remove(QChar(0x200B)) : QString();
}

} // namespace kit
