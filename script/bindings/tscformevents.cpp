// Script forms and controls: events from the widgets, the modal run and
// closing.
#include "script/bindings/tscformcontrols.h"

#include "platform/messageboxseam.h"
#include "platform/widgets/controlevents.h"
#include "script/bindings/tscformwindow.h"
#include "script/runtimeerror.h"

#include <QApplication>
#include <QEventLoop>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace bralvo::script {

namespace {

constexpr int kMrCancel = 2;
constexpr int kCaNone = 0, kCaHide = 1, kCaMinimize = 3;

// The form whose ShowModal runs innermost.
TscControlObject *&runningModal()
{
    static TscControlObject *form = nullptr;
    return form;
}

} // namespace

void TscControlObject::guarded(const std::function<void()> &event)
{
    try {
        event();
    } catch (...) {
        TscControlObject *target = runningModal() ? runningModal() : this;
        if (target->m_failure)
            return;
        target->m_failure = std::current_exception();
        if (target->m_loop)
            target->m_loop->exit();
        else if (m_widget)
            // No modal run takes it: a script call (Show, Click, Close) may
            // still raise it; otherwise it is shown once the event loop runs.
            QTimer::singleShot(0, m_widget, [target] { target->reportLeftFailure(); });
    }
}

void TscControlObject::reportLeftFailure()
{
    if (!m_failure)
        return;
    try {
        std::rethrow_exception(std::exchange(m_failure, nullptr));
    } catch (const std::exception &error) {
        platform::messageBoxSeam().messageBox(exceptionMessage(error), QCoreApplication::applicationName(),
                                              platform::kMbIconError);
    } catch (...) {
        platform::messageBoxSeam().messageBox(QStringLiteral("Unknown error"), QCoreApplication::applicationName(),
                                              platform::kMbIconError);
    }
}

void TscControlObject::routeEvents()
{
    platform::ControlEvents events;
    const auto notify = [this](const char *name) {
        return [this, name] { guarded([this, name] { fireNotify(QString::fromLatin1(name)); }); };
    };
    if (!qobject_cast<QAbstractButton *>(m_widget.data()))
        events.onClick = notify("OnClick");
    else
        events.clickFromMouse = false;
    events.onDblClick = notify("OnDblClick");
    events.onResize = [this] {
        layoutAligned();
        guarded([this] { fireNotify(QStringLiteral("OnResize")); });
    };
    events.onMouseDown = [this](int b, int s, int x, int y) {
        guarded([&] {
            if (auto *e = ScriptEventAs<TscMouseEvent>(QStringLiteral("OnMouseDown")))
                e->Call(this, b, s, x, y);
        });
    };
    events.onMouseUp = [this](int b, int s, int x, int y) {
        guarded([&] {
            if (auto *e = ScriptEventAs<TscMouseEvent>(QStringLiteral("OnMouseUp")))
                e->Call(this, b, s, x, y);
        });
    };
    events.onMouseMove = [this](int s, int x, int y) {
        guarded([&] {
            if (auto *e = ScriptEventAs<TscMouseMoveEvent>(QStringLiteral("OnMouseMove")))
                e->Call(this, s, x, y);
        });
    };
    events.onEnter = notify("OnEnter");
    events.onExit = notify("OnExit");
    const auto key = [this](const char *name) {
        return [this, name](int &k, int s) {
            guarded([&] {
                if (auto *e = ScriptEventAs<TscKeyEvent>(QString::fromLatin1(name))) {
                    quint16 code = quint16(k);
                    e->Call(this, code, s);
                    k = code;
                }
            });
        };
    };
    events.onKeyDown = key("OnKeyDown");
    events.onKeyUp = key("OnKeyUp");
    events.onKeyPress = [this](QChar &k) {
        guarded([&] {
            if (auto *e = ScriptEventAs<TscKeyPressEvent>(QStringLiteral("OnKeyPress")))
                e->Call(this, k);
        });
    };
    if (m_isForm) {
        // A form takes its own mouse; its controls' keys only with KeyPreview.
        events.childMouse = false;
        events.watchChildren = false;
        const auto formKey = events.onKeyDown;
        events.onKeyDown = [this, formKey](int &k, int s) {
            if (m_keyPreview || QApplication::focusWidget() == m_widget || !QApplication::focusWidget())
                formKey(k, s);
        };
        const auto formUp = events.onKeyUp;
        events.onKeyUp = [this, formUp](int &k, int s) {
            if (m_keyPreview || QApplication::focusWidget() == m_widget || !QApplication::focusWidget())
                formUp(k, s);
        };
        const auto formPress = events.onKeyPress;
        events.onKeyPress = [this, formPress](QChar &k) {
            if (m_keyPreview || QApplication::focusWidget() == m_widget || !QApplication::focusWidget())
                formPress(k);
        };
    }
    m_router = new platform::ControlEventRouter(m_widget, std::move(events));
}

