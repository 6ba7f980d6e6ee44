// The window a dialog page runs in on screen: a TrpDialogForm behind the
// model's TrpDialogWindow. installReportWindows() makes every new dialog
// page create one.
#pragma once

#include "report/model/trpdialogpage.h"

#include <memory>

namespace bralvo::report {

class TrpDialogForm;

// Bounds are the window's position and its client size, in pixels. The
// modal result follows the platform's codes: 1 OK, 2 cancel; a window the
// user closes (when the page's OnCloseQuery allows it) ends with 2.
// Setting a result other than 0 while the window runs ends the run.
class TrpDialogFormWindow : public TrpDialogWindow {
public:
    explicit TrpDialogFormWindow(TrpDialogPage &page);
    ~TrpDialogFormWindow() override;

    void SetBounds(int left, int top, int width, int height) override;
    QRect Bounds() const override;
    void SetCaption(const QString &caption) override;
    void SetColor(int color) override;
    void SetFont(const platform::Font &font) override;
    int ModalResult() const override { return m_modalResult; }
    void SetModalResult(int result) override;
    bool IsVisible() const override;
    void Hide() override;
    void SetBorderStyle(TFormBorderStyle style) override;
    void SetPosition(TPosition position) override { m_position = position; }
    void SetWindowState(TWindowState state) override { m_windowState = state; }
    void SetStayOnTop(bool on) override;
    // Runs the page's OnShow as the window shows and OnHide as it goes;
    // the user's close asks the page's OnCloseQuery; activation, clicks,
    // resizes and keys (before the focused control sees them) reach the
    // page's other events. A script error ends the run and is raised.
    int ExecModal(const std::function<void()> &onModify) override;

    TrpDialogForm *Form() const { return m_form.get(); }
    QWidget *Widget() const override;

private:
    void placeWindow();
    // Routes the window's events to the page while it runs.
    void routeEvents(const std::function<void()> &onModify);
    void unrouteEvents();

    TrpDialogPage &m_page;
    std::unique_ptr<TrpDialogForm> m_form;
    int m_modalResult = 0;
    bool m_running = false;
    TPosition m_position = poScreenCenter;
    TWindowState m_windowState = wsNormal;
};

} // namespace bralvo::report
