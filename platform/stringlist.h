// The class library's string list: lines with an attached object
// pointer (not owned), optionally kept sorted with duplicates ignored.
// Comparison ignores case unless caseSensitive is set.
#pragma once

#include "platform/persistent.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace bralvo::platform {

class StringList : public Persistent {
    BRALVO_CLASS(StringList)
public:
    enum class Duplicates { Accept, Ignore, Error };

    StringList() = default;
    explicit StringList(const QStringList &lines);

    int count() const { return int(m_items.size()); }
    bool isEmpty() const { return m_items.isEmpty(); }
    // Throws ListIndexError ("List index out of bounds (N)").
    const QString &at(int index) const;
    const QString &operator[](int index) const { return at(index); }
    void set(int index, const QString &text);
    void *object(int index) const;
    void setObject(int index, void *object);

    // Sorted lists insert in order; returns the index (with Ignore, the
    // index of the line already there). Duplicates::Error throws
    // ClassLibError "String list does not allow duplicates".
    int add(const QString &text, void *object = nullptr);
    void addStrings(const QStringList &lines);
    void addStrings(const StringList &other);
    // Throws ClassLibError for a sorted list.
    void insert(int index, const QString &text, void *object = nullptr);
    void remove(int index);
    void clear();
    void move(int from, int to);

    int indexOf(const QString &text) const;
    int indexOfObject(const void *object) const;
    bool contains(const QString &text) const { return indexOf(text) >= 0; }

    // Lines of the form Name=Value.
    QString name(int index) const;
    QString value(const QString &name) const;
    void setValue(const QString &name, const QString &value);
    int indexOfName(const QString &name) const;

    // Every line followed by CR LF; an empty list gives "".
    QString text() const;
    // Replaces the lines: CR LF, CR and LF each end a line; a break at
    // the very end adds no empty line.
    void setText(const QString &text);
    // Lines joined by Separator without a trailing one.
    QString join(const QString &separator) const;
    QStringList toStringList() const;

    bool sorted() const { return m_sorted; }
    void setSorted(bool sorted);
    Duplicates duplicates() const { return m_duplicates; }
    void setDuplicates(Duplicates d) { m_duplicates = d; }
    bool caseSensitive() const { return m_caseSensitive; }
    void setCaseSensitive(bool on);

    int compareStrings(const QString &a, const QString &b) const;
    void sort();

    void assign(const Persistent &source) override;

private:
    struct Item {
        QString text;
        void *object = nullptr;
    };
    // Binary search in a sorted list: true when found; Index is where
    // the text is or would go.
    bool find(const QString &text, int &index) const;
    void checkIndex(int index) const;

    QList<Item> m_items;
    bool m_sorted = false;
    bool m_caseSensitive = false;
    Duplicates m_duplicates = Duplicates::Accept;
};

} // namespace bralvo::platform
