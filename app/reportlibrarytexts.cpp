#include "app/reportlibrarytexts.h"

#include "report/model/trpresources.h"

namespace bralvo::app {

void ReportLibraryTexts::loadFromFile(const QString &path)
{
    report::GetResources().LoadFromFile(path);
}

ReportLibraryTexts &reportLibraryTexts()
{
    static ReportLibraryTexts texts;
    return texts;
}

} // namespace bralvo::app
