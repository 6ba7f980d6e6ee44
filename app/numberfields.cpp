// Validators and the saving check of number fields.
#include "app/numberfields.h"

#include "services/messages.h"
#include "services/numberinput.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStackedWidget>
#include <QTabWidget>

namespace bralvo::app {

namespace {

// Brings every tab page between the field and its window to the front,
// so the focus lands on a field the user can see.
void showPageOf(QWidget &field)
{
    QWidget *child = &field;
    for (QWidget *parent = field.parentWidget(); parent; child = parent, parent = parent->parentWidget()) {
        if (auto *stack = qobject_cast<QStackedWidget *>(parent)) {
            if (auto *tabs = qobject_cast<QTabWidget *>(stack->parentWidget()))
                tabs->setCurrentWidget(child);
            else
                stack->setCurrentWidget(child);
        }
    }
}

// The text of the label that names the field (its form row, else its
// buddy), without the closing colon.
QString labelOf(QLineEdit &field)
{
    const QLabel *found = nullptr;
    for (const QFormLayout *form : field.window()->findChildren<QFormLayout *>()) {
        if (!found)
            found = qobject_cast<const QLabel *>(form->labelForField(&field));
    }
    for (const QLabel *label : field.window()->findChildren<QLabel *>()) {
        if (!found && label->buddy() == &field)
            found = label;
    }
    if (!found)
        return field.objectName();
    QString text = found->text().trimmed();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.remove(QLatin1Char('&'));
}

} // namespace

void AcceptOnlyNumbers(QLineEdit &field, bool wholeOnly)
{
    // Intermediate texts ("-", "12,") must stay typeable.
    const QString pattern = wholeOnly ? QStringLiteral("[0-9 ]*")
                                      : QStringLiteral("-?[0-9 \\x{00A0}]*([.,][0-9]*)?");
    field.setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), &field));
}

bool NumberFieldInRange(QLineEdit &field, const QString &label, double min, double max, bool allowEmpty)
{
    const QString text = field.text();
    if ((allowEmpty && text.trimmed().isEmpty()) || services::IsTypedNumberWithin(text, min, max))
        return true;
    const QString name = label.isEmpty() ? labelOf(field) : label;
    services::ShowMessageBox(services::RangeRefusalText(name, int(min), int(max)), services::kMbWarning);
    showPageOf(field);
    field.setFocus();
    return false;
}

} // namespace bralvo::app
