// Records of text objects: the display format of values (TrpFormat) with
// the rule that turns a value into text, and the conditional highlight
// (TrpHighlight: font and colour used while a condition holds).
#pragma once

#include "platform/font.h"
#include "platform/persistent.h"
#include "platform/variant.h"

#include <memory>

namespace bralvo::platform {
struct RegionalSettings;
}

namespace bralvo::report {

enum TrpFormatKind : int { fkText, fkNumeric, fkDateTime, fkBoolean };

const platform::EnumInfo &formatKindEnum();

class TrpFormat : public platform::Persistent {
    BRALVO_CLASS(TrpFormat)
public:
    QString DecimalSeparator() const { return m_decimalSeparator; }
    void SetDecimalSeparator(const QString &v) { m_decimalSeparator = v; }
    QString FormatStr() const { return m_formatStr; }
    void SetFormatStr(const QString &v) { m_formatStr = v; }
    TrpFormatKind Kind() const { return m_kind; }
    void SetKind(TrpFormatKind v) { m_kind = v; }
    // Copies all three values.
    void assign(const platform::Persistent &source) override;

private:
    QString m_decimalSeparator;
    QString m_formatStr;
    TrpFormatKind m_kind = fkText;
};

// Value as text under Format, with the given regional settings:
//   Null: "". fkText: the value's text.
//   fkNumeric: FormatStr with "#" goes through FormatFloat, with a
//     one-character DecimalSeparator as its decimal separator and a blank
//     between thousands whatever the locale; else with "d" through Format
//     as an integer, else through Format as a float ("%2.2f"), where a
//     one-character DecimalSeparator other than the regional one replaces
//     every regional decimal separator.
//   fkDateTime: FormatDateTime(FormatStr) of the value's day count.
//   fkBoolean: FormatStr "no,yes": "yes" for true, "no" otherwise.
// Never throws: a failure gives the value's text ("" if even that fails).
QString FormatDisplayValue(const platform::Variant &value, const TrpFormat &format,
                           const platform::RegionalSettings &settings);
// The same with the process's regional settings.
QString FormatDisplayValue(const platform::Variant &value, const TrpFormat &format);

class TrpHighlight : public platform::Persistent {
    BRALVO_CLASS(TrpHighlight)
public:
    // Font "Arial" 10 red, colour clNone, inactive.
    TrpHighlight();

    bool Active() const { return m_active; }
    void SetActive(bool v) { m_active = v; }
    platform::Font *Font() const { return m_font.get(); }
    void SetFont(const platform::Font *v);
    int Color() const { return m_color; }
    void SetColor(int v) { m_color = v; }
    // An expression of the report.
    QString Condition() const { return m_condition; }
    void SetCondition(const QString &v) { m_condition = v; }
    // Copies Font, Color and Condition; Active stays.
    void assign(const platform::Persistent &source) override;

private:
    bool m_active = false;
    std::unique_ptr<platform::Font> m_font;
    int m_color;
    QString m_condition;
};

} // namespace bralvo::report
