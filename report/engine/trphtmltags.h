// Inline text tags of memo texts: <b>, <i>, <u>, <strike>, <sub>, <sup>
// and <font color=...>, each closed by the same name after a slash. One
// line of such text becomes plain characters plus one style record per
// character; the text layout (TrpDrawText) wraps, measures and draws from
// the records, one group of records per wrapped line.
#pragma once

#include <QList>
#include <QString>

namespace bralvo::report {

// The style of one visible character.
struct TrpHTMLTag {
    int position = 0;  // 1-based place in the memo's raw text (tags and CR LF counted)
    int size = 0;      // points
    int lowered = 0;   // 1 for a subscript character
    int style = 0;     // platform::FontStyle bits
    int color = 0;     // 0x00BBGGRR
    bool sameAsBefore = false; // style, colour and size as the character before
    bool reduced = false;      // size differs from the default (sub/sup)
};

// The records of one wrapped line.
class TrpHTMLTags {
public:
    int Count() const { return int(m_items.size()); }
    const TrpHTMLTag &Items(int index) const { return m_items.at(index); }
    TrpHTMLTag &Items(int index) { return m_items[index]; }
    void Add(const TrpHTMLTag &tag) { m_items.append(tag); }
    // Raw-text position of the line's own first character; differs from
    // Items(0).position only after SplitGroup moved the start back.
    int StartPosition() const { return m_startPosition; }
    void SetStartPosition(int position) { m_startPosition = position; }

private:
    friend class TrpHTMLTagsList;
    QList<TrpHTMLTag> m_items;
    int m_startPosition = 0;
};

// The parser state and the groups of one memo.
class TrpHTMLTagsList {
public:
    // False: no tag is recognised and every character has the defaults.
    bool AllowTags() const { return m_allowTags; }
    void SetAllowTags(bool allow) { m_allowTags = allow; }

    // Sets defaults and current state, position := 1, frees the groups.
    void Init(int defColor, int defSize, int defStyle);
    void Clear() { m_groups.clear(); }
    // Appends an empty group, but only when a group exists already (the
    // first group comes with the first record).
    void NewGroup();
    // Removes the recognised tags from text and appends one record per
    // remaining character to the last group. A line left empty becomes
    // " " with one record. Text that is not a well-formed tag (also an
    // unterminated one or a bad "#" colour) stays as plain characters.
    void ParseLine(QString &text);
    // Moves the records from index count on into a new last group; with
    // hyphen, the old group gets a copy of its record count-1 for the
    // added "-". Nothing happens when the last group has <= count records.
    void SplitGroup(int count, bool hyphen);

    int Count() const { return int(m_groups.size()); }
    const TrpHTMLTags &Items(int index) const { return m_groups.at(index); }
    TrpHTMLTags &Items(int index) { return m_groups[index]; }

    int Position() const { return m_position; }
    void AdvancePosition(int by) { m_position += by; }
    int DefaultColor() const { return m_defColor; }
    int DefaultSize() const { return m_defSize; }
    int DefaultStyle() const { return m_defStyle; }
    void SetDefaultStyle(int style) { m_defStyle = style; }

private:
    int tagLength(const QString &text, int at);
    int fontTagLength(const QString &text, int at);
    void addRecord();
    const TrpHTMLTag *lastRecord() const;

    bool m_allowTags = true;
    int m_lowered = 0;
    int m_color = 0;
    int m_defColor = 0;
    int m_defSize = 0;
    int m_defStyle = 0;
    int m_position = 1;
    int m_size = 0;
    int m_style = 0;
    QList<TrpHTMLTags> m_groups;
};

// The colour a platform colour name stands for ("clRed" -> 0x0000FF),
// compared ignoring case; false for an unknown name.
bool colorFromName(const QString &name, int &color);

} // namespace bralvo::report
