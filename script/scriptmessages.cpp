// The script engine's message table with its defaults and replacement hook.
#include "script/scriptmessages.h"

#include <QMutex>
#include <array>

namespace bralvo::script {

namespace {

struct Entry {
    const char *key;
    const char *text;
};

constexpr std::array<Entry, 18> kDefaults{{
    {"SLangNotFound", "Language '%s' not found"},
    {"SInvalidLanguage", "Invalid language definition"},
    {"SIdRedeclared", "Identifier redeclared: "},
    {"SUnknownType", "Unknown type: "},
    {"SIncompatibleTypes", "Incompatible types"},
    {"SIdUndeclared", "Undeclared identifier: "},
    {"SClassRequired", "Class type required"},
    {"SIndexRequired", "Index required"},
    {"SStringError", "Strings doesn't have properties or methods"},
    {"SClassError", "Class %s does not have a default property"},
    {"SArrayRequired", "Array type required"},
    {"SVarRequired", "Variable required"},
    {"SNotEnoughParams", "Not enough actual parameters"},
    {"STooManyParams", "Too many actual parameters"},
    {"SLeftCantAssigned", "Left side cannot be assigned to"},
    {"SForError", "For loop variable must be numeric variable"},
    {"SEventError", "Event handler must be a procedure"},
    {"SNestingTooDeep", "Program nested too deeply"},
}};

struct Table {
    QMutex lock;
    std::array<QString, kDefaults.size()> texts;
    Table() { reset(); }
    void reset()
    {
        for (size_t i = 0; i < kDefaults.size(); ++i)
            texts[i] = QString::fromUtf8(kDefaults[i].text);
    }
};

Table &table()
{
    static Table t;
    return t;
}

} // namespace

QString scriptMessage(ScriptMessage message)
{
    QMutexLocker guard(&table().lock);
    return table().texts[size_t(message)];
}

QString scriptMessageWith(ScriptMessage message, const QString &argument)
{
    QString text = scriptMessage(message);
    const int at = text.indexOf(QLatin1String("%s"));
    if (at >= 0)
        text.replace(at, 2, argument);
    return text;
}

QString scriptMessageKey(ScriptMessage message)
{
    return QString::fromLatin1(kDefaults[size_t(message)].key);
}

void replaceScriptMessages(const ScriptTextSource &source)
{
    for (size_t i = 0; i < kDefaults.size(); ++i) {
        // The source may take its time; ask it outside the lock.
        const std::optional<QString> text = source(QString::fromLatin1(kDefaults[i].key));
        if (text) {
            QMutexLocker guard(&table().lock);
            table().texts[i] = *text;
        }
    }
}

void resetScriptMessages()
{
    QMutexLocker guard(&table().lock);
    table().reset();
}

} // namespace bralvo::script
