// The explicit members of the report classes for scripts.
#include "report/model/trpscriptclasses.h"

#include "report/model/trpband.h"
#include "report/model/trpcomponent.h"
#include "report/model/trpdataset.h"
#include "report/model/trpdialogpage.h"
#include "report/model/trpenginebases.h"
#include "report/model/trpmemoview.h"
#include "report/model/trppage.h"
#include "report/model/trppicture.h"
#include "report/model/trppictureview.h"
#include "report/model/trpreport.h"
#include "report/model/trpstretcheable.h"
#include "report/model/trpvariables.h"
#include "report/model/trpview.h"
#include "report/model/twidestrings.h"
#include "script/tscclassvariable.h"
#include "script/tscscript.h"

#include <cmath>

namespace bralvo::report {

namespace {

using platform::Variant;
using script::arg;
using script::getter;
using script::indexed;
using script::intArg;
using script::member;
using script::self;
using script::setter;
using script::textArg;
using script::TscClassVariable;
using script::TscMethodHelper;

Variant none()
{
    return Variant::null();
}

void addNames(script::TscScript &s, std::initializer_list<const char *> names, const char *ancestor)
{
    for (const char *name : names)
        addReportClass(s, QString::fromLatin1(name), QString::fromLatin1(ancestor));
}

TWideStrings &linesOf(platform::HandleTarget *obj)
{
    return self<TWideStrings>(obj);
}

// Objects on wide-string lines are kept as handles.
void *asObject(const Variant &v)
{
    const qint64 handle = v.isNull() || v.isEmpty() ? 0 : v.toInt64();
    if (handle != 0)
        platform::HandleRegistry::lookup(handle);
    return reinterpret_cast<void *>(quintptr(handle));
}

void registerWideStringMethods(TscClassVariable &cls)
{
    cls.AddMethod(QStringLiteral("function Add(const S: string): Integer"),
                  member([](auto *obj, TscMethodHelper &h) { return Variant(linesOf(obj).Add(textArg(h, 0))); }));
    cls.AddMethod(QStringLiteral("function AddObject(const S: string; AObject: TObject): Integer"),
                  member([](auto *obj, TscMethodHelper &h) {
                      return Variant(linesOf(obj).AddObject(textArg(h, 0), asObject(arg(h, 1))));
                  }));
    cls.AddMethod(QStringLiteral("procedure Clear"), member([](auto *obj, TscMethodHelper &) {
        linesOf(obj).Clear();
        return none();
    }));
    cls.AddMethod(QStringLiteral("procedure Delete(Index: Integer)"), member([](auto *obj, TscMethodHelper &h) {
        linesOf(obj).Delete(intArg(h, 0));
        return none();
    }));
    cls.AddMethod(QStringLiteral("function IndexOf(const S: string): Integer"),
                  member([](auto *obj, TscMethodHelper &h) { return Variant(linesOf(obj).IndexOf(textArg(h, 0))); }));
    cls.AddMethod(QStringLiteral("procedure Insert(Index: Integer; const S: string)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      linesOf(obj).Insert(intArg(h, 0), textArg(h, 1));
                      return none();
                  }));
    cls.AddMethod(QStringLiteral("procedure LoadFromFile(const FileName: string)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      linesOf(obj).LoadFromFile(textArg(h, 0));
                      return none();
                  }));
    cls.AddMethod(QStringLiteral("procedure LoadFromStream(Stream: TStream)"), member([](auto *obj, TscMethodHelper &h) {
        linesOf(obj).LoadFromStream(script::streamArg(arg(h, 0)));
        return none();
    }));
    cls.AddMethod(QStringLiteral("procedure SaveToFile(const FileName: string)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      linesOf(obj).SaveToFile(textArg(h, 0));
                      return none();
                  }));
    cls.AddMethod(QStringLiteral("procedure SaveToStream(Stream: TStream)"), member([](auto *obj, TscMethodHelper &h) {
        linesOf(obj).SaveToStream(script::streamArg(arg(h, 0)));
        return none();
    }));
}

