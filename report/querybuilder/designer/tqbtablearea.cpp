// The work area: table boxes and links, kept in step with the model.
#include "report/querybuilder/designer/tqbtablearea.h"

#include "report/querybuilder/designer/qbgeometry.h"
#include "report/querybuilder/designer/tqbgrid.h"
#include "report/querybuilder/designer/tqblinkform.h"
#include "report/querybuilder/designer/tqblists.h"
#include "report/querybuilder/designer/tqbtable.h"
#include "report/querybuilder/tqbcore.h"

#include "platform/messageboxseam.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace bralvo::report {

TqbTableArea::TqbTableArea(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TableArea"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Dark));
    setPalette(pal);
}

TqbModel &TqbTableArea::Model() const
{
    return qbCore().Model();
}

ui::TqbTable *TqbTableArea::createBox(int table)
{
    const TqbTable &t = Model().Tables.at(table);
    auto *box = new ui::TqbTable(this, t.TableName, t.Alias, t.Fields);
    m_boxes.append(box);
    box->move(t.Left, t.Top);
    if (t.Width > 0 && t.Height > 0)
        box->resize(t.Width, t.Height);
    box->show();
    BoxGeometryChanged(box);
    return box;
}

ui::TqbTable *TqbTableArea::InsertTable(int x, int y, const QString &tableName)
{
    const int table = Model().AddTable(qbCore().Engine(), tableName, x, y);
    return createBox(table);
}

ui::TqbTable *TqbTableArea::InsertTableCascade(const QString &tableName)
{
    ui::TqbTable *box = InsertTable(m_cascade.x(), m_cascade.y(), tableName);
    m_cascade = NextCascade(m_cascade, size());
    return box;
}

ui::TqbTable *TqbTableArea::FindBox(const QString &tableName, const QString &alias) const
{
    for (ui::TqbTable *box : m_boxes)
        if (box->TableName() == tableName && box->Alias() == alias)
            return box;
    return nullptr;
}

void TqbTableArea::BoxGeometryChanged(ui::TqbTable *box)
{
    const int i = IndexOf(box);
    if (i < 0 || i >= Model().Tables.size())
        return;
    TqbTable &t = Model().Tables[i];
    t.Left = box->x();
    t.Top = box->y();
    t.Width = box->width();
    t.Height = box->height();
    update();
}

void TqbTableArea::RemoveBox(ui::TqbTable *box)
{
    const int i = IndexOf(box);
    if (i < 0)
        return;
    TqbModel &model = Model();
    for (qsizetype r = model.Rows.size() - 1; r >= 0; --r)
        if (model.Rows.at(r).tableName == box->TableName() && model.Rows.at(r).alias == box->Alias())
            model.Rows.removeAt(r);
    model.RemoveTable(i);
    m_boxes.removeAt(i);
    m_selectedLink = -1;
    box->deleteLater();
    box->hide();
    refreshGrid();
    update();
}

void TqbTableArea::ClearAll()
{
    qbCore().Clear();
    for (ui::TqbTable *box : m_boxes)
        delete box;
    m_boxes.clear();
    m_selectedLink = -1;
    refreshGrid();
    update();
}

void TqbTableArea::Rebuild()
{
    for (ui::TqbTable *box : m_boxes)
        delete box;
    m_boxes.clear();
    m_selectedLink = -1;
    const TqbModel &model = Model();
    for (int t = 0; t < model.Tables.size(); ++t)
        createBox(t);
    for (const TGridColumn &row : model.Rows) {
        const int t = model.FindTable(row.tableName, row.alias);
        if (t < 0)
            continue;
        const QList<TqbField> &fields = model.Tables.at(t).Fields;
        for (int f = 0; f < fields.size(); ++f)
            if (QuotedFieldName(fields.at(f).FieldName) == row.field)
                m_boxes.at(t)->SetTicked(f, true);
    }
    refreshGrid();
    update();
}

void TqbTableArea::refreshGrid()
{
    if (m_grid)
        m_grid->UpdateGrid();
}

