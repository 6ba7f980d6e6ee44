// TscXMLItem and TscXMLDocument, the engine's own XML tree, for scripts.
// An element a script creates belongs to its pool until it is added to
// another element, which then owns it.
#include "script/bindings/tscclassesmodule.h"
#include "script/tscclassvariable.h"
#include "script/tscscript.h"
#include "script/tscxmldocument.h"

#include <QBuffer>

namespace bralvo::script {

namespace {

TscXMLItem &itemOf(platform::HandleTarget *obj)
{
    return self<TscXMLItem>(obj);
}

void registerItemMethods(TscClassVariable &cls)
{
    cls.AddMethod(QStringLiteral("procedure AddItem(Item: TscXMLItem)"), member([](auto *obj, TscMethodHelper &h) {
        TscXMLItem &parent = itemOf(obj);
        TscXMLItem *item = objectArg<TscXMLItem>(arg(h, 0));
        if (!item)
            throw platform::InvalidHandleError();
        const bool wasLoose = !item->Parent();
        parent.AddItem(item); // raises for a cycle before anything moves
        if (wasLoose)
            TscObjectPool::releaseAnywhere(item).release(); // parent owns it now
        return Variant::null();
    }));
    cls.AddMethod(QStringLiteral("procedure Clear"), member([](auto *obj, TscMethodHelper &) {
        itemOf(obj).Clear();
        return Variant::null();
    }));
    cls.AddMethod(QStringLiteral("procedure InsertItem(Index: Integer; Item: TscXMLItem)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      TscXMLItem &parent = itemOf(obj);
                      TscXMLItem *item = objectArg<TscXMLItem>(arg(h, 1));
                      if (!item)
                          throw platform::InvalidHandleError();
                      const bool wasLoose = !item->Parent();
                      parent.InsertItem(intArg(h, 0), item);
                      if (wasLoose)
                          TscObjectPool::releaseAnywhere(item).release();
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("function Add: TscXMLItem"),
                  member([](auto *obj, TscMethodHelper &) { return handleValue(itemOf(obj).Add()); }));
    cls.AddMethod(QStringLiteral("function Find(const Name: String): Integer"),
                  member([](auto *obj, TscMethodHelper &h) { return Variant(itemOf(obj).Find(textArg(h, 0))); }));
    cls.AddMethod(QStringLiteral("function FindItem(const Name: String): TscXMLItem"),
                  member([](auto *obj, TscMethodHelper &h) { return handleValue(itemOf(obj).FindItem(textArg(h, 0))); }));
    cls.AddMethod(QStringLiteral("function Root: TscXMLItem"),
                  member([](auto *obj, TscMethodHelper &) { return handleValue(itemOf(obj).Root()); }));
}

void registerItemProperties(TscClassVariable &cls)
{
    cls.AddProperty(QStringLiteral("Data"), QStringLiteral("Integer"),
                    getter([](auto *obj) { return Variant(itemOf(obj).Data()); }),
                    setter([](auto *obj, const Variant &v) { itemOf(obj).SetData(v.toInt64()); }));
    cls.AddProperty(QStringLiteral("Count"), QStringLiteral("Integer"),
                    getter([](auto *obj) { return Variant(itemOf(obj).Count()); }));
    cls.AddDefaultProperty(QStringLiteral("Items"), QStringLiteral("Integer"), QStringLiteral("TscXMLItem"),
                           indexed([](auto *obj, TscMethodHelper &h) {
                               return handleValue(itemOf(obj).Items(intArg(h, 0)));
                           }),
                           true);
    cls.AddIndexProperty(
        QStringLiteral("Prop"), QStringLiteral("String"), QStringLiteral("String"),
        indexed([](auto *obj, TscMethodHelper &h) { return Variant(itemOf(obj).Prop(textArg(h, 0))); },
                [](auto *obj, TscMethodHelper &h) { itemOf(obj).SetProp(textArg(h, 0), textArg(h, 1)); }));
    cls.AddProperty(QStringLiteral("Name"), QStringLiteral("String"),
                    getter([](auto *obj) { return Variant(itemOf(obj).Name()); }),
                    setter([](auto *obj, const Variant &v) { itemOf(obj).SetName(v.toString()); }));
    cls.AddProperty(QStringLiteral("Parent"), QStringLiteral("TscXMLItem"),
                    getter([](auto *obj) { return handleValue(itemOf(obj).Parent()); }));
    cls.AddProperty(QStringLiteral("Text"), QStringLiteral("String"),
                    getter([](auto *obj) { return Variant(itemOf(obj).Text()); }),
                    setter([](auto *obj, const Variant &v) { itemOf(obj).SetText(v.toString()); }));
}

void registerDocumentMembers(TscClassVariable &cls)
{
    cls.AddMethod(QStringLiteral("procedure SaveToStream(Stream: TStream)"), member([](auto *obj, TscMethodHelper &h) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        self<TscXMLDocument>(obj).SaveToStream(buffer);
        streamArg(arg(h, 0)).write(buffer.data());
        return Variant::null();
    }));
    cls.AddMethod(QStringLiteral("procedure LoadFromStream(Stream: TStream)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      QByteArray bytes = streamArg(arg(h, 0)).readAll();
                      QBuffer buffer(&bytes);
                      buffer.open(QIODevice::ReadOnly);
                      self<TscXMLDocument>(obj).LoadFromStream(buffer);
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("procedure SaveToFile(const FileName: String)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      self<TscXMLDocument>(obj).SaveToFile(textArg(h, 0));
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("procedure LoadFromFile(const FileName: String)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      self<TscXMLDocument>(obj).LoadFromFile(textArg(h, 0));
                      return Variant::null();
                  }));
    cls.AddProperty(QStringLiteral("Root"), QStringLiteral("TscXMLItem"),
                    getter([](auto *obj) { return handleValue(self<TscXMLDocument>(obj).Root()); }));
}

} // namespace

void registerXMLClasses(TscScript &script, const std::function<qint64(std::unique_ptr<platform::HandleTarget>)> &adopt)
{
    if (TscClassVariable *cls = script.AddClass(QStringLiteral("TscXMLItem"), QStringLiteral("TObject"))) {
        cls->AddConstructor(QStringLiteral("constructor Create"), member([adopt](auto *, TscMethodHelper &) {
                                return Variant(adopt(std::make_unique<TscXMLItem>()));
                            }));
        registerItemMethods(*cls);
        registerItemProperties(*cls);
    }
    if (TscClassVariable *cls = script.AddClass(QStringLiteral("TscXMLDocument"), QStringLiteral("TObject"))) {
        cls->AddConstructor(QStringLiteral("constructor Create"), member([adopt](auto *, TscMethodHelper &) {
                                return Variant(adopt(std::make_unique<TscXMLDocument>()));
                            }));
        registerDocumentMembers(*cls);
    }
}

} // namespace bralvo::script
