// Script forms and controls over Qt widgets.
#include "script/bindings/tscformcontrols.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
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

bool is(const QString &a, const char *b)
{
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

QWidget *makeWidget(const QString &name, bool &isForm)
{
    isForm = is(name, "TForm") || is(name, "TCustomForm");
    if (isForm) {
        auto *form = new QDialog(nullptr, Qt::Window);
        form->resize(320, 240);
        return form;
    }
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
        return new QComboBox;
    if (is(name, "TListBox"))
        return new QListWidget;
    if (is(name, "TScrollBox"))
        return new QScrollArea;
    return new QWidget;
}

} // namespace

TscControlObject::TscControlObject(const QString &className, platform::HandleTarget *owner)
    : TscHostObject(className), m_owner(platform::HandleRegistry::handleOf(owner))
{
    m_widget = makeWidget(className, m_isForm);
    if (m_isForm)
        forms().append(m_widget);
    connectSignals();
}

TscControlObject::~TscControlObject()
{
    delete m_widget.data();
}

void TscControlObject::connectSignals()
{
    QWidget *w = m_widget;
    if (auto *button = qobject_cast<QAbstractButton *>(w))
        QObject::connect(button, &QAbstractButton::clicked, [this] { fireNotify(QStringLiteral("OnClick")); });
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        QObject::connect(edit, &QLineEdit::textChanged, [this] { fireNotify(QStringLiteral("OnChange")); });
    if (auto *combo = qobject_cast<QComboBox *>(w))
        QObject::connect(combo, &QComboBox::currentIndexChanged, [this] { fireNotify(QStringLiteral("OnChange")); });
    if (auto *list = qobject_cast<QListWidget *>(w))
        QObject::connect(list, &QListWidget::currentRowChanged, [this] { fireNotify(QStringLiteral("OnClick")); });
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
}

void TscControlObject::Click()
{
    if (auto *button = qobject_cast<QAbstractButton *>(m_widget.data()))
        button->click();
    else
        fireNotify(QStringLiteral("OnClick"));
}

void TscControlObject::SetModalResult(int result)
{
    m_modalResult = result;
    if (auto *dialog = qobject_cast<QDialog *>(m_widget.data()); dialog && result != 0 && dialog->isModal())
        dialog->done(result);
}

int TscControlObject::ShowModal()
{
    auto *dialog = qobject_cast<QDialog *>(m_widget.data());
    if (!dialog)
        return 0;
    m_modalResult = 0;
    dialog->setModal(true);
    const int result = dialog->exec();
    return m_modalResult != 0 ? m_modalResult : result == QDialog::Accepted ? 1 : 2;
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
