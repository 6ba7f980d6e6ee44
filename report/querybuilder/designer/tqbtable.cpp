// A table box of the query builder window.
#include "report/querybuilder/designer/tqbtable.h"

#include "report/querybuilder/designer/qbgeometry.h"
#include "report/querybuilder/designer/tqblists.h"
#include "report/querybuilder/designer/tqbtablearea.h"
#include "report/querybuilder/tqbmodel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>

namespace bralvo::report {

namespace {

constexpr int kBorder = 4; // the sizing frame around the box

} // namespace

ui::TqbTable::TqbTable(TqbTableArea *area, const QString &tableName, const QString &alias,
                   const QList<TqbField> &fields)
    : QFrame(area), m_area(area), m_tableName(tableName), m_alias(alias)
{
    setObjectName(QStringLiteral("Table_") + alias);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(true);
    setMouseTracking(true);
    m_title = new QLabel(QStringLiteral("      ") + tableName + QStringLiteral(" - ") + alias, this);
    m_title->setObjectName(QStringLiteral("Title"));
    m_title->setAutoFillBackground(true);
    QPalette pal = m_title->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Highlight));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::HighlightedText));
    m_title->setPalette(pal);
    QFont f = m_title->font();
    f.setPointSizeF(f.pointSizeF() + 1);
    m_title->setFont(f);
    m_title->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    m_title->installEventFilter(this);
    m_icon = new QLabel(this);
    m_icon->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(16, 16));
    m_close = new QToolButton(this);
    m_close->setObjectName(QStringLiteral("CloseButton"));
    m_close->setText(QStringLiteral("x"));
    m_minimise = new QToolButton(this);
    m_minimise->setObjectName(QStringLiteral("MinimiseButton"));
    m_minimise->setText(QStringLiteral("_"));
    // The box goes once the click is over.
    connect(m_close, &QToolButton::clicked, this, [this] {
        QMetaObject::invokeMethod(m_area, [area = m_area, box = this] { area->RemoveBox(box); },
                                  Qt::QueuedConnection);
    });
    connect(m_minimise, &QToolButton::clicked, this, &ui::TqbTable::ToggleMinimised);
    m_list = new TqbCheckListBox(this);
    fillList(fields);
    // Links follow their field items when the list scrolls.
    connect(m_list->verticalScrollBar(), &QScrollBar::valueChanged, m_area, qOverload<>(&QWidget::update));
    setMinimumSize(120, m_title->sizeHint().height() + 6 + 8);
    resize(150, 200);
}

void ui::TqbTable::fillList(const QList<TqbField> &fields)
{
    const QSignalBlocker block(m_list);
    for (int i = 0; i < fields.size(); ++i) {
        const QString quoted = QuotedFieldName(fields.at(i).FieldName);
        auto *item = new QListWidgetItem(i == 0 ? quoted
                                                : quoted + QStringLiteral(" (")
                                                      + FieldTypeName(fields.at(i).FieldType)
                                                      + QLatin1Char(')'),
                                         m_list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

int ui::TqbTable::SelectedField() const
{
    return m_list->currentRow();
}

void ui::TqbTable::SetTicked(int field, bool ticked)
{
    const QSignalBlocker block(m_list);
    if (QListWidgetItem *item = m_list->item(field))
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

bool ui::TqbTable::IsTicked(int field) const
{
    const QListWidgetItem *item = m_list->item(field);
    return item && item->checkState() == Qt::Checked;
}

void ui::TqbTable::ToggleMinimised()
{
    if (Minimised()) {
        resize(width(), m_savedHeight);
        m_savedHeight = -1;
        m_minimise->setText(QStringLiteral("_"));
    } else {
        m_savedHeight = height();
        resize(width(), minimumHeight());
        m_minimise->setText(QStringLiteral("^"));
    }
}

void ui::TqbTable::layoutParts()
{
    const int titleHeight = m_title->sizeHint().height() + 6;
    m_title->setGeometry(1, 1, width() - 2, titleHeight);
    m_icon->setGeometry(4, 1 + (titleHeight - 16) / 2, 16, 16);
    m_close->setGeometry(width() - 25, 3, 17, 15);
    m_minimise->setGeometry(width() - 42, 3, 17, 15);
    m_list->setGeometry(1, titleHeight + 1, width() - 2, std::max(0, height() - titleHeight - 2));
    m_icon->raise();
    m_close->raise();
    m_minimise->raise();
}

int ui::TqbTable::AttachY(int field) const
{
    QListWidgetItem *item = m_list->item(field);
    const QRect itemRect = item ? m_list->visualItemRect(item) : QRect();
    const QPoint mid = m_list->viewport()->mapTo(m_area, QPoint(0, itemRect.center().y()));
    const QPoint top = m_list->viewport()->mapTo(m_area, QPoint(0, 0));
    const int visibleBottom = top.y() + std::max(0, m_list->viewport()->height() - 1);
    return bralvo::report::AttachY(mid.y(), top.y(), visibleBottom, y(), y() + height() - 1);
}

void ui::TqbTable::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    layoutParts();
    m_area->BoxGeometryChanged(this);
}

void ui::TqbTable::moveEvent(QMoveEvent *event)
{
    QFrame::moveEvent(event);
    m_area->BoxGeometryChanged(this);
}

// A press on the title moves the box; one on the frame's lower right
// corner resizes it.
bool ui::TqbTable::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_title && event->type() == QEvent::MouseButtonPress) {
        auto *me = static_cast<QMouseEvent *>(event);
        m_moving = true;
        m_grab = me->globalPosition().toPoint() - pos();
        raise();
        return true;
    }
    if (watched == m_title && event->type() == QEvent::MouseMove && m_moving) {
        move(static_cast<QMouseEvent *>(event)->globalPosition().toPoint() - m_grab);
        return true;
    }
    if (watched == m_title && event->type() == QEvent::MouseButtonRelease) {
        m_moving = false;
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void ui::TqbTable::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    m_resizing = p.x() >= width() - kBorder || p.y() >= height() - kBorder;
    m_grab = QPoint(width(), height()) - p;
}

void ui::TqbTable::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (m_resizing && (event->buttons() & Qt::LeftButton)) {
        resize((p + m_grab).x(), (p + m_grab).y());
        return;
    }
    const bool edge = p.x() >= width() - kBorder || p.y() >= height() - kBorder;
    setCursor(edge ? Qt::SizeFDiagCursor : Qt::ArrowCursor);
}

void ui::TqbTable::mouseReleaseEvent(QMouseEvent *)
{
    m_resizing = false;
}

} // namespace bralvo::report
