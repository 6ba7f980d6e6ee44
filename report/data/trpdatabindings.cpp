#include "report/data/trpdatabindings.h"

#include "platform/handleregistry.h"
#include "platform/stream.h"
#include "report/data/tdatasetevents.h"
#include "report/data/trpado.h"
#include "report/data/trpdblookupcombobox.h"
#include "script/bindings/tscbindingsupport.h"
#include "script/bindings/tschostobjects.h"
#include "script/tscclassvariable.h"
#include "script/tscrttimodule.h"
#include "script/tscscript.h"

#include <QFile>
#include <QSaveFile>

namespace bralvo::report {

namespace {

using platform::Variant;
using script::TscClassVariable;
using script::TscMethodHelper;
using script::TscScript;

Variant objectValue(const platform::HandleTarget *object)
{
    return Variant(platform::HandleRegistry::handleOf(object));
}

template <class T>
T *as(platform::HandleTarget *obj)
{
    return dynamic_cast<T *>(obj);
}

QString textParam(TscMethodHelper &h, int i)
{
    return h.GetParamValue(i).toString();
}

// Module 1: fields, field definitions, datasets and parameters.
class DataClassesModule : public script::TscRTTIModule {
public:
    explicit DataClassesModule(TscScript &s) : TscRTTIModule(s)
    {
        s.AddEnum(QStringLiteral("TFieldType"), data::fieldTypeEnum().names.join(QStringLiteral(", ")));
        s.AddEnum(QStringLiteral("TBlobStreamMode"), QStringLiteral("bmRead, bmWrite, bmReadWrite"));
        s.AddEnumSet(QStringLiteral("TLocateOptions"), QStringLiteral("loCaseInsensitive, loPartialKey"));
        s.AddEnumSet(QStringLiteral("TFilterOptions"), QStringLiteral("foCaseInsensitive, foNoPartialCompare"));
        s.AddEnum(QStringLiteral("TParamType"), QStringLiteral("ptUnknown, ptInput, ptOutput, ptInputOutput, ptResult"));
        addField(s);
        TscClassVariable *fields = s.AddClass(QStringLiteral("TFields"), QStringLiteral("TObject"));
        fields->AddDefaultProperty(QStringLiteral("Fields"), QStringLiteral("Integer"), QStringLiteral("TField"),
                                   [](auto *o, auto &, auto &, TscMethodHelper &h) {
                                       return objectValue(as<data::TFields>(o)->Fields(h.GetParamValue(0).toInt()));
                                   }, true);
        addFieldSubclasses(s);
        s.AddClass(QStringLiteral("TDataSource"), QStringLiteral("TComponent"));
        s.AddType(QStringLiteral("TBookmark"), script::tcVariant);
        addDataSet(s);
        addParams(s);
    }

private:
    static void addField(TscScript &s)
    {
        TscClassVariable *c = s.AddClass(QStringLiteral("TField"), QStringLiteral("TComponent"));
        auto get = [](auto *o, auto &, const QString &m) -> Variant {
            auto *f = as<data::TField>(o);
            if (m == QLatin1String("ASBOOLEAN")) return Variant(f->AsBoolean());
            if (m == QLatin1String("ASCURRENCY")) return Variant::fromCurrency(f->AsCurrency());
            if (m == QLatin1String("ASDATETIME")) return Variant::fromDate(f->AsDateTime());
            if (m == QLatin1String("ASFLOAT")) return Variant(f->AsFloat());
            if (m == QLatin1String("ASINTEGER")) return Variant(f->AsInteger());
            if (m == QLatin1String("ASSTRING")) return Variant(f->AsString());
            if (m == QLatin1String("DATATYPE")) return Variant(int(f->DataType()));
            if (m == QLatin1String("DISPLAYNAME")) return Variant(f->DisplayName());
            if (m == QLatin1String("DISPLAYTEXT")) return Variant(f->DisplayText());
            if (m == QLatin1String("ISNULL")) return Variant(f->IsNull());
            if (m == QLatin1String("SIZE")) return Variant(f->Size());
            return f->Value(); // VALUE, ASVARIANT
        };
        auto set = [](auto *o, auto &, auto &, const Variant &v) { as<data::TField>(o)->SetValue(v); };
        for (const char *p : {"AsBoolean:Boolean", "AsCurrency:Currency", "AsDateTime:TDateTime", "AsFloat:Double",
                              "AsInteger:Integer", "AsString:String", "AsVariant:Variant", "Size:Integer",
                              "Value:Variant"}) {
            const QStringList nt = QString::fromLatin1(p).split(u':');
            c->AddProperty(nt[0], nt[1], get, set);
        }
        for (const char *p : {"DataType:TFieldType", "DisplayName:String", "DisplayText:String", "IsNull:Boolean"}) {
            const QStringList nt = QString::fromLatin1(p).split(u':');
            c->AddProperty(nt[0], nt[1], get);
        }
        c->AddEvent(QStringLiteral("OnGetText"), &script::createScriptEvent<data::TscFieldGetTextEvent>);
    }

