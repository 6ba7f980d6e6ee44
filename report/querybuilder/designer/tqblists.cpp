// The table list and the field lists of the query builder window.
#include "report/querybuilder/designer/tqblists.h"

#include "report/querybuilder/designer/qbgeometry.h"
#include "report/querybuilder/designer/tqbtable.h"
#include "report/querybuilder/designer/tqbtablearea.h"
#include "report/querybuilder/tqbmodel.h"

#include <QMouseEvent>

namespace bralvo::report {

TqbTableListBox::TqbTableListBox(QWidget *parent) : QListWidget(parent), m_drag(this)
{
    setObjectName(QStringLiteral("TableList"));
    setFrameShape(QFrame::NoFrame);
    setIconSize(QSize(16, 16));
    setUniformItemSizes(true);
}

void TqbTableListBox::mousePressEvent(QMouseEvent *event)
{
    QListWidget::mousePressEvent(event);
    m_drag.Press(event);
}

void TqbTableListBox::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_drag.Move(event))
        QListWidget::mouseMoveEvent(event);
}

void TqbTableListBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_drag.Release(event))
        QListWidget::mouseReleaseEvent(event);
}

void TqbTableListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QListWidgetItem *item = itemAt(event->position().toPoint());
    if (item && OnInsert)
        OnInsert(item->text());
}

TqbCheckListBox::TqbCheckListBox(ui::TqbTable *box) : QListWidget(box), m_box(box), m_drag(this)
{
    setObjectName(QStringLiteral("FieldList"));
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        m_box->Area()->FieldTicked(m_box, row(item), item->checkState() == Qt::Checked);
    });
}

void TqbCheckListBox::mousePressEvent(QMouseEvent *event)
{
    QListWidget::mousePressEvent(event);
    m_drag.Press(event);
}

void TqbCheckListBox::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_drag.Move(event))
        QListWidget::mouseMoveEvent(event);
}

void TqbCheckListBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_drag.Release(event))
        QListWidget::mouseReleaseEvent(event);
}

// Another box's field onto an item of this list, types compatible.
bool TqbCheckListBox::CanDrop(QWidget *source, QPoint local)
{
    auto *from = qobject_cast<TqbCheckListBox *>(source);
    if (!from || from == this || from->Box()->Area() != m_box->Area())
        return false;
    QListWidgetItem *item = itemAt(viewport()->mapFrom(this, local));
    const int sourceField = from->Box()->SelectedField();
    if (!item || sourceField < 0)
        return false;
    const TqbModel &model = m_box->Area()->Model();
    const int s = m_box->Area()->IndexOf(from->Box()), d = m_box->Area()->IndexOf(m_box);
    const int destField = row(item);
    if (!TypesCompatible(model.Tables.at(s).Fields.at(sourceField).FieldType,
                         model.Tables.at(d).Fields.at(destField).FieldType))
        return false;
    setCurrentItem(item);
    return true;
}

void TqbCheckListBox::Drop(QWidget *source, QPoint)
{
    auto *from = static_cast<TqbCheckListBox *>(source);
    m_box->Area()->AddLink(from->Box(), from->Box()->SelectedField(), m_box, currentRow());
}

} // namespace bralvo::report
