// What the record routines need from a window when a check refuses a
// save: the focus moved to the control the message is about. Controls are
// named as the windows name them ("eNazov", "eLogin"). The windows
// implement it; tests record the names.
#pragma once

#include <QString>

namespace bralvo::db {

class FormFocus {
public:
    virtual ~FormFocus() = default;
    virtual void focusControl(const QString &controlName) = 0;
};

} // namespace bralvo::db