void registerWideStringProperties(TscClassVariable &cls)
{
    cls.AddProperty(QStringLiteral("Count"), QStringLiteral("Integer"),
                    getter([](auto *obj) { return Variant(linesOf(obj).Count()); }));
    cls.AddIndexProperty(QStringLiteral("Objects"), QStringLiteral("Integer"), QStringLiteral("TObject"),
                         indexed(
                             [](auto *obj, TscMethodHelper &h) {
                                 return Variant(qint64(reinterpret_cast<quintptr>(linesOf(obj).Objects(intArg(h, 0)))));
                             },
                             [](auto *obj, TscMethodHelper &h) {
                                 linesOf(obj).SetObjects(intArg(h, 0), asObject(arg(h, 1)));
                             }));
    cls.AddDefaultProperty(
        QStringLiteral("Strings"), QStringLiteral("Integer"), QStringLiteral("string"),
        indexed([](auto *obj, TscMethodHelper &h) { return Variant(linesOf(obj).Strings(intArg(h, 0))); },
                [](auto *obj, TscMethodHelper &h) { linesOf(obj).SetStrings(intArg(h, 0), textArg(h, 1)); }));
    cls.AddProperty(QStringLiteral("Text"), QStringLiteral("string"),
                    getter([](auto *obj) { return Variant(linesOf(obj).Text()); }),
                    setter([](auto *obj, const Variant &v) { linesOf(obj).SetText(v.toString()); }));
}

TrpDataSet &dataSetOf(platform::HandleTarget *obj)
{
    return self<TrpDataSet>(obj);
}

TrpComponent &componentOf(platform::HandleTarget *obj)
{
    return self<TrpComponent>(obj);
}

template <class Call>
script::TscDirectCallback datasetCall(Call call)
{
    return member([call](auto *obj, TscMethodHelper &h) { return call(dataSetOf(obj), h); });
}

} // namespace

void TrpScriptClasses::registerStrings()
{
    addReportClass(TargetScript, QStringLiteral("TJPEGImage"), QStringLiteral("TGraphic"));
    if (TscClassVariable *cls = addReportClass(TargetScript, QStringLiteral("TWideStrings"), QStringLiteral("TPersistent"))) {
        registerWideStringMethods(*cls);
        registerWideStringProperties(*cls);
    }
}

void TrpScriptClasses::registerDataSet()
{
    TscClassVariable *cls = addReportClass(TargetScript, QStringLiteral("TrpDataSet"), QStringLiteral("TComponent"));
    if (cls) {
        const auto procedure = [cls](const char *decl, void (TrpDataSet::*op)()) {
            cls->AddMethod(QString::fromLatin1(decl), datasetCall([op](TrpDataSet &d, TscMethodHelper &) {
                               (d.*op)();
                               return none();
                           }));
        };
        procedure("procedure Open", &TrpDataSet::Open);
        procedure("procedure Close", &TrpDataSet::Close);
        procedure("procedure First", &TrpDataSet::First);
        procedure("procedure Next", &TrpDataSet::Next);
        procedure("procedure Prior", &TrpDataSet::Prior);
        cls->AddMethod(QStringLiteral("function Eof: Boolean"),
                       datasetCall([](TrpDataSet &d, TscMethodHelper &) { return Variant(d.Eof()); }));
        cls->AddMethod(QStringLiteral("function FieldsCount: Integer"),
                       datasetCall([](TrpDataSet &d, TscMethodHelper &) { return Variant(d.FieldsCount()); }));
        cls->AddMethod(QStringLiteral("function HasField(const fName: String): Boolean"),
                       datasetCall([](TrpDataSet &d, TscMethodHelper &h) { return Variant(d.HasField(textArg(h, 0))); }));
        cls->AddMethod(QStringLiteral("function IsBlobField(const fName: String): Boolean"),
                       datasetCall([](TrpDataSet &d, TscMethodHelper &h) { return Variant(d.IsBlobField(textArg(h, 0))); }));
        cls->AddMethod(QStringLiteral("function RecordCount: Integer"),
                       datasetCall([](TrpDataSet &d, TscMethodHelper &) { return Variant(d.RecordCount()); }));
        cls->AddMethod(QStringLiteral("procedure GetFieldList(List: TStrings)"),
                       datasetCall([](TrpDataSet &d, TscMethodHelper &h) {
                           if (platform::StringList *list = script::stringsArg(arg(h, 0)))
                               d.GetFieldList(*list);
                           return none();
                       }));
        cls->AddProperty(QStringLiteral("RecNo"), QStringLiteral("Integer"),
                         getter([](auto *obj) { return Variant(dataSetOf(obj).RecNo()); }));
        cls->AddIndexProperty(QStringLiteral("DisplayText"), QStringLiteral("String"), QStringLiteral("String"),
                              indexed([](auto *obj, TscMethodHelper &h) {
                                  return Variant(dataSetOf(obj).DisplayText(textArg(h, 0)));
                              }), true);
        cls->AddIndexProperty(QStringLiteral("DisplayWidth"), QStringLiteral("String"), QStringLiteral("Integer"),
                              indexed([](auto *obj, TscMethodHelper &h) {
                                  return Variant(dataSetOf(obj).DisplayWidth(textArg(h, 0)));
                              }), true);
        cls->AddIndexProperty(QStringLiteral("FieldType"), QStringLiteral("String"), QStringLiteral("TrpFieldType"),
                              indexed([](auto *obj, TscMethodHelper &h) {
                                  return Variant(int(dataSetOf(obj).FieldType(textArg(h, 0))));
                              }), true);
        cls->AddIndexProperty(QStringLiteral("Value"), QStringLiteral("String"), QStringLiteral("Variant"),
                              indexed([](auto *obj, TscMethodHelper &h) {
                                  return dataSetOf(obj).Value(textArg(h, 0));
                              }), true);
    }
    addNames(TargetScript, {"TrpUserDataSet", "TrpCustomDBDataSet"}, "TrpDataSet");
}

