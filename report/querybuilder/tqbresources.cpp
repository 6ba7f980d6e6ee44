// The query builder's text table and its English defaults.
#include "report/querybuilder/tqbresources.h"

#include <QRegularExpression>
#include <QStringList>

namespace bralvo::report {

namespace {

const char defaultTexts[] =
    "1=Ok\n2=Cancel\n1803=Clear\n1804=Save to file\n1805=Load from file\n"
    "1806=Model\n1807=SQL\n1808=Result\n-------TqbGrid-------\n"
    "1820=Collumn\n1821=Visible\n1822=Where\n1823=Sort\n1824=Function\n"
    "1825=Group\n1826=Move up\n1827=Move down\n1828=Visible\n"
    "1829=Not Visible\n1830=No\n1831=Ascending\n1832=Descending\n"
    "1833=Grouping\n";

} // namespace

void TqbResources::Add(const QString &id, const QString &text)
{
    m_texts.insert(id.toLower(), text);
}

void TqbResources::AddStrings(const QString &text)
{
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString name = line.left(eq);
        const QString value = line.mid(eq + 1);
        if (!name.isEmpty() && !value.isEmpty())
            Add(name, value);
    }
}

QString TqbResources::Get(const QString &id) const
{
    return m_texts.value(id.toLower(), id);
}

TqbResources &GetQbResources()
{
    static TqbResources *table = [] {
        static TqbResources instance;
        instance.AddStrings(QString::fromLatin1(defaultTexts));
        return &instance;
    }();
    return *table;
}

QString GetQbText(int id)
{
    return GetQbResources().Get(QString::number(id));
}

} // namespace bralvo::report
