// Report XML serializer: objects to attribute texts and back, component
// trees to elements and back, and the report collections.
#include "report/model/trpserializer.h"

#include "platform/classregistry.h"
#include "platform/collection.h"
#include "platform/font.h"
#include "platform/stream.h"
#include "platform/textcodec.h"
#include "platform/valuecodec.h"
#include "report/model/trpcomponent.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpnumberbounds.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "report/model/trputils.h"
#include "report/model/trpxml.h"
#include "report/model/twidestrings.h"

#include <algorithm>
#include <cmath>

namespace bralvo::report {

using platform::PropInfo;
using platform::PropKind;

namespace {

QString attribute(const QString &name, const QString &value)
{
    return u' ' + name + QStringLiteral("=\"") + value + u'"';
}

// Collects extra properties into binary form (writing).
class PropDataWriter : public platform::PropertyFiler {
public:
    explicit PropDataWriter(platform::ValueWriter &w) : m_w(w) {}
    void defineProperty(const QString &name, ReadFn, WriteFn write, bool hasData) override
    {
        if (hasData && write) {
            m_w.writePropName(name);
            write(m_w);
        }
    }
    bool isWriting() const override { return true; }

private:
    platform::ValueWriter &m_w;
};

// Collects the readers of extra properties by name (reading).
class PropDataReaders : public platform::PropertyFiler {
public:
    void defineProperty(const QString &name, ReadFn read, WriteFn, bool) override
    {
        if (read)
            m_readers.append({name, std::move(read)});
    }
    bool isWriting() const override { return false; }
    const ReadFn *find(const QString &name) const
    {
        for (const auto &r : m_readers) {
            if (r.first.compare(name, Qt::CaseInsensitive) == 0)
                return &r.second;
        }
        return nullptr;
    }

private:
    QList<std::pair<QString, ReadFn>> m_readers;
};

QByteArray propDataBytes(platform::Persistent *obj)
{
    platform::MemoryStream stream;
    platform::ValueWriter writer(stream);
    PropDataWriter filer(writer);
    obj->defineProperties(filer);
    return stream.data();
}

bool variantsDiffer(const platform::Variant &a, const platform::Variant &b)
{
    try {
        if (a.isNull() || b.isNull())
            return a.isNull() != b.isNull();
        return a.kind() != b.kind() || !a.equals(b);
    } catch (const bralvo::Error &) {
        return true;
    }
}

QString stringListText(const platform::StringList &list)
{
    QString t = list.text();
    if (t.endsWith(QStringLiteral("\r\n")))
        t.chop(2);
    return t;
}

qint64 parseInteger(const QString &value)
{
    bool ok = false;
    const qint64 v = value.trimmed().toLongLong(&ok);
    if (!ok)
        throw platform::ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(value));
    return v;
}

// Numbers as read from a file, held to what drawing and export can
// convert: every float to the coordinate range (not finite: 0), a font
// size to 1 .. 2,000 points, a column count to what a page can hold.
double boundedFloat(double v)
{
    return ClampCoordinate(v);
}

qint64 boundedOrd(const platform::Persistent &obj, const platform::PropInfo &p, qint64 v)
{
    if (p.name == u"Size" && dynamic_cast<const platform::Font *>(&obj))
        return std::clamp<qint64>(v, kMinFontSize, kMaxFontSize);
    if (p.name == u"Columns")
        return std::clamp<qint64>(v, 0, kMaxColumns);
    return v;
}

// Follows the leading parts of a dotted property name through object
// properties as far as they exist; the parts not followed stay in parts.
platform::Persistent *walkSubObjects(platform::Persistent &obj, QStringList &parts)
{
    platform::Persistent *target = &obj;
    while (parts.size() > 1) {
        const PropInfo *p = platform::findProperty(*target, parts.first());
        if (!p || p->kind != PropKind::Object || !p->getObject(*target))
            break;
        target = p->getObject(*target);
        parts.removeFirst();
    }
    return target;
}

} // namespace