void TrpScriptClasses::registerComponents()
{
    TscClassVariable *cls = addReportClass(TargetScript, QStringLiteral("TrpComponent"), QStringLiteral("TComponent"));
    if (cls) {
        cls->AddMethod(QStringLiteral("procedure Clear"), member([](auto *obj, TscMethodHelper &) {
            componentOf(obj).Clear();
            return none();
        }));
        cls->AddMethod(QStringLiteral("function FindObject(s: String): TrpComponent"),
                       member([](auto *obj, TscMethodHelper &h) {
                           return script::handleValue(componentOf(obj).FindObject(textArg(h, 0)));
                       }));
        cls->AddMethod(QStringLiteral("procedure LoadFromStream(Stream: TStream)"),
                       member([](auto *obj, TscMethodHelper &h) {
                           componentOf(obj).LoadFromStream(script::streamArg(arg(h, 0)));
                           return none();
                       }));
        cls->AddMethod(QStringLiteral("procedure SaveToStream(Stream: TStream; SaveChildren: Boolean = True)"),
                       member([](auto *obj, TscMethodHelper &h) {
                           const Variant children = arg(h, 1);
                           componentOf(obj).SaveToStream(script::streamArg(arg(h, 0)),
                                                         children.isNull() || children.toBool(), false);
                           return none();
                       }));
        cls->AddMethod(QStringLiteral("procedure SetBounds(ALeft, ATop, AWidth, AHeight: Extended)"),
                       member([](auto *obj, TscMethodHelper &h) {
                           componentOf(obj).SetBounds(arg(h, 0).toDouble(), arg(h, 1).toDouble(),
                                                      arg(h, 2).toDouble(), arg(h, 3).toDouble());
                           return none();
                       }));
        cls->AddProperty(QStringLiteral("Objects"), QStringLiteral("TList"), getter([this](auto *obj) {
                             return listOf(obj, QStringLiteral("OBJECTS"), componentOf(obj).Objects());
                         }));
        cls->AddProperty(QStringLiteral("AllObjects"), QStringLiteral("TList"), getter([this](auto *obj) {
                             return listOf(obj, QStringLiteral("ALLOBJECTS"), componentOf(obj).AllObjects());
                         }));
        cls->AddProperty(QStringLiteral("Parent"), QStringLiteral("TrpComponent"),
                         getter([](auto *obj) { return script::handleValue(componentOf(obj).Parent()); }),
                         setter([](auto *obj, const Variant &v) {
                             componentOf(obj).SetParent(script::objectArg<TrpComponent>(v));
                         }));
        cls->AddProperty(QStringLiteral("Page"), QStringLiteral("TrpPage"),
                         getter([](auto *obj) { return script::handleValue(componentOf(obj).Page()); }));
        cls->AddProperty(QStringLiteral("AbsLeft"), QStringLiteral("Extended"),
                         getter([](auto *obj) { return Variant(componentOf(obj).AbsLeft()); }));
        cls->AddProperty(QStringLiteral("AbsTop"), QStringLiteral("Extended"),
                         getter([](auto *obj) { return Variant(componentOf(obj).AbsTop()); }));
    }
    addNames(TargetScript, {"TrpReportComponent"}, "TrpComponent");
    addNames(TargetScript, {"TrpDialogComponent"}, "TrpReportComponent");
    if (TscClassVariable *control =
            addReportClass(TargetScript, QStringLiteral("TrpDialogControl"), QStringLiteral("TrpReportComponent")))
    {
        control->AddMethod(QStringLiteral("procedure SetFocus"), member([](auto *obj, TscMethodHelper &) {
                               self<TrpDialogControl>(obj).SetFocus();
                               return none();
                           }));
    }
    addNames(TargetScript, {"TrpFrameLine", "TrpFrame"}, "TPersistent");
}

