// The code editor's colouring through a private script lexer: lazy (a
// paint colours only up to its last visible line) and incremental (an
// edit drops only the colour lines from just above it).
#include "report/editors/syntaxcolours.h"

#include "platform/stream.h"
#include "report/model/trpxml.h"
#include "script/languageregistry.h"

namespace bralvo::report {

LexerColouring::LexerColouring()
{
    m_parser.SkipSpace = false;
    m_parser.TrackLines = false;
}

void LexerColouring::SetSyntax(const QString &name)
{
    m_syntax = name;
    // A fresh lexer first, so a language takes nothing over from the one
    // before (switching SQL -> PascalScript gives Pascal comments back).
    m_parser = script::TscParser();
    m_parser.SkipSpace = false;
    m_parser.TrackLines = false;
    m_parser.CommentLine2.clear();
    if (name.compare(QLatin1String("SQL"), Qt::CaseInsensitive) == 0) {
        for (const QString &w : SqlReservedWords())
            m_parser.AddKeyword(w);
        m_parser.CommentLine1 = QStringLiteral("--");
        m_parser.CommentLine2.clear();
        m_parser.SetCommentBlock1(QStringLiteral("/*,*/"));
        m_parser.SetCommentBlock2(QString());
        m_parser.StringQuotes = QStringLiteral("\"");
        m_parser.HexSequence = QStringLiteral("0x");
    } else if (script::GetScriptLanguageNames().contains(name, Qt::CaseInsensitive)) {
        loadGrammar(name);
    }
    m_codes.clear();
}

void LexerColouring::loadGrammar(const QString &name)
{
    TrpXMLDocument doc;
    const QByteArray xml = script::GetScriptLanguageGrammar(name).toUtf8();
    platform::MemoryStream stream(xml);
    doc.LoadFromStream(stream);
    TrpXMLItem *parser = doc.Root()->FindItem(QStringLiteral("parser"));
    if (!parser)
        return;
    for (int i = 0; i < parser->Count(); ++i) {
        const TrpXMLItem *item = parser->Items(i);
        const QString n = item->Name.toLower(), v = item->Prop(QStringLiteral("text"));
        if (n == QLatin1String("keywords")) {
            for (int k = 0; k < item->Count(); ++k)
                m_parser.AddKeyword(item->Items(k)->Name);
        } else if (n == QLatin1String("identchars")) {
            m_parser.SetIdentifierCharset(v);
        } else if (n == QLatin1String("commentline1")) {
            m_parser.CommentLine1 = v;
        } else if (n == QLatin1String("commentline2")) {
            m_parser.CommentLine2 = v;
        } else if (n == QLatin1String("commentblock1")) {
            m_parser.SetCommentBlock1(v);
        } else if (n == QLatin1String("commentblock2")) {
            m_parser.SetCommentBlock2(v);
        } else if (n == QLatin1String("stringquotes")) {
            m_parser.StringQuotes = v;
        } else if (n == QLatin1String("hexsequence")) {
            m_parser.HexSequence = v;
        }
    }
}

void LexerColouring::DropFrom(int line)
{
    const int keep = std::max(0, line - 2);
    while (m_codes.size() > keep)
        m_codes.removeLast();
}

// The first position (1-based) of the last run of plain text among the
// codes already computed: the lexer can safely restart there.
int LexerColouring::restartPosition(const QString &codes) const
{
    qsizetype i = codes.lastIndexOf(QChar(ccText));
    if (i < 0)
        return 1;
    while (i > 0 && codes.at(i - 1) == QChar(ccText))
        --i;
    return int(i) + 1;
}

void LexerColouring::ColourUpTo(const QStringList &lines, int last)
{
    last = std::min(last, int(lines.size()) - 1);
    if (last < int(m_codes.size()))
        return;
    const QString done = m_codes.join(QStringLiteral("\r\n"));
    const int restart = m_codes.isEmpty() ? 1 : restartPosition(done);
    QStringList raw = m_codes;
    for (int k = int(m_codes.size()); k <= last; ++k)
        raw.append(lines.at(k));
    QString d = raw.join(QStringLiteral("\r\n"));
    m_parser.SetText(lines.join(QStringLiteral("\r\n")));
    m_parser.SetPosition(restart);
    const auto mark = [&d](int from, int to, char16_t code) { // 1-based, to exclusive
        for (int k = from; k < to && k <= d.size(); ++k)
            if (d.at(k - 1).unicode() > 31)
                d[k - 1] = QChar(code);
    };
    while (m_parser.Position() <= d.size()) {
        int p = m_parser.Position();
        m_parser.SkipSpaces();
        mark(p, m_parser.Position(), ccComment);
        p = m_parser.Position();
        if (p > d.size())
            break;
        char16_t code = ccText;
        if (const QString w = m_parser.GetWord(); !w.isEmpty()) {
            code = m_parser.IsKeyword(w) ? ccKeyword : ccText;
        } else if (m_parser.SetPosition(p), !m_parser.GetNumber().isEmpty()) {
            code = ccNumber;
        } else if (m_parser.SetPosition(p), !m_parser.GetString().isEmpty()) {
            code = ccString;
        } else {
            m_parser.SetPosition(p + 1);
        }
        mark(p, std::max(m_parser.Position(), p + 1), code);
        if (m_parser.Position() <= p)
            m_parser.SetPosition(p + 1);
    }
    m_codes = d.split(QStringLiteral("\r\n"));
    while (m_codes.size() > last + 1)
        m_codes.removeLast();
}

} // namespace bralvo::report
