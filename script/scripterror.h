// The script engine's error: the user text, and for errors tied to a place
// in a script, that place as "line:col" (empty when none).
#pragma once

#include "platform/error.h"

namespace bralvo::script {

class ScriptError : public bralvo::Error {
public:
    explicit ScriptError(const QString &userText, const QString &position = QString())
        : bralvo::Error(userText), m_position(position) {}

    const QString &position() const noexcept { return m_position; }

private:
    QString m_position;
};

} // namespace bralvo::script