void TrpScriptClasses::registerViews()
{
    script::TscScript &s = TargetScript;
    if (TscClassVariable *view = addReportClass(s, QStringLiteral("TrpView"), QStringLiteral("TrpReportComponent")))
        view->AddProperty(QStringLiteral("TagStr"), QStringLiteral("String"),
                          getter([](auto *obj) { return Variant(self<TrpView>(obj).TagStr()); }),
                          setter([](auto *obj, const Variant &v) { self<TrpView>(obj).SetTagStr(v.toString()); }));
    addNames(s, {"TrpShapeView"}, "TrpView");
    if (TscClassVariable *st = addReportClass(s, QStringLiteral("TrpStretcheable"), QStringLiteral("TrpView")))
        st->AddMethod(QStringLiteral("function CalcHeight: Extended"), member([](auto *obj, TscMethodHelper &) {
                          return Variant(self<TrpStretcheable>(obj).CalcHeight());
                      }));
    addNames(s, {"TrpHighlight", "TrpFormat"}, "TPersistent");
    if (TscClassVariable *memo = addReportClass(s, QStringLiteral("TrpCustomMemoView"), QStringLiteral("TrpStretcheable"))) {
        memo->AddMethod(QStringLiteral("function CalcWidth: Extended"), member([](auto *obj, TscMethodHelper &) {
                            return Variant(self<TrpCustomMemoView>(obj).CalcWidth());
                        }));
        // Scripts read every line ended by CR LF, the last one too.
        memo->AddProperty(QStringLiteral("Text"), QStringLiteral("String"),
                          getter([](auto *obj) { return Variant(self<TrpCustomMemoView>(obj).Memo()->Text()); }),
                          setter([](auto *obj, const Variant &v) { self<TrpCustomMemoView>(obj).SetText(v.toString()); }));
        memo->AddProperty(QStringLiteral("Lines"), QStringLiteral("TWideStrings"),
                          getter([](auto *obj) { return script::handleValue(self<TrpCustomMemoView>(obj).Memo()); }),
                          setter([](auto *obj, const Variant &v) {
                              if (auto *lines = script::objectArg<TWideStrings>(v))
                                  self<TrpCustomMemoView>(obj).SetMemo(lines);
                          }));
        memo->AddProperty(QStringLiteral("Value"), QStringLiteral("Variant"),
                          getter([](auto *obj) { return self<TrpCustomMemoView>(obj).Value(); }));
    }
    addNames(s, {"TrpMemoView", "TrpSysMemoView", "TrpDMPMemoView"}, "TrpCustomMemoView");
    addNames(s, {"TrpCustomLineView"}, "TrpStretcheable");
    addNames(s, {"TrpLineView", "TrpDMPLineView"}, "TrpCustomLineView");
    addNames(s, {"TrpDMPCommand"}, "TrpView");
    if (TscClassVariable *picture = addReportClass(s, QStringLiteral("TrpPictureView"), QStringLiteral("TrpView")))
        picture->AddMethod(QStringLiteral("procedure LoadFromFile(filename: String)"),
                           member([](auto *obj, TscMethodHelper &h) {
                               self<TrpPictureView>(obj).Picture()->LoadFromFile(textArg(h, 0));
                               return none();
                           }));
    addNames(s, {"TrpSubreport"}, "TrpView");
    if (TscClassVariable *band = addReportClass(s, QStringLiteral("TrpBand"), QStringLiteral("TrpReportComponent")))
        band->AddProperty(QStringLiteral("Overflow"), QStringLiteral("Boolean"),
                          getter([](auto *obj) { return Variant(self<TrpBand>(obj).Overflow); }));
    addNames(s, {"TrpDataBand", "TrpHeader", "TrpFooter"}, "TrpBand");
    addNames(s, {"TrpMasterData", "TrpDetailData", "TrpSubdetailData", "TrpDataBand4", "TrpDataBand5", "TrpDataBand6"},
             "TrpDataBand");
    addNames(s, {"TrpPageHeader", "TrpPageFooter", "TrpColumnHeader", "TrpColumnFooter", "TrpGroupHeader",
                 "TrpGroupFooter", "TrpReportTitle", "TrpReportSummary", "TrpChild", "TrpOverlay"},
             "TrpBand");
}

