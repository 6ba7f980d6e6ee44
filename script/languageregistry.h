// The process-wide registry of script languages: one grammar document (an
// XML text on one line) per language name. Names compare ignoring case and
// the listing keeps registration order. JScript, BasicScript, C++Script and
// PascalScript are registered, in this order, on first use of the registry.
// Safe to call from any thread.
#pragma once

#include <QString>
#include <QStringList>

namespace bralvo::script {

// Replaces the grammar of a name registered already (any case), else appends.
void RegisterScriptLanguage(const QString &name, const QString &grammar);
// Throws ScriptError with SLangNotFound ("Language '%s' not found").
QString GetScriptLanguageGrammar(const QString &name);
// Registered names in order, without the hidden ones (beginning with "@").
QStringList GetScriptLanguageNames();

} // namespace bralvo::script
