// Where run-time objects were written, kept small: a program holds a
// position for every statement, expression, designator link and declared
// item, and a unit name for each of them too, but their texts are wanted
// only when an error is reported or a line hook runs.
#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace bralvo::script {

// A source position, "line:column" as the parser writes it, or any other
// text an intermediate program held instead. Eight bytes: the two numbers
// when the text reads back to them (builder::readPositionNumbers), else
// the number of a text kept for the process's life.
class TscSourcePos {
public:
    TscSourcePos() = default; // empty

    // line and column are not negative (what the parser's elements hold).
    static TscSourcePos numbers(int line, int column)
    {
        TscSourcePos pos;
        pos.m_line = line;
        pos.m_column = column;
        return pos;
    }
    // The position whose text() is text (an empty text gives empty).
    static TscSourcePos fromText(QStringView text);

    bool isEmpty() const { return m_line == kEmpty; }
    // Whether the position is two numbers; line() and column() are they.
    bool isNumbers() const { return m_line >= 0; }
    int line() const { return m_line; }
    int column() const { return m_column; }

    // "line:column", or the text kept; empty for an empty position.
    QString text() const;

    friend bool operator==(TscSourcePos a, TscSourcePos b)
    {
        return a.m_line == b.m_line && a.m_column == b.m_column;
    }

private:
    static constexpr qint32 kEmpty = -1;
    static constexpr qint32 kKeptText = -2; // m_column numbers the text

    qint32 m_line = kEmpty;
    qint32 m_column = 0;
};

// A unit's name, as the statements and items a unit declares refer to it:
// four bytes, the empty name (the main text) being 0. Unit names are few
// and kept for the process's life.
class TscUnitRef {
public:
    TscUnitRef() = default; // the main text
    explicit TscUnitRef(const QString &name);

    bool isEmpty() const { return m_index == 0; }
    QString text() const;

    friend bool operator==(TscUnitRef a, TscUnitRef b) { return a.m_index == b.m_index; }

private:
    quint32 m_index = 0;
};

} // namespace bralvo::script
