// Named styles of a report: a collection of style items, each with a
// name unique in its collection, a fill colour, a font and a frame.
#pragma once

#include "platform/collection.h"
#include "platform/font.h"
#include "report/model/trpframe.h"

#include <memory>

namespace bralvo::report {

class TrpReport;
class TrpStyles;

class TrpStyleItem : public platform::CollectionItem {
    BRALVO_CLASS(TrpStyleItem)
public:
    explicit TrpStyleItem(platform::Collection *collection = nullptr);

    QString Name() const { return m_name; }
    // Throws ReportError "Duplicate name" when another item of the
    // collection has the name (ignoring case).
    void SetName(const QString &name);
    int Color() const { return m_color; }
    void SetColor(int v) { m_color = v; }
    platform::Font *Font() const { return m_font.get(); }
    void SetFont(const platform::Font *v);
    TrpFrame *Frame() const { return m_frame.get(); }
    void SetFrame(const TrpFrame *v);

    QString displayName() const override { return m_name; }
    void assign(const platform::Persistent &source) override;

private:
    QString m_name;
    int m_color = clNone;
    std::unique_ptr<platform::Font> m_font;
    std::unique_ptr<TrpFrame> m_frame;
};

class TrpStyles : public platform::Collection {
    BRALVO_CLASS(TrpStyles)
public:
    explicit TrpStyles(TrpReport *report = nullptr);

    TrpReport *Report() const { return m_report; }
    TrpStyleItem *Items(int index) const { return static_cast<TrpStyleItem *>(item(index)); }
    TrpStyleItem *Add() { return static_cast<TrpStyleItem *>(add()); }
    // The first item named Name ignoring case; nullptr when none.
    TrpStyleItem *Find(const QString &name) const;

private:
    TrpReport *m_report;
};

} // namespace bralvo::report
