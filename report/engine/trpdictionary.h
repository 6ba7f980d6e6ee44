// The prepared pages' dictionary: short alias names (a letter and a
// number: m1, b2) standing for source objects, each with its source name
// "Page" + source page index + "." + object name.
#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace bralvo::report {

class TrpComponent;

class TrpDictionary {
public:
    void Clear();
    // Appends SourceName with Object and files Name under that position.
    void Add(const QString &name, const QString &sourceName, TrpComponent *object);
    // Name := CreateUniqueName(Base), then Add.
    void AddUnique(const QString &base, const QString &sourceName, QString &name, TrpComponent *object);
    // Halves from 10000 down to the first number already taken (or 1),
    // then the first free name from there upwards: b1, b2, ...
    QString CreateUniqueName(const QString &base) const;
    // Names compare ignoring case; nullptr or "" when unknown.
    TrpComponent *GetObject(const QString &name) const;
    QString GetSourceName(const QString &name) const;
    bool Contains(const QString &name) const { return m_names.contains(name.toLower()); }
    // The alias names in sorted order.
    QStringList Names() const;
    int Count() const { return int(m_names.size()); }

private:
    struct Entry {
        QString name;
        int position = 0;
    };
    struct Source {
        QString sourceName;
        TrpComponent *object = nullptr;
    };
    QMap<QString, Entry> m_names; // key: lower-cased name
    QList<Source> m_sourceNames;
};

} // namespace bralvo::report