TrpXMLSerializer::TrpXMLSerializer(platform::Stream *stream) : m_stream(stream)
{
    m_errorTexts.setSorted(true);
    m_errorTexts.setDuplicates(platform::StringList::Duplicates::Ignore);
}

TrpXMLSerializer::~TrpXMLSerializer() = default;

// --- writing

QString TrpXMLSerializer::ObjectToText(platform::Persistent *obj, const QString &prefix,
                                       platform::Persistent *reference)
{
    auto *component = dynamic_cast<TrpComponent *>(obj);
    const bool wasWriting = component && component->IsWriting();
    if (component) {
        component->SetWriting(true);
        if (!reference && m_onGetAncestor)
            reference = m_onGetAncestor(component->name());
    }
    if (reference && !reference->inheritsFrom(obj->classInfo()))
        reference = nullptr;
    QString text;
    try {
        for (const PropInfo &p : platform::propertiesOf(*obj)) {
            if (p.isStored(*obj))
                text += propertyToText(obj, p, prefix, reference);
        }
        if (auto *memo = dynamic_cast<TrpCustomMemoView *>(obj)) {
            auto *refMemo = dynamic_cast<TrpCustomMemoView *>(reference);
            const QString t = memo->Text();
            const bool differs = refMemo ? refMemo->Text() != t : !t.isEmpty();
            if (m_serializeDefaultValues || differs)
                text += attribute(prefix + QStringLiteral("Text"), StrToXML(t));
        }
        text += propDataText(obj, prefix, reference);
    } catch (...) {
        if (component)
            component->SetWriting(wasWriting);
        throw;
    }
    if (component)
        component->SetWriting(wasWriting);
    return text;
}

QString TrpXMLSerializer::propertyToText(platform::Persistent *obj, const PropInfo &p, const QString &prefix,
                                         platform::Persistent *ref)
{
    const QString name = prefix + p.name;
    const bool all = m_serializeDefaultValues;
    switch (p.kind) {
    case PropKind::Integer:
    case PropKind::Int64:
    case PropKind::Enumeration:
    case PropKind::Set: {
        const qint64 v = p.getOrd(*obj);
        const bool differs = ref ? v != p.getOrd(*ref) : (!p.defaultOrd || v != *p.defaultOrd);
        if (!all && !differs)
            return QString();
        if (p.kind == PropKind::Enumeration)
            return attribute(name, p.enumInfo->nameOf(v));
        return attribute(name, QString::number(v));
    }
    case PropKind::Float: {
        const double v = p.getFloat(*obj);
        if (!all && ref && std::fabs(v - p.getFloat(*ref)) < 1e-6)
            return QString();
        return attribute(name, FloatToFileStr(v));
    }
    case PropKind::String: {
        const QString v = p.getString(*obj);
        // A text cleared against a reference that has one is written
        // empty, so copies and inherited reports lose it too.
        const bool differs = ref ? v != p.getString(*ref) : !v.isEmpty();
        if (!all && !differs)
            return QString();
        if (v.isEmpty() && !ref && !all)
            return QString();
        return attribute(name, StrToXML(v));
    }
    case PropKind::Variant: {
        const platform::Variant v = p.getVariant(*obj);
        const bool differs = ref ? variantsDiffer(v, p.getVariant(*ref)) : true;
        if (!all && !differs)
            return QString();
        QString s;
        try {
            s = v.toString();
        } catch (const bralvo::Error &) {
        }
        if (s.isEmpty() && !ref && !all)
            return QString();
        return attribute(name, StrToXML(s));
    }
    case PropKind::Reference: {
        auto *v = dynamic_cast<platform::Component *>(p.getObject(*obj));
        if (ref) {
            auto *rv = dynamic_cast<platform::Component *>(p.getObject(*ref));
            if (!v && !rv)
                return QString();
            if (v && rv && v->name().compare(rv->name(), Qt::CaseInsensitive) == 0 && !all)
                return QString();
            if (!v)
                return attribute(name, QStringLiteral("nil"));
        } else if (!v) {
            return all ? attribute(name, QStringLiteral("nil")) : QString();
        }
        const QString path = GetComponentPath(m_owner, v);
        return path.isEmpty() ? QString() : attribute(name, StrToXML(path));
    }
    case PropKind::Object: {
        platform::Persistent *sub = p.getObject(*obj);
        if (!sub || dynamic_cast<TWideStrings *>(sub))
            return QString();
        platform::Persistent *refSub = ref ? p.getObject(*ref) : nullptr;
        if (auto *list = dynamic_cast<platform::StringList *>(sub)) {
            auto *refList = dynamic_cast<platform::StringList *>(refSub);
            if (!all && refList && stringListText(*refList) == stringListText(*list))
                return QString();
            return attribute(name + QStringLiteral(".Text"), StrToXML(stringListText(*list)));
        }
        return ObjectToText(sub, name + u'.', refSub);
    }
    case PropKind::Method:
        break;
    }
    return QString();
}

