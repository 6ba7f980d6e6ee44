// Pages, the direct children of a report: the common base, the printable
// report page, the invisible data page holding data components, and the
// dialog page. Paper, margins and the pages' engine rules are added by
// the pages' own code.
#pragma once

#include "report/model/trpcomponent.h"

namespace bralvo::report {

class TrpPage : public TrpComponent {
    BRALVO_CLASS(TrpPage)
public:
    explicit TrpPage(platform::Component *owner) : TrpComponent(owner) {}
};

class TrpReportPage : public TrpPage {
    BRALVO_CLASS(TrpReportPage)
public:
    explicit TrpReportPage(platform::Component *owner);
    QString GetDescription() const override;
};

// Never printed; 1000 x 1000 at creation.
class TrpDataPage : public TrpPage {
    BRALVO_CLASS(TrpDataPage)
public:
    explicit TrpDataPage(platform::Component *owner);
    QString GetDescription() const override;
};

// A window that asks the user before a run; its children's positions do
// not add the page's own.
class TrpDialogPage : public TrpPage {
    BRALVO_CLASS(TrpDialogPage)
public:
    explicit TrpDialogPage(platform::Component *owner) : TrpPage(owner) {}
    QString GetDescription() const override;
};

} // namespace bralvo::report
