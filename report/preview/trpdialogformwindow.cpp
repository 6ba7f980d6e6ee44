// A dialog page's window on screen.
#include "report/preview/trpdialogformwindow.h"

#include "platform/font.h"
#include "platform/widgets/controlevents.h"
#include "report/model/trpview.h"
#include "report/preview/trpdialogform.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>


namespace bralvo::report {

namespace {

constexpr int kModalOk = 1;
constexpr int kModalCancel = 2;

Qt::WindowFlags flagsFor(TFormBorderStyle style)
{
    Qt::WindowFlags flags = Qt::Dialog;
    if (style == bsNone)
        flags |= Qt::FramelessWindowHint;
    if (style == bsToolWindow || style == bsSizeToolWin)
        flags = Qt::Tool;
    return flags;
}

} // namespace

TrpDialogFormWindow::TrpDialogFormWindow(TrpDialogPage &page)
    : m_page(page), m_form(std::make_unique<TrpDialogForm>(&page))
{
}

TrpDialogFormWindow::~TrpDialogFormWindow() = default;

void TrpDialogFormWindow::SetBounds(int left, int top, int width, int height)
{
    m_form->move(left, top);
    const QSize size(std::max(width, 0), std::max(height, 0));
    if (m_form->minimumSize() == m_form->maximumSize())
        m_form->setFixedSize(size);  // a dialog border keeps the page's size fixed
    else
        m_form->resize(size);
}

QRect TrpDialogFormWindow::Bounds() const
{
    return QRect(m_form->pos(), m_form->size());
}

void TrpDialogFormWindow::SetCaption(const QString &caption)
{
    m_form->setWindowTitle(caption);
}

// System colours (negative) leave the window's own palette.
void TrpDialogFormWindow::SetColor(int color)
{
    QPalette palette = m_form->palette();
    palette.setColor(QPalette::Window, color < 0 ? QApplication::palette().color(QPalette::Window)
                                                 : ColorToQColor(color));
    m_form->setPalette(palette);
}

void TrpDialogFormWindow::SetFont(const platform::Font &font)
{
    QFont f(font.name(), std::max(font.size(), 1));
    f.setBold(font.style() & platform::fsBold);
    f.setItalic(font.style() & platform::fsItalic);
    f.setUnderline(font.style() & platform::fsUnderline);
    f.setStrikeOut(font.style() & platform::fsStrikeOut);
    m_form->setFont(f);
}

void TrpDialogFormWindow::SetModalResult(int result)
{
    m_modalResult = result;
    if (m_running && result != 0)
        m_form->done(result);
}

bool TrpDialogFormWindow::IsVisible() const
{
    return m_form->isVisible();
}

void TrpDialogFormWindow::Hide()
{
    m_form->hide();
}

void TrpDialogFormWindow::SetBorderStyle(TFormBorderStyle style)
{
    const QSize size = m_form->size();
    m_form->setWindowFlags(flagsFor(style) | (m_form->windowFlags() & Qt::WindowStaysOnTopHint));
    if (style == bsSingle || style == bsDialog) {
        m_form->setFixedSize(size);
    } else {
        m_form->setMinimumSize(0, 0);
        m_form->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

void TrpDialogFormWindow::SetStayOnTop(bool on)
{
    m_form->setWindowFlag(Qt::WindowStaysOnTopHint, on);
}

// Centred on the screen, or on the active window for the owner-centred
// positions; designed and default positions keep the page's Left and Top.
void TrpDialogFormWindow::placeWindow()
{
    QRect area;
    QWidget *active = QApplication::activeWindow();
    if ((m_position == poMainFormCenter || m_position == poOwnerFormCenter) && active)
        area = active->frameGeometry();
    else if (m_position == poScreenCenter || m_position == poDesktopCenter
             || m_position == poMainFormCenter || m_position == poOwnerFormCenter)
        area = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry() : QRect();
    if (area.isValid())
        m_form->move(area.center() - QPoint(m_form->width() / 2, m_form->height() / 2));
    if (m_windowState == wsMaximized)
        m_form->setWindowState(Qt::WindowMaximized);
    else if (m_windowState == wsMinimized)
        m_form->setWindowState(Qt::WindowMinimized);
}

QWidget *TrpDialogFormWindow::Widget() const
{
    return m_form.get();
}

void TrpDialogFormWindow::routeEvents(const std::function<void()> &onModify)
{
    TrpDialogPage *page = &m_page;
    const auto guarded = [page](const std::function<void()> &event) {
        try {
            event();
        } catch (...) {
            page->FailModalRun(std::current_exception());
        }
    };
    m_form->OnModify = [onModify](TrpDialogForm *) {
        if (onModify)
            onModify();
    };
    m_form->OnCloseQuery = [page, guarded] {
        bool canClose = true;
        guarded([&] { page->DoCloseQuery(canClose); });
        return canClose;
    };
    using Event = TrpDialogPage::DialogEvent;
    m_form->OnActivate = [page, guarded, onModify] {
        if (onModify)
            onModify();
        guarded([&] { page->DoEvent(Event::Activate); });
    };
    m_form->OnDeactivate = [page, guarded] { guarded([&] { page->DoEvent(Event::Deactivate); }); };
    m_form->OnClick = [page, guarded] { guarded([&] { page->DoEvent(Event::Click); }); };
    m_form->OnResize = [page, guarded] { guarded([&] { page->DoEvent(Event::Resize); }); };
    const auto key = [page, guarded](bool down) {
        return [page, guarded, down](int qtKey, Qt::KeyboardModifiers modifiers, bool &handled) {
            // Keys without a virtual-key code only type their character.
            int vk = platform::virtualKeyOf(qtKey);
            if (vk == 0)
                return;
            guarded([&] { page->DoKey(down, vk, platform::shiftStateOf(modifiers)); });
            handled = vk == 0;
        };
    };
    m_form->OnKeyDown = key(true);
    m_form->OnKeyUp = key(false);
    m_form->OnKeyPress = [page, guarded](QChar &ch) { guarded([&] { page->DoKeyPress(ch); }); };
}

void TrpDialogFormWindow::unrouteEvents()
{
    m_form->OnCloseQuery = nullptr;
    m_form->OnModify = nullptr;
    m_form->OnActivate = m_form->OnDeactivate = m_form->OnClick = m_form->OnResize = nullptr;
    m_form->OnKeyDown = m_form->OnKeyUp = nullptr;
    m_form->OnKeyPress = nullptr;
}

int TrpDialogFormWindow::ExecModal(const std::function<void()> &onModify)
{
    m_modalResult = 0;
    placeWindow();
    m_page.DoEvent(TrpDialogPage::DialogEvent::Show);
    routeEvents(onModify);
    m_running = true;
    const int code = m_form->exec();
    m_running = false;
    unrouteEvents();
    if (m_modalResult == 0)
        m_modalResult = code == QDialog::Accepted ? kModalOk : kModalCancel;
    m_page.DoEvent(TrpDialogPage::DialogEvent::Hide);
    return m_modalResult;
}

} // namespace bralvo::report