QString TrpXMLSerializer::propDataText(platform::Persistent *obj, const QString &prefix, platform::Persistent *ref)
{
    const QByteArray bytes = propDataBytes(obj);
    if (bytes.isEmpty())
        return QString();
    if (ref && Crc32(propDataBytes(ref)) == Crc32(bytes))
        return QString();
    return attribute(prefix + QStringLiteral("PropData"), QString::fromLatin1(bytes.toHex().toUpper()));
}

void TrpXMLSerializer::writeElement(TrpComponent *c, TrpXMLItem *item, bool top, bool saveChildren)
{
    item->Name = c->IsAncestor() ? QStringLiteral("inherited") : c->className();
    item->Text = top ? ObjectToText(c) : QStringLiteral("Name=\"") + StrToXML(c->name()) + u'"' + ObjectToText(c);
    if (!saveChildren)
        return;
    for (TrpComponent *child : c->Objects())
        writeElement(child, item->Add(), false, true);
}

void TrpXMLSerializer::WriteComponentTree(TrpComponent *component, bool saveChildren, TrpXMLItem *item)
{
    if (!m_owner)
        m_owner = component->Report() ? static_cast<platform::Component *>(component->Report()) : component;
    if (item) {
        writeElement(component, item, true, saveChildren);
        return;
    }
    TrpXMLDocument doc;
    doc.AutoIndent = true;
    writeElement(component, doc.Root(), true, saveChildren);
    doc.SaveToStream(*m_stream);
}

QString TrpXMLSerializer::WriteComponentText(TrpComponent *component)
{
    return component->className() + ObjectToText(component);
}

void TrpXMLSerializer::WriteComponent(TrpComponent *component)
{
    m_stream->write((u'<' + WriteComponentText(component) + QStringLiteral("/>")).toUtf8());
}

// --- reading

namespace {

using AttributePairs = QList<std::pair<QString, QString>>;

// The name = "value" attributes of Text in order. True when the text ends
// after a complete attribute (only blanks follow), so that attributes
// appended to it would be read as their own.
bool splitAttributes(const QString &text, AttributePairs &pairs)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    for (;;) {
        while (i < n && text[i] == u' ')
            ++i;
        const qsizetype eq = text.indexOf(u'=', i);
        if (eq < 0)
            return i == n;
        QString name = text.mid(i, eq - i).trimmed();
        if (name.isEmpty())
            return false;
        const qsizetype open = text.indexOf(u'"', eq + 1);
        if (open < 0)
            return false;
        const qsizetype close = text.indexOf(u'"', open + 1);
        pairs.append({std::move(name), text.mid(open + 1, (close < 0 ? n : close) - open - 1)});
        if (close < 0)
            return false;
        i = close + 1;
    }
}

} // namespace

void TrpXMLSerializer::TextToObject(const QString &text, platform::Persistent *obj)
{
    AttributePairs pairs;
    splitAttributes(text, pairs);
    for (const auto &[name, value] : pairs) {
        try {
            applyPair(name, value, obj);
        } catch (const bralvo::Error &e) {
            m_errorTexts.add(e.userText());
        }
    }
}

