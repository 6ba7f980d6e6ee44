// The keys the exchange-rate field takes: digits, "-", backspace and
// either decimal separator, which always goes in as the locale's one and
// replaces any separator typed before.
#pragma once

#include <QChar>
#include <QString>

namespace bralvo::app {

enum class RateKey { Pass, Drop, Separator };

// What a typed character does in the rate field.
RateKey ClassifyRateKey(QChar key);

struct RateEdit {
    QString text;
    int caret = 0;
};

// The field after a decimal separator key at the caret: every locale
// separator already in the text removed (the caret moving back for each
// one before it), then the locale separator inserted at the caret.
RateEdit InsertRateSeparator(const RateEdit &edit, QChar localeSeparator);

} // namespace bralvo::app
