// The text-search state of the preview, shared by every preview of the
// process (a search started in one window continues with F3 anywhere),
// and the matching of a search text against recorded text runs.
#pragma once

#include "report/preview/trprecordingcanvas.h"

#include <QList>
#include <QRectF>
#include <QString>

namespace bralvo::report {

struct TrpSearchState {
    QString SearchText;
    bool SearchCaseSensitive = false;
    bool TextFound = false;
    QRectF FoundRect;         // page pixels at zoom 1.0
    int RecordCounter = 0;    // run being examined
    int LastFoundRecord = -1; // run of the last match on the page; -1 none
};

TrpSearchState &searchState();

// The first run after index After whose text holds Text (exactly, or
// after upper-casing both unless CaseSensitive); -1 when none. An empty
// Text matches nothing.
int findTextRun(const QList<TrpTextRun> &runs, const QString &text, bool caseSensitive, int after);

} // namespace bralvo::report
