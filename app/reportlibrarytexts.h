// The report library's text table as the language loading reaches it: a
// ".flng" file found for the interface language replaces the texts of
// every report window and message.
#pragma once

#include "services/reportenginetexts.h"

namespace bralvo::app {

class ReportLibraryTexts : public services::ReportEngineTexts {
public:
    void loadFromFile(const QString &path) override;
};

// The one instance the start-up sequence and the language page hand on.
ReportLibraryTexts &reportLibraryTexts();

} // namespace bralvo::app
