// Persistent properties of the standard controls and forms.
#include "script/bindings/tscformproperties.h"

#include "script/bindings/tscbindingsupport.h"
#include "script/bindings/tscformcontrols.h"
#include "script/tscclassvariable.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace bralvo::script {

namespace {

TscControlObject &controlOf(platform::HandleTarget *obj)
{
    return self<TscControlObject>(obj);
}

QWidget &widgetOf(platform::HandleTarget *obj)
{
    QWidget *w = controlOf(obj).Widget();
    if (!w)
        throw platform::InvalidHandleError();
    return *w;
}

template <class W>
W &widgetAs(platform::HandleTarget *obj)
{
    auto *w = qobject_cast<W *>(&widgetOf(obj));
    if (!w)
        throw platform::InvalidHandleError();
    return *w;
}

using Get = std::function<Variant(platform::HandleTarget *)>;
using Set = std::function<void(platform::HandleTarget *, const Variant &)>;

void add(TscClassVariable &cls, const char *name, const char *type, Get get, Set set = {})
{
    cls.AddProperty(QString::fromLatin1(name), QString::fromLatin1(type), getter(std::move(get)),
                    set ? setter(std::move(set)) : TscSetterCallback());
}

void addGeometry(TscClassVariable &cls)
{
    const auto geometry = [&cls](const char *name, int part) {
        add(cls, name, "Integer",
            [part](auto *obj) {
                const QRect r = widgetOf(obj).geometry();
                const int values[] = {r.x(), r.y(), r.width(), r.height()};
                return Variant(values[part]);
            },
            [part](auto *obj, const Variant &v) {
                QRect r = widgetOf(obj).geometry();
                const int n = v.toInt();
                if (part == 0) r.moveLeft(n);
                else if (part == 1) r.moveTop(n);
                else if (part == 2) r.setWidth(std::max(0, n));
                else r.setHeight(std::max(0, n));
                controlOf(obj).SetBounds(r);
            });
    };
    geometry("Left", 0);
    geometry("Top", 1);
    geometry("Width", 2);
    geometry("Height", 3);
}

// taLeftJustify, taRightJustify, taCenter as Qt's alignment and back.
Qt::Alignment qtAlignment(int alignment)
{
    return (alignment == 1 ? Qt::AlignRight : alignment == 2 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop;
}

int scriptAlignment(Qt::Alignment a)
{
    return a & Qt::AlignRight ? 1 : a & Qt::AlignHCenter ? 2 : 0;
}

void addLabel(TscClassVariable &cls)
{
    add(cls, "Alignment", "TAlignment", [](auto *obj) { return Variant(scriptAlignment(widgetAs<QLabel>(obj).alignment())); },
        [](auto *obj, const Variant &v) { widgetAs<QLabel>(obj).setAlignment(qtAlignment(v.toInt())); });
    add(cls, "AutoSize", "Boolean", [](auto *obj) { return Variant(widgetAs<QLabel>(obj).property("autoSize").toBool()); },
        [](auto *obj, const Variant &v) {
            QLabel &label = widgetAs<QLabel>(obj);
            label.setProperty("autoSize", v.toBool());
            if (v.toBool())
                label.adjustSize();
        });
}

void addEdit(TscClassVariable &cls)
{
    add(cls, "MaxLength", "Integer",
        [](auto *obj) {
            const int n = widgetAs<QLineEdit>(obj).maxLength();
            return Variant(n >= 32767 ? 0 : n);  // 0: no limit
        },
        [](auto *obj, const Variant &v) { widgetAs<QLineEdit>(obj).setMaxLength(v.toInt() > 0 ? v.toInt() : 32767); });
    add(cls, "PasswordChar", "Char",
        [](auto *obj) {
            const QLineEdit &edit = widgetAs<QLineEdit>(obj);
            return Variant(edit.echoMode() == QLineEdit::Password ? edit.property("passwordChar").toString()
                                                                   : QString(QChar(0)));
        },
        [](auto *obj, const Variant &v) {
            QLineEdit &edit = widgetAs<QLineEdit>(obj);
            const QString c = v.toString();
            const bool masked = !c.isEmpty() && !c.at(0).isNull();
            edit.setProperty("passwordChar", masked ? c.left(1) : QString());
            edit.setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
        });
    add(cls, "ReadOnly", "Boolean", [](auto *obj) { return Variant(widgetAs<QLineEdit>(obj).isReadOnly()); },
        [](auto *obj, const Variant &v) { widgetAs<QLineEdit>(obj).setReadOnly(v.toBool()); });
}

void addItems(TscClassVariable &cls, const char *name)
{
    add(cls, name, "TStrings", [](auto *obj) { return handleValue(controlOf(obj).Items()); },
        [](auto *obj, const Variant &v) {
            TscControlStrings *items = controlOf(obj).Items();
            platform::StringList *from = stringsArg(v);
            if (items && from) {
                items->List.assign(*from);
                items->Changed();
            }
        });
}

// csDropDown (editable), csSimple, csDropDownList (choice only), ...
void addComboStyle(TscClassVariable &cls)
{
    add(cls, "Style", "TComboBoxStyle", [](auto *obj) { return Variant(widgetAs<QComboBox>(obj).isEditable() ? 0 : 2); },
        [](auto *obj, const Variant &v) { widgetAs<QComboBox>(obj).setEditable(v.toInt() == 0 || v.toInt() == 1); });
}

void addListStyle(TscClassVariable &cls)
{
    add(cls, "Style", "TListBoxStyle", [](auto *obj) { return Variant(widgetAs<QListWidget>(obj).property("style").toInt()); },
        [](auto *obj, const Variant &v) { widgetAs<QListWidget>(obj).setProperty("style", v.toInt()); });
}

// ssNone, ssHorizontal, ssVertical, ssBoth.
void addScrollBars(TscClassVariable &cls)
{
    add(cls, "ScrollBars", "TScrollStyle",
        [](auto *obj) {
            const QPlainTextEdit &memo = widgetAs<QPlainTextEdit>(obj);
            const bool h = memo.horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
            const bool v = memo.verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
            return Variant((h ? 1 : 0) + (v ? 2 : 0));
        },
        [](auto *obj, const Variant &value) {
            QPlainTextEdit &memo = widgetAs<QPlainTextEdit>(obj);
            const int style = value.toInt();
            memo.setHorizontalScrollBarPolicy(style & 1 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
            memo.setVerticalScrollBarPolicy(style & 2 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
            memo.setLineWrapMode(style & 1 ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        });
}

void addButton(TscClassVariable &cls)
{
    add(cls, "ModalResult", "Integer", [](auto *obj) { return Variant(controlOf(obj).ButtonResult()); },
        [](auto *obj, const Variant &v) { controlOf(obj).SetButtonResult(v.toInt()); });
    add(cls, "Default", "Boolean", [](auto *obj) { return Variant(widgetAs<QPushButton>(obj).isDefault()); },
        [](auto *obj, const Variant &v) { widgetAs<QPushButton>(obj).setDefault(v.toBool()); });
    add(cls, "Cancel", "Boolean", [](auto *obj) { return Variant(controlOf(obj).Cancel()); },
        [](auto *obj, const Variant &v) { controlOf(obj).SetCancel(v.toBool()); });
}

} // namespace

void registerControlProperties(TscClassVariable &cls)
{
    addGeometry(cls);
    add(cls, "Caption", "String", [](auto *obj) { return Variant(controlOf(obj).Caption()); },
        [](auto *obj, const Variant &v) { controlOf(obj).SetCaption(v.toString()); });
    add(cls, "Text", "String", [](auto *obj) { return Variant(controlOf(obj).Text()); },
        [](auto *obj, const Variant &v) { controlOf(obj).SetText(v.toString()); });
    add(cls, "Name", "String", [](auto *obj) { return Variant(widgetOf(obj).objectName()); },
        [](auto *obj, const Variant &v) { widgetOf(obj).setObjectName(v.toString()); });
    add(cls, "Visible", "Boolean", [](auto *obj) { return Variant(!widgetOf(obj).isHidden()); },
        [](auto *obj, const Variant &v) { widgetOf(obj).setVisible(v.toBool()); });
    add(cls, "Enabled", "Boolean", [](auto *obj) { return Variant(widgetOf(obj).isEnabled()); },
        [](auto *obj, const Variant &v) { widgetOf(obj).setEnabled(v.toBool()); });
    add(cls, "Checked", "Boolean", [](auto *obj) { return Variant(controlOf(obj).Checked()); },
        [](auto *obj, const Variant &v) { controlOf(obj).SetChecked(v.toBool()); });
    add(cls, "Color", "TColor", [](auto *obj) { return Variant(controlOf(obj).Color()); },
        [](auto *obj, const Variant &v) { controlOf(obj).SetColor(v.toInt()); });
    add(cls, "Font", "TFont", [](auto *obj) { return handleValue(&controlOf(obj).Font()); },
        [](auto *obj, const Variant &v) {
            if (auto *from = objectArg<TscFontObject>(v)) {
                TscFontObject &font = controlOf(obj).Font();
                font.Name = from->Name;
                font.Size = from->Size;
                font.Color = from->Color;
                font.Style = from->Style;
                controlOf(obj).ApplyFont();
            }
        });
    add(cls, "Align", "TAlign", [](auto *obj) { return Variant(controlOf(obj).Align()); },
        [](auto *obj, const Variant &v) { controlOf(obj).SetAlign(v.toInt()); });
    add(cls, "Hint", "String", [](auto *obj) { return Variant(widgetOf(obj).toolTip()); },
        [](auto *obj, const Variant &v) { widgetOf(obj).setToolTip(v.toString()); });
}

void registerWinControlProperties(TscClassVariable &cls)
{
    add(cls, "TabOrder", "Integer", [](auto *obj) { return Variant(controlOf(obj).TabOrder()); },
        [](auto *obj, const Variant &v) { controlOf(obj).SetTabOrder(v.toInt()); });
}

void registerClassProperties(const char *className, TscClassVariable &cls)
{
    const QLatin1String name(className);
    if (name == QLatin1String("TLabel"))
        addLabel(cls);
    else if (name == QLatin1String("TEdit"))
        addEdit(cls);
    else if (name == QLatin1String("TComboBox"))
        addItems(cls, "Items"), addComboStyle(cls);
    else if (name == QLatin1String("TListBox"))
        addItems(cls, "Items"), addListStyle(cls);
    else if (name == QLatin1String("TMemo"))
        addItems(cls, "Lines"), addScrollBars(cls);
    else if (name == QLatin1String("TButton"))
        addButton(cls);
    else if (name == QLatin1String("TCheckBox"))
        add(cls, "State", "TCheckBoxState", [](auto *obj) { return Variant(controlOf(obj).State()); },
            [](auto *obj, const Variant &v) { controlOf(obj).SetState(v.toInt()); });
}

void registerFormProperties(TscClassVariable &cls)
{
    add(cls, "BorderStyle", "TFormBorderStyle", [](auto *obj) { return Variant(controlOf(obj).BorderStyle()); },
        [](auto *obj, const Variant &v) { controlOf(obj).SetBorderStyle(v.toInt()); });
    add(cls, "Position", "TPosition", [](auto *obj) { return Variant(controlOf(obj).Position()); },
        [](auto *obj, const Variant &v) { controlOf(obj).SetPosition(v.toInt()); });
    add(cls, "KeyPreview", "Boolean", [](auto *obj) { return Variant(controlOf(obj).KeyPreview()); },
        [](auto *obj, const Variant &v) { controlOf(obj).SetKeyPreview(v.toBool()); });
    // The window's size is its client area (the frame is the system's).
    add(cls, "ClientWidth", "Integer", [](auto *obj) { return Variant(widgetOf(obj).width()); },
        [](auto *obj, const Variant &v) {
            QRect r = widgetOf(obj).geometry();
            r.setWidth(std::max(0, v.toInt()));
            controlOf(obj).SetBounds(r);
        });
    add(cls, "ClientHeight", "Integer", [](auto *obj) { return Variant(widgetOf(obj).height()); },
        [](auto *obj, const Variant &v) {
            QRect r = widgetOf(obj).geometry();
            r.setHeight(std::max(0, v.toInt()));
            controlOf(obj).SetBounds(r);
        });
}

} // namespace bralvo::script
