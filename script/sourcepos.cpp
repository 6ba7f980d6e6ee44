#include "script/sourcepos.h"

#include "script/buildertree.h"
#include "script/positiontexts.h"

#include <QHash>
#include <deque>
#include <mutex>

namespace bralvo::script {

namespace {

// The texts positions and unit names refer to by number, each kept once.
// Only unusual positions and unit names come here, so a lock will do.
class KeptTexts {
public:
    quint32 keep(const QString &text)
    {
        const std::lock_guard guard(m_lock);
        const auto known = m_numbers.constFind(text);
        if (known != m_numbers.cend())
            return *known;
        const auto number = quint32(m_texts.size());
        m_texts.push_back(text);
        m_numbers.insert(text, number);
        return number;
    }
    QString at(quint32 number)
    {
        const std::lock_guard guard(m_lock);
        return m_texts[number];
    }

private:
    std::mutex m_lock;
    std::deque<QString> m_texts{QString()}; // 0: the empty text
    QHash<QString, quint32> m_numbers{{QString(), 0}};
};

KeptTexts &keptTexts()
{
    static auto *texts = new KeptTexts; // never destroyed: programs may outlive statics
    return *texts;
}

} // namespace

TscSourcePos TscSourcePos::fromText(QStringView text)
{
    if (text.isEmpty())
        return TscSourcePos();
    int line = 0, column = 0;
    if (builder::readPositionNumbers(text, line, column))
        return numbers(line, column);
    TscSourcePos pos;
    pos.m_line = kKeptText;
    pos.m_column = qint32(keptTexts().keep(text.toString()));
    return pos;
}

QString TscSourcePos::text() const
{
    if (isNumbers())
        return permanentPositionText(m_line, m_column);
    return m_line == kKeptText ? keptTexts().at(quint32(m_column)) : QString();
}

TscUnitRef::TscUnitRef(const QString &name) : m_index(name.isEmpty() ? 0 : keptTexts().keep(name)) {}

QString TscUnitRef::text() const
{
    return m_index == 0 ? QString() : keptTexts().at(m_index);
}

} // namespace bralvo::script