    static void addFieldSubclasses(TscScript &s)
    {
        const QList<QPair<const char *, const char *>> classes = {
            {"TStringField", "TField"},      {"TNumericField", "TField"},     {"TIntegerField", "TNumericField"},
            {"TSmallintField", "TIntegerField"}, {"TWordField", "TIntegerField"}, {"TAutoIncField", "TIntegerField"},
            {"TFloatField", "TNumericField"}, {"TCurrencyField", "TFloatField"}, {"TBooleanField", "TField"},
            {"TDateTimeField", "TField"},    {"TDateField", "TDateTimeField"}, {"TTimeField", "TDateTimeField"},
            {"TBinaryField", "TField"},      {"TBytesField", "TBinaryField"}, {"TVarBytesField", "TBinaryField"},
            {"TBCDField", "TNumericField"},  {"TBlobField", "TField"},        {"TMemoField", "TBlobField"},
            {"TGraphicField", "TBlobField"}, {"TWideStringField", "TStringField"},
            {"TLargeintField", "TNumericField"}, {"TFMTBCDField", "TNumericField"}, {"TWideMemoField", "TMemoField"},
            {"TFieldDef", "TPersistent"}};
        for (const auto &c : classes) {
            TscClassVariable *cls = s.AddClass(QString::fromLatin1(c.first), QString::fromLatin1(c.second));
            if (cls && QLatin1String(c.first) == QLatin1String("TBlobField"))
                addBlobField(*cls);
        }
        TscClassVariable *defs = s.AddClass(QStringLiteral("TFieldDefs"), QStringLiteral("TObject"));
        defs->AddMethod(QStringLiteral("function AddFieldDef: TFieldDef"), [](auto *o, auto &, auto &, auto &) {
            return objectValue(as<data::TFieldDefs>(o)->AddFieldDef());
        });
        defs->AddMethod(QStringLiteral("function Find(const Name: string): TFieldDef"),
                        [](auto *o, auto &, auto &, TscMethodHelper &h) {
                            return objectValue(as<data::TFieldDefs>(o)->Find(textParam(h, 0)));
                        });
        defs->AddMethod(QStringLiteral("procedure Add(const Name: string; DataType: TFieldType; Size: Word; "
                                       "Required: Boolean)"),
                        [](auto *o, auto &, auto &, TscMethodHelper &h) {
                            as<data::TFieldDefs>(o)->Add(textParam(h, 0), data::TFieldType(h.GetParamValue(1).toInt()),
                                                         h.GetParamValue(2).toInt(), h.GetParamValue(3).toBool());
                            return Variant(0);
                        });
        defs->AddMethod(QStringLiteral("procedure Clear"), [](auto *o, auto &, auto &, auto &) {
            as<data::TFieldDefs>(o)->Clear();
            return Variant(0);
        });
        defs->AddMethod(QStringLiteral("procedure Update"), [](auto *o, auto &, auto &, auto &) {
            as<data::TFieldDefs>(o)->Update();
            return Variant(0);
        });
        defs->AddDefaultProperty(QStringLiteral("Items"), QStringLiteral("Integer"), QStringLiteral("TFieldDef"),
                                 [](auto *o, auto &, auto &, TscMethodHelper &h) {
                                     return objectValue(as<data::TFieldDefs>(o)->Items(h.GetParamValue(0).toInt()));
                                 }, true);
    }

