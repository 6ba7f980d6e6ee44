// Dialog controls over their Qt controls.
#include "report/model/trpdialogpage.h"

#include "platform/font.h"
#include "platform/widgets/controlevents.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QWidget>
#include <cmath>

namespace bralvo::report {

namespace {

std::function<QWidget *()> &looseParent()
{
    static std::function<QWidget *()> provider;
    return provider;
}

int rounded(double v)
{
    return int(std::nearbyint(v));
}

QFont qFontOf(const platform::Font &font)
{
    QFont f(font.name());
    f.setPointSize(std::max(font.size(), 1));
    f.setBold(font.style() & platform::fsBold);
    f.setItalic(font.style() & platform::fsItalic);
    f.setUnderline(font.style() & platform::fsUnderline);
    f.setStrikeOut(font.style() & platform::fsStrikeOut);
    return f;
}

QString textOf(const QWidget *w)
{
    if (auto *button = qobject_cast<const QAbstractButton *>(w))
        return button->text();
    if (auto *label = qobject_cast<const QLabel *>(w))
        return label->text();
    if (auto *edit = qobject_cast<const QLineEdit *>(w))
        return edit->text();
    if (auto *memo = qobject_cast<const QPlainTextEdit *>(w))
        return memo->toPlainText();
    if (auto *combo = qobject_cast<const QComboBox *>(w))
        return combo->currentText();
    if (auto *group = qobject_cast<const QGroupBox *>(w))
        return group->title();
    return w->windowTitle();
}

void setTextOf(QWidget *w, const QString &text)
{
    if (auto *button = qobject_cast<QAbstractButton *>(w))
        button->setText(text);
    else if (auto *label = qobject_cast<QLabel *>(w))
        label->setText(text);
    else if (auto *edit = qobject_cast<QLineEdit *>(w))
        edit->setText(text);
    else if (auto *memo = qobject_cast<QPlainTextEdit *>(w))
        memo->setPlainText(text);
    else if (auto *combo = qobject_cast<QComboBox *>(w))
        combo->setCurrentText(text);
    else if (auto *group = qobject_cast<QGroupBox *>(w))
        group->setTitle(text);
    else
        w->setWindowTitle(text);
}

} // namespace

void setLooseControlParent(std::function<QWidget *()> provider)
{
    looseParent() = std::move(provider);
}

bool platformControlsAvailable()
{
    return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
}

const platform::ClassInfo &TrpDialogControl::staticClass()
{
    using T = TrpDialogControl;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpDialogControl", &TrpReportComponent::staticClass(), nullptr, [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.floating("Left", &T::Left, &T::SetLeft);
            b.floating("Top", &T::Top, &T::SetTop);
            b.floating("Width", &T::Width, &T::SetWidth);
            b.floating("Height", &T::Height, &T::SetHeight);
            b.object<platform::Font>("Font", &T::Font, &T::SetFont).storedIf([](const T &c) { return !c.ParentFont(); });
            b.integer("GroupIndex", &T::GroupIndex, &T::SetGroupIndex, 0);
            b.boolean("ParentFont", &T::ParentFont, &T::SetParentFont, true);
            b.boolean("Enabled", &T::Enabled, &T::SetEnabled, true);
            b.string("Hint", &T::Hint, &T::SetHint);
            b.boolean("Visible", &T::Visible, &T::SetVisible, true);
        });
    return info;
}

TrpDialogControl::TrpDialogControl(platform::Component *owner) : TrpReportComponent(owner) {}

TrpDialogControl::~TrpDialogControl()
{
    delete m_control.data();
}

void TrpDialogControl::AttachControl(QWidget *control)
{
    delete m_control.data();
    m_control = control;
    platform::ControlEvents events;
    events.onClick = [this] { guarded([&] { DoClick(false); }); };
    events.onDblClick = [this] { guarded([&] { DoClick(true); }); };
    events.onMouseDown = [this](int b, int s, int x, int y) { guarded([&] { DoMouse(true, b, s, x, y); }); };
    events.onMouseUp = [this](int b, int s, int x, int y) { guarded([&] { DoMouse(false, b, s, x, y); }); };
    events.onMouseMove = [this](int s, int x, int y) { guarded([&] { DoMouseMove(s, x, y); }); };
    if (control->focusPolicy() != Qt::NoFocus) {  // a windowed control
        events.onEnter = [this] { guarded([&] { DoEnter(true); }); };
        events.onExit = [this] { guarded([&] { DoEnter(false); }); };
        events.onKeyDown = [this](int &k, int s) { guarded([&] { DoKey(true, k, s); }); };
        events.onKeyUp = [this](int &k, int s) { guarded([&] { DoKey(false, k, s); }); };
        events.onKeyPress = [this](QChar &k) { guarded([&] { DoKeyPress(k); }); };
    }
    if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        events.clickFromMouse = false;
        QObject::connect(button, &QAbstractButton::clicked, button, [this] { guarded([&] { DoClick(false); }); });
    }
    new platform::ControlEventRouter(control, std::move(events));
    if (!name().isEmpty())
        control->setObjectName(name());
    control->setEnabled(m_enabled);
    control->setToolTip(m_hint);
    if (!m_caption.isEmpty())
        setTextOf(control, m_caption);
    control->setFont(qFontOf(*Font()));
    syncGeometry();
    placeControl();
}