void TrpScriptClasses::registerPages()
{
    script::TscScript &s = TargetScript;
    addNames(s, {"TrpPage"}, "TrpComponent");
    addNames(s, {"TrpReportPage"}, "TrpPage");
    if (TscClassVariable *dialog = addReportClass(s, QStringLiteral("TrpDialogPage"), QStringLiteral("TrpPage"))) {
        dialog->AddMethod(QStringLiteral("function ShowModal: Integer"), member([](auto *obj, TscMethodHelper &) {
                              return Variant(self<TrpDialogPage>(obj).ShowModal());
                          }));
        dialog->AddProperty(QStringLiteral("ModalResult"), QStringLiteral("Integer"),
                            getter([](auto *obj) { return Variant(self<TrpDialogPage>(obj).ModalResult()); }),
                            setter([](auto *obj, const Variant &v) { self<TrpDialogPage>(obj).SetModalResult(v.toInt()); }));
    }
    addNames(s, {"TrpDMPPage"}, "TrpReportPage");
    addNames(s, {"TrpDataPage"}, "TrpPage");
    addNames(s, {"TrpEngineOptions", "TrpPrintOptions", "TrpPreviewOptions", "TrpReportOptions"}, "TPersistent");
}

void TrpScriptClasses::registerVariables()
{
    script::TscScript &s = TargetScript;
    addNames(s, {"TrpVariable"}, "TCollectionItem");
    const auto construct = [this](bool keyed) {
        return member([this, keyed](auto *, TscMethodHelper &) {
            std::unique_ptr<TrpVariables> made = keyed ? std::make_unique<TrpArray>() : std::make_unique<TrpVariables>();
            return Variant(adopt(std::move(made)));
        });
    };
    if (TscClassVariable *cls = addReportClass(s, QStringLiteral("TrpVariables"), QStringLiteral("TCollection"))) {
        cls->AddConstructor(QStringLiteral("constructor Create"), construct(false));
        cls->AddDefaultProperty(QStringLiteral("Variables"), QStringLiteral("String"), QStringLiteral("Variant"),
                                indexed([](auto *obj, TscMethodHelper &h) {
                                    return self<TrpVariables>(obj).Variables(textArg(h, 0));
                                },
                                        [](auto *obj, TscMethodHelper &h) {
                                            self<TrpVariables>(obj).SetVariables(textArg(h, 0), arg(h, 1));
                                        }));
    }
    if (TscClassVariable *cls = addReportClass(s, QStringLiteral("TrpArray"), QStringLiteral("TCollection"))) {
        cls->AddConstructor(QStringLiteral("constructor Create"), construct(true));
        cls->AddDefaultProperty(QStringLiteral("Variables"), QStringLiteral("Variant"), QStringLiteral("Variant"),
                                indexed([](auto *obj, TscMethodHelper &h) { return self<TrpArray>(obj).Variables(arg(h, 0)); },
                                        [](auto *obj, TscMethodHelper &h) {
                                            self<TrpArray>(obj).SetVariables(arg(h, 0), arg(h, 1));
                                        }));
    }
    s.AddObject(QStringLiteral("rpGlobalVariables"), &GlobalVariables(), QStringLiteral("TrpVariables"));
}

void TrpScriptClasses::registerReport()
{
    TscClassVariable *cls = addReportClass(TargetScript, QStringLiteral("TrpReport"), QStringLiteral("TrpComponent"));
    if (!cls)
        return;
    const auto report = [](platform::HandleTarget *obj) -> TrpReport & { return self<TrpReport>(obj); };
    cls->AddMethod(QStringLiteral("function Calc(const Expr: String): Variant"),
                   member([report](auto *obj, TscMethodHelper &h) { return report(obj).Calc(textArg(h, 0)); }));
    cls->AddMethod(QStringLiteral("function GetDataset(const Alias: String): TrpDataset"),
                   member([report](auto *obj, TscMethodHelper &h) {
                       return script::handleValue(report(obj).GetDataset(textArg(h, 0)));
                   }));
    cls->AddMethod(QStringLiteral("function LoadFromFile(const FileName: String): Boolean"),
                   member([report](auto *obj, TscMethodHelper &h) { return Variant(report(obj).LoadFromFile(textArg(h, 0))); }));
    cls->AddMethod(QStringLiteral("procedure SaveToFile(const FileName: String)"),
                   member([report](auto *obj, TscMethodHelper &h) {
                       report(obj).SaveToFile(textArg(h, 0));
                       return none();
                   }));
    cls->AddMethod(QStringLiteral("procedure ShowReport"), member([report](auto *obj, TscMethodHelper &) {
                       report(obj).ShowReport(true);
                       return none();
                   }));
    cls->AddProperty(QStringLiteral("Terminated"), QStringLiteral("Boolean"),
                     getter([report](auto *obj) { return Variant(report(obj).Terminated()); }),
                     setter([report](auto *obj, const Variant &v) { report(obj).SetTerminated(v.toBool()); }));
    cls->AddProperty(QStringLiteral("Variables"), QStringLiteral("TrpVariables"),
                     getter([report](auto *obj) { return script::handleValue(report(obj).Variables()); }));
}

