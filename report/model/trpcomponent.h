// The report component tree. TrpComponent is a node of a report: parent
// and ordered children (Objects), bounds in pixels at 96 per inch, a font
// inherited from the parent, visibility, a unique name, loading from and
// saving to report XML, and the difference coding of prepared pages.
// TrpReportComponent adds what an object needs to take part in output.
//
// Ownership: the platform owner of every report object is its report;
// the parent frees its children (Clear, destructor); a child leaves its
// parent's Objects when it is destroyed or re-parented.
#pragma once

#include "platform/component.h"
#include "platform/font.h"
#include "platform/handleregistry.h"

#include <QList>
#include <QRectF>
#include <QString>

class QPainter;

namespace bralvo::platform {
class Stream;
}

namespace bralvo::report {

class TrpReport;
class TrpPage;

// Design-time protections (bits of Restrictions).
enum TrpRestriction : int { rfDontModify = 1, rfDontSize = 2, rfDontMove = 4, rfDontDelete = 8, rfDontEdit = 16 };
// How prepared pages treat an object (bits of ComponentStyle).
enum TrpComponentStyle : int { KeepInPreview = 2, FullTextDiff = 4 };

const platform::EnumInfo &restrictionEnum();

// Report objects are handle targets so that scripts can hold them.
class TrpComponent : public platform::Component, public platform::HandleTarget {
    BRALVO_CLASS(TrpComponent)
public:
    // Owner a report object: the platform owner becomes Owner's report
    // and the new object is put under Owner. Otherwise Owner is the
    // platform owner and there is no parent.
    explicit TrpComponent(platform::Component *owner);
    ~TrpComponent() override;

    // Creates a T with the designing flag set (restrictions apply only
    // then). Flags are kept for subclasses (designFlags()).
    template <class T>
    static T *CreateDesigning(platform::Component *owner, int flags = 0)
    {
        DesigningScope scope(flags);
        return new T(owner);
    }

    // --- tree
    TrpComponent *Parent() const { return m_parent; }
    virtual void SetParent(TrpComponent *parent);
    const QList<TrpComponent *> &Objects() const { return m_objects; }
    // Every descendant depth first, each before its children.
    QList<TrpComponent *> AllObjects() const;
    virtual QList<TrpComponent *> GetContainerObjects() const { return m_objects; }
    // The first descendant named Name, ignoring case; nullptr when none.
    TrpComponent *FindObject(const QString &name) const;
    // Walks up from this object; nullptr when none.
    TrpReport *Report() const;
    TrpPage *Page() const;

    // --- bounds (pixels)
    double Left() const { return m_left; }
    double Top() const { return m_top; }
    double Width() const { return m_width; }
    double Height() const { return m_height; }
    virtual void SetLeft(double v);
    virtual void SetTop(double v);
    virtual void SetWidth(double v);
    virtual void SetHeight(double v);
    void SetBounds(double left, double top, double width, double height);
    // Left (Top) plus the parents' up to a missing or dialog-page parent.
    double AbsLeft() const;
    double AbsTop() const;

    // --- font and visibility
    platform::Font *Font() const { return m_font.get(); }
    // Takes Value's attributes; the object stops following its parent.
    virtual void SetFont(const platform::Font *value);
    bool ParentFont() const { return m_parentFont; }
    virtual void SetParentFont(bool value);
    bool Visible() const { return m_visible; }
    virtual void SetVisible(bool value) { m_visible = value; }

    int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int v) { m_groupIndex = v; }
    int Restrictions() const { return m_restrictions; }
    void SetRestrictions(int v) { m_restrictions = v; }
    QString Description() const { return m_description; }
    void SetDescription(const QString &v) { m_description = v; }
    int ComponentStyle() const { return m_componentStyle; }
    void SetComponentStyle(int v) { m_componentStyle = v; }
    QString AliasName() const { return m_aliasName; }
    void SetAliasName(const QString &v) { m_aliasName = v; }
    // Prefix of generated names: the class name without its first "Trp"
    // and "View" (TrpMemoView: Memo) unless set.
    QString BaseName() const;
    void SetBaseName(const QString &v) { m_baseName = v; }
    TrpComponent *SourceComponent() const { return m_sourceComponent; }
    void SetSourceComponent(TrpComponent *c) { m_sourceComponent = c; }
    QRectF SavedBounds() const { return m_savedBounds; }
    void SetSavedBounds(const QRectF &r) { m_savedBounds = r; }
    TrpComponent *SourceBand() const { return m_sourceBand; }
    void SetSourceBand(TrpComponent *b) { m_sourceBand = b; }

    // --- flags
    bool IsDesigning() const { return m_designing; }
    int designFlags() const { return m_designFlags; }
    bool IsLoading() const;
    void SetLoadingFlag(bool on) { m_loadingFlag = on; }
    bool IsPrinting() const { return m_printing; }
    void SetPrinting(bool on) { m_printing = on; }
    bool IsWriting() const { return m_writing; }
    void SetWriting(bool on) { m_writing = on; }
    bool IsAncestor() const;
    void SetAncestorFlag(bool on) { m_ancestor = on; }