// Script errors must not cross Qt's event loop: the running dialog page
// ends with them; a control on no page drops them.
void TrpDialogControl::guarded(const std::function<void()> &event)
{
    try {
        event();
    } catch (...) {
        for (TrpComponent *c = Parent(); c; c = c->Parent()) {
            if (auto *page = dynamic_cast<TrpDialogPage *>(c)) {
                page->FailModalRun(std::current_exception());
                return;
            }
        }
    }
}

void TrpDialogControl::placeControl()
{
    if (!m_control)
        return;
    QWidget *parent = nullptr;
    if (auto *control = dynamic_cast<TrpDialogControl *>(Parent()))
        parent = control->Control();
    else if (auto *page = dynamic_cast<TrpDialogPage *>(Parent()))
        parent = page->Window() ? page->Window()->Widget() : nullptr;
    if (!parent && looseParent())
        parent = looseParent()();
    if (m_control->parentWidget() != parent)
        m_control->setParent(parent);
    m_control->setVisible(Visible() && parent);
}

void TrpDialogControl::syncGeometry()
{
    if (m_control)
        m_control->setGeometry(rounded(Left()), rounded(Top()), std::max(rounded(Width()), 0),
                               std::max(rounded(Height()), 0));
}

bool TrpDialogControl::Enabled() const
{
    return m_control ? m_control->isEnabled() : m_enabled;
}

void TrpDialogControl::SetEnabled(bool v)
{
    m_enabled = v;
    if (m_control)
        m_control->setEnabled(v);
}

QString TrpDialogControl::Hint() const
{
    return m_control ? m_control->toolTip() : m_hint;
}

void TrpDialogControl::SetHint(const QString &v)
{
    m_hint = v;
    if (m_control)
        m_control->setToolTip(v);
}

QString TrpDialogControl::Caption() const
{
    return m_control ? textOf(m_control) : m_caption;
}

void TrpDialogControl::SetCaption(const QString &v)
{
    m_caption = v;
    if (m_control)
        setTextOf(m_control, v);
}

void TrpDialogControl::SetFocus()
{
    if (m_control && m_control->focusPolicy() != Qt::NoFocus)
        m_control->setFocus();
}

void TrpDialogControl::setName(const QString &name)
{
    const QString old = this->name();
    TrpReportComponent::setName(name);
    if (m_control)
        m_control->setObjectName(this->name());
    if (m_captionFollowsName && Caption() == old && !IsLoading())
        SetCaption(this->name());
}

void TrpDialogControl::SetParent(TrpComponent *parent)
{
    TrpReportComponent::SetParent(parent);
    placeControl();
}

void TrpDialogControl::SetLeft(double v)
{
    TrpReportComponent::SetLeft(v);
    syncGeometry();
}

void TrpDialogControl::SetTop(double v)
{
    TrpReportComponent::SetTop(v);
    syncGeometry();
}

void TrpDialogControl::SetWidth(double v)
{
    TrpReportComponent::SetWidth(v);
    syncGeometry();
}

void TrpDialogControl::SetHeight(double v)
{
    TrpReportComponent::SetHeight(v);
    syncGeometry();
}

void TrpDialogControl::SetVisible(bool value)
{
    TrpReportComponent::SetVisible(value);
    if (m_control)
        m_control->setVisible(value && m_control->parentWidget());
}

void TrpDialogControl::SetParentFont(bool value)
{
    TrpReportComponent::SetParentFont(value);
    if (m_control)
        m_control->setFont(qFontOf(*Font()));
}

void TrpDialogControl::FontChanged()
{
    TrpReportComponent::FontChanged();
    if (m_control)
        m_control->setFont(qFontOf(*Font()));
}

void TrpDialogControl::Draw(QPainter &canvas, double, double, double, double)
{
    if (!m_control)
        return;
    const QSize size(std::max(rounded(Width()), 1), std::max(rounded(Height()), 1));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(m_control->palette().color(QPalette::Button));
    m_control->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    canvas.drawImage(QPoint(rounded(AbsLeft()), rounded(AbsTop())), image);
}

} // namespace bralvo::report
