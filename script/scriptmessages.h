// The script engine's message texts. Each has a built-in English default;
// the report library replaces them from its text table at start-up and
// whenever it loads a language file, through replaceScriptMessages().
#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace bralvo::script {

enum class ScriptMessage {
    LangNotFound,      // "Language '%s' not found" (%s: the name)
    InvalidLanguage,   // "Invalid language definition"
    IdRedeclared,      // "Identifier redeclared: "
    UnknownType,       // "Unknown type: "
    IncompatibleTypes, // "Incompatible types"
    IdUndeclared,      // "Undeclared identifier: "
    ClassRequired,     // "Class type required"
    IndexRequired,     // "Index required"
    StringError,       // "Strings doesn't have properties or methods"
    ClassError,        // "Class %s does not have a default property"
    ArrayRequired,     // "Array type required"
    VarRequired,       // "Variable required"
    NotEnoughParams,   // "Not enough actual parameters"
    TooManyParams,     // "Too many actual parameters"
    LeftCantAssigned,  // "Left side cannot be assigned to"
    ForError,          // "For loop variable must be numeric variable"
    EventError,        // "Event handler must be a procedure"
    NestingTooDeep,    // "Program nested too deeply" (syntax error at the limit)
};

// The current text of a message (the default until replaced). "%s" in the
// texts is a placeholder the caller fills (see scriptMessageWith).
QString scriptMessage(ScriptMessage message);
// The message with its one "%s" replaced by the argument.
QString scriptMessageWith(ScriptMessage message, const QString &argument);
// The key under which the library's text table holds the message
// ("SLangNotFound", ...).
QString scriptMessageKey(ScriptMessage message);

// A source of replacement texts: the text for a key, or nothing to keep the
// current text. Called once per message, in the order of the enum.
using ScriptTextSource = std::function<std::optional<QString>(const QString &key)>;
void replaceScriptMessages(const ScriptTextSource &source);
// Back to the built-in defaults (tests, and a library that unloads its texts).
void resetScriptMessages();

} // namespace bralvo::script
