// The query builder's own table of user-interface texts, keyed by numeric
// ids written as text. Filled once with English defaults; never throws.
#pragma once

#include <QHash>
#include <QString>

namespace bralvo::report {

class TqbResources {
public:
    // Ids compare case-insensitively. A known id gets its text replaced.
    void Add(const QString &id, const QString &text);
    // Lines of id=text; a line with an empty id or text, or no "=", is skipped.
    void AddStrings(const QString &text);
    // The text of id, or id itself when unknown.
    QString Get(const QString &id) const;

private:
    QHash<QString, QString> m_texts; // key: id folded to lower case
};

// The process-wide table with the English defaults, created on first call.
TqbResources &GetQbResources();
// Get of the decimal form of id.
QString GetQbText(int id);

} // namespace bralvo::report