void TqbTableArea::FieldTicked(ui::TqbTable *box, int field, bool ticked)
{
    TqbModel &model = Model();
    const int t = IndexOf(box);
    const QString quoted = QuotedFieldName(model.Tables.at(t).Fields.at(field).FieldName);
    if (ticked) {
        model.AddRow(t, model.Tables.at(t).Fields.at(field).FieldName);
    } else {
        for (qsizetype r = model.Rows.size() - 1; r >= 0; --r) {
            const TGridColumn &row = model.Rows.at(r);
            if (row.tableName == box->TableName() && row.alias == box->Alias() && row.field == quoted)
                model.Rows.removeAt(r);
        }
    }
    refreshGrid();
    box->FieldList()->viewport()->update();
}

void TqbTableArea::AddLink(ui::TqbTable *source, int sourceField, ui::TqbTable *dest, int destField)
{
    TqbLink link;
    link.SourceTable = IndexOf(source);
    link.SourceField = sourceField;
    link.DestTable = IndexOf(dest);
    link.DestField = destField;
    Model().AddLink(link);
    update();
}

QList<QPoint> TqbTableArea::LinkPoints(int i) const
{
    const TqbLink &link = Model().Links.at(i);
    const ui::TqbTable *s = m_boxes.at(link.SourceTable), *d = m_boxes.at(link.DestTable);
    return LinkPath(s->geometry(), s->AttachY(link.SourceField), d->geometry(), d->AttachY(link.DestField));
}

int TqbTableArea::LinkAt(QPoint p) const
{
    for (int i = 0; i < Model().Links.size(); ++i) {
        const QList<QPoint> pts = LinkPoints(i);
        if (LinkHit(pts.first(), pts.last(), p))
            return i;
    }
    return -1;
}

void TqbTableArea::DeleteLink(int link)
{
    if (link < 0 || link >= Model().Links.size())
        return;
    Model().Links.removeAt(link);
    m_selectedLink = -1;
    update();
}

bool TqbTableArea::EditLink(int i)
{
    TqbLink &link = Model().Links[i];
    const ui::TqbTable *s = m_boxes.at(link.SourceTable), *d = m_boxes.at(link.DestTable);
    TqbLinkForm form(this);
    form.SetLink(s->TableName(), QuotedFieldName(Model().Tables.at(link.SourceTable).Fields.at(link.SourceField).FieldName),
                 d->TableName(), QuotedFieldName(Model().Tables.at(link.DestTable).Fields.at(link.DestField).FieldName),
                 link.JOperator, link.JType);
    if (form.exec() != QDialog::Accepted)
        return false;
    link.JOperator = form.JOperator();
    link.JType = form.JType();
    return true;
}

void TqbTableArea::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    m_selectedLink = LinkAt(p);
    update();
    if (m_selectedLink < 0)
        return;
    const int link = m_selectedLink;
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("LinkMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(QStringLiteral("Link options"), this, [this, link] { EditLink(link); });
    menu->addAction(QStringLiteral("Delete"), this, [this, link] { DeleteLink(link); });
    menu->popup(mapToGlobal(p));
}

void TqbTableArea::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter p(this);
    for (int i = 0; i < Model().Links.size(); ++i) {
        const QList<QPoint> pts = LinkPoints(i);
        p.setPen(QPen(Qt::black, 3));
        p.drawLine(pts.at(0), pts.at(1));
        p.drawLine(pts.at(2), pts.at(3));
        p.setPen(QPen(i == m_selectedLink ? Qt::green : Qt::black, 1));
        p.drawLine(pts.at(1), pts.at(2));
    }
}

bool TqbTableArea::CanDrop(QWidget *source, QPoint)
{
    return qobject_cast<TqbTableListBox *>(source) != nullptr;
}

void TqbTableArea::Drop(QWidget *source, QPoint local)
{
    auto *list = static_cast<TqbTableListBox *>(source);
    QListWidgetItem *item = list->currentItem();
    if (!item)
        return;
    try {
        InsertTable(local.x(), local.y(), item->text());
    } catch (const std::exception &e) {
        platform::messageBoxSeam().messageBox(QString::fromUtf8(e.what()), QCoreApplication::applicationName(),
                                              16);
    }
}

} // namespace bralvo::report