void TscControlObject::routeFormEvents()
{
    auto *window = static_cast<TscFormWindow *>(m_widget.data());
    const auto notify = [this](const char *name) {
        return [this, name] { guarded([this, name] { fireNotify(QString::fromLatin1(name)); }); };
    };
    window->hooks.closeQuery = [this] { return closeQuery(); };
    window->hooks.escape = [this] {
        for (QWidget *w : m_widget->findChildren<QWidget *>())
            if (TscControlObject *c = of(w); c && c->Cancel() && w->isVisibleTo(m_widget)) {
                guarded([c] { c->Click(); });
                return true;
            }
        return false;
    };
    window->hooks.show = notify("OnShow");
    window->hooks.hide = [this] {
        // The user closed a modal form: it ends with mrCancel.
        if (runningModal() == this && m_loop) {
            if (m_modalResult == 0)
                m_modalResult = kMrCancel;
            m_loop->exit();
        }
        guarded([this] { fireNotify(QStringLiteral("OnHide")); });
    };
    window->hooks.activate = notify("OnActivate");
    window->hooks.deactivate = notify("OnDeactivate");
    window->hooks.paint = [this](QPainter &painter) {
        m_canvasImage = QImage(m_widget->size(), QImage::Format_ARGB32_Premultiplied);
        m_canvasImage.fill(Qt::transparent);
        guarded([this] { fireNotify(QStringLiteral("OnPaint")); });
        painter.drawImage(0, 0, m_canvasImage);
    };
}

// OnCloseQuery, then OnClose with its Action: caNone keeps the window,
// caMinimize minimizes it, caHide and caFree let it go.
bool TscControlObject::closeQuery()
{
    bool canClose = true;
    int action = kCaHide;
    guarded([&] {
        if (auto *e = ScriptEventAs<TscCloseQueryEvent>(QStringLiteral("OnCloseQuery")))
            e->Call(this, canClose);
        if (canClose)
            if (auto *e = ScriptEventAs<TscCloseEvent>(QStringLiteral("OnClose")))
                e->Call(this, action);
    });
    if (m_failure)
        return true;
    if (!canClose || action == kCaNone)
        return false;
    if (action == kCaMinimize) {
        m_widget->showMinimized();
        return false;
    }
    return true;
}

void TscControlObject::SetModalResult(int result)
{
    m_modalResult = result;
    if (result == 0 || runningModal() != this)
        return;
    if (!closeQuery()) {
        m_modalResult = 0;
        return;
    }
    endModal();
}

void TscControlObject::endModal()
{
    if (m_loop)
        m_loop->exit();
}

void TscControlObject::beforeFirstShow()
{
    ApplyFont();
    if (!std::exchange(m_created, true))
        fireNotify(QStringLiteral("OnCreate"));
    placeForm();
}

// poScreenCenter and poDesktopCenter centre the window on the screen.
void TscControlObject::placeForm()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (screen && (m_position == 4 || m_position == 5))
        m_widget->move(screen->availableGeometry().center() - m_widget->rect().center());
}

void TscControlObject::Show()
{
    if (!m_widget)
        return;
    if (m_isForm)
        beforeFirstShow();
    m_widget->show();
    if (m_failure)
        std::rethrow_exception(std::exchange(m_failure, nullptr));
}

int TscControlObject::ShowModal()
{
    auto *window = dynamic_cast<TscFormWindow *>(m_widget.data());
    if (!window)
        return 0;
    beforeFirstShow();
    m_modalResult = 0;
    m_failure = nullptr;
    TscControlObject *outer = std::exchange(runningModal(), this);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    // A handler of OnShow or OnActivate may have ended the run already.
    if (m_modalResult == 0 && !m_failure && window->isVisible()) {
        QEventLoop loop;
        m_loop = &loop;
        loop.exec(QEventLoop::DialogExec);
        m_loop = nullptr;
    }
    runningModal() = outer;
    window->hooks.closeQuery = nullptr;  // hiding is no close by the user
    window->hide();
    window->hooks.closeQuery = [this] { return closeQuery(); };
    window->setWindowModality(Qt::NonModal);
    if (m_failure)
        std::rethrow_exception(std::exchange(m_failure, nullptr));
    if (m_modalResult == 0)
        m_modalResult = kMrCancel;
    return m_modalResult;
}

void TscControlObject::Close()
{
    if (!m_widget)
        return;
    if (runningModal() == this) {
        SetModalResult(kMrCancel);
    } else {
        m_widget->close();
    }
    if (m_failure)
        std::rethrow_exception(std::exchange(m_failure, nullptr));
}

} // namespace bralvo::script
