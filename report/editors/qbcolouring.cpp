// The query builder memo's hard-wired colouring. Every look-ahead is
// bounded by the text's length: nothing relies on padding after it.
#include "report/editors/syntaxcolours.h"

namespace bralvo::report {

QString QbKeywordList(TSyntaxType type)
{
    switch (type) {
    case TSyntaxType::stPascal:
        return QStringLiteral(
            "and,array,begin,case,const,div,do,downto,else,end,except,finally,for,function,if,in,is,"
            "mod,nil,not,of,or,procedure,program,repeat,shl,shr,string,then,to,try,until,uses,var,"
            "while,with,xor");
    case TSyntaxType::stCpp:
        return QStringLiteral(
            "bool,break,case,char,continue,define,default,delete,do,double,else,except,finally,float,"
            "for,if,include,int,is,new,return,string,switch,try,variant,void,while");
    case TSyntaxType::stSQL: {
        QStringList words = SqlReservedWords();
        words.removeAll(QStringLiteral("call"));
        words.removeAll(QStringLiteral("values"));
        return words.join(QLatin1Char(','));
    }
    case TSyntaxType::stText:
        break;
    }
    return QString();
}

namespace {

class QbScanner {
public:
    QbScanner(const QString &text, TSyntaxType type)
        : m_text(text), m_type(type), m_codes(text),
          m_keywords(QLatin1Char(',') + QbKeywordList(type) + QLatin1Char(','))
    {
    }

    QString run()
    {
        while (m_i < m_text.size())
            step();
        return m_codes;
    }

private:
    QChar at(qsizetype i) const { return i < m_text.size() ? m_text.at(i) : QChar(); }
    bool startsWith(const char *marker) const { return m_text.mid(m_i).startsWith(QLatin1String(marker)); }
    static bool isLetter(QChar c)
    {
        const char16_t u = c.unicode();
        return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_';
    }
    static bool isDigit(QChar c) { return c.unicode() >= '0' && c.unicode() <= '9'; }

    void mark(qsizetype from, qsizetype to, char16_t code)
    {
        for (qsizetype k = from; k < to && k < m_text.size(); ++k)
            if (m_text.at(k).unicode() > 31)
                m_codes[k] = QChar(code);
    }

    void untilLineEnd(char16_t code)
    {
        qsizetype j = m_i;
        while (j < m_text.size() && m_text.at(j) != QLatin1Char('\r') && m_text.at(j) != QLatin1Char('\n'))
            ++j;
        mark(m_i, j, code);
        m_i = j;
    }

    void until(const QString &close)
    {
        const qsizetype found = m_text.indexOf(close, m_i + 1);
        const qsizetype j = found < 0 ? m_text.size() : found + close.size();
        mark(m_i, j, ccComment);
        m_i = j;
    }

    void string(QChar quote)
    {
        qsizetype j = m_i + 1;
        while (j < m_text.size() && m_text.at(j) != quote && m_text.at(j) != QLatin1Char('\r')
               && m_text.at(j) != QLatin1Char('\n'))
            ++j;
        if (j < m_text.size() && m_text.at(j) == quote)
            ++j;
        mark(m_i, j, ccString);
        m_i = j;
    }

    void word()
    {
        qsizetype j = m_i;
        while (j < m_text.size() && (isLetter(m_text.at(j)) || isDigit(m_text.at(j))))
            ++j;
        const QString w = m_text.mid(m_i, j - m_i).toLower();
        const bool keyword = m_type != TSyntaxType::stText
                             && m_keywords.contains(QLatin1Char(',') + w + QLatin1Char(','));
        mark(m_i, j, keyword ? ccKeyword : ccText);
        m_i = j;
    }

    void step()
    {
        const QChar c = m_text.at(m_i);
        const bool pascal = m_type == TSyntaxType::stPascal;
        const bool cStyle = m_type == TSyntaxType::stCpp || m_type == TSyntaxType::stSQL;
        if (isLetter(c))
            return word();
        if ((pascal || m_type == TSyntaxType::stCpp) && startsWith("//"))
            return untilLineEnd(ccComment);
        if (m_type == TSyntaxType::stSQL && startsWith("--"))
            return untilLineEnd(ccComment);
        if (pascal && c == QLatin1Char('{'))
            return until(QStringLiteral("}"));
        if (pascal && startsWith("(*"))
            return until(QStringLiteral("*)"));
        if (cStyle && startsWith("/*"))
            return until(QStringLiteral("*/"));
        if ((pascal && c == QLatin1Char('\'')) || (cStyle && c == QLatin1Char('"')))
            return string(c);
        mark(m_i, m_i + 1, ccText);
        ++m_i;
    }

    const QString &m_text;
    TSyntaxType m_type;
    QString m_codes;
    QString m_keywords;
    qsizetype m_i = 0;
};

} // namespace

QString QbColourCodes(const QString &text, TSyntaxType type)
{
    return QbScanner(text, type).run();
}

} // namespace bralvo::report