namespace {

// The one-letter names of prepared pages: l, t, w, h, u, x.
bool applyShortName(QChar c, const QString &value, platform::Persistent *target)
{
    auto *component = dynamic_cast<TrpComponent *>(target);
    if (!component)
        return false;
    if (c == u'l' || c == u't' || c == u'w' || c == u'h') {
        const double v = boundedFloat(StrToFloatLoose(value));
        if (c == u'l')
            component->SetLeft(v);
        else if (c == u't')
            component->SetTop(v);
        else if (c == u'w')
            component->SetWidth(v);
        else
            component->SetHeight(v);
        return true;
    }
    auto *memo = dynamic_cast<TrpCustomMemoView *>(component);
    if (memo && (c == u'u' || c == u'x')) {
        memo->SetText(XMLToStr(value));
        return true;
    }
    return false;
}

// "Text" of a string list, a wide string list or a memo.
bool applyText(const QString &value, platform::Persistent *target)
{
    if (auto *list = dynamic_cast<platform::StringList *>(target))
        list->setText(XMLToStr(value));
    else if (auto *wide = dynamic_cast<TWideStrings *>(target))
        wide->SetText(XMLToStr(value));
    else if (auto *memo = dynamic_cast<TrpCustomMemoView *>(target))
        memo->SetText(XMLToStr(value));
    else
        return false;
    return true;
}

} // namespace

void TrpXMLSerializer::applyPair(const QString &name, const QString &value, platform::Persistent *obj)
{
    // A dotted name walks sub-objects as far as they exist.
    platform::Persistent *target = obj;
    QString last = name;
    if (name.contains(u'.')) {
        QStringList parts = name.split(u'.');
        target = walkSubObjects(*target, parts);
        last = parts.join(u'.');
    }
    if (last.size() == 1 && applyShortName(last[0], value, target))
        return;
    if (last == QStringLiteral("Text") && applyText(value, target))
        return;
    if (last == QStringLiteral("PropData")) {
        readPropData(target, value);
        return;
    }
    if (last.compare(QStringLiteral("Name"), Qt::CaseInsensitive) == 0 && dynamic_cast<TrpReport *>(target))
        return;
    applyProperty(target, last, value);
}

void TrpXMLSerializer::applyProperty(platform::Persistent *obj, const QString &name, const QString &value)
{
    const PropInfo *p = platform::findProperty(*obj, name);
    if (!p || !p->hasSetter())
        return;
    switch (p->kind) {
    case PropKind::Enumeration: {
        bool isNumber = false;
        const qint64 n = value.toLongLong(&isNumber);
        if (isNumber) {
            p->setOrd(*obj, n);
            return;
        }
        const int v = p->enumInfo->valueOf(value);
        if (v < 0)
            throw platform::ConversionError(QStringLiteral("Invalid property value: %1").arg(value));
        p->setOrd(*obj, v);
        return;
    }
    case PropKind::Integer:
    case PropKind::Int64:
    case PropKind::Set:
        p->setOrd(*obj, boundedOrd(*obj, *p, parseInteger(value)));
        return;
    case PropKind::Float:
        p->setFloat(*obj, boundedFloat(StrToFloatLoose(value)));
        return;
    case PropKind::String:
        p->setString(*obj, XMLToStr(value));
        return;
    case PropKind::Variant:
        p->setVariant(*obj, platform::Variant(XMLToStr(value)));
        return;
    case PropKind::Reference:
        m_fixups.append(Fixup{obj, p, XMLToStr(value)});
        return;
    default:
        return;
    }
}

void TrpXMLSerializer::readPropData(platform::Persistent *obj, const QString &hex)
{
    // A failure here costs the extra data only, and is recorded.
    try {
        platform::MemoryStream stream(HexToBytes(hex));
        platform::ValueReader reader(stream);
        PropDataReaders readers;
        obj->defineProperties(readers);
        while (!reader.atEnd()) {
            const QString name = reader.readPropName();
            const PropDataReaders::ReadFn *read = readers.find(name);
            if (!read)
                throw platform::ReadError(QStringLiteral("Property %1 does not exist").arg(name));
            (*read)(reader);
        }
    } catch (const bralvo::Error &e) {
        m_errorTexts.add(QStringLiteral("Error reading %1.PropData: %2").arg(obj->className(), e.userText()));
    }
}

