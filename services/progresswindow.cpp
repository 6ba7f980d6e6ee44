// The progress panel and the downloads that show it.
#include "services/progresswindow.h"

#include "services/downloadmeter.h"
#include "services/globals.h"
#include "services/ticks.h"
#include "services/windowhelpers.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QWidget>

#include <limits>
#include <memory>

namespace bralvo::services {

TProgress *CurrentProgress = nullptr;

namespace {

constexpr int kMargin = 15;

// QProgressBar counts in int; larger byte counts are scaled together.
int scaled(qint64 value, qint64 total)
{
    qint64 divisor = 1;
    while (total / divisor > std::numeric_limits<int>::max())
        divisor *= 1024;
    return static_cast<int>(value / divisor);
}

// While a download runs, the window thread keeps painting but takes no
// input: a click or key would otherwise run a handler (a second download,
// closing the window the panel sits on) in the middle of this one.
class UserInputBlocker : public QObject {
public:
    UserInputBlocker() { QCoreApplication::instance()->installEventFilter(this); }
    ~UserInputBlocker() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
            return true;
        default:
            return false;
        }
    }
};

} // namespace

TProgress::TProgress(int maximum, QWidget *parent, const QString &caption, bool useGauge)
{
    m_panel = new QFrame(parent);
    m_panel->setObjectName(QStringLiteral("ProgressPanel"));
    m_panel->setFrameShape(QFrame::Panel);
    m_panel->setFrameShadow(QFrame::Raised);
    m_panel->setAutoFillBackground(true);
    const QRect client = parent ? parent->contentsRect() : QRect();
    m_panel->setGeometry(client.width() / 2 - PanelWidth / 2, client.height() / 2 - PanelHeight / 2,
                         PanelWidth, PanelHeight);

    m_indicator = new QProgressBar(m_panel);
    m_indicator->setObjectName(useGauge ? QStringLiteral("IndicatorGauge") : QStringLiteral("IndicatorBar"));
    m_indicator->setRange(0, maximum);
    m_indicator->setValue(0);
    if (useGauge)
        m_indicator->setStyleSheet(QStringLiteral("QProgressBar::chunk { background-color: navy; }"));
    m_indicator->setGeometry(kMargin, 50, PanelWidth - 2 * kMargin, 17);

    m_label = new QLabel(m_panel);
    m_label->setObjectName(QStringLiteral("StatusLabel"));
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    m_label->setGeometry(kMargin, 10, 370, 34);
    m_label->setText(caption.isEmpty() ? QStringLiteral("prosím čakajte...") : caption);
    m_panel->show();
    m_label->repaint();
    CurrentProgress = this;
}

TProgress::~TProgress()
{
    delete m_panel;  // the indicator and the label are its children
    if (CurrentProgress == this)
        CurrentProgress = nullptr;
}

int TProgress::Position(int value)
{
    if (value != 0)
        m_indicator->setValue(value);
    return m_indicator->value();
}

void TProgress::setMaximum(int maximum)
{
    m_indicator->setMaximum(maximum);
}

void TProgress::setStatusText(const QString &text)
{
    m_label->setText(text);
}

void DownloadProgress(TDownload &state, qint64 received, qint64 total, const QString &statusText)
{
    if (TProgress *panel = CurrentProgress) {
        const qint64 scale = qMax(total, received);
        panel->setMaximum(scaled(total, scale));
        panel->Position(scaled(received, scale));
        if (const std::optional<QString> text = state.progress(received, total, statusText, TickNowMs()))
            panel->setStatusText(*text);
        panel->ProgressPanel()->raise();
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool DownloadFile(const QString &url, const QString &folder, const QString &fileName, QWidget *parent,
                  const DownloadLimits &limits)
{
    const QString target = DownloadTargetPath(url, folder, fileName);
    const UserInputBlocker blocker;
    TProgress panel(0, parent, QStringLiteral("začína sťahovanie..."), false);
    QFrame *frame = panel.ProgressPanel();
    frame->setGeometry(frame->x(), frame->y() - 10, frame->width(), 120);
    TDownload state(TickNowMs());
    FetchUrlToFile(
        url, target,
        [&state](qint64 received, qint64 total, const QString &status) {
            DownloadProgress(state, received, total, status);
        },
        limits);
    return true;
}

bool DownloadWithWindow(const QString &url, const QString &folder, const QString &fileName,
                        const DownloadLimits &limits)
{
    ReadScreenSize();
    auto window = std::make_unique<QWidget>(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    window->setObjectName(QStringLiteral("DownloadWindow"));
    window->setWindowTitle(ProgramTitle);
    window->resize(TProgress::PanelWidth, TProgress::PanelHeight);
    window->show();
    const QSize outer = window->frameGeometry().size();
    window->move((ScreenWidth - outer.width()) / 2, (ScreenHeight - outer.height()) / 2);
    return DownloadFile(url, folder, fileName, window.get(), limits);
}

} // namespace bralvo::services
