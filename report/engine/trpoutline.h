// The outline of prepared pages: a tree of "item" elements (text, page
// as a 0-based index, top in pixels) under the store's "outline"
// element. CurrentItem is the level new items go to; an added item
// becomes the current level until LevelUp.
#pragma once

#include "report/model/trpenginebases.h"

namespace bralvo::report {

class TrpPreviewPages;

class TrpOutline : public TrpCustomOutline {
public:
    explicit TrpOutline(TrpPreviewPages *pages);

    // The "outline" element (made on first use).
    TrpXMLItem *Root();

    int ItemCount() override;
    // Page := the store's WritePage. Without a current level, under Root.
    void AddItem(const QString &text, int top) override;
    // Nothing for an index outside the current level.
    void DescendTo(int index) override;
    void LevelRoot() override;
    void LevelUp() override;
    // Text "" and page/top 0 for an index outside the current level.
    void GetItemInfo(int index, QString &text, int &page, int &top) override;
    void ShiftItems(TrpXMLItem *from, int newTop) override;
    TrpXMLItem *GetCurPosition() override;

private:
    TrpPreviewPages *m_store;
};

} // namespace bralvo::report
