// The root of every error the program throws. Layers derive their own
// class (DbError, ScriptError, ReportError) and carry the user's text.
#pragma once

#include <QString>
#include <stdexcept>

namespace bralvo {

class Error : public std::runtime_error {
public:
    explicit Error(const QString &userText)
        : std::runtime_error(userText.toStdString()), m_userText(userText) {}

    // The text shown to the user, already in the user's language.
    const QString &userText() const noexcept { return m_userText; }

private:
    QString m_userText;
};

} // namespace bralvo
