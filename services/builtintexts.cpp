// Filling the text tables from the generated built-in texts.
#include "services/builtintexts.h"

#include "services/builtintexts_data.h"
#include "services/uitexts.h"

#include <algorithm>

namespace bralvo::services {
namespace {

QString lookup(const builtin::NumberedText *table, int count, int number)
{
    const builtin::NumberedText *end = table + count;
    const auto *found = std::lower_bound(table, end, number,
        [](const builtin::NumberedText &t, int n) { return t.number < n; });
    if (found == end || found->number != number)
        return QString();
    return QString::fromUtf8(found->text);
}

void setUiRange(int first, int last)
{
    QStringList &table = UiTextTable();
    for (int i = first; i <= last; ++i)
        table[i] = BuiltInUiText(i);
}

} // namespace

QString BuiltInUiText(int number)
{
    return lookup(builtin::uiTexts, builtin::uiTextsCount, number);
}

QString BuiltInReportText(int number)
{
    return lookup(builtin::reportTexts, builtin::reportTextsCount, number);
}

void InitDefaultMessages()
{
    setUiRange(0, 21);
}

void LoadDefaultTexts()
{
    QStringList &ui = UiTextTable();
    ui = QStringList(UiTextCount, QString());
    InitDefaultMessages();
    setUiRange(100, UiTextCount - 1);

    QStringList &report = ReportTextTable();
    report = QStringList(ReportTextCount, QString());
    for (int i = 0; i < ReportTextCount; ++i)
        report[i] = BuiltInReportText(i);
}

} // namespace bralvo::services
