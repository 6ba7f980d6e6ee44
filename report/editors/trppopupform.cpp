// The completion popup.
#include "report/editors/trppopupform.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QVBoxLayout>

namespace bralvo::report {

TrpPopupForm::TrpPopupForm(QWidget *owner) : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List"));
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setSortingEnabled(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    connect(m_list, &QListWidget::itemActivated, this, [this] { choose(); });
}

QString TrpPopupForm::InsertionOf(const QString &item)
{
    if (item.isEmpty())
        return QString();
    qsizetype i = 1;
    while (i < item.size() && (item.at(i).isLetterOrNumber() || item.at(i) == QLatin1Char('_')))
        ++i;
    QString result = item.left(i);
    if (i < item.size() && item.at(i) == QLatin1Char('('))
        result += QStringLiteral("()");
    return result;
}

void TrpPopupForm::ShowList(const QStringList &items, QPoint screenPos,
                            std::function<void(const QString &)> chosen)
{
    m_chosen = std::move(chosen);
    m_list->addItems(items);
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    setGeometry(screenPos.x(), screenPos.y(), 300, 100);
    show();
    m_list->setFocus();
}

void TrpPopupForm::choose()
{
    if (QListWidgetItem *item = m_list->currentItem(); item && m_chosen)
        m_chosen(InsertionOf(item->text()));
    close();
}

void TrpPopupForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        choose();
    else if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

} // namespace bralvo::report
