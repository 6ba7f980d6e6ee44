// The family of type editors, one per kind of property, and the
// editors of named integers (colours, charsets, cursors, modal results,
// shortcuts) and of dates and times. Invalid text raises "prInvProp"
// (enumerations, set elements, characters, component names) or the
// platform's conversion error (numbers, dates); the property keeps its
// value either way.
#pragma once

#include "report/propertyeditors/trppropertyeditor.h"

namespace bralvo::report {

#define BRALVO_PROPERTY_EDITOR(Name, Base)                                                                   \
    class Name : public Base {                                                                            \
    public:                                                                                               \
        using Base::Base;

BRALVO_PROPERTY_EDITOR(TrpIntegerProperty, TrpPropertyEditor)
    QString GetValue() const override;
    void SetValue(const QString &text) override;
};

BRALVO_PROPERTY_EDITOR(TrpFloatProperty, TrpPropertyEditor)
    QString GetValue() const override;
    // "," and "." both count as the decimal separator.
    void SetValue(const QString &text) override;
};

BRALVO_PROPERTY_EDITOR(TrpCharProperty, TrpPropertyEditor)
    // A code below 33 as "#" and the code, else the character.
    QString GetValue() const override;
    void SetValue(const QString &text) override;
};

BRALVO_PROPERTY_EDITOR(TrpStringProperty, TrpPropertyEditor)
    QString GetValue() const override;
    void SetValue(const QString &text) override;
};

BRALVO_PROPERTY_EDITOR(TrpEnumProperty, TrpPropertyEditor)
    int GetAttributes() const override { return 11; }
    QString GetValue() const override;
    void GetValues() override;
    void SetValue(const QString &text) override;
};

BRALVO_PROPERTY_EDITOR(TrpSetProperty, TrpPropertyEditor)
    int GetAttributes() const override { return 56; }
    // "[" member names joined by "," "]".
    QString GetValue() const override;
};

class TrpSetElementProperty : public TrpPropertyEditor {
public:
    TrpSetElementProperty(platform::Component *designer, int element)
        : TrpPropertyEditor(designer), m_element(element) {}
    int Element() const { return m_element; }
    int GetAttributes() const override { return 11; }
    QString GetName() const override;
    QString GetValue() const override;
    void GetValues() override;
    void SetValue(const QString &text) override;

private:
    int m_element;
};

BRALVO_PROPERTY_EDITOR(TrpClassProperty, TrpPropertyEditor)
    int GetAttributes() const override { return 56; }
    QString GetValue() const override;
};

BRALVO_PROPERTY_EDITOR(TrpComponentProperty, TrpPropertyEditor)
    int GetAttributes() const override { return 11; }
    QString GetValue() const override;
    // The objects of the page (or below the object) of the declared class.
    void GetValues() override;
    void SetValue(const QString &text) override;
};

BRALVO_PROPERTY_EDITOR(TrpNameProperty, TrpStringProperty)
    int GetAttributes() const override { return 0; }
};

BRALVO_PROPERTY_EDITOR(TrpColorProperty, TrpIntegerProperty)
    int GetAttributes() const override { return 73; }
    QString GetValue() const override;
    void GetValues() override;
    void SetValue(const QString &text) override;
    // The colour dialog; OK sets the colour.
    bool Edit() override;
    void DrawListItem(QPainter &painter, int index, const QRect &rect) override;
    void DrawValue(QPainter &painter, const QRect &rect) override;
};

BRALVO_PROPERTY_EDITOR(TrpFontProperty, TrpClassProperty)
    int GetAttributes() const override { return 60; }
    // The font dialog on the current font; OK assigns the chosen font.
    bool Edit() override;
};

BRALVO_PROPERTY_EDITOR(TrpFontNameProperty, TrpStringProperty)
    int GetAttributes() const override { return 11; }
    void GetValues() override;
};

BRALVO_PROPERTY_EDITOR(TrpFontCharsetProperty, TrpIntegerProperty)
    int GetAttributes() const override { return 11; }
    QString GetValue() const override;
    void GetValues() override;
    void SetValue(const QString &text) override;
};

BRALVO_PROPERTY_EDITOR(TrpModalResultProperty, TrpIntegerProperty)
    int GetAttributes() const override { return 9; }
    QString GetValue() const override;
    void GetValues() override;
    void SetValue(const QString &text) override;
};

BRALVO_PROPERTY_EDITOR(TrpShortCutProperty, TrpPropertyEditor)
    int GetAttributes() const override { return 9; }
    QString GetValue() const override;
    void GetValues() override;
    void SetValue(const QString &text) override;
};

BRALVO_PROPERTY_EDITOR(TrpCursorProperty, TrpIntegerProperty)
    int GetAttributes() const override { return 11; }
    QString GetValue() const override;
    void GetValues() override;
    void SetValue(const QString &text) override;
};

BRALVO_PROPERTY_EDITOR(TrpDateTimeProperty, TrpPropertyEditor)
    QString GetValue() const override;
    void SetValue(const QString &text) override;
};

BRALVO_PROPERTY_EDITOR(TrpDateProperty, TrpPropertyEditor)
    QString GetValue() const override;
    void SetValue(const QString &text) override;
};

BRALVO_PROPERTY_EDITOR(TrpTimeProperty, TrpPropertyEditor)
    QString GetValue() const override;
    void SetValue(const QString &text) override;
};

#undef BRALVO_PROPERTY_EDITOR

} // namespace bralvo::report
