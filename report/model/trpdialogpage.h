// Dialog pages and dialog controls: windows a report shows modally before
// it is prepared, and the controls on them. The report model holds their
// properties and state; the window itself sits behind TrpDialogWindow,
// whose widget implementation the preview library installs
// (setDialogWindowFactory). Without a factory a page keeps an in-memory
// window that never blocks: ShowModal returns its ModalResult at once.
#pragma once

#include "report/model/trppage.h"

#include <functional>
#include <memory>

namespace bralvo::report {

enum TFormBorderStyle : int { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TPosition : int {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
    poMainFormCenter, poOwnerFormCenter
};
enum TWindowState : int { wsNormal, wsMinimized, wsMaximized };

inline constexpr int clBtnFace = -16777201;
// The page's Tag while its window is created in thread-safe mode.
inline constexpr int kThreadSafeDialogTag = 318;

const platform::EnumInfo &formBorderStyleEnum();
const platform::EnumInfo &positionEnum();
const platform::EnumInfo &windowStateEnum();

class TrpDialogPage;

// The window of a dialog page. Positions and sizes in pixels.
class TrpDialogWindow {
public:
    virtual ~TrpDialogWindow() = default;
    virtual void SetBounds(int left, int top, int width, int height) = 0;
    virtual QRect Bounds() const = 0;
    virtual void SetCaption(const QString &caption) = 0;
    virtual void SetColor(int color) = 0;
    virtual void SetFont(const platform::Font &font) = 0;
    virtual int ModalResult() const = 0;
    virtual void SetModalResult(int result) = 0;
    virtual bool IsVisible() const = 0;
    virtual void Hide() = 0;
    virtual void SetBorderStyle(TFormBorderStyle style) = 0;
    virtual void SetPosition(TPosition position) = 0;
    virtual void SetWindowState(TWindowState state) = 0;
    virtual void SetStayOnTop(bool on) = 0;
    // Runs modally; OnModify is called each time the user ends moving or
    // sizing the window. Returns the modal result.
    virtual int ExecModal(const std::function<void()> &onModify) = 0;
};

// Creates the window of Page; Page's Tag is kThreadSafeDialogTag while
// it runs when the report is in thread-safe mode, else 0.
void setDialogWindowFactory(std::function<std::unique_ptr<TrpDialogWindow>(TrpDialogPage &page)> factory);

class TrpDialogPage : public TrpPage {
    BRALVO_CLASS(TrpDialogPage)
public:
    // "Tahoma" 8, button-face colour, sizeable, centred on the screen.
    explicit TrpDialogPage(platform::Component *owner);
    // Under the report unit's lock; the window goes after the page.
    ~TrpDialogPage() override;

    TFormBorderStyle BorderStyle() const { return m_borderStyle; }
    // Stored only; applied by ShowModal.
    void SetBorderStyle(TFormBorderStyle v) { m_borderStyle = v; }
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &v);
    int Color() const { return m_color; }
    void SetColor(int v);
    TPosition Position() const { return m_position; }
    void SetPosition(TPosition v) { m_position = v; }
    TWindowState WindowState() const { return m_windowState; }
    void SetWindowState(TWindowState v) { m_windowState = v; }
#define BRALVO_DIALOG_EVENT(Name)                                \
    QString Name() const { return m_##Name; }                    \
    void Set##Name(const QString &v) { m_##Name = v; }
    BRALVO_DIALOG_EVENT(OnActivate)
    BRALVO_DIALOG_EVENT(OnClick)
    BRALVO_DIALOG_EVENT(OnCloseQuery)
    BRALVO_DIALOG_EVENT(OnDeactivate)
    BRALVO_DIALOG_EVENT(OnHide)
    BRALVO_DIALOG_EVENT(OnKeyDown)
    BRALVO_DIALOG_EVENT(OnKeyPress)
    BRALVO_DIALOG_EVENT(OnKeyUp)
    BRALVO_DIALOG_EVENT(OnResize)
    BRALVO_DIALOG_EVENT(OnShow)
#undef BRALVO_DIALOG_EVENT

    // The base setters, then the window (rounded).
    void SetLeft(double v) override;
    void SetTop(double v) override;
    void SetWidth(double v) override;
    void SetHeight(double v) override;

    // Window events, each running the script procedure its property
    // names (nothing when blank); the values the script leaves come back.
    enum class DialogEvent { Activate, Click, Deactivate, Hide, Resize, Show };
    void DoEvent(DialogEvent event);
    void DoCloseQuery(bool &canClose);
    void DoKey(bool down, int &key, int shift);
    // An empty text back from the script gives character 0.
    void DoKeyPress(QChar &key);

    int ModalResult() const { return m_window->ModalResult(); }
    void SetModalResult(int v) { m_window->SetModalResult(v); }
    TrpDialogWindow *Window() const { return m_window.get(); }
    // Hides a visible window, applies Position, WindowState and
    // BorderStyle, runs it modally (the page follows the user's moves and
    // resizes), then makes it stay on top, also when the run fails.
    int ShowModal();

    QString GetDescription() const override;

protected:
    void FontChanged() override;

private:
    void syncBounds();

    TFormBorderStyle m_borderStyle = bsSizeable;
    QString m_caption;
    int m_color = clBtnFace;
    std::unique_ptr<TrpDialogWindow> m_window;
    QString m_OnActivate, m_OnClick, m_OnCloseQuery, m_OnDeactivate, m_OnHide, m_OnKeyDown, m_OnKeyPress,
        m_OnKeyUp, m_OnResize, m_OnShow;
    TPosition m_position = poScreenCenter;
    TWindowState m_windowState = wsNormal;
};

// The base of the controls on dialog pages.
class TrpDialogControl : public TrpReportComponent {
    BRALVO_CLASS(TrpDialogControl)
public:
    explicit TrpDialogControl(platform::Component *owner);

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool v) { m_enabled = v; }
    QString Hint() const { return m_hint; }
    void SetHint(const QString &v) { m_hint = v; }
    // The control's text.
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &v) { m_caption = v; }
    // Whether the control shows its name as its caption (buttons, labels).
    bool CaptionFollowsName() const { return m_captionFollowsName; }
    void SetCaptionFollowsName(bool v) { m_captionFollowsName = v; }
    QString OnClick() const { return m_onClick; }
    void SetOnClick(const QString &v) { m_onClick = v; }
    QString OnDblClick() const { return m_onDblClick; }
    void SetOnDblClick(const QString &v) { m_onDblClick = v; }

    // Runs the OnClick (OnDblClick) script procedure with the control.
    void DoClick(bool doubleClick = false);
    // A caption equal to the old name follows a rename unless loading.
    void setName(const QString &name) override;
    // Drawn by the platform control, which this layer does not hold.
    void Draw(QPainter &, double, double, double, double) override {}

private:
    bool m_enabled = true;
    QString m_hint, m_caption;
    bool m_captionFollowsName = false;
    QString m_onClick, m_onDblClick;
};

} // namespace bralvo::report
