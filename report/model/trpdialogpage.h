// Dialog pages and dialog controls: windows a report shows modally before
// it is prepared, and the controls on them. The report model holds their
// properties and state; the window itself sits behind TrpDialogWindow,
// whose widget implementation the preview library installs
// (setDialogWindowFactory). Without a factory a page keeps an in-memory
// window that never blocks: ShowModal returns its ModalResult at once.
#pragma once

#include "report/model/trppage.h"

#include <QPointer>
#include <QWidget>
#include <exception>
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
// Modal results of a dialog page.
inline constexpr int kDialogOk = 1;
inline constexpr int kDialogCancel = 2;
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
    // The Qt window controls are placed on; nullptr without one.
    virtual QWidget *Widget() const { return nullptr; }
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
    // A script error raised by an event while the window runs: the run
    // ends with a cancel and ShowModal raises the error afterwards.
    void FailModalRun(std::exception_ptr failure);

    QString GetDescription() const override;

protected:
    void FontChanged() override;
    bool PlacesChildrenAtOrigin() const override { return true; }

private:
    void syncBounds();

    TFormBorderStyle m_borderStyle = bsSizeable;
    QString m_caption;
    int m_color = clBtnFace;
    std::unique_ptr<TrpDialogWindow> m_window;
    std::exception_ptr m_failure;
    QString m_OnActivate, m_OnClick, m_OnCloseQuery, m_OnDeactivate, m_OnHide, m_OnKeyDown, m_OnKeyPress,
        m_OnKeyUp, m_OnResize, m_OnShow;
    TPosition m_position = poScreenCenter;
    TWindowState m_windowState = wsNormal;
};

// Where a dialog control sits on no dialog page and no other dialog
// control, its Qt control goes onto this window (the library's hidden
// parent form, installed with the windows); without one it has no parent.
void setLooseControlParent(std::function<QWidget *()> provider);
// Whether dialog controls can make Qt controls (a QApplication runs).
bool platformControlsAvailable();

// The base of the controls on dialog pages. A concrete control makes its
// Qt control and hands it to AttachControl; the dialog control then owns
// it, keeps its bounds, visibility, font, Enabled, Hint and Caption in
// step with it and passes the control's events to the report script with
// itself as Sender. Without a QApplication there is no Qt control and
// the properties are kept in memory.
class TrpDialogControl : public TrpReportComponent {
    BRALVO_CLASS(TrpDialogControl)
public:
    explicit TrpDialogControl(platform::Component *owner);
    // The Qt control goes after the base.
    ~TrpDialogControl() override;

    QWidget *Control() const { return m_control; }

    bool Enabled() const;
    void SetEnabled(bool v);
    QString Hint() const;
    void SetHint(const QString &v);
    // The control's text.
    QString Caption() const;
    void SetCaption(const QString &v);
    // Whether the control shows its name as its caption (buttons, labels).
    bool CaptionFollowsName() const { return m_captionFollowsName; }
    void SetCaptionFollowsName(bool v) { m_captionFollowsName = v; }
#define BRALVO_CONTROL_EVENT(Name)                               \
    QString Name() const { return m_##Name; }                    \
    void Set##Name(const QString &v) { m_##Name = v; }
    BRALVO_CONTROL_EVENT(OnClick)
    BRALVO_CONTROL_EVENT(OnDblClick)
    BRALVO_CONTROL_EVENT(OnEnter)
    BRALVO_CONTROL_EVENT(OnExit)
    BRALVO_CONTROL_EVENT(OnKeyDown)
    BRALVO_CONTROL_EVENT(OnKeyPress)
    BRALVO_CONTROL_EVENT(OnKeyUp)
    BRALVO_CONTROL_EVENT(OnMouseDown)
    BRALVO_CONTROL_EVENT(OnMouseMove)
    BRALVO_CONTROL_EVENT(OnMouseUp)
#undef BRALVO_CONTROL_EVENT

    // Runs the OnClick (OnDblClick) script procedure with the control.
    void DoClick(bool doubleClick = false);
    void DoEnter(bool enter);
    // Only when the event is named; the key comes back from the script.
    void DoKey(bool down, int &key, int shift);
    // An empty text back from the script gives character 0.
    void DoKeyPress(QChar &key);
    void DoMouse(bool down, int button, int shift, int x, int y);
    void DoMouseMove(int shift, int x, int y);

    // Focuses the Qt control.
    void SetFocus();

    // A caption equal to the old name follows a rename unless loading.
    void setName(const QString &name) override;
    // The Qt control follows: onto the parent dialog control's control,
    // the dialog page's window or the hidden parent form.
    void SetParent(TrpComponent *parent) override;
    void SetLeft(double v) override;
    void SetTop(double v) override;
    void SetWidth(double v) override;
    void SetHeight(double v) override;
    void SetVisible(bool value) override;
    void SetParentFont(bool value) override;
    // The Qt control paints itself at (AbsLeft, AbsTop) on a button-face
    // ground; scale and offset are not used.
    void Draw(QPainter &canvas, double scaleX, double scaleY, double offsetX, double offsetY) override;

protected:
    // Takes control (owned from now on), routes its events and places it.
    void AttachControl(QWidget *control);
    void FontChanged() override;

    // Runs a script event of the Qt control (see the .cpp for errors).
    void guarded(const std::function<void()> &event);

private:
    void placeControl();
    void syncGeometry();

    QPointer<QWidget> m_control;  // Qt may delete it with a parent window
    bool m_enabled = true;
    QString m_hint, m_caption;
    bool m_captionFollowsName = false;
    QString m_OnClick, m_OnDblClick, m_OnEnter, m_OnExit, m_OnKeyDown, m_OnKeyPress, m_OnKeyUp, m_OnMouseDown,
        m_OnMouseMove, m_OnMouseUp;
};

// Publishes the dialog control's script event names in a concrete
// control's property table.
template <class T>
void publishDialogControlEvents(platform::PropertyBuilder<T> &b)
{
    b.string("OnClick", &T::OnClick, &T::SetOnClick);
    b.string("OnDblClick", &T::OnDblClick, &T::SetOnDblClick);
    b.string("OnEnter", &T::OnEnter, &T::SetOnEnter);
    b.string("OnExit", &T::OnExit, &T::SetOnExit);
    b.string("OnKeyDown", &T::OnKeyDown, &T::SetOnKeyDown);
    b.string("OnKeyPress", &T::OnKeyPress, &T::SetOnKeyPress);
    b.string("OnKeyUp", &T::OnKeyUp, &T::SetOnKeyUp);
    b.string("OnMouseDown", &T::OnMouseDown, &T::SetOnMouseDown);
    b.string("OnMouseMove", &T::OnMouseMove, &T::SetOnMouseMove);
    b.string("OnMouseUp", &T::OnMouseUp, &T::SetOnMouseUp);
}

} // namespace bralvo::report