void TrpXMLSerializer::FixupReferences()
{
    const QList<Fixup> fixups = m_fixups;
    m_fixups.clear();
    for (const Fixup &f : fixups) {
        if (f.value.compare(QStringLiteral("nil"), Qt::CaseInsensitive) == 0) {
            f.prop->setObject(*f.obj, nullptr);
            continue;
        }
        platform::Component *target = nullptr;
        if (auto *owner = dynamic_cast<TrpComponent *>(m_owner))
            target = owner->FindObject(f.value);
        if (!target)
            target = FindComponentByPath(m_owner, f.value);
        if (target && (!f.prop->valueClass || target->inheritsFrom(*f.prop->valueClass)))
            f.prop->setObject(*f.obj, target);
    }
}

void TrpXMLSerializer::readElement(TrpXMLItem *item, TrpComponent *target, TrpComponent *parent,
                                   QList<TrpComponent *> &read)
{
    const bool inherited = item->Name.compare(QStringLiteral("inherited"), Qt::CaseInsensitive) == 0;
    const platform::ClassInfo *cls = inherited ? nullptr : platform::findClass(item->Name);
    if (!inherited && !cls) {
        m_errorTexts.add(GetResources().Get(QStringLiteral("xrCantFindClass")) + u' ' + item->Name);
        return;
    }
    TrpComponent *obj = target;
    if (!obj) {
        const QString name = item->Prop(QStringLiteral("Name"));
        platform::Component *existing = m_owner ? m_owner->findComponent(name) : nullptr;
        if (existing) {
            obj = dynamic_cast<TrpComponent *>(existing);
            if (!obj)
                throw platform::InvalidCastError(QStringLiteral("Invalid class typecast"));
        } else if (inherited || !cls->create || !cls->inheritsFrom(TrpComponent::staticClass())) {
            if (!inherited)
                m_errorTexts.add(GetResources().Get(QStringLiteral("xrCantFindClass")) + u' ' + item->Name);
            return;
        } else {
            obj = static_cast<TrpComponent *>(cls->create(parent));
        }
    }
    obj->SetLoadingFlag(true);
    read.append(obj);
    TextToObject(item->Text, obj);
    for (int i = 0; i < item->Count(); ++i)
        readElement(item->Items(i), nullptr, obj, read);
}

void TrpXMLSerializer::ReadComponentTree(TrpComponent *component, TrpXMLItem *item)
{
    if (!m_owner)
        m_owner = component;
    TrpXMLDocument doc;
    if (!item) {
        doc.LoadFromStream(*m_stream, false);
        item = doc.Root();
        if (doc.TruncatedRead())
            m_errorTexts.add(TrpInvalidXMLException().userText());
    }
    QList<TrpComponent *> read;
    struct Finish {
        QList<TrpComponent *> &read;
        ~Finish()
        {
            for (TrpComponent *c : read)
                c->SetLoadingFlag(false);
        }
    } finish{read};
    readElement(item, component, nullptr, read);
    FixupReferences();
    for (TrpComponent *c : read) {
        c->SetLoadingFlag(false);
        if (!dynamic_cast<TrpReport *>(c))
            c->loaded();
    }
}

TrpXMLSerializer::ComponentText TrpXMLSerializer::ParseComponentText(const QString &text)
{
    ComponentText parsed;
    parsed.source = text;
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        parsed.whole = true;
        return parsed;
    }
    const qsizetype blank = t.indexOf(u' ');
    parsed.className = blank < 0 ? t : t.left(blank);
    parsed.cls = platform::findClass(parsed.className);
    parsed.whole = blank < 0 || splitAttributes(t.mid(blank + 1), parsed.pairs);
    return parsed;
}

