// Dialog pages and dialog controls: property tables, window state and
// the modal run.
#include "report/model/trpdialogpage.h"

#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"

#include <QMutexLocker>
#include <cmath>

namespace bralvo::report {

namespace {

// The window without a widget: it keeps what it is given.
class MemoryDialogWindow : public TrpDialogWindow {
public:
    void SetBounds(int l, int t, int w, int h) override { m_bounds = QRect(l, t, w, h); }
    QRect Bounds() const override { return m_bounds; }
    void SetCaption(const QString &) override {}
    void SetColor(int) override {}
    void SetFont(const platform::Font &) override {}
    int ModalResult() const override { return m_modalResult; }
    void SetModalResult(int r) override { m_modalResult = r; }
    bool IsVisible() const override { return false; }
    void Hide() override {}
    void SetBorderStyle(TFormBorderStyle) override {}
    void SetPosition(TPosition) override {}
    void SetWindowState(TWindowState) override {}
    void SetStayOnTop(bool) override {}
    int ExecModal(const std::function<void()> &) override { return m_modalResult; }

private:
    QRect m_bounds;
    int m_modalResult = 0;
};

std::function<std::unique_ptr<TrpDialogWindow>(TrpDialogPage &)> &windowFactory()
{
    static std::function<std::unique_ptr<TrpDialogWindow>(TrpDialogPage &)> f;
    return f;
}

int roundEven(double v)
{
    return int(std::nearbyint(v));
}

} // namespace

void setDialogWindowFactory(std::function<std::unique_ptr<TrpDialogWindow>(TrpDialogPage &page)> factory)
{
    windowFactory() = std::move(factory);
}

const platform::EnumInfo &formBorderStyleEnum()
{
    static const platform::EnumInfo e{QStringLiteral("TFormBorderStyle"),
                                      {QStringLiteral("bsNone"), QStringLiteral("bsSingle"),
                                       QStringLiteral("bsSizeable"), QStringLiteral("bsDialog"),
                                       QStringLiteral("bsToolWindow"), QStringLiteral("bsSizeToolWin")}};
    return e;
}

const platform::EnumInfo &positionEnum()
{
    static const platform::EnumInfo e{
        QStringLiteral("TPosition"),
        {QStringLiteral("poDesigned"), QStringLiteral("poDefault"), QStringLiteral("poDefaultPosOnly"),
         QStringLiteral("poDefaultSizeOnly"), QStringLiteral("poScreenCenter"), QStringLiteral("poDesktopCenter"),
         QStringLiteral("poMainFormCenter"), QStringLiteral("poOwnerFormCenter")}};
    return e;
}

const platform::EnumInfo &windowStateEnum()
{
    static const platform::EnumInfo e{QStringLiteral("TWindowState"),
                                      {QStringLiteral("wsNormal"), QStringLiteral("wsMinimized"),
                                       QStringLiteral("wsMaximized")}};
    return e;
}

const platform::ClassInfo &TrpDialogPage::staticClass()
{
    using T = TrpDialogPage;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpDialogPage", &TrpPage::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.enumeration("BorderStyle", formBorderStyleEnum(), &T::BorderStyle, &T::SetBorderStyle, bsSizeable);
            b.string("Caption", &T::Caption, &T::SetCaption);
            b.integer("Color", &T::Color, &T::SetColor, clBtnFace);
            b.floating("Height", &T::Height, &T::SetHeight);
            b.floating("Left", &T::Left, &T::SetLeft);
            b.enumeration("Position", positionEnum(), &T::Position, &T::SetPosition, poScreenCenter);
            b.floating("Top", &T::Top, &T::SetTop);
            b.floating("Width", &T::Width, &T::SetWidth);
            b.enumeration("WindowState", windowStateEnum(), &T::WindowState, &T::SetWindowState, wsNormal);
            b.string("OnActivate", &T::OnActivate, &T::SetOnActivate);
            b.string("OnClick", &T::OnClick, &T::SetOnClick);
            b.string("OnCloseQuery", &T::OnCloseQuery, &T::SetOnCloseQuery);
            b.string("OnDeactivate", &T::OnDeactivate, &T::SetOnDeactivate);
            b.string("OnHide", &T::OnHide, &T::SetOnHide);
            b.string("OnKeyDown", &T::OnKeyDown, &T::SetOnKeyDown);
            b.string("OnKeyPress", &T::OnKeyPress, &T::SetOnKeyPress);
            b.string("OnKeyUp", &T::OnKeyUp, &T::SetOnKeyUp);
            b.string("OnShow", &T::OnShow, &T::SetOnShow);
            b.string("OnResize", &T::OnResize, &T::SetOnResize);
        });
    return info;
}

TrpDialogPage::TrpDialogPage(platform::Component *owner) : TrpPage(owner)
{
    const auto realTag = tag();
    TrpReport *report = Report();
    setTag(report && report->EngineOptions()->ThreadSafeMode() ? kThreadSafeDialogTag : 0);
    if (windowFactory())
        m_window = windowFactory()(*this);
    if (!m_window)
        m_window = std::make_unique<MemoryDialogWindow>();
    setTag(realTag);
    Font()->setName(QStringLiteral("Tahoma"));
    Font()->setSize(8);
}

TrpDialogPage::~TrpDialogPage()
{
    QMutexLocker lock(&reportUnitLock());
    Clear();
}

QString TrpDialogPage::GetDescription() const
{
    return GetResources().Get(QStringLiteral("obDlgPage"));
}

void TrpDialogPage::syncBounds()
{
    if (m_window)
        m_window->SetBounds(roundEven(Left()), roundEven(Top()), roundEven(Width()), roundEven(Height()));
}

void TrpDialogPage::SetLeft(double v)
{
    TrpPage::SetLeft(v);
    syncBounds();
}

void TrpDialogPage::SetTop(double v)
{
    TrpPage::SetTop(v);
    syncBounds();
}

void TrpDialogPage::SetWidth(double v)
{
    TrpPage::SetWidth(v);
    syncBounds();
}

void TrpDialogPage::SetHeight(double v)
{
    TrpPage::SetHeight(v);
    syncBounds();
}

void TrpDialogPage::SetCaption(const QString &v)
{
    m_caption = v;
    if (m_window)
        m_window->SetCaption(v);
}

void TrpDialogPage::SetColor(int v)
{
    m_color = v;
    if (m_window)
        m_window->SetColor(v);
}

void TrpDialogPage::FontChanged()
{
    TrpPage::FontChanged();
    if (m_window)
        m_window->SetFont(*Font());
}

int TrpDialogPage::ShowModal()
{
    TrpDialogWindow &w = *m_window;
    if (w.IsVisible())
        w.Hide();
    w.SetPosition(m_position);
    w.SetWindowState(m_windowState);
    w.SetBorderStyle(m_borderStyle);
    w.SetStayOnTop(false);
    auto follow = [this] {
        const QRect r = m_window->Bounds();
        TrpPage::SetLeft(r.left());
        TrpPage::SetTop(r.top());
        TrpPage::SetWidth(r.width());
        TrpPage::SetHeight(r.height());
    };
    int result = 0;
    m_failure = nullptr;
    try {
        result = w.ExecModal(follow);
    } catch (...) {
        w.SetStayOnTop(true);
        throw;
    }
    w.SetStayOnTop(true);
    if (m_failure)
        std::rethrow_exception(std::exchange(m_failure, nullptr));
    return result;
}

void TrpDialogPage::FailModalRun(std::exception_ptr failure)
{
    if (!m_failure)
        m_failure = failure;
    SetModalResult(kDialogCancel);
}

} // namespace bralvo::report
