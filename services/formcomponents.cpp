// Finding forms and components in Qt widget trees, and reading and
// setting the one translatable text of each component.
#include "services/formcomponents.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QGraphicsObject>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGroupBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <algorithm>

namespace bralvo::services {
namespace {

bool isInternalName(const QString &name)
{
    return name.isEmpty() || name.startsWith(QLatin1String("qt_"))
           || name.startsWith(QLatin1String("_q_"));
}

bool isMdiForm(const QWidget *widget)
{
    const auto *sub = qobject_cast<const QMdiSubWindow *>(widget->parentWidget());
    return sub && sub->widget() == widget;
}

bool isForm(const QWidget *widget)
{
    if (isMdiForm(widget))
        return true;
    return widget->isWindow() && !qobject_cast<const QMenu *>(widget)
           && !qobject_cast<const QFileDialog *>(widget);
}

// A status bar's panels are reached through the bar only.
bool isStatusPanel(const QObject *object)
{
    return qobject_cast<const QLabel *>(object)
           && qobject_cast<const QStatusBar *>(object->parent());
}

void collectForms(QObject *parent, QList<QWidget *> &forms)
{
    for (QObject *child : parent->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (widget && isForm(widget) && !isInternalName(widget->objectName())
            && !forms.contains(widget))
            forms.append(widget);
        collectForms(child, forms);
    }
}

void collectComponents(QObject *parent, QList<QObject *> &components)
{
    for (QObject *child : parent->children()) {
        const auto *widget = qobject_cast<const QWidget *>(child);
        if ((widget && isForm(widget)) || isStatusPanel(child))
            continue;
        if (!isInternalName(child->objectName()))
            components.append(child);
        collectComponents(child, components);
    }
}

// The tab widget showing this page, with the page's index.
QTabWidget *tabWidgetOf(const QObject *object, int *index)
{
    const auto *page = qobject_cast<const QWidget *>(object);
    if (!page)
        return nullptr;
    const auto *stack = qobject_cast<const QStackedWidget *>(page->parentWidget());
    auto *tabs = stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr;
    if (!tabs)
        return nullptr;
    *index = tabs->indexOf(const_cast<QWidget *>(page));
    return *index >= 0 ? tabs : nullptr;
}

// The chart shown by a graphics view: its first top-level item with a title.
QGraphicsObject *chartOf(const QObject *object)
{
    const auto *view = qobject_cast<const QGraphicsView *>(object);
    if (!view || !view->scene())
        return nullptr;
    const QList<QGraphicsItem *> items = view->scene()->items(Qt::AscendingOrder);
    for (QGraphicsItem *item : items) {
        QGraphicsObject *graphics = item->toGraphicsObject();
        if (!item->parentItem() && graphics
            && graphics->metaObject()->indexOfProperty("title") >= 0)
            return graphics;
    }
    return nullptr;
}

QList<QLabel *> panelsOf(const QStatusBar *bar)
{
    QList<QLabel *> panels;
    for (QObject *child : bar->children())
        if (auto *label = qobject_cast<QLabel *>(child))
            panels.append(label);
    return panels;
}

} // namespace

QList<QWidget *> applicationForms(QWidget *mainWindow)
{
    QList<QWidget *> forms;
    if (mainWindow) {
        if (!isInternalName(mainWindow->objectName()))
            forms.append(mainWindow);
        collectForms(mainWindow, forms);
    }
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return forms;
    QList<QWidget *> others;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top != mainWindow && !top->parent() && isForm(top))
            others.append(top);
    // The application keeps no creation order for these: sort for a stable one.
    std::sort(others.begin(), others.end(), [](const QWidget *a, const QWidget *b) {
        return a->objectName() < b->objectName();
    });
    for (QWidget *top : others) {
        if (!isInternalName(top->objectName()) && !forms.contains(top))
            forms.append(top);
        collectForms(top, forms);
    }
    return forms;
}

QList<QObject *> formComponents(QWidget *form)
{
    QList<QObject *> components;
    if (form)
        collectComponents(form, components);
    return components;
}

std::optional<QString> componentText(const QObject *component)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(component))
        return button->text();
    if (const auto *label = qobject_cast<const QLabel *>(component))
        return label->text();
    if (const auto *dialog = qobject_cast<const QFileDialog *>(component))
        return dialog->windowTitle();
    if (const auto *action = qobject_cast<const QAction *>(component))
        return action->text();
    if (const auto *menu = qobject_cast<const QMenu *>(component))
        return menu->title();
    if (const auto *group = qobject_cast<const QGroupBox *>(component))
        return group->title();
    int index = -1;
    if (const QTabWidget *tabs = tabWidgetOf(component, &index))
        return tabs->tabText(index);
    if (const QGraphicsObject *chart = chartOf(component))
        return chart->property("title").toString().section(QLatin1Char('\n'), 0, 0);
    return std::nullopt;
}

bool setComponentText(QObject *component, const QString &text)
{
    if (auto *button = qobject_cast<QAbstractButton *>(component)) {
        button->setText(text);
    } else if (auto *label = qobject_cast<QLabel *>(component)) {
        label->setText(text);
    } else if (auto *dialog = qobject_cast<QFileDialog *>(component)) {
        dialog->setWindowTitle(text);
    } else if (auto *action = qobject_cast<QAction *>(component)) {
        action->setText(text);
    } else if (auto *menu = qobject_cast<QMenu *>(component)) {
        menu->setTitle(text);
    } else if (auto *group = qobject_cast<QGroupBox *>(component)) {
        group->setTitle(text);
    } else if (int index = -1; QTabWidget *tabs = tabWidgetOf(component, &index)) {
        tabs->setTabText(index, text);
    } else if (QGraphicsObject *chart = chartOf(component)) {
        QStringList lines = chart->property("title").toString().split(QLatin1Char('\n'));
        lines[0] = text;
        chart->setProperty("title", lines.join(QLatin1Char('\n')));
    } else {
        return false;
    }
    return true;
}

QStatusBar *asStatusBar(QObject *object)
{
    return qobject_cast<QStatusBar *>(object);
}

QStringList statusPanelTexts(const QStatusBar *bar)
{
    QStringList texts;
    for (const QLabel *panel : panelsOf(bar))
        texts.append(panel->text());
    return texts;
}

bool setStatusPanelText(QStatusBar *bar, int index, const QString &text)
{
    const QList<QLabel *> panels = panelsOf(bar);
    if (index < 0 || index >= panels.size())
        return false;
    panels[index]->setText(text);
    return true;
}

} // namespace bralvo::services
