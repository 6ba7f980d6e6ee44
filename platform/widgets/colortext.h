// Colours written as text in the settings: "$00BBGGRR" (blue, green, red
// bytes, high byte first), a decimal number of the same layout, or a
// named colour such as "clWhite".
#pragma once

#include <QColor>
#include <QString>
#include <optional>

namespace bralvo::platform {

// nullopt when the text is none of the accepted forms.
std::optional<QColor> parseColorText(const QString &text);

// The "$00BBGGRR" form of an opaque colour.
QString colorToText(const QColor &color);

} // namespace bralvo::platform
