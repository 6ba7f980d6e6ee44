// The report XML serializer: turns report objects into report XML and
// back through the persistent-property tables of their classes. Only
// what differs from a reference object (a default instance, the object
// of an ancestor report, or declared defaults) is written.
//
// Reading never stops for a bad value: each failure lands in ErrorTexts
// (sorted, each text once) and the read goes on. Object references are
// resolved after everything is read (FixupReferences).
#pragma once

#include "platform/stringlist.h"

#include <QList>
#include <QString>
#include <functional>
#include <utility>

namespace bralvo::platform {
struct ClassInfo;
class Collection;
class CollectionItem;
class Component;
class Persistent;
class Stream;
class ValueReader;
class ValueWriter;
struct PropInfo;
} // namespace bralvo::platform

namespace bralvo::report {

class TrpComponent;
class TrpReport;
class TrpXMLItem;

class TrpXMLSerializer {
public:
    // Stream may be null (text-only use).
    explicit TrpXMLSerializer(platform::Stream *stream);
    ~TrpXMLSerializer();
    TrpXMLSerializer(const TrpXMLSerializer &) = delete;
    TrpXMLSerializer &operator=(const TrpXMLSerializer &) = delete;

    platform::StringList &ErrorTexts() { return m_errorTexts; }
    // The component under which names are resolved (the report).
    platform::Component *Owner() const { return m_owner; }
    void SetOwner(platform::Component *owner) { m_owner = owner; }
    bool SerializeDefaultValues() const { return m_serializeDefaultValues; }
    void SetSerializeDefaultValues(bool on) { m_serializeDefaultValues = on; }
    // Asked for a reference object by name when a TrpComponent is
    // written without one.
    void SetOnGetAncestor(std::function<TrpComponent *(const QString &)> handler)
    {
        m_onGetAncestor = std::move(handler);
    }

    // The attribute text of Obj, each attribute " " + Prefix + name =
    // "value". Reference: the object compared with (null: declared
    // defaults).
    QString ObjectToText(platform::Persistent *obj, const QString &prefix = QString(),
                         platform::Persistent *reference = nullptr);
    // Applies an attribute text to Obj; failures go to ErrorTexts.
    void TextToObject(const QString &text, platform::Persistent *obj);

    // Without Item: a new indented document saved to the stream.
    void WriteComponentTree(TrpComponent *component, bool saveChildren, TrpXMLItem *item = nullptr);
    // Without Item: a document loaded from the stream (throws
    // TrpInvalidXMLException on malformed XML; a truncated file keeps
    // what was read and records "Invalid file format").
    void ReadComponentTree(TrpComponent *component, TrpXMLItem *item = nullptr);
    // Class name followed by the attribute text.
    QString WriteComponentText(TrpComponent *component);
    // "<" + WriteComponentText + "/>" to the stream.
    void WriteComponent(TrpComponent *component);
    // One object from such a text, created with Owner as owner; null for
    // a blank text. Throws ClassNotFoundError for an unknown class.
    TrpComponent *ReadComponentText(platform::Component *owner, const QString &text, bool skipFixups);

    // A component text taken apart once, for many objects that start from
    // it (the prepared pages' objects from their source object's text).
    struct ComponentText {
        QString source;                            // the text it was taken from
        QString className;                         // empty for a blank text
        const platform::ClassInfo *cls = nullptr;  // null: no such class
        QList<std::pair<QString, QString>> pairs;  // attribute names and values
        bool whole = false; // every attribute complete: more may follow
    };
    static ComponentText ParseComponentText(const QString &text);
    // ReadComponentText of Base's text + " " + Diff, without reading
    // Base's text again.
    TrpComponent *ReadComponentText(platform::Component *owner, const ComponentText &base, const QString &diff,
                                    bool skipFixups);
    // Applies Text to a collection item and resolves its references.
    void ReadCollectionItem(platform::Component *owner, platform::CollectionItem *item, const QString &text);
    void FixupReferences();

private:
    struct Fixup {
        platform::Persistent *obj;
        const platform::PropInfo *prop;
        QString value;
    };
    QString propertyToText(platform::Persistent *obj, const platform::PropInfo &p, const QString &prefix,
                           platform::Persistent *ref);
    QString propDataText(platform::Persistent *obj, const QString &prefix, platform::Persistent *ref);
    void applyPair(const QString &name, const QString &value, platform::Persistent *obj);
    void applyProperty(platform::Persistent *obj, const QString &name, const QString &value);
    void readPropData(platform::Persistent *obj, const QString &hex);
    void writeElement(TrpComponent *c, TrpXMLItem *item, bool top, bool saveChildren);
    void readElement(TrpXMLItem *item, TrpComponent *target, TrpComponent *parent, QList<TrpComponent *> &read);
    // Creates an object of cls owned by owner, lets fill set its
    // properties, then resolves references (or drops them with
    // skipFixups) and ends its loading, also when fill throws.
    template <class Fill>
    TrpComponent *readNewComponent(const platform::ClassInfo &cls, const QString &className,
                                   platform::Component *owner, bool skipFixups, Fill fill);

    platform::Stream *m_stream;
    platform::StringList m_errorTexts;
    QList<Fixup> m_fixups;
    platform::Component *m_owner = nullptr;
    bool m_serializeDefaultValues = false;
    std::function<TrpComponent *(const QString &)> m_onGetAncestor;
};

// A report collection ("Datasets", "Variables", "Style") inside extra
// property data: while the report is written as XML, a list whose items
// each hold one long string with the item's attribute text; otherwise
// the standard collection form.
void WriteReportCollection(platform::Collection &collection, platform::ValueWriter &writer, TrpReport *report);
// Reads either form; items of the standard form have a character 1
// followed by c decoded as c + 128 in their texts.
void ReadReportCollection(platform::Collection &collection, platform::ValueReader &reader, TrpReport *report);

} // namespace bralvo::report