void TrpScriptClasses::registerEngine()
{
    script::TscScript &s = TargetScript;
    if (TscClassVariable *cls = addReportClass(s, QStringLiteral("TrpCustomEngine"), QStringLiteral("TPersistent"))) {
        const auto engine = [](platform::HandleTarget *obj) -> TrpCustomEngine & { return self<TrpCustomEngine>(obj); };
        const auto pages = [engine](platform::HandleTarget *obj) { return engine(obj).PreparedPages(); };
        cls->AddMethod(QStringLiteral("procedure AddAnchor(const Text: String)"),
                       member([pages](auto *obj, TscMethodHelper &h) {
                           if (TrpCustomPreviewPages *p = pages(obj))
                               p->AddAnchor(textArg(h, 0));
                           return none();
                       }));
        cls->AddMethod(QStringLiteral("procedure NewPage"), member([engine](auto *obj, TscMethodHelper &) {
                           engine(obj).NewPage();
                           return none();
                       }));
        cls->AddMethod(QStringLiteral("procedure NewColumn"), member([engine](auto *obj, TscMethodHelper &) {
                           engine(obj).NewColumn();
                           return none();
                       }));
        cls->AddMethod(QStringLiteral("procedure ShowBand(Band: TrpBand)"), member([engine](auto *obj, TscMethodHelper &h) {
                           engine(obj).ShowBand(script::objectArg<TrpBand>(arg(h, 0)));
                           return none();
                       }));
        cls->AddMethod(QStringLiteral("procedure StopReport"), member([engine](auto *obj, TscMethodHelper &) {
                           engine(obj).StopReport();
                           return none();
                       }));
        cls->AddMethod(QStringLiteral("function FreeSpace: Extended"),
                       member([engine](auto *obj, TscMethodHelper &) { return Variant(engine(obj).FreeSpace()); }));
        cls->AddMethod(QStringLiteral("function GetAnchorPage(const Text: String): Integer"),
                       member([pages](auto *obj, TscMethodHelper &h) {
                           TrpCustomPreviewPages *p = pages(obj);
                           return Variant(p ? p->GetAnchorPage(textArg(h, 0)) : 1);
                       }));
    }
    addNames(s, {"TrpEngine"}, "TrpCustomEngine");
    if (TscClassVariable *cls = addReportClass(s, QStringLiteral("TrpCustomOutline"), QStringLiteral("TPersistent"))) {
        cls->AddMethod(QStringLiteral("procedure AddItem(const Text: String)"), member([](auto *obj, TscMethodHelper &h) {
                           auto &outline = self<TrpCustomOutline>(obj);
                           TrpCustomPreviewPages *pages = outline.PreparedPages();
                           TrpCustomEngine *engine = pages && pages->Report() ? pages->Report()->Engine() : nullptr;
                           const double top = engine ? engine->CurY() : 0;
                           outline.AddItem(textArg(h, 0), int(std::nearbyint(top)));
                           return none();
                       }));
        cls->AddMethod(QStringLiteral("procedure LevelRoot"), member([](auto *obj, TscMethodHelper &) {
                           self<TrpCustomOutline>(obj).LevelRoot();
                           return none();
                       }));
        cls->AddMethod(QStringLiteral("procedure LevelUp"), member([](auto *obj, TscMethodHelper &) {
                           self<TrpCustomOutline>(obj).LevelUp();
                           return none();
                       }));
    }
    addNames(s, {"TrpOutline"}, "TrpCustomOutline");
}

} // namespace bralvo::report
