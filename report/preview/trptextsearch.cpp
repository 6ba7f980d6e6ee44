// Matching search text against recorded text runs.
#include "report/preview/trptextsearch.h"

namespace bralvo::report {

TrpSearchState &searchState()
{
    static TrpSearchState state;
    return state;
}

int findTextRun(const QList<TrpTextRun> &runs, const QString &text, bool caseSensitive, int after)
{
    if (text.isEmpty())
        return -1;
    const QString wanted = caseSensitive ? text : text.toUpper();
    for (int i = qMax(0, after + 1); i < runs.size(); ++i) {
        const QString &run = runs.at(i).text;
        if ((caseSensitive ? run : run.toUpper()).contains(wanted))
            return i;
    }
    return -1;
}

} // namespace bralvo::report
