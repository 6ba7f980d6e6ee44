// The language registry and the four built-in grammars (Qt resources built
// from script/grammars/).
#include "script/languageregistry.h"
#include "script/scripterror.h"
#include "script/scriptmessages.h"

#include <QFile>
#include <QMutex>
#include <vector>

namespace bralvo::script {

namespace {

struct Language {
    QString name;
    QString grammar;
};

QString builtinGrammar(const char *file)
{
    QFile f(QStringLiteral(":/bralvo/script/grammars/") + QLatin1String(file));
    if (!f.open(QIODevice::ReadOnly))
        throw ScriptError(QStringLiteral("Built-in grammar %1 is missing").arg(QLatin1String(file)));
    return QString::fromUtf8(f.readAll()).trimmed();
}

struct Registry {
    QMutex lock;
    std::vector<Language> languages;

    Registry()
    {
        languages = {
            {QStringLiteral("JScript"), builtinGrammar("jscript.xml")},
            {QStringLiteral("BasicScript"), builtinGrammar("basicscript.xml")},
            {QStringLiteral("C++Script"), builtinGrammar("cppscript.xml")},
            {QStringLiteral("PascalScript"), builtinGrammar("pascalscript.xml")},
        };
    }

    Language *find(const QString &name)
    {
        for (Language &l : languages)
            if (l.name.compare(name, Qt::CaseInsensitive) == 0)
                return &l;
        return nullptr;
    }
};

Registry &registry()
{
    static Registry r;
    return r;
}

} // namespace

void RegisterScriptLanguage(const QString &name, const QString &grammar)
{
    Registry &r = registry();
    QMutexLocker guard(&r.lock);
    if (Language *l = r.find(name)) {
        l->name = name;
        l->grammar = grammar;
    } else {
        r.languages.push_back({name, grammar});
    }
}

QString GetScriptLanguageGrammar(const QString &name)
{
    Registry &r = registry();
    QMutexLocker guard(&r.lock);
    if (const Language *l = r.find(name))
        return l->grammar;
    throw ScriptError(scriptMessageWith(ScriptMessage::LangNotFound, name));
}

QStringList GetScriptLanguageNames()
{
    Registry &r = registry();
    QMutexLocker guard(&r.lock);
    QStringList names;
    for (const Language &l : r.languages)
        if (!l.name.startsWith(QLatin1Char('@')))
            names.append(l.name);
    return names;
}

} // namespace bralvo::script
