// The report engine's own texts (".flng" files), as the language loading
// reaches them: the report library implements this over its text store.
#pragma once

#include <QString>

namespace bralvo::services {

class ReportEngineTexts {
public:
    virtual ~ReportEngineTexts() = default;

    // Replaces the engine's texts by the key=text lines of an existing file.
    virtual void loadFromFile(const QString &path) = 0;
};

} // namespace bralvo::services
