// Property editors: one persistent property of one or more objects as
// text and back, its list of allowed values, and a dialog where it has
// one. They read and write through the classes' persistent-property
// tables, the same reflection the serializer and scripts use. A component
// editor is the matching hook for a whole component.
#pragma once

#include "platform/propertytable.h"

#include <QList>
#include <QStringList>

class QPainter;
class QRect;

namespace bralvo::platform {
class Component;
class Persistent;
}

namespace bralvo::report {

class TrpComponent;

// Attribute bits a property editor reports (only bit 2, sorting the
// values, matters here; the rest is for an object inspector).
enum PropertyAttribute { paValueList = 1, paSortList = 2, paSubProperties = 4, paDialog = 8 };

class TrpPropertyEditor {
public:
    explicit TrpPropertyEditor(platform::Component *designer = nullptr);
    virtual ~TrpPropertyEditor() = default;

    // Cycles to the next of the allowed values (the first after the last,
    // or when the current one is not among them); false without values.
    virtual bool Edit();
    virtual int GetAttributes() const { return 8; }
    virtual QString GetName() const;
    virtual int GetExtraListWidth() const { return ItemHeight + 2; }
    virtual QString GetValue() const { return QStringLiteral("(Unknown)"); }
    // Fills Values(); the base empties it (sorted when bit 2 is set).
    virtual void GetValues();
    virtual void SetValue(const QString &) {}
    virtual void DrawListItem(QPainter &painter, int index, const QRect &rect);
    virtual void DrawValue(QPainter &painter, const QRect &rect);

    // An object whose property this editor edits, with the property.
    void AddObject(platform::Persistent *object, const platform::PropInfo *prop);
    platform::Component *Designer() const { return m_designer; }
    const QStringList &Values() const { return m_values; }
    int ItemHeight = 0;

protected:
    platform::Persistent *firstObject() const;
    TrpComponent *firstComponent() const;
    const platform::PropInfo *firstProp() const;
    qint64 ordValue() const;
    double floatValue() const;
    QString strValue() const;
    // Written to every edited object whose property has a setter.
    void setOrdValue(qint64 value);
    void setFloatValue(double value);
    void setStrValue(const QString &value);
    void addValue(const QString &value) { m_values.append(value); }
    void sortValues() { m_values.sort(Qt::CaseInsensitive); }
    void clearValues() { m_values.clear(); }
    // "prInvProp" from the library texts.
    [[noreturn]] static void invalidProperty();

private:
    platform::Component *m_designer;
    QList<platform::Persistent *> m_objects;
    QList<const platform::PropInfo *> m_props;
    QStringList m_values;
};

class TrpComponentEditor {
public:
    TrpComponentEditor(platform::Component *component, platform::Component *designer)
        : m_component(component), m_designer(designer) {}
    virtual ~TrpComponentEditor() = default;

    virtual bool Edit() { return false; }
    virtual bool HasEditor() { return false; }
    virtual void MenuHook() {}
    virtual bool CommandHook(int) { return false; }

    platform::Component *Component() const { return m_component; }
    platform::Component *Designer() const { return m_designer; }

private:
    platform::Component *m_component;
    platform::Component *m_designer;
};

} // namespace bralvo::report
