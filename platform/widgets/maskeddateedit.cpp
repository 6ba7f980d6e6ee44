// The "dd.mm.yyyy" date field with blanks for untyped digits.
#include "platform/widgets/maskeddateedit.h"

namespace bralvo::platform {

MaskedDateEdit::MaskedDateEdit(QWidget *parent) : QLineEdit(parent)
{
    // "_" shows the free places while typing; the stored form uses blanks.
    setInputMask(QStringLiteral("99.99.9999;_"));
}

QString MaskedDateEdit::maskText() const
{
    QString shown = displayText();
    shown.replace(QLatin1Char('_'), QLatin1Char(' '));
    if (shown.size() < kEmptyText.size())
        shown += kEmptyText.mid(shown.size());
    return shown;
}

void MaskedDateEdit::setMaskText(const QString &text)
{
    QString full = text.left(kEmptyText.size());
    full += kEmptyText.mid(full.size());
    setText(full);
}

} // namespace bralvo::platform