    // The cell's bytes to and from files and streams; loading writes the
    // field, which the read-only datasets refuse.
    static void addBlobField(TscClassVariable &c)
    {
        c.AddMethod(QStringLiteral("procedure LoadFromFile(const FileName: String)"),
                    [](auto *o, auto &, auto &, TscMethodHelper &h) {
                        QFile file(textParam(h, 0));
                        if (!file.open(QIODevice::ReadOnly))
                            throw platform::StreamError(QStringLiteral("Cannot open file \"%1\"").arg(textParam(h, 0)));
                        as<data::TField>(o)->SetValue(Variant(QString::fromLatin1(file.readAll())));
                        return Variant(0);
                    });
        c.AddMethod(QStringLiteral("procedure LoadFromStream(Stream: TStream)"),
                    [](auto *o, auto &, auto &, TscMethodHelper &h) {
                        as<data::TField>(o)->SetValue(
                            Variant(QString::fromLatin1(script::streamArg(h.GetParamValue(0)).readAll())));
                        return Variant(0);
                    });
        c.AddMethod(QStringLiteral("procedure SaveToFile(const FileName: String)"),
                    [](auto *o, auto &, auto &, TscMethodHelper &h) {
                        QSaveFile file(textParam(h, 0));
                        const QByteArray bytes = as<data::TField>(o)->AsBytes();
                        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
                            throw platform::StreamError(QStringLiteral("Cannot create file \"%1\"").arg(textParam(h, 0)));
                        return Variant(0);
                    });
        c.AddMethod(QStringLiteral("procedure SaveToStream(Stream: TStream)"),
                    [](auto *o, auto &, auto &, TscMethodHelper &h) {
                        as<data::TField>(o)->SaveToStream(script::streamArg(h.GetParamValue(0)));
                        return Variant(0);
                    });
    }

    static void addParams(TscScript &s)
    {
        TscClassVariable *p = s.AddClass(data::TParam::staticClass(), QStringLiteral("TPersistent"));
        if (p) {
            p->AddMethod(QStringLiteral("procedure Clear"), [](auto *o, auto &, auto &, auto &) {
                as<data::TParam>(o)->Clear();
                return Variant(0);
            });
            for (const char *prop : {"AsBoolean:Boolean", "AsCurrency:Currency", "AsDateTime:TDateTime",
                                     "AsFloat:Double", "AsInteger:Integer", "AsDate:TDate", "AsTime:TTime",
                                     "AsString:String", "Bound:Boolean", "Text:String"}) {
                const QStringList nt = QString::fromLatin1(prop).split(u':');
                p->AddProperty(nt[0], nt[1], &paramGet, &paramSet);
            }
            p->AddProperty(QStringLiteral("IsNull"), QStringLiteral("Boolean"), &paramGet);
        }
        TscClassVariable *ps = s.AddClass(data::TParams::staticClass(), QStringLiteral("TPersistent"));
        if (!ps)
            return;
        ps->AddMethod(QStringLiteral("function ParamByName(const Value: string): TParam"),
                      [](auto *o, auto &, auto &, TscMethodHelper &h) {
                          return objectValue(as<data::TParams>(o)->ParamByName(textParam(h, 0)));
                      });
        ps->AddMethod(QStringLiteral("function FindParam(const Value: string): TParam"),
                      [](auto *o, auto &, auto &, TscMethodHelper &h) {
                          return objectValue(as<data::TParams>(o)->FindParam(textParam(h, 0)));
                      });
        ps->AddDefaultProperty(QStringLiteral("Items"), QStringLiteral("Integer"), QStringLiteral("TParam"),
                               [](auto *o, auto &, auto &, TscMethodHelper &h) {
                                   return objectValue(as<data::TParams>(o)->Items(h.GetParamValue(0).toInt()));
                               }, true);
    }