template <class Fill>
TrpComponent *TrpXMLSerializer::readNewComponent(const platform::ClassInfo &cls, const QString &className,
                                                 platform::Component *owner, bool skipFixups, Fill fill)
{
    if (!cls.create || !cls.inheritsFrom(TrpComponent::staticClass()))
        throw platform::ClassNotFoundError(QStringLiteral("Class %1 not found").arg(className));
    auto *obj = static_cast<TrpComponent *>(cls.create(owner));
    obj->SetLoadingFlag(true);
    struct Finish {
        TrpXMLSerializer *s;
        TrpComponent *obj;
        bool skip;
        ~Finish()
        {
            try {
                if (skip)
                    s->m_fixups.clear();
                else
                    s->FixupReferences();
            } catch (...) {
            }
            obj->SetLoadingFlag(false);
            if (!dynamic_cast<TrpReport *>(obj))
                obj->loaded();
        }
    } finish{this, obj, skipFixups};
    fill(obj);
    return obj;
}

TrpComponent *TrpXMLSerializer::ReadComponentText(platform::Component *owner, const ComponentText &base,
                                                  const QString &diff, bool skipFixups)
{
    if (!base.whole || base.className.isEmpty())
        return ReadComponentText(owner, base.source + u' ' + diff, skipFixups);
    const platform::ClassInfo *cls = base.cls ? base.cls : &platform::getClass(base.className);
    m_owner = owner;
    return readNewComponent(*cls, base.className, owner, skipFixups, [&](TrpComponent *obj) {
        for (const auto &[name, value] : base.pairs) {
            try {
                applyPair(name, value, obj);
            } catch (const bralvo::Error &e) {
                m_errorTexts.add(e.userText());
            }
        }
        TextToObject(diff, obj);
    });
}

TrpComponent *TrpXMLSerializer::ReadComponentText(platform::Component *owner, const QString &text, bool skipFixups)
{
    m_owner = owner;
    const QString t = text.trimmed();
    if (t.isEmpty())
        return nullptr;
    const qsizetype blank = t.indexOf(u' ');
    const QString className = blank < 0 ? t : t.left(blank);
    return readNewComponent(platform::getClass(className), className, owner, skipFixups,
                            [&](TrpComponent *obj) { TextToObject(blank < 0 ? QString() : t.mid(blank + 1), obj); });
}

void TrpXMLSerializer::ReadCollectionItem(platform::Component *owner, platform::CollectionItem *item,
                                          const QString &text)
{
    m_owner = owner;
    TextToObject(text, item);
    FixupReferences();
}

// --- report collections

