// The expression cache: each bracketed text that no name answers is
// compiled once into a small function of the report's script language
// and called through the script engine. All functions live in one cache
// script whose parent is the script the expression runs in, so they see
// the report script's names.
//
// Texts are told apart with letter case (two texts differing only in a
// quoted literal are two functions), and every new text gets a function
// number never used before, so a text that failed to compile cannot make
// later texts fail.
#pragma once

#include "platform/variant.h"

#include <QHash>
#include <QString>
#include <memory>

namespace bralvo::script {
class TscScript;
class TscCustomVariable;
}

namespace bralvo::report {

class TrpExpressionCache {
public:
    explicit TrpExpressionCache(script::TscScript *reportScript);
    ~TrpExpressionCache();

    // Empties the compiled texts and the cache script.
    void Clear();
    // "PascalScript", "C++Script", "BasicScript" or "JScript".
    QString Language;

    // The value of Expr evaluated with Script as parent. ErrorText stays
    // empty on success; a compile error gives "Error in expression
    // 'Expr': message" and Null, a run-time error its message.
    platform::Variant Calc(const QString &expr, QString &errorText, script::TscScript *script);

    int CompiledCount() const { return int(m_compiled.size()); }
    script::TscScript &CacheScript() { return *m_cacheScript; }

    // The function text of one expression for Language; empty for an
    // unknown language.
    static QString FunctionText(const QString &language, const QString &name, const QString &expr);

private:
    script::TscCustomVariable *compile(const QString &expr, QString &errorText);

    script::TscScript *m_reportScript;
    std::unique_ptr<script::TscScript> m_cacheScript;
    QHash<QString, script::TscCustomVariable *> m_compiled;
    int m_nextNumber = 0;
};

} // namespace bralvo::report