    // A null parameter reads as False, 0 or the empty text.
    static Variant paramGet(platform::HandleTarget *o, const QString &, const QString &m)
    {
        auto *p = as<data::TParam>(o);
        const Variant &v = p->Value();
        const bool none = p->IsNull();
        if (m == QLatin1String("ISNULL")) return Variant(none);
        if (m == QLatin1String("BOUND")) return Variant(p->Bound);
        if (m == QLatin1String("ASBOOLEAN")) return Variant(!none && v.toBool());
        if (m == QLatin1String("ASINTEGER")) return Variant(none ? 0 : v.toInt());
        if (m == QLatin1String("ASFLOAT")) return Variant(none ? 0.0 : v.toDouble());
        if (m == QLatin1String("ASCURRENCY")) return Variant::fromCurrency(none ? 0.0 : v.toDouble());
        if (m == QLatin1String("ASDATETIME") || m == QLatin1String("ASDATE") || m == QLatin1String("ASTIME"))
            return Variant::fromDate(none ? 0.0 : v.toDouble());
        return Variant(none ? QString() : v.toString());  // ASSTRING, TEXT
    }

    static void paramSet(platform::HandleTarget *o, const QString &, const QString &m, const Variant &v)
    {
        auto *p = as<data::TParam>(o);
        if (m == QLatin1String("BOUND")) p->Bound = v.toBool();
        else if (m == QLatin1String("ASBOOLEAN")) p->SetValue(Variant(v.toBool()));
        else if (m == QLatin1String("ASINTEGER")) p->SetValue(Variant(v.toInt()));
        else if (m == QLatin1String("ASFLOAT")) p->SetValue(Variant(v.toDouble()));
        else if (m == QLatin1String("ASCURRENCY")) p->SetAsCurrency(v.toDouble());
        else if (m == QLatin1String("ASDATETIME")) p->SetAsDateTime(v.toDouble());
        else if (m == QLatin1String("ASDATE")) p->SetAsDate(v.toDouble());
        else if (m == QLatin1String("ASTIME")) p->SetAsTime(v.toDouble());
        else if (m == QLatin1String("TEXT")) p->SetText(v.toString());
        else p->SetValue(Variant(v.toString()));  // ASSTRING
    }

