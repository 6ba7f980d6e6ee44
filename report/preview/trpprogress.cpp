// The progress window of report preparation, export and printing.
#include "report/preview/trpprogress.h"

#include "report/model/trpresources.h"
#include "report/preview/mirroredgeometry.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

namespace bralvo::report {

TrpProgress::TrpProgress()
    : QWidget(nullptr, Qt::Dialog | Qt::FramelessWindowHint), m_panel(new QFrame(this))
{
    setObjectName(QStringLiteral("TrpProgress"));
    setFixedSize(271, 101);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panel->setLineWidth(2);
    m_panel->setGeometry(0, 0, 271, 101);
    LMessage = new QLabel(m_panel);
    LMessage->setObjectName(QStringLiteral("LMessage"));
    LMessage->setAlignment(Qt::AlignCenter);
    placeMirrored(LMessage, QRect(16, 11, 237, 16));
    Bar = new QProgressBar(m_panel);
    Bar->setObjectName(QStringLiteral("Bar"));
    Bar->setTextVisible(false);
    placeMirrored(Bar, QRect(16, 37, 237, 17));
    CancelB = new QPushButton(GetResources().Get(QStringLiteral("2")), m_panel);
    CancelB->setObjectName(QStringLiteral("CancelB"));
    placeMirrored(CancelB, QRect(100, 64, 75, 25));
    connect(CancelB, &QPushButton::clicked, this, [this] { SetTerminated(true); });
    Bar->setRange(0, 100);
    Bar->setValue(0);
    m_remembered = QApplication::activeWindow();
    if (m_remembered)
        m_remembered->setEnabled(false);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TrpProgress::~TrpProgress()
{
    enableRemembered();
}

void TrpProgress::enableRemembered()
{
    // The window may have gone meanwhile: QPointer is then null.
    if (m_remembered)
        m_remembered->setEnabled(true);
}

void TrpProgress::Execute(int maxValue, const QString &msg, bool showProgressBar, bool showCancel)
{
    m_terminated = false;
    CancelB->setVisible(showCancel);
    SetShowProgressBar(showProgressBar);
    Bar->setMinimum(0);
    SetPosition(0);
    Bar->setMaximum(maxValue);
    SetMessage(msg);
    show();
    QCoreApplication::processEvents();
}

void TrpProgress::SetMessage(const QString &text)
{
    LMessage->setText(text);
    LMessage->repaint();
}

QString TrpProgress::Message() const
{
    return LMessage->text();
}

void TrpProgress::SetTerminated(bool value)
{
    m_terminated = value;
    if (value)
        hide();
}

int TrpProgress::Position() const
{
    return Bar->value();
}

void TrpProgress::SetPosition(int value)
{
    Bar->setValue(value);
    raise();
    QCoreApplication::processEvents();
}

void TrpProgress::SetShowProgressBar(bool value)
{
    m_showProgressBar = value;
    Bar->setVisible(value);
    placeMirrored(LMessage, QRect(16, value ? 15 : 35, 237, 16));
}

void TrpProgress::hideEvent(QHideEvent *event)
{
    enableRemembered();
    QWidget::hideEvent(event);
}

void TrpProgress::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && CancelB->isVisible()) {
        CancelB->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TrpProgress::mousePressEvent(QMouseEvent *event)
{
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    QWidget::mousePressEvent(event);
}

void TrpProgress::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        move(event->globalPosition().toPoint() - m_dragOffset);
    QWidget::mouseMoveEvent(event);
}

} // namespace bralvo::report
