#include "report/engine/trpexpressioncache.h"

#include "platform/error.h"
#include "report/model/trpresources.h"
#include "script/tscscript.h"

#include <stdexcept>

namespace bralvo::report {

TrpExpressionCache::TrpExpressionCache(script::TscScript *reportScript)
    : m_reportScript(reportScript), m_cacheScript(std::make_unique<script::TscScript>())
{
    m_cacheScript->HighCharIdents = true;
}

TrpExpressionCache::~TrpExpressionCache() = default;

void TrpExpressionCache::Clear()
{
    m_compiled.clear();
    m_cacheScript->Clear();
}

QString TrpExpressionCache::FunctionText(const QString &language, const QString &name, const QString &expr)
{
    const auto is = [&](const char *l) { return language.compare(QLatin1String(l), Qt::CaseInsensitive) == 0; };
    if (is("PascalScript"))
        return QStringLiteral("function ") + name + QStringLiteral(": Variant; begin Result := ") + expr +
               QStringLiteral(" end; begin end.");
    if (is("C++Script"))
        return QStringLiteral("Variant ") + name + QStringLiteral("() { return ") + expr + QStringLiteral("; } {}");
    if (is("BasicScript"))
        return QStringLiteral("function ") + name + QStringLiteral("\r\nreturn ") + expr +
               QStringLiteral("\r\nend function");
    if (is("JScript"))
        return QStringLiteral("function ") + name + QStringLiteral("() { return ") + expr + QStringLiteral("; }");
    return QString();
}

script::TscCustomVariable *TrpExpressionCache::compile(const QString &expr, QString &errorText)
{
    const QString name = QStringLiteral("fr3f") + QString::number(m_nextNumber++);
    const QString text = FunctionText(Language, name, expr);
    QString message;
    if (text.isEmpty()) {
        message = QStringLiteral("Unknown script language: ") + Language;
    } else {
        m_cacheScript->SyntaxType = Language;
        m_cacheScript->Lines = QStringList{text};
        try {
            if (!m_cacheScript->Compile())
                message = m_cacheScript->ErrorText;
        } catch (const bralvo::Error &e) {
            message = e.userText();
        }
    }
    script::TscCustomVariable *item = message.isEmpty() ? m_cacheScript->Find(name) : nullptr;
    if (!item) {
        if (message.isEmpty())
            message = m_cacheScript->ErrorText;
        errorText = GetResources().Get(QStringLiteral("clExprError")) + QStringLiteral(" '") + expr +
                    QStringLiteral("': ") + message;
        return nullptr;
    }
    m_compiled.insert(expr, item);
    return item;
}

platform::Variant TrpExpressionCache::Calc(const QString &expr, QString &errorText, script::TscScript *script)
{
    errorText.clear();
    m_cacheScript->ParentScript = script;
    script::TscCustomVariable *item = m_compiled.value(expr);
    if (!item)
        item = compile(expr, errorText);
    if (!item)
        return platform::Variant::null();
    platform::Variant value = platform::Variant::null();
    if (m_reportScript)
        m_reportScript->MainProgramMark = false;
    try {
        value = item->GetValue();
    } catch (const bralvo::Error &e) {
        errorText = e.userText();
    } catch (const std::exception &e) {
        errorText = QString::fromUtf8(e.what());
    }
    if (m_reportScript)
        m_reportScript->MainProgramMark = true;
    return value;
}

} // namespace bralvo::report
