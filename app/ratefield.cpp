// The exchange-rate field's key rules.
#include "app/ratefield.h"

namespace bralvo::app {

RateKey ClassifyRateKey(QChar key)
{
    if (key == QLatin1Char(',') || key == QLatin1Char('.'))
        return RateKey::Separator;
    if (key == QLatin1Char('\b') || key == QLatin1Char('-') ||
        (key >= QLatin1Char('0') && key <= QLatin1Char('9')))
        return RateKey::Pass;
    return RateKey::Drop;
}

RateEdit InsertRateSeparator(const RateEdit &edit, QChar localeSeparator)
{
    RateEdit result;
    int caret = qBound(0, edit.caret, int(edit.text.size()));
    for (int i = 0; i < edit.text.size(); ++i) {
        if (edit.text.at(i) == localeSeparator) {
            if (i < edit.caret)
                --caret;
            continue;
        }
        result.text.append(edit.text.at(i));
    }
    result.text.insert(caret, localeSeparator);
    result.caret = caret + 1;
    return result;
}

} // namespace bralvo::app
