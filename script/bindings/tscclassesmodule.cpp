// The classes module: constants, enumerations, the object base classes,
// TList and TComponent; strings, streams and XML live beside it.
#include "script/bindings/tscclassesmodule.h"

#include "platform/collection.h"
#include "platform/component.h"
#include "script/tscclassvariable.h"
#include "script/tscscript.h"

namespace bralvo::script {

namespace {

TscList &listOf(platform::HandleTarget *obj)
{
    return self<TscList>(obj);
}

// Throws "List index out of bounds (N)" as the class library does.
void checkIndex(const TscList &list, int index, bool inserting = false)
{
    if (index < 0 || index > list.Items.size() - (inserting ? 0 : 1))
        throw platform::ListIndexError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

qint64 handleArg(TscMethodHelper &call, int index)
{
    const Variant v = call.GetParamValue(index);
    if (v.isNull() || v.isEmpty())
        return 0;
    const qint64 handle = v.toInt64();
    if (handle != 0)
        platform::HandleRegistry::lookup(handle); // raises for a dead or forged one
    return handle;
}

} // namespace

TscClassesModule::TscClassesModule(TscScript &script) : TscBindingModule(script)
{
    for (const auto &[name, value] :
         {std::pair{"fmCreate", 65535}, {"fmOpenRead", 0}, {"fmOpenWrite", 1}, {"fmOpenReadWrite", 2},
          {"fmShareExclusive", 16}, {"fmShareDenyWrite", 32}, {"fmShareDenyNone", 64}, {"soFromBeginning", 0},
          {"soFromCurrent", 1}, {"soFromEnd", 2}})
        script.AddConst(QString::fromLatin1(name), QStringLiteral("Integer"), Variant(value));
    script.AddEnum(QStringLiteral("TDuplicates"), QStringLiteral("dupIgnore, dupAccept, dupError"));
    script.AddEnum(QStringLiteral("TPrinterOrientation"), QStringLiteral("poPortrait, poLandscape"));
    registerBaseClasses();
    registerList();
    registerStringsClasses(script, [this](const QString &name) { return createObject(name); });
    const auto adoptFn = [this](std::unique_ptr<platform::HandleTarget> o) { return adopt(std::move(o)); };
    registerStreamClasses(script, adoptFn);
    registerComponent();
    registerXMLClasses(script, adoptFn);
}

qint64 TscClassesModule::createObject(const QString &className)
{
    if (className.compare(QLatin1String("TList"), Qt::CaseInsensitive) == 0)
        return adopt(std::make_unique<TscList>());
    if (className.compare(QLatin1String("TStringList"), Qt::CaseInsensitive) == 0 ||
        className.compare(QLatin1String("TStrings"), Qt::CaseInsensitive) == 0) {
        auto strings = std::make_unique<TscStrings>();
        strings->setScriptClassName(className.compare(QLatin1String("TStrings"), Qt::CaseInsensitive) == 0
                                        ? QStringLiteral("TStrings") : QStringLiteral("TStringList"));
        return adopt(std::move(strings));
    }
    if (className.compare(QLatin1String("TMemoryStream"), Qt::CaseInsensitive) == 0 ||
        className.compare(QLatin1String("TStream"), Qt::CaseInsensitive) == 0)
        return adopt(std::make_unique<TscStream>(className, std::make_unique<platform::MemoryStream>()));
    // Classes of other modules (TParams, TParam, ...) come from their makers.
    if (const TscComponentFactory *make = componentFactory(className))
        return adopt((*make)(className, nullptr));
    return adopt(std::make_unique<TscHostObject>(className));
}

void TscClassesModule::registerBaseClasses()
{
    TscScript &script = TargetScript;
    if (TscClassVariable *cls = script.AddClass(QStringLiteral("TObject"), QString())) {
        cls->AddConstructor(QStringLiteral("constructor Create"), member([this](auto *, TscMethodHelper &h) {
            return Variant(createObject(constructedClass(h, QStringLiteral("TObject"))));
        }));
        cls->AddMethod(QStringLiteral("procedure Free"), member([](platform::HandleTarget *obj, TscMethodHelper &) {
            TscObjectPool::freeObject(obj);
            return Variant::null();
        }));
        cls->AddMethod(QStringLiteral("function ClassName: String"),
                       member([](platform::HandleTarget *obj, TscMethodHelper &) {
                           QString name = obj ? obj->scriptClassName() : QString();
                           if (auto *persistent = dynamic_cast<platform::Persistent *>(obj); name.isEmpty() && persistent)
                               name = persistent->className();
                           return Variant(name);
                       }));
    }
    if (TscClassVariable *cls = script.AddClass(QStringLiteral("TPersistent"), QStringLiteral("TObject"))) {
        cls->AddMethod(QStringLiteral("procedure Assign(Source: TPersistent)"),
                       member([](platform::HandleTarget *obj, TscMethodHelper &h) {
                           auto &dest = self<platform::Persistent>(obj);
                           auto *source = objectArg<platform::Persistent>(arg(h, 0));
                           if (source)
                               dest.assign(*source);
                           return Variant::null();
                       }));
    }
    script.AddClass(QStringLiteral("TCollectionItem"), QStringLiteral("TPersistent"));
    if (TscClassVariable *cls = script.AddClass(QStringLiteral("TCollection"), QStringLiteral("TPersistent"))) {
        cls->AddMethod(QStringLiteral("procedure Clear"), member([](platform::HandleTarget *obj, TscMethodHelper &) {
            self<platform::Collection>(obj).clear();
            return Variant::null();
        }));
        cls->AddProperty(QStringLiteral("Count"), QStringLiteral("Integer"), getter([](platform::HandleTarget *obj) {
                             return Variant(self<platform::Collection>(obj).count());
                         }));
        // Collection items are reached through their collection's own
        // members; as objects they are not handed to scripts.
        cls->AddDefaultProperty(QStringLiteral("Items"), QStringLiteral("Integer"), QStringLiteral("TCollectionItem"),
                                indexed([](platform::HandleTarget *obj, TscMethodHelper &h) {
                                    auto *item = self<platform::Collection>(obj).item(intArg(h, 0));
                                    return handleValue(dynamic_cast<platform::HandleTarget *>(item));
                                }),
                                true);
    }
}

void TscClassesModule::registerList()
{
    TscClassVariable *cls = TargetScript.AddClass(QStringLiteral("TList"), QStringLiteral("TObject"));
    if (!cls)
        return;
    cls->AddMethod(QStringLiteral("function Add(Item: TObject): Integer"),
                   member([](platform::HandleTarget *obj, TscMethodHelper &h) {
                       TscList &list = listOf(obj);
                       list.Items.append(handleArg(h, 0));
                       return Variant(int(list.Items.size() - 1));
                   }));
    cls->AddMethod(QStringLiteral("procedure Clear"), member([](platform::HandleTarget *obj, TscMethodHelper &) {
        listOf(obj).Items.clear();
        return Variant::null();
    }));
    cls->AddMethod(QStringLiteral("procedure Delete(Index: Integer)"),
                   member([](platform::HandleTarget *obj, TscMethodHelper &h) {
                       TscList &list = listOf(obj);
                       checkIndex(list, intArg(h, 0));
                       list.Items.removeAt(intArg(h, 0));
                       return Variant::null();
                   }));
    cls->AddMethod(QStringLiteral("function IndexOf(Item: TObject): Integer"),
                   member([](platform::HandleTarget *obj, TscMethodHelper &h) {
                       const Variant v = arg(h, 0);
                       return Variant(int(listOf(obj).Items.indexOf(v.isNull() ? 0 : v.toInt64())));
                   }));
    cls->AddMethod(QStringLiteral("procedure Insert(Index: Integer; Item: TObject)"),
                   member([](platform::HandleTarget *obj, TscMethodHelper &h) {
                       TscList &list = listOf(obj);
                       checkIndex(list, intArg(h, 0), true);
                       list.Items.insert(intArg(h, 0), handleArg(h, 1));
                       return Variant::null();
                   }));
    cls->AddMethod(QStringLiteral("function Remove(Item: TObject): Integer"),
                   member([](platform::HandleTarget *obj, TscMethodHelper &h) {
                       TscList &list = listOf(obj);
                       const Variant v = arg(h, 0);
                       const int index = int(list.Items.indexOf(v.isNull() ? 0 : v.toInt64()));
                       if (index >= 0)
                           list.Items.removeAt(index);
                       return Variant(index);
                   }));
    cls->AddProperty(QStringLiteral("Count"), QStringLiteral("Integer"), getter([](platform::HandleTarget *obj) {
                         return Variant(int(listOf(obj).Items.size()));
                     }));
    cls->AddDefaultProperty(
        QStringLiteral("Items"), QStringLiteral("Integer"), QStringLiteral("TObject"),
        indexed(
            [](platform::HandleTarget *obj, TscMethodHelper &h) {
                TscList &list = listOf(obj);
                checkIndex(list, intArg(h, 0));
                return Variant(list.Items.at(intArg(h, 0)));
            },
            [](platform::HandleTarget *obj, TscMethodHelper &h) {
                TscList &list = listOf(obj);
                checkIndex(list, intArg(h, 0));
                list.Items[intArg(h, 0)] = handleArg(h, 1);
            }));
}

void TscClassesModule::registerComponent()
{
    TscClassVariable *cls = TargetScript.AddClass(QStringLiteral("TComponent"), QStringLiteral("TPersistent"));
    if (!cls)
        return;
    cls->AddConstructor(QStringLiteral("constructor Create(AOwner: TComponent)"),
                        member([this](auto *, TscMethodHelper &h) {
                            const QString name = constructedClass(h, QStringLiteral("TComponent"));
                            const qint64 owner = handleArg(h, 0);
                            if (const TscComponentFactory *make = componentFactory(name))
                                return Variant(adopt((*make)(name, platform::HandleRegistry::lookup(owner))));
                            auto component = std::make_unique<TscComponentObject>(name);
                            component->Owner = owner;
                            return Variant(adopt(std::move(component)));
                        }));
    cls->AddProperty(QStringLiteral("Owner"), QStringLiteral("TComponent"), getter([](platform::HandleTarget *obj) {
                         if (auto *own = dynamic_cast<TscComponentObject *>(obj))
                             return Variant(platform::HandleRegistry::isLive(own->Owner) ? own->Owner : 0);
                         if (auto *component = dynamic_cast<platform::Component *>(obj))
                             return handleValue(dynamic_cast<platform::HandleTarget *>(component->owner()));
                         return Variant(0);
                     }));
}

} // namespace bralvo::script