    // --- names
    // A change of letter case alone is ignored. Throws ReportError with
    // the library text "prDupl" when another object of the report has
    // the name, or "Could not rename X, it was introduced in the
    // ancestor report" for an inherited object; ClassLibError for an
    // invalid identifier.
    void setName(const QString &name) override;
    // Sets BaseName + the first free number (names of the report's
    // objects, or of the parent's descendants without a report, ignoring
    // case). Without report and parent, the object's own descendants.
    void CreateUniqueName();
    virtual QString GetDescription() const { return className(); }
    QString scriptClassName() const override { return className(); }

    // --- copying and streams
    // Copies the properties of a TrpComponent through report XML (the
    // children stay as they are in Source); other sources: AssignError.
    // Assigning an object to itself changes nothing.
    void assign(const platform::Persistent &source) override;
    // As assign, the children copied too.
    void AssignAll(const TrpComponent &source);
    // Clears, then reads the object and its children from report XML.
    // Errors of the read land in the report's ErrorList.
    virtual void LoadFromStream(platform::Stream &stream);
    virtual void SaveToStream(platform::Stream &stream, bool saveChildren = true, bool saveDefaultValues = false);
    // Frees every child that does not come from an ancestor report;
    // inherited children are cleared and kept.
    virtual void Clear();

    virtual void AlignChildren();
    virtual void BeforeStartReport() {}
    // Designer and container hooks: no effect in this system.
    virtual void DesignerNotify1() {}
    virtual void DesignerNotify2() {}

    // The attribute text of what differs from Default (each item
    // ` key="value"`); subclasses append their items after the base's.
    virtual QString Diff(const TrpComponent &def) const;
    // The serializer's whole attribute text, then (with Default) the
    // common Diff part.
    QString FullDiff(const TrpComponent *def) const;

protected:
    // The font's change handler: the object stops following its parent
    // and passes the font on to children that follow it.
    virtual void FontChanged();
    void notification(platform::Component *component, platform::Operation operation) override;
    // Whether Diff leaves out the width (a memo with AutoWidth).
    virtual bool DiffSkipsWidth() const { return false; }
    // Whether Diff always writes the top (bands).
    virtual bool DiffAlwaysTop() const { return false; }
    // This object as a report or a page: Report() and Page() ask every
    // ancestor, a virtual call is much cheaper than a cast.
    virtual TrpReport *asReport() const { return nullptr; }
    virtual TrpPage *asPage() const { return nullptr; }
    // Whether children's AbsLeft and AbsTop start at this object's origin
    // rather than adding its own (a dialog page: its controls).
    virtual bool PlacesChildrenAtOrigin() const { return false; }

private:
    struct DesigningScope {
        explicit DesigningScope(int flags);
        ~DesigningScope();
    };
    void collectAll(QList<TrpComponent *> &out) const;

    std::unique_ptr<platform::Font> m_font;
    QList<TrpComponent *> m_objects;
    TrpComponent *m_parent = nullptr;
    double m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    bool m_parentFont = true;
    int m_groupIndex = 0;
    bool m_designing = false;
    int m_designFlags = 0;
    bool m_loadingFlag = false;
    bool m_printing = false;
    bool m_writing = false;
    int m_restrictions = 0;
    bool m_visible = true;
    QString m_description;
    bool m_ancestor = false;
    int m_componentStyle = KeepInPreview;
    QString m_aliasName;
    QString m_baseName;
    TrpComponent *m_sourceComponent = nullptr;
    QRectF m_savedBounds;
    TrpComponent *m_sourceBand = nullptr;
    bool m_clearing = false;
};

class TrpReportComponent : public TrpComponent {
    BRALVO_CLASS(TrpReportComponent)
public:
    explicit TrpReportComponent(platform::Component *owner) : TrpComponent(owner) {}

    QString OnAfterData() const { return m_onAfterData; }
    void SetOnAfterData(const QString &v) { m_onAfterData = v; }
    QString OnAfterPrint() const { return m_onAfterPrint; }
    void SetOnAfterPrint(const QString &v) { m_onAfterPrint = v; }
    QString OnBeforePrint() const { return m_onBeforePrint; }
    void SetOnBeforePrint(const QString &v) { m_onBeforePrint = v; }
    QString OnPreviewClick() const { return m_onPreviewClick; }
    void SetOnPreviewClick(const QString &v) { m_onPreviewClick = v; }
    double StretchDelta() const { return m_stretchDelta; }
    void SetStretchDelta(double v) { m_stretchDelta = v; }
    QList<TrpComponent *> &ShiftedObjects() { return m_shiftedObjects; }

    // Draws at the given scale and pixel offset.
    virtual void Draw(QPainter &canvas, double scaleX, double scaleY, double offsetX, double offsetY) = 0;
    // Saves the bounds; AfterPrint restores them.
    virtual void BeforePrint();
    virtual void GetData() {}
    virtual void AfterPrint();
    virtual QString GetComponentText() const { return QString(); }
    // (AbsLeft, AbsTop, AbsLeft + Width, AbsTop + Height).
    virtual QRectF GetRealBounds() const;

private:
    QString m_onAfterData, m_onAfterPrint, m_onBeforePrint, m_onPreviewClick;
    double m_stretchDelta = 0;
    QList<TrpComponent *> m_shiftedObjects;
};

} // namespace bralvo::report
