// The length units of the page settings dialog, as the designer's
// "Units" setting names them: 0, 2 and 3 show centimetres, 1 inches.
// Any other stored value is taken as centimetres, so the dialog never
// shows or writes zeros for real sizes.
#pragma once

#include <QString>

namespace bralvo::report {

class PageSettingsUnits {
public:
    explicit PageSettingsUnits(int stored);

    int Units() const { return m_units; }
    bool Inches() const { return m_units == 1; }
    // Millimetres to the shown value and back.
    double FromMm(double mm) const;
    double ToMm(double shown) const;
    // The unit label: library text "uInch" or "uCm".
    QString Label() const;
    // The shown text of a length in millimetres (two decimals unless
    // whole).
    QString Text(double mm) const;

private:
    int m_units;
};

} // namespace bralvo::report