    static void addDataSet(TscScript &s)
    {
        TscClassVariable *c = s.AddClass(QStringLiteral("TDataSet"), QStringLiteral("TComponent"));
        using Fn = void (data::TDataSet::*)();
        const QList<QPair<const char *, Fn>> procedures = {
            {"Open", &data::TDataSet::Open},     {"Close", &data::TDataSet::Close}, {"First", &data::TDataSet::First},
            {"Last", &data::TDataSet::Last},     {"Next", &data::TDataSet::Next},   {"Prior", &data::TDataSet::Prior},
            {"Delete", &data::TDataSet::Delete}, {"Post", &data::TDataSet::Post},   {"Append", &data::TDataSet::Append},
            {"Insert", &data::TDataSet::Insert}, {"Edit", &data::TDataSet::Edit},   {"Cancel", &data::TDataSet::Cancel},
            {"EnableControls", &data::TDataSet::EnableControls},
            {"DisableControls", &data::TDataSet::DisableControls}};
        for (const auto &p : procedures) {
            const Fn fn = p.second;
            c->AddMethod(QStringLiteral("procedure ") + QString::fromLatin1(p.first), [fn](auto *o, auto &, auto &, auto &) {
                (as<data::TDataSet>(o)->*fn)();
                return Variant(0);
            });
        }
        c->AddMethod(QStringLiteral("function FieldByName(const FieldName: string): TField"),
                     [](auto *o, auto &, auto &, TscMethodHelper &h) {
                         return objectValue(as<data::TDataSet>(o)->FieldByName(textParam(h, 0)));
                     });
        c->AddMethod(QStringLiteral("procedure GetFieldNames(List: TStrings)"),
                     [](auto *o, auto &, auto &, TscMethodHelper &h) {
                         platform::StringList *list = script::stringsArg(h.GetParamValue(0));
                         if (!list)
                             throw platform::InvalidHandleError();
                         as<data::TDataSet>(o)->GetFieldNames(*list);
                         return Variant(0);
                     });
        using Find = bool (data::TDataSet::*)();
        const QList<QPair<const char *, Find>> finds = {{"FindFirst", &data::TDataSet::FindFirst},
                                                        {"FindLast", &data::TDataSet::FindLast},
                                                        {"FindNext", &data::TDataSet::FindNext},
                                                        {"FindPrior", &data::TDataSet::FindPrior}};
        for (const auto &f : finds) {
            const Find fn = f.second;
            c->AddMethod(QStringLiteral("function %1: Boolean").arg(QLatin1String(f.first)),
                         [fn](auto *o, auto &, auto &, auto &) { return Variant((as<data::TDataSet>(o)->*fn)()); });
        }
        c->AddMethod(QStringLiteral("function IsEmpty: Boolean"),
                     [](auto *o, auto &, auto &, auto &) { return Variant(as<data::TDataSet>(o)->IsEmpty()); });
        c->AddMethod(QStringLiteral("function GetBookmark: TBookmark"), [](auto *o, auto &, auto &, auto &) {
            return Variant(as<data::TDataSet>(o)->GetBookmark());
        });
        c->AddMethod(QStringLiteral("procedure GotoBookmark(Bookmark: TBookmark)"),
                     [](auto *o, auto &, auto &, TscMethodHelper &h) {
                         as<data::TDataSet>(o)->GotoBookmark(h.GetParamValue(0).toInt64());
                         return Variant(0);
                     });
        c->AddMethod(QStringLiteral("procedure FreeBookmark(Bookmark: TBookmark)"),
                     [](auto *, auto &, auto &, auto &) { return Variant(0); });
        c->AddMethod(QStringLiteral("function Locate(const KeyFields: string; const KeyValues: Variant;"
                                    "Options: TLocateOptions): Boolean"),
                     [](auto *o, auto &, auto &, TscMethodHelper &h) {
                         return Variant(as<data::TDataSet>(o)->Locate(textParam(h, 0), h.GetParamValue(1),
                                                                      script::setArg(h, 2) & 3));
                     });
        auto get = [](auto *o, auto &, const QString &m) -> Variant {
            auto *ds = as<data::TDataSet>(o);
            if (m == QLatin1String("BOF")) return Variant(ds->Bof());
            if (m == QLatin1String("EOF")) return Variant(ds->Eof());
            if (m == QLatin1String("FIELDCOUNT")) return Variant(ds->FieldCount());
            if (m == QLatin1String("FIELDDEFS")) return objectValue(ds->FieldDefs());
            if (m == QLatin1String("FIELDS")) return objectValue(ds->Fields());
            if (m == QLatin1String("FILTER")) return Variant(ds->Filter());
            if (m == QLatin1String("FILTERED")) return Variant(ds->Filtered());
            if (m == QLatin1String("FILTEROPTIONS")) return Variant(ds->FilterOptions());
            if (m == QLatin1String("RECNO")) return Variant(ds->RecNo());
            if (m == QLatin1String("RECORDCOUNT")) return Variant(ds->RecordCount());
            return Variant(ds->Active());
        };
        auto set = [](auto *o, auto &, const QString &m, const Variant &v) {
            auto *ds = as<data::TDataSet>(o);
            if (m == QLatin1String("FILTER")) ds->SetFilter(v.toString());
            else if (m == QLatin1String("FILTERED")) ds->SetFiltered(v.toBool());
            else if (m == QLatin1String("FILTEROPTIONS")) ds->SetFilterOptions(script::setBits(v) & 3);
            else if (m == QLatin1String("ACTIVE")) ds->SetActive(v.toBool());
        };
        for (const char *p : {"Bof:Boolean", "Eof:Boolean", "FieldCount:Integer", "FieldDefs:TFieldDefs",
                              "Fields:TFields", "RecNo:Integer", "RecordCount:Integer"}) {
            const QStringList nt = QString::fromLatin1(p).split(u':');
            c->AddProperty(nt[0], nt[1], get);
        }
        for (const char *p : {"Filter:string", "Filtered:Boolean", "FilterOptions:TFilterOptions", "Active:Boolean"}) {
            const QStringList nt = QString::fromLatin1(p).split(u':');
            c->AddProperty(nt[0], nt[1], get, set);
        }
        for (const char *e : {"BeforeOpen", "AfterOpen", "BeforeClose", "AfterClose", "BeforeInsert", "AfterInsert",
                              "BeforeEdit", "AfterEdit", "BeforePost", "AfterPost", "BeforeCancel", "AfterCancel",
                              "BeforeDelete", "AfterDelete", "BeforeScroll", "AfterScroll", "OnCalcFields"})
            c->AddEvent(QString::fromLatin1(e), &script::createScriptEvent<data::TscDatasetNotifyEvent>);
        c->AddEvent(QStringLiteral("OnFilterRecord"), &script::createScriptEvent<data::TscFilterRecordEvent>);
        c->AddEvent(QStringLiteral("OnNewRecord"), &script::createScriptEvent<data::TscDatasetNotifyEvent>);
    }
};

// Module 2: the report database components.
class ReportDataModule : public script::TscRTTIModule {
public:
    explicit ReportDataModule(TscScript &s) : TscRTTIModule(s)
    {
        TscClassVariable *db = s.AddClass(TrpDBDataset::staticClass(), QStringLiteral("TrpCustomDBDataSet"));
        db->AddMethod(QStringLiteral("function Locate(const KeyFields: string; const KeyValues: Variant;"
                                     "Options: TLocateOptions): Boolean"),
                      [](auto *o, auto &, auto &, TscMethodHelper &h) {
                          data::TDataSet *ds = as<TrpDBDataset>(o)->EffectiveDataSet();
                          if (!ds)
                              return Variant(false);
                          if (!ds->Active())
                              ds->Open();
                          return Variant(ds->Locate(textParam(h, 0), h.GetParamValue(1),
                                                    script::setArg(h, 2) & 3));
                      });
        db->AddMethod(QStringLiteral("function IsEmpty: Boolean"), [](auto *o, auto &, auto &, auto &) {
            data::TDataSet *ds = as<TrpDBDataset>(o)->EffectiveDataSet();
            return Variant(!ds || ds->IsEmpty());
        });
        db->AddMethod(QStringLiteral("function RecordCount: Integer"), [](auto *o, auto &, auto &, auto &) {
            return Variant(as<TrpDBDataset>(o)->RecordCount());
        });
        s.AddClass(TrpCustomDatabase::staticClass(), QStringLiteral("TrpComponent"));
        TscClassVariable *c = s.AddClass(TrpCustomDataset::staticClass(), QStringLiteral("TrpDBDataSet"));
        c->AddMethod(QStringLiteral("procedure Last"), [](auto *o, auto &, auto &, auto &) {
            as<TrpCustomDataset>(o)->PlatformDataSet()->Last();
            return Variant(0);
        });
        c->AddMethod(QStringLiteral("function FieldByName(Name: String): TField"),
                     [](auto *o, auto &, auto &, TscMethodHelper &h) {
                         return objectValue(as<TrpCustomDataset>(o)->PlatformDataSet()->FieldByName(textParam(h, 0)));
                     });
        c->AddProperty(QStringLiteral("DataSet"), QStringLiteral("TDataSet"), [](auto *o, auto &, auto &) {
            return objectValue(as<TrpCustomDataset>(o)->PlatformDataSet());
        });
        c->AddProperty(QStringLiteral("Fields"), QStringLiteral("TFields"), [](auto *o, auto &, auto &) {
            return objectValue(as<TrpCustomDataset>(o)->PlatformDataSet()->Fields());
        });
        c->AddProperty(
            QStringLiteral("Active"), QStringLiteral("Boolean"),
            [](auto *o, auto &, auto &) { return Variant(as<TrpCustomDataset>(o)->PlatformDataSet()->Active()); },
            [](auto *o, auto &, auto &, const Variant &v) { as<TrpCustomDataset>(o)->PlatformDataSet()->SetActive(v.toBool()); });
        s.AddClass(TrpCustomTable::staticClass(), QStringLiteral("TrpCustomDataset"));
        TscClassVariable *item = s.AddClass(QStringLiteral("TrpParamItem"), QStringLiteral("TCollectionItem"));
        item->AddProperty(
            QStringLiteral("Value"), QStringLiteral("Variant"),
            [](auto *o, auto &, auto &) { return as<TrpParamItem>(o)->Value(); },
            [](auto *o, auto &, auto &, const Variant &v) { as<TrpParamItem>(o)->SetValue(v); });
        TscClassVariable *params = s.AddClass(QStringLiteral("TrpParams"), QStringLiteral("TCollection"));
        params->AddMethod(QStringLiteral("function IndexOf(Name: String): Integer"),
                          [](auto *o, auto &, auto &, TscMethodHelper &h) {
                              return Variant(as<TrpParams>(o)->IndexOf(textParam(h, 0)));
                          });
        params->AddDefaultProperty(QStringLiteral("Items"), QStringLiteral("Integer"), QStringLiteral("TrpParamItem"),
                                   [](auto *o, auto &, auto &, TscMethodHelper &h) {
                                       return objectValue(as<TrpParams>(o)->Items(h.GetParamValue(0).toInt()));
                                   }, true);
        TscClassVariable *q = s.AddClass(TrpCustomQuery::staticClass(), QStringLiteral("TrpCustomDataset"));
        q->AddMethod(QStringLiteral("function ParamByName(Name: string): TrpParamItem"),
                     [](auto *o, auto &, auto &, TscMethodHelper &h) {
                         return objectValue(as<TrpCustomQuery>(o)->ParamByName(textParam(h, 0)));
                     });
        TscClassVariable *combo = s.AddClass(TrpDBLookupComboBox::staticClass(), QStringLiteral("TrpDialogControl"));
        combo->AddProperty(
            QStringLiteral("KeyValue"), QStringLiteral("Variant"),
            [](auto *o, auto &, auto &) { return as<TrpDBLookupComboBox>(o)->KeyValue(); },
            [](auto *o, auto &, auto &, const Variant &v) { as<TrpDBLookupComboBox>(o)->SetKeyValue(v); });
        combo->AddProperty(QStringLiteral("Text"), QStringLiteral("String"), [](auto *o, auto &, auto &) {
            return Variant(as<TrpDBLookupComboBox>(o)->Text());
        });
        q->AddProperty(QStringLiteral("Params"), QStringLiteral("TrpParams"), [](auto *o, auto &, auto &) {
            return objectValue(as<TrpCustomQuery>(o)->Params());
        });
    }
};

// Module 3: the ADO classes.
class AdoClassesModule : public script::TscRTTIModule {
public:
    explicit AdoClassesModule(TscScript &s) : TscRTTIModule(s)
    {
        s.AddType(QStringLiteral("TDataType"), script::tcInteger);
        // Sort's type; the standard bindings may have it already.
        s.AddType(QStringLiteral("WideString"), script::tcString);
        s.AddClass(QStringLiteral("TADOConnection"), QStringLiteral("TComponent"));
        // The ADO parameters are the data layer's parameter list.
        s.AddClass(QStringLiteral("TParameter"), QStringLiteral("TCollectionItem"));
        if (TscClassVariable *ps = s.AddClass(QStringLiteral("TParameters"), QStringLiteral("TCollection"))) {
            ps->AddMethod(QStringLiteral("function AddParameter: TParameter"), [](auto *o, auto &, auto &, auto &) {
                return objectValue(as<data::TParams>(o)->AddParameter());
            });
            ps->AddDefaultProperty(QStringLiteral("Items"), QStringLiteral("Integer"), QStringLiteral("TParameter"),
                                   [](auto *o, auto &, auto &, TscMethodHelper &h) {
                                       return objectValue(as<data::TParams>(o)->Items(h.GetParamValue(0).toInt()));
                                   }, true);
        }
        TscClassVariable *c = s.AddClass(QStringLiteral("TCustomADODataSet"), QStringLiteral("TDataSet"));
        c->AddProperty(
            QStringLiteral("Sort"), QStringLiteral("WideString"),
            [](auto *o, auto &, auto &) { return Variant(as<data::TDataSet>(o)->Sort()); },
            [](auto *o, auto &, auto &, const Variant &v) { as<data::TDataSet>(o)->SetSort(v.toString()); });
        s.AddClass(QStringLiteral("TADOTable"), QStringLiteral("TCustomADODataSet"));
        TscClassVariable *q = s.AddClass(QStringLiteral("TADOQuery"), QStringLiteral("TCustomADODataSet"));
        q->AddMethod(QStringLiteral("procedure ExecSQL"), [](auto *o, auto &, auto &, auto &) {
            as<data::TADOQuery>(o)->ExecSQL();
            return Variant(0);
        });
        TscClassVariable *p = s.AddClass(QStringLiteral("TADOStoredProc"), QStringLiteral("TCustomADODataSet"));
        p->AddMethod(QStringLiteral("procedure ExecProc"), [](auto *o, auto &, auto &, auto &) {
            as<data::TADOStoredProc>(o)->ExecProc();
            return Variant(0);
        });
    }
};

// Module 4: the report ADO components.
class ReportAdoModule : public script::TscRTTIModule {
public:
    explicit ReportAdoModule(TscScript &s) : TscRTTIModule(s)
    {
        TscClassVariable *d = s.AddClass(TrpADODatabase::staticClass(), QStringLiteral("TrpCustomDatabase"));
        d->AddProperty(QStringLiteral("Database"), QStringLiteral("TADOConnection"), [](auto *o, auto &, auto &) {
            return objectValue(as<TrpADODatabase>(o)->Database());
        });
        TscClassVariable *t = s.AddClass(TrpADOTable::staticClass(), QStringLiteral("TrpCustomTable"));
        t->AddProperty(QStringLiteral("Table"), QStringLiteral("TADOTable"), [](auto *o, auto &, auto &) {
            return objectValue(as<TrpADOTable>(o)->Table());
        });
        TscClassVariable *q = s.AddClass(TrpADOQuery::staticClass(), QStringLiteral("TrpCustomQuery"));
        q->AddProperty(QStringLiteral("Query"), QStringLiteral("TADOQuery"), [](auto *o, auto &, auto &) {
            return objectValue(as<TrpADOQuery>(o)->Query());
        });
        q->AddMethod(QStringLiteral("procedure ExecSQL"), [](auto *o, auto &, auto &, auto &) {
            as<TrpADOQuery>(o)->ExecSQL();
            return Variant(0);
        });
    }
};

} // namespace

void registerDataScriptBindings()
{
    static const bool done = [] {
        script::RegisterRTTIModule(&script::createRTTIModule<DataClassesModule>);
        script::RegisterRTTIModule(&script::createRTTIModule<ReportDataModule>);
        script::RegisterRTTIModule(&script::createRTTIModule<AdoClassesModule>);
        script::RegisterRTTIModule(&script::createRTTIModule<ReportAdoModule>);
        // Scripts make parameter lists and parameters with Create.
        script::registerComponentFactory(QStringLiteral("TParams"), [](const QString &, platform::HandleTarget *) {
            return std::unique_ptr<platform::HandleTarget>(std::make_unique<data::TParams>());
        });
        script::registerComponentFactory(QStringLiteral("TParam"), [](const QString &, platform::HandleTarget *) {
            return std::unique_ptr<platform::HandleTarget>(std::make_unique<data::TParam>());
        });
        return true;
    }();
    Q_UNUSED(done);
}

} // namespace bralvo::report
