// Text objects: TrpCustomMemoView holds its text as wide lines (Memo);
// TrpMemoView publishes it with the font. Report XML carries the text as
// the attribute "Text" (UTF-8, escaped). Formatting, expressions and
// layout of the text belong to the memo's own code.
#pragma once

#include "report/model/trpview.h"
#include "report/model/twidestrings.h"

#include <memory>

namespace bralvo::report {

class TrpCustomMemoView : public TrpView {
    BRALVO_CLASS(TrpCustomMemoView)
public:
    explicit TrpCustomMemoView(platform::Component *owner);

    TWideStrings *Memo() const { return m_memo.get(); }
    void SetMemo(const TWideStrings *v);
    // The text without its final CR LF.
    QString Text() const;
    void SetText(const QString &text);

    QString GetDescription() const override;

private:
    std::unique_ptr<TWideStrings> m_memo;
};

class TrpMemoView : public TrpCustomMemoView {
    BRALVO_CLASS(TrpMemoView)
public:
    explicit TrpMemoView(platform::Component *owner) : TrpCustomMemoView(owner) {}
};

} // namespace bralvo::report
