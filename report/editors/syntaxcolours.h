// Colour codes of the syntax editors, one code character per text
// character: '1' text, '3' comment, '4' reserved word, '5' string,
// '6' number. Control characters keep their own character, so a code
// text splits into lines like the text.
#pragma once

#include "script/tscparser.h"

#include <QString>
#include <QStringList>

namespace bralvo::report {

enum ColourCode : char16_t {
    ccText = '1',
    ccComment = '3',
    ccKeyword = '4',
    ccString = '5',
    ccNumber = '6',
};

// The SQL reserved words of the code editor, in their fixed order.
const QStringList &SqlReservedWords();

// The query builder memo's hard-wired colourings.
enum class TSyntaxType { stPascal, stCpp, stSQL, stText };

// Codes for text (lines joined with CR LF). The scan never reads past
// the end of the text.
QString QbColourCodes(const QString &text, TSyntaxType type);
// The keyword list of a colouring, comma separated.
QString QbKeywordList(TSyntaxType type);

// The code editor's lazy colouring through the script lexer: colour lines
// cover a prefix of the text and grow on demand.
class LexerColouring {
public:
    LexerColouring();

    // "SQL" (any case), a registered script language, or anything else
    // (which only empties the reserved words). Drops all colouring.
    void SetSyntax(const QString &name);
    const QString &Syntax() const { return m_syntax; }
    script::TscParser &Parser() { return m_parser; }

    // Keeps at most line - 2 colour lines (1-based line), so the line
    // before a change is coloured again too.
    void DropFrom(int line);
    // Colours up to 0-based line last of lines.
    void ColourUpTo(const QStringList &lines, int last);
    const QStringList &CodeLines() const { return m_codes; }

private:
    void loadGrammar(const QString &name);
    int restartPosition(const QString &codes) const;

    script::TscParser m_parser;
    QString m_syntax;
    QStringList m_codes;
};

} // namespace bralvo::report
