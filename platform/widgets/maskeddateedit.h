// A date field with the mask "99.99.9999": the user types digits only,
// and an empty field reads "  .  .    " (blanks where digits go).
#pragma once

#include <QLineEdit>

namespace bralvo::platform {

class MaskedDateEdit : public QLineEdit {
    Q_OBJECT
public:
    static inline const QString kEmptyText = QStringLiteral("  .  .    ");

    explicit MaskedDateEdit(QWidget *parent = nullptr);

    // The field as the windows store it: ten characters, blanks for
    // untyped digits ("01.02.2024", "  .  .    ").
    QString maskText() const;
    // Takes a "dd.mm.yyyy" text; an empty or partial text fills blanks.
    void setMaskText(const QString &text);

    bool isEmptyDate() const { return maskText() == kEmptyText; }
};

} // namespace bralvo::platform
