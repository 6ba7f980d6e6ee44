// Script forms and controls over Qt widgets: making the widgets, texts,
// items, parents and bounds.
#include "script/bindings/tscformcontrols.h"

#include "platform/widgets/closeupcombobox.h"
#include "platform/widgets/controlevents.h"
#include "script/bindings/tscformwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>

namespace bralvo::script {

namespace {

QList<QPointer<QWidget>> &forms()
{
    static QList<QPointer<QWidget>> list;
    return list;
}

QHash<const QWidget *, TscControlObject *> &controls()
{
    static QHash<const QWidget *, TscControlObject *> map;
    return map;
}

bool is(const QString &a, const char *b)
{
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

// A combo that says when its list drops down (and, as its base, closes).
class DropDownComboBox : public platform::CloseUpComboBox {
public:
    std::function<void()> onDropDown;
    void showPopup() override
    {
        if (onDropDown)
            onDropDown();
        platform::CloseUpComboBox::showPopup();
    }
};

QWidget *makeWidget(const QString &name, bool &isForm)
{
    isForm = is(name, "TForm") || is(name, "TCustomForm");
    if (isForm)
        return new TscFormWindow;
    if (is(name, "TButton"))
        return new QPushButton;
    if (is(name, "TLabel"))
        return new QLabel;
    if (is(name, "TEdit"))
        return new QLineEdit;
    if (is(name, "TMemo"))
        return new QPlainTextEdit;
    if (is(name, "TCheckBox"))
        return new QCheckBox;
    if (is(name, "TRadioButton"))
        return new QRadioButton;
    if (is(name, "TGroupBox"))
        return new QGroupBox;
    if (is(name, "TComboBox"))
        return new DropDownComboBox;
    if (is(name, "TListBox"))
        return new QListWidget;
    if (is(name, "TScrollBox"))
        return new QScrollArea;
    return new QWidget;
}

// clBtnFace for most controls, clWindow for those that hold text.
int defaultColor(const QWidget *w)
{
    const bool window = qobject_cast<const QLineEdit *>(w) || qobject_cast<const QPlainTextEdit *>(w)
                        || qobject_cast<const QListWidget *>(w) || qobject_cast<const QComboBox *>(w);
    return window ? int(0xFF000005) : int(0xFF00000F);
}

} // namespace

void TscControlStrings::Changed()
{
    m_control.syncItems();
}

TscControlObject::TscControlObject(const QString &className, platform::HandleTarget *owner)
    : TscComponentObject(className)
{
    Owner = platform::HandleRegistry::handleOf(owner);
    m_widget = makeWidget(className, m_isForm);
    m_color = defaultColor(m_widget);
    controls().insert(m_widget, this);
    // Qt may delete the widget with its parent's; its entry goes with it.
    QWidget *widget = m_widget;
    QObject::connect(widget, &QObject::destroyed, [widget] { controls().remove(widget); });
    if (m_isForm)
        forms().append(m_widget);
    if (qobject_cast<QComboBox *>(m_widget) || qobject_cast<QListWidget *>(m_widget)
        || qobject_cast<QPlainTextEdit *>(m_widget))
        m_items = std::make_unique<TscControlStrings>(*this);
    connectSignals();
    routeEvents();
    if (m_isForm)
        routeFormEvents();
}

TscControlObject::~TscControlObject()
{
    if (m_isForm) {
        try {
            fireNotify(QStringLiteral("OnDestroy"));
        } catch (...) {
            // The form goes anyway; its handler's error has no one to reach.
        }
    }
    controls().removeIf([this](const auto &entry) { return entry.value() == this; });
    // Controls on this one lose their widgets with it.
    delete m_widget.data();
}

TscControlObject *TscControlObject::of(const QWidget *widget)
{
    return controls().value(widget, nullptr);
}

void TscControlObject::connectSignals()
{
    QWidget *w = m_widget;
    if (auto *button = qobject_cast<QAbstractButton *>(w))
        QObject::connect(button, &QAbstractButton::clicked, [this] {
            guarded([this] {
                fireNotify(QStringLiteral("OnClick"));
                if (m_buttonResult != 0)
                    if (TscControlObject *f = form())
                        f->SetModalResult(m_buttonResult);
            });
        });
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        QObject::connect(edit, &QLineEdit::textChanged, [this] { guarded([this] { fireNotify(QStringLiteral("OnChange")); }); });
    if (auto *memo = qobject_cast<QPlainTextEdit *>(w))
        QObject::connect(memo, &QPlainTextEdit::textChanged, [this] { guarded([this] { fireNotify(QStringLiteral("OnChange")); }); });
    if (auto *combo = dynamic_cast<DropDownComboBox *>(w)) {
        QObject::connect(combo, &QComboBox::currentIndexChanged, [this] { guarded([this] { fireNotify(QStringLiteral("OnChange")); }); });
        QObject::connect(combo, &platform::CloseUpComboBox::closeUp, [this] { guarded([this] { fireNotify(QStringLiteral("OnCloseUp")); }); });
        combo->onDropDown = [this] { guarded([this] { fireNotify(QStringLiteral("OnDropDown")); }); };
    }
    if (auto *list = qobject_cast<QListWidget *>(w))
        QObject::connect(list, &QListWidget::currentRowChanged, [this] { guarded([this] { fireNotify(QStringLiteral("OnClick")); }); });
}

void TscControlObject::fireNotify(const QString &eventName)
{
    if (auto *event = ScriptEventAs<TscNotifyEvent>(eventName))
        event->Call(this);
}

QString TscControlObject::Caption() const
{
    QWidget *w = m_widget;
    if (auto *button = qobject_cast<QAbstractButton *>(w))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(w))
        return label->text();
    if (auto *group = qobject_cast<QGroupBox *>(w))
        return group->title();
    return w ? w->windowTitle() : QString();
}

void TscControlObject::SetCaption(const QString &text)
{
    QWidget *w = m_widget;
    if (auto *button = qobject_cast<QAbstractButton *>(w))
        button->setText(text);
    else if (auto *label = qobject_cast<QLabel *>(w))
        label->setText(text);
    else if (auto *group = qobject_cast<QGroupBox *>(w))
        group->setTitle(text);
    else if (w)
        w->setWindowTitle(text);
    if (auto *label = qobject_cast<QLabel *>(w); label && label->property("autoSize").toBool())
        label->adjustSize();
}

QString TscControlObject::Text() const
{
    QWidget *w = m_widget;
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        return edit->text();
    if (auto *memo = qobject_cast<QPlainTextEdit *>(w))
        return memo->toPlainText();
    if (auto *combo = qobject_cast<QComboBox *>(w))
        return combo->currentText();
    return Caption();
}

void TscControlObject::SetText(const QString &text)
{
    QWidget *w = m_widget;
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        edit->setText(text);
    else if (auto *memo = qobject_cast<QPlainTextEdit *>(w))
        memo->setPlainText(text);
    else if (auto *combo = qobject_cast<QComboBox *>(w))
        combo->setCurrentText(text);
    else
        SetCaption(text);
}

bool TscControlObject::Checked() const
{
    auto *button = qobject_cast<QAbstractButton *>(m_widget.data());
    return button && button->isChecked();
}

void TscControlObject::SetChecked(bool on)
{
    if (auto *button = qobject_cast<QAbstractButton *>(m_widget.data()))
        button->setChecked(on);
}

int TscControlObject::State() const
{
    if (auto *box = qobject_cast<QCheckBox *>(m_widget.data()))
        return box->checkState() == Qt::PartiallyChecked ? 2 : box->isChecked() ? 1 : 0;
    return Checked() ? 1 : 0;
}

void TscControlObject::SetState(int state)
{
    if (auto *box = qobject_cast<QCheckBox *>(m_widget.data())) {
        box->setTristate(state == 2 || box->isTristate());
        box->setCheckState(state == 2 ? Qt::PartiallyChecked : state == 1 ? Qt::Checked : Qt::Unchecked);
    } else {
        SetChecked(state == 1);
    }
}

int TscControlObject::ItemIndex() const
{
    if (auto *combo = qobject_cast<QComboBox *>(m_widget.data()))
        return combo->currentIndex();
    if (auto *list = qobject_cast<QListWidget *>(m_widget.data()))
        return list->currentRow();
    return -1;
}

void TscControlObject::SetItemIndex(int index)
{
    if (auto *combo = qobject_cast<QComboBox *>(m_widget.data()))
        combo->setCurrentIndex(index);
    else if (auto *list = qobject_cast<QListWidget *>(m_widget.data()))
        list->setCurrentRow(index);
}

TscControlStrings *TscControlObject::Items()
{
    // A memo's lines start from what the user typed.
    if (auto *memo = qobject_cast<QPlainTextEdit *>(m_widget.data()); memo && m_items)
        m_items->List.setText(memo->toPlainText());
    return m_items.get();
}

void TscControlObject::syncItems()
{
    if (!m_items)
        return;
    const QStringList lines = m_items->List.toStringList();
    if (auto *memo = qobject_cast<QPlainTextEdit *>(m_widget.data())) {
        memo->setPlainText(lines.join(u'\n'));
    } else if (auto *combo = qobject_cast<QComboBox *>(m_widget.data())) {
        const QSignalBlocker quiet(combo);
        const int index = combo->currentIndex();
        combo->clear();
        combo->addItems(lines);
        combo->setCurrentIndex(index < lines.size() ? index : -1);
    } else if (auto *list = qobject_cast<QListWidget *>(m_widget.data())) {
        const QSignalBlocker quiet(list);
        const int row = list->currentRow();
        list->clear();
        list->addItems(lines);
        list->setCurrentRow(row < lines.size() ? row : -1);
    }
}

void TscControlObject::SetParentHandle(qint64 handle)
{
    auto *parent = handle ? platform::HandleRegistry::objectAs<TscControlObject>(handle) : nullptr;
    if (!m_widget || m_isForm)
        return;
    const bool visible = !m_widget->isHidden();
    m_widget->setParent(parent ? parent->Widget() : nullptr);
    if (visible || parent)
        m_widget->setVisible(parent != nullptr);
    m_parent = handle;
    // A form with key preview sees the keys of its controls first.
    if (TscControlObject *f = form(); f && f != this)
        if (f->m_router)
            for (QWidget *w : QList<QWidget *>{m_widget} + m_widget->findChildren<QWidget *>())
                f->m_router->watch(w);
    if (parent)
        parent->layoutAligned();
}

void TscControlObject::SetBounds(QRect bounds)
{
    if (!m_widget)
        return;
    if (auto *event = ScriptEventAs<TscCanResizeEvent>(QStringLiteral("OnCanResize"));
        event && bounds.size() != m_widget->size()) {
        int width = bounds.width(), height = bounds.height();
        bool resize = true;
        event->Call(this, width, height, resize);
        if (!resize)
            bounds.setSize(m_widget->size());
        else
            bounds.setSize(QSize(std::max(0, width), std::max(0, height)));
    }
    m_widget->setGeometry(bounds);
    // An aligned control keeps its place: a bottom one stays at the bottom.
    if (m_align != 0)
        if (TscControlObject *parent = of(m_widget->parentWidget()))
            parent->layoutAligned();
}

TscControlObject *TscControlObject::form()
{
    for (QWidget *w = m_widget; w; w = w->parentWidget()) {
        TscControlObject *c = of(w);
        if (c && c->IsForm())
            return c;
    }
    return nullptr;
}

void TscControlObject::Click()
{
    if (auto *button = qobject_cast<QAbstractButton *>(m_widget.data()))
        button->click();
    else
        fireNotify(QStringLiteral("OnClick"));
    if (m_failure)
        std::rethrow_exception(std::exchange(m_failure, nullptr));
}

QWidget *firstScriptForm()
{
    for (const QPointer<QWidget> &form : forms()) {
        if (form)
            return form;
    }
    return nullptr;
}

} // namespace bralvo::script