namespace {

void writeStandardItem(platform::ValueWriter &w, platform::Persistent &obj, const QString &prefix);

void writeStandardProperty(platform::ValueWriter &w, platform::Persistent &obj, const PropInfo &p,
                           const QString &prefix)
{
    const QString name = prefix + p.name;
    switch (p.kind) {
    case PropKind::Integer:
    case PropKind::Int64:
        w.writePropName(name);
        w.writeInteger(p.getOrd(obj));
        return;
    case PropKind::Enumeration:
        w.writePropName(name);
        w.writeIdent(p.enumInfo->nameOf(p.getOrd(obj)));
        return;
    case PropKind::Set: {
        QStringList names;
        const qint64 mask = p.getOrd(obj);
        for (int i = 0; i < p.enumInfo->names.size(); ++i) {
            if (mask & (qint64(1) << i))
                names << p.enumInfo->names[i];
        }
        w.writePropName(name);
        w.writeSet(names);
        return;
    }
    case PropKind::Float:
        w.writePropName(name);
        w.writeFloat(p.getFloat(obj));
        return;
    case PropKind::String:
        w.writePropName(name);
        w.writeUtf8String(p.getString(obj));
        return;
    case PropKind::Variant:
        w.writePropName(name);
        w.writeUtf8String(p.getVariant(obj).isNull() ? QString() : p.getVariant(obj).toString());
        return;
    case PropKind::Reference:
        if (auto *c = dynamic_cast<platform::Component *>(p.getObject(obj))) {
            w.writePropName(name);
            w.writeIdent(c->name());
        }
        return;
    case PropKind::Object:
        if (platform::Persistent *sub = p.getObject(obj)) {
            if (auto *list = dynamic_cast<platform::StringList *>(sub)) {
                w.writePropName(name + QStringLiteral(".Strings"));
                w.writeListBegin();
                for (int i = 0; i < list->count(); ++i)
                    w.writeUtf8String(list->at(i));
                w.writeListEnd();
            } else if (!dynamic_cast<TWideStrings *>(sub)) {
                writeStandardItem(w, *sub, name + u'.');
            }
        }
        return;
    case PropKind::Method:
        return;
    }
}

void writeStandardItem(platform::ValueWriter &w, platform::Persistent &obj, const QString &prefix)
{
    for (const PropInfo &p : platform::propertiesOf(obj)) {
        if (p.isStored(obj))
            writeStandardProperty(w, obj, p, prefix);
    }
}

// Older definitions stored characters above 127 as 1 followed by c - 128.
QString decodeHighChars(const QString &text)
{
    if (!text.contains(QChar(1)))
        return text;
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QChar(1) && i + 1 < text.size()) {
            out += QChar(text[i + 1].unicode() + 128);
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Only 8-bit strings carry that old form; UTF-8 and wide strings, as they
// are written now, hold character 1 as itself.
QString readStoredString(platform::ValueReader &r)
{
    const platform::ValueType t = r.nextValue();
    const QString s = r.readString();
    return t == platform::ValueType::String || t == platform::ValueType::LString ? decodeHighChars(s) : s;
}

void readStandardProperty(platform::ValueReader &r, platform::Persistent &obj, const QString &name,
                          QList<std::pair<platform::Persistent *, const PropInfo *>> &refs, QStringList &refNames)
{
    QStringList parts = name.split(u'.');
    platform::Persistent *target = walkSubObjects(obj, parts);
    if (parts.size() == 2 && parts[1] == QStringLiteral("Strings")) {
        const PropInfo *p = platform::findProperty(*target, parts[0]);
        auto *list = p && p->kind == PropKind::Object ? dynamic_cast<platform::StringList *>(p->getObject(*target))
                                                       : nullptr;
        r.readListBegin();
        if (list)
            list->clear();
        while (!r.endOfList()) {
            const QString line = readStoredString(r);
            if (list)
                list->add(line);
        }
        r.readListEnd();
        return;
    }
    const PropInfo *p = platform::findProperty(*target, parts.join(u'.'));
    const platform::ValueType t = r.nextValue();
    if (!p || !p->hasSetter()) {
        r.skipValue();
        return;
    }
    switch (t) {
    case platform::ValueType::Ident:
    case platform::ValueType::False:
    case platform::ValueType::True:
    case platform::ValueType::Nil: {
        const QString ident = r.readIdent();
        if (p->kind == PropKind::Reference) {
            refs.append({target, p});
            refNames.append(ident);
        } else if (p->kind == PropKind::Enumeration) {
            const int v = p->enumInfo->valueOf(ident);
            if (v < 0)
                throw platform::ConversionError(QStringLiteral("Invalid property value: %1").arg(ident));
            p->setOrd(*target, v);
        }
        return;
    }
    case platform::ValueType::Set: {
        qint64 mask = 0;
        for (const QString &n : r.readSet()) {
            const int v = p->enumInfo ? p->enumInfo->valueOf(n) : -1;
            if (v >= 0)
                mask |= qint64(1) << v;
        }
        if (p->isOrdinal())
            p->setOrd(*target, mask);
        return;
    }
    case platform::ValueType::String:
    case platform::ValueType::LString:
    case platform::ValueType::WString:
    case platform::ValueType::Utf8String: {
        const QString s = readStoredString(r);
        if (p->kind == PropKind::String)
            p->setString(*target, s);
        else if (p->kind == PropKind::Variant)
            p->setVariant(*target, platform::Variant(s));
        return;
    }
    case platform::ValueType::Extended:
    case platform::ValueType::Double:
    case platform::ValueType::Single:
    case platform::ValueType::Currency:
    case platform::ValueType::Date: {
        const double d = r.readFloat();
        if (p->kind == PropKind::Float)
            p->setFloat(*target, boundedFloat(d));
        else if (p->kind == PropKind::Variant)
            p->setVariant(*target, platform::Variant(d));
        return;
    }
    case platform::ValueType::Int8:
    case platform::ValueType::Int16:
    case platform::ValueType::Int32:
    case platform::ValueType::Int64: {
        const qint64 v = r.readInteger();
        if (p->isOrdinal())
            p->setOrd(*target, boundedOrd(*target, *p, v));
        else if (p->kind == PropKind::Float)
            p->setFloat(*target, boundedFloat(double(v)));
        else if (p->kind == PropKind::Variant)
            p->setVariant(*target, platform::Variant(v));
        return;
    }
    default:
        r.skipValue();
    }
}

void readStandardCollection(platform::Collection &collection, platform::ValueReader &r, TrpReport *report)
{
    r.readValueType(); // the collection tag
    collection.clear();
    QList<std::pair<platform::Persistent *, const PropInfo *>> refs;
    QStringList refNames;
    while (!r.endOfList()) {
        const platform::ValueType t = r.nextValue();
        if (t == platform::ValueType::Int8 || t == platform::ValueType::Int16 || t == platform::ValueType::Int32)
            r.readInteger();
        r.readListBegin();
        platform::CollectionItem *item = collection.add();
        while (!r.endOfList())
            readStandardProperty(r, *item, r.readPropName(), refs, refNames);
        r.readListEnd();
    }
    r.readListEnd();
    for (int i = 0; i < refs.size(); ++i) {
        platform::Component *target = report ? report->FindObject(refNames[i]) : nullptr;
        if (!target)
            target = FindComponentByPath(report, refNames[i]);
        if (target && (!refs[i].second->valueClass || target->inheritsFrom(*refs[i].second->valueClass)))
            refs[i].second->setObject(*refs[i].first, target);
    }
}

} // namespace

void WriteReportCollection(platform::Collection &collection, platform::ValueWriter &writer, TrpReport *report)
{
    if (report && report->IsWriting()) {
        TrpXMLSerializer serializer(nullptr);
        serializer.SetOwner(report);
        writer.writeListBegin();
        for (int i = 0; i < collection.count(); ++i) {
            writer.writeListBegin();
            writer.writeLongString8(serializer.ObjectToText(collection.item(i)).toUtf8());
            writer.writeListEnd();
        }
        writer.writeListEnd();
        return;
    }
    writer.writeValueType(platform::ValueType::Collection);
    for (int i = 0; i < collection.count(); ++i) {
        writer.writeListBegin();
        writeStandardItem(writer, *collection.item(i), QString());
        writer.writeListEnd();
    }
    writer.writeListEnd();
}

void ReadReportCollection(platform::Collection &collection, platform::ValueReader &reader, TrpReport *report)
{
    if (reader.nextValue() == platform::ValueType::Collection) {
        readStandardCollection(collection, reader, report);
        return;
    }
    collection.clear();
    reader.readListBegin();
    while (!reader.endOfList()) {
        reader.readListBegin();
        QString text;
        while (!reader.endOfList()) {
            const platform::ValueType t = reader.nextValue();
            if (t == platform::ValueType::String || t == platform::ValueType::LString)
                text += platform::decodeText(reader.readString8Bytes());
            else
                text += reader.readString();
        }
        reader.readListEnd();
        platform::CollectionItem *item = collection.add();
        if (report && report->ActiveSerializer()) {
            report->ActiveSerializer()->TextToObject(text, item);
        } else {
            TrpXMLSerializer serializer(nullptr);
            serializer.ReadCollectionItem(report, item, text);
            for (int i = 0; report && i < serializer.ErrorTexts().count(); ++i)
                report->ErrorList().add(serializer.ErrorTexts()[i]);
        }
    }
    reader.readListEnd();
}

} // namespace bralvo::report
