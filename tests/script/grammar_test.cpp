// The built-in grammar documents: each regenerates its rule notation
// exactly (so the XML is a faithful transcription of script/grammars/*.grammar),
// and the language registry behaves as its contract says.
#include "script/languageregistry.h"
#include "script/scripterror.h"
#include "script/tscxmldocument.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace bralvo::script;

namespace {

QString quoted(const QString &v) { return QLatin1Char('"') + v + QLatin1Char('"'); }

QList<QPair<QString, QString>> attributes(const TscXMLItem &item)
{
    static const QRegularExpression attr(QStringLiteral("(\\w+)=\"([^\"]*)\""));
    QList<QPair<QString, QString>> out;
    for (auto it = attr.globalMatch(item.Text()); it.hasNext();) {
        const auto m = it.next();
        out.append({m.captured(1), XMLToStr(m.captured(2))});
    }
    return out;
}

QString renderAttributes(const TscXMLItem &item)
{
    QStringList args;
    for (const auto &[name, value] : attributes(item)) {
        if (name == QLatin1String("text"))
            args << quoted(value);
        else if (name == QLatin1String("addtext"))
            args << name + QLatin1Char('=') + quoted(value);
        else
            args << name + QLatin1Char('=') + value;
    }
    return args.isEmpty() ? QString() : QLatin1Char('(') + args.join(QLatin1String(", ")) + QLatin1Char(')');
}

QString renderElement(const TscXMLItem &item)
{
    QString s = item.Name() + renderAttributes(item);
    if (item.Count() == 0)
        return s;
    const bool choice = item.Name() == QLatin1String("switch") || item.Name() == QLatin1String("optionalswitch");
    QStringList children;
    for (int i = 0; i < item.Count(); ++i)
        children << renderElement(*item.Items(i));
    return s + QLatin1String("{ ") + children.join(choice ? QLatin1String(" | ") : QLatin1String(" ")) + QLatin1String(" }");
}

// The notation file's lines, regenerated from a grammar document.
QStringList notationOf(const TscXMLItem &language)
{
    QStringList lines{QStringLiteral("language ") + language.Prop(QStringLiteral("text"))};
    for (int i = 0; i < language.Count(); ++i) {
        const TscXMLItem &e = *language.Items(i);
        if (e.Name() == QLatin1String("parser")) {
            for (int k = 0; k < e.Count(); ++k) {
                const TscXMLItem &p = *e.Items(k);
                if (p.Name() == QLatin1String("keywords")) {
                    QStringList words;
                    for (int w = 0; w < p.Count(); ++w)
                        words << p.Items(w)->Name();
                    lines << QStringLiteral("keywords ") + words.join(QLatin1Char(' '));
                } else if (p.Name() == QLatin1String("errors")) {
                    for (int w = 0; w < p.Count(); ++w)
                        lines << QStringLiteral("error %1 %2").arg(p.Items(w)->Name(), quoted(p.Items(w)->Prop(QStringLiteral("text"))));
                } else {
                    lines << QStringLiteral("parser %1 %2").arg(p.Name(), quoted(p.Prop(QStringLiteral("text"))));
                }
            }
        } else if (e.Name() == QLatin1String("types")) {
            for (int k = 0; k < e.Count(); ++k)
                lines << QStringLiteral("type %1 %2").arg(e.Items(k)->Name(), e.Items(k)->Prop(QStringLiteral("type")));
        } else {
            QStringList children;
            for (int k = 0; k < e.Count(); ++k)
                children << renderElement(*e.Items(k));
            lines << QStringLiteral("rule %1%2 := %3")
                         .arg(e.Name(), renderAttributes(e),
                              children.isEmpty() ? QStringLiteral("(nothing)") : children.join(QLatin1Char(' ')));
        }
    }
    return lines;
}

QStringList notationFile(const QString &file)
{
    QFile f(QStringLiteral(BRALVO_GRAMMAR_DIR "/") + file);
    if (!f.open(QIODevice::ReadOnly))
        return {QStringLiteral("cannot read ") + file};
    QStringList lines;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n')))
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines << line;
    return lines;
}

} // namespace

TEST(Grammars, EachDocumentRegeneratesItsNotation)
{
    struct Case { const char *language, *file; int rules, keywords, errors; };
    const Case cases[] = {
        {"PascalScript", "pascalscript.grammar", 48, 40, 20},
        {"C++Script", "cppscript.grammar", 47, 19, 18},
        {"JScript", "jscript.grammar", 42, 22, 17},
        {"BasicScript", "basicscript.grammar", 47, 40, 28},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.language);
        TscXMLDocument doc;
        doc.LoadFromText(GetScriptLanguageGrammar(QString::fromLatin1(c.language)));
        const QStringList regenerated = notationOf(*doc.Root());
        const QStringList expected = notationFile(QString::fromLatin1(c.file));
        EXPECT_EQ(regenerated.join(QLatin1Char('\n')).toStdString(), expected.join(QLatin1Char('\n')).toStdString());
        EXPECT_EQ(regenerated.filter(QRegularExpression(QStringLiteral("^rule "))).size(), c.rules);
        EXPECT_EQ(regenerated.filter(QRegularExpression(QStringLiteral("^error "))).size(), c.errors);
        const QString keywords = regenerated.filter(QRegularExpression(QStringLiteral("^keywords "))).value(0);
        EXPECT_EQ(keywords.split(QLatin1Char(' ')).size() - 1, c.keywords);
        // Registered as one line of XML.
        EXPECT_FALSE(GetScriptLanguageGrammar(QString::fromLatin1(c.language)).contains(QLatin1Char('\n')));
    }
}

TEST(LanguageRegistry, BuiltInOrderAndLookup)
{
    const QStringList names = GetScriptLanguageNames();
    ASSERT_GE(names.size(), 4);
    EXPECT_EQ(names.mid(0, 4), (QStringList{"JScript", "BasicScript", "C++Script", "PascalScript"}));
    EXPECT_EQ(GetScriptLanguageGrammar(QStringLiteral("pascalscript")),
              GetScriptLanguageGrammar(QStringLiteral("PascalScript")));
    try {
        GetScriptLanguageGrammar(QStringLiteral("Cobol"));
        FAIL() << "no error";
    } catch (const ScriptError &e) {
        EXPECT_EQ(e.userText(), "Language 'Cobol' not found");
    }
}

TEST(LanguageRegistry, ReplacingAndHiddenLanguages)
{
    RegisterScriptLanguage(QStringLiteral("TestLang"), QStringLiteral("<?xml?><language text=\"v1\"/>"));
    RegisterScriptLanguage(QStringLiteral("TESTLANG"), QStringLiteral("<?xml?><language text=\"v2\"/>"));
    RegisterScriptLanguage(QStringLiteral("@Hidden"), QStringLiteral("<?xml?><language/>"));
    const QStringList names = GetScriptLanguageNames();
    EXPECT_EQ(names.filter(QStringLiteral("testlang"), Qt::CaseInsensitive).size(), 1);
    EXPECT_EQ(GetScriptLanguageGrammar(QStringLiteral("testlang")), "<?xml?><language text=\"v2\"/>");
    EXPECT_FALSE(names.contains(QStringLiteral("@Hidden")));
    EXPECT_EQ(GetScriptLanguageGrammar(QStringLiteral("@hidden")), "<?xml?><language/>");
}
