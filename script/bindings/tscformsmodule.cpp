// The forms module.
#include "script/bindings/tscformsmodule.h"

#include "script/bindings/tscformcontrols.h"
#include "script/bindings/tscformproperties.h"
#include "script/tscclassvariable.h"
#include "script/tscscript.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>

namespace bralvo::script {

namespace {

TscControlObject &controlOf(platform::HandleTarget *obj)
{
    return self<TscControlObject>(obj);
}

QWidget &widgetOf(platform::HandleTarget *obj)
{
    QWidget *w = controlOf(obj).Widget();
    if (!w)
        throw platform::InvalidHandleError();
    return *w;
}

void addConsts(TscScript &s, std::initializer_list<std::pair<const char *, int>> consts)
{
    for (const auto &[name, value] : consts)
        s.AddConst(QString::fromLatin1(name), QStringLiteral("Integer"), Variant(value));
}

template <class Event>
void addEvents(TscClassVariable &cls, std::initializer_list<const char *> names)
{
    for (const char *name : names)
        cls.AddEvent(QString::fromLatin1(name), &createScriptEvent<Event>);
}

} // namespace

TscFormsModule::TscFormsModule(TscScript &script) : TscBindingModule(script)
{
    registerConstants();
    registerTypes();
    registerControl();
    registerControlClasses();
    registerForm();
    registerApplication();
}

void TscFormsModule::registerConstants()
{
    TscScript &s = TargetScript;
    addConsts(s, {{"mrNone", 0}, {"mrOk", 1}, {"mrCancel", 2}, {"mrAbort", 3}, {"mrRetry", 4}, {"mrIgnore", 5},
                  {"mrYes", 6}, {"mrNo", 7}, {"mrAll", 8}, {"mrNoToAll", 9}, {"mrYesToAll", 10}});
    addConsts(s, {{"crDefault", 0},    {"crNone", -1},     {"crArrow", -2},      {"crCross", -3},
                  {"crIBeam", -4},     {"crSize", -22},    {"crSizeNESW", -6},   {"crSizeNS", -7},
                  {"crSizeNWSE", -8},  {"crSizeWE", -9},   {"crUpArrow", -10},   {"crHourGlass", -11},
                  {"crDrag", -12},     {"crNoDrop", -13},  {"crHSplit", -14},    {"crVSplit", -15},
                  {"crMultiDrag", -16}, {"crSQLWait", -17}, {"crNo", -18},       {"crAppStart", -19},
                  {"crHelp", -20},     {"crHandPoint", -21}, {"crSizeAll", -22}});
    addConsts(s, {{"bsNone", 0}, {"bsSingle", 1}, {"bsSizeable", 2}, {"bsDialog", 3}, {"bsToolWindow", 4},
                  {"bsSizeToolWin", 5}});
    addConsts(s, {{"VK_RBUTTON", 2},  {"VK_CANCEL", 3},  {"VK_MBUTTON", 4},  {"VK_BACK", 8},     {"VK_TAB", 9},
                  {"VK_RETURN", 13},  {"VK_SHIFT", 16},  {"VK_CONTROL", 17}, {"VK_MENU", 18},    {"VK_PAUSE", 19},
                  {"VK_CAPITAL", 20}, {"VK_ESCAPE", 27}, {"VK_SPACE", 32},   {"VK_PRIOR", 33},   {"VK_NEXT", 34},
                  {"VK_END", 35},     {"VK_HOME", 36},   {"VK_LEFT", 37},    {"VK_UP", 38},      {"VK_RIGHT", 39},
                  {"VK_DOWN", 40},    {"VK_INSERT", 45}, {"VK_DELETE", 46},  {"VK_HELP", 47},    {"VK_LWIN", 91},
                  {"VK_RWIN", 92},    {"VK_APPS", 93}});
    for (int i = 0; i <= 9; ++i)
        s.AddConst(QStringLiteral("VK_NUMPAD%1").arg(i), QStringLiteral("Integer"), Variant(96 + i));
    addConsts(s, {{"VK_MULTIPLY", 106}, {"VK_ADD", 107}, {"VK_SEPARATOR", 108}, {"VK_SUBTRACT", 109},
                  {"VK_DECIMAL", 110}, {"VK_DIVIDE", 111}});
    for (int i = 1; i <= 12; ++i)
        s.AddConst(QStringLiteral("VK_F%1").arg(i), QStringLiteral("Integer"), Variant(111 + i));
    addConsts(s, {{"VK_NUMLOCK", 144}, {"VK_SCROLL", 145}});
}

void TscFormsModule::registerTypes()
{
    TscScript &s = TargetScript;
    for (const char *type : {"TFormBorderStyle", "TBorderStyle", "TAlignment", "TLeftRight"})
        s.AddType(QString::fromLatin1(type), tcInteger);
    addConsts(s, {{"taLeftJustify", 0}, {"taRightJustify", 1}, {"taCenter", 2}});
    s.AddEnumSet(QStringLiteral("TShiftState"), QStringLiteral("ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble"));
    s.AddEnumSet(QStringLiteral("TAnchors"), QStringLiteral("akLeft, akTop, akRight, akBottom"));
    s.AddEnumSet(QStringLiteral("TBorderIcons"), QStringLiteral("biSystemMenu, biMinimize, biMaximize, biHelp"));
    const std::pair<const char *, const char *> enums[] = {
        {"TAlign", "alNone, alTop, alBottom, alLeft, alRight, alClient"},
        {"TMouseButton", "mbLeft, mbRight, mbMiddle"},
        {"TBevelCut", "bvNone, bvLowered, bvRaised, bvSpace"},
        {"TTextLayout", "tlTop, tlCenter, tlBottom"},
        {"TEditCharCase", "ecNormal, ecUpperCase, ecLowerCase"},
        {"TScrollStyle", "ssNone, ssHorizontal, ssVertical, ssBoth"},
        {"TComboBoxStyle", "csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable"},
        {"TCheckBoxState", "cbUnchecked, cbChecked, cbGrayed"},
        {"TListBoxStyle", "lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable"},
        {"TWindowState", "wsNormal, wsMinimized, wsMaximized"},
        {"TFormStyle", "fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop"},
        {"TPosition", "poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter"},
        {"TCloseAction", "caNone, caHide, caFree, caMinimize"}};
    for (const auto &[type, names] : enums)
        s.AddEnum(QString::fromLatin1(type), QString::fromLatin1(names));
}

void TscFormsModule::registerControl()
{
    TscClassVariable *cls = TargetScript.AddClass(QStringLiteral("TControl"), QStringLiteral("TComponent"));
    if (!cls)
        return;
    cls->AddProperty(QStringLiteral("Parent"), QStringLiteral("TWinControl"),
                     getter([](auto *obj) { return Variant(controlOf(obj).ParentHandle()); }),
                     setter([](auto *obj, const Variant &v) {
                         controlOf(obj).SetParentHandle(v.isNull() || v.isEmpty() ? 0 : v.toInt64());
                     }));
    cls->AddMethod(QStringLiteral("procedure Hide"), member([](auto *obj, TscMethodHelper &) {
        widgetOf(obj).hide();
        return Variant::null();
    }));
    cls->AddMethod(QStringLiteral("procedure Show"), member([](auto *obj, TscMethodHelper &) {
        controlOf(obj).Show();
        return Variant::null();
    }));
    cls->AddMethod(QStringLiteral("procedure SetBounds(ALeft, ATop, AWidth, AHeight: Integer)"),
                   member([](auto *obj, TscMethodHelper &h) {
                       controlOf(obj).SetBounds(QRect(intArg(h, 0), intArg(h, 1), std::max(0, intArg(h, 2)),
                                                      std::max(0, intArg(h, 3))));
                       return Variant::null();
                   }));
    registerControlProperties(*cls);
    addEvents<TscCanResizeEvent>(*cls, {"OnCanResize"});
    addEvents<TscNotifyEvent>(*cls, {"OnClick", "OnDblClick"});
    addEvents<TscMouseEvent>(*cls, {"OnMouseDown"});
    addEvents<TscMouseMoveEvent>(*cls, {"OnMouseMove"});
    addEvents<TscMouseEvent>(*cls, {"OnMouseUp"});
    addEvents<TscNotifyEvent>(*cls, {"OnResize"});
    if (TscClassVariable *win = TargetScript.AddClass(QStringLiteral("TWinControl"), QStringLiteral("TControl"))) {
        win->AddMethod(QStringLiteral("procedure SetFocus"), member([](auto *obj, TscMethodHelper &) {
            widgetOf(obj).setFocus();
            return Variant::null();
        }));
        registerWinControlProperties(*win);
        addEvents<TscNotifyEvent>(*win, {"OnEnter", "OnExit"});
        addEvents<TscKeyEvent>(*win, {"OnKeyDown"});
        addEvents<TscKeyPressEvent>(*win, {"OnKeyPress"});
        addEvents<TscKeyEvent>(*win, {"OnKeyUp"});
    }
}

void TscFormsModule::registerControlClasses()
{
    TscScript &s = TargetScript;
    const auto factory = [](const QString &name, platform::HandleTarget *owner) {
        return std::make_unique<TscControlObject>(name, owner);
    };
    const std::pair<const char *, const char *> classes[] = {
        {"TCustomControl", "TWinControl"}, {"TGroupBox", "TWinControl"},   {"TEdit", "TWinControl"},
        {"TMemo", "TWinControl"},          {"TButton", "TWinControl"},     {"TCheckBox", "TWinControl"},
        {"TRadioButton", "TWinControl"},   {"TGraphicControl", "TControl"}, {"TLabel", "TControl"},
        {"TCustomComboBox", "TWinControl"}, {"TComboBox", "TCustomComboBox"}, {"TCustomListBox", "TWinControl"},
        {"TListBox", "TCustomListBox"},    {"TControlScrollBar", "TPersistent"},
        {"TScrollingWinControl", "TWinControl"}, {"TScrollBox", "TScrollingWinControl"}};
    for (const auto &[name, ancestor] : classes) {
        TscClassVariable *cls = s.AddClass(QString::fromLatin1(name), QString::fromLatin1(ancestor));
        if (QLatin1String(ancestor) != QLatin1String("TPersistent"))
            registerComponentFactory(QString::fromLatin1(name), factory);
        if (!cls)
            continue;
        registerClassProperties(name, *cls);
        const QString n = QString::fromLatin1(name);
        if (n == QLatin1String("TButton"))
            // Presses the button: OnClick runs as for a user's click.
            cls->AddMethod(QStringLiteral("procedure Click"), member([](auto *obj, TscMethodHelper &) {
                controlOf(obj).Click();
                return Variant::null();
            }));
        if (n == QLatin1String("TCustomComboBox") || n == QLatin1String("TCustomListBox")) {
            cls->AddProperty(QStringLiteral("ItemIndex"), QStringLiteral("Integer"),
                             getter([](auto *obj) { return Variant(controlOf(obj).ItemIndex()); }),
                             setter([](auto *obj, const Variant &v) { controlOf(obj).SetItemIndex(v.toInt()); }));
        }
        if (n == QLatin1String("TCustomComboBox")) {
            // Whether the list shows; setting it drops the list down or closes it.
            cls->AddProperty(QStringLiteral("DroppedDown"), QStringLiteral("Boolean"),
                             getter([](auto *obj) {
                                 auto *combo = qobject_cast<QComboBox *>(&widgetOf(obj));
                                 return Variant(combo && combo->view()->isVisible());
                             }),
                             setter([](auto *obj, const Variant &v) {
                                 if (auto *combo = qobject_cast<QComboBox *>(&widgetOf(obj)))
                                     v.toBool() ? combo->showPopup() : combo->hidePopup();
                             }));
            addEvents<TscNotifyEvent>(*cls, {"OnChange", "OnDropDown", "OnCloseUp"});
        }
        if (n == QLatin1String("TCustomListBox")) {
            cls->AddProperty(QStringLiteral("SelCount"), QStringLiteral("Integer"),
                             getter([](auto *obj) { return Variant(controlOf(obj).ItemIndex() >= 0 ? 1 : 0); }));
            cls->AddIndexProperty(QStringLiteral("Selected"), QStringLiteral("Integer"), QStringLiteral("Boolean"),
                                  indexed([](auto *obj, TscMethodHelper &h) {
                                      return Variant(controlOf(obj).ItemIndex() == intArg(h, 0));
                                  },
                                          [](auto *obj, TscMethodHelper &h) {
                                              if (arg(h, 1).toBool())
                                                  controlOf(obj).SetItemIndex(intArg(h, 0));
                                          }));
        }
    }
}

void TscFormsModule::registerForm()
{
    TscScript &s = TargetScript;
    const auto factory = [](const QString &name, platform::HandleTarget *owner) {
        return std::make_unique<TscControlObject>(name, owner);
    };
    TscClassVariable *cls = s.AddClass(QStringLiteral("TCustomForm"), QStringLiteral("TScrollingWinControl"));
    if (cls) {
        cls->AddMethod(QStringLiteral("procedure Close"), member([](auto *obj, TscMethodHelper &) {
            controlOf(obj).Close();
            return Variant::null();
        }));
        // Hide and Show come from TControl.
        cls->AddMethod(QStringLiteral("function ShowModal: Integer"),
                       member([](auto *obj, TscMethodHelper &) { return Variant(controlOf(obj).ShowModal()); }));
        addEvents<TscNotifyEvent>(*cls, {"OnActivate"});
        addEvents<TscCloseEvent>(*cls, {"OnClose"});
        addEvents<TscCloseQueryEvent>(*cls, {"OnCloseQuery"});
        addEvents<TscNotifyEvent>(*cls, {"OnCreate", "OnDestroy", "OnDeactivate", "OnHide", "OnPaint", "OnShow"});
        cls->AddProperty(QStringLiteral("Canvas"), QStringLiteral("TCanvas"),
                         getter([](auto *obj) { return handleValue(&controlOf(obj).Canvas()); }));
        cls->AddProperty(QStringLiteral("ModalResult"), QStringLiteral("Integer"),
                         getter([](auto *obj) { return Variant(controlOf(obj).ModalResult()); }),
                         setter([](auto *obj, const Variant &v) { controlOf(obj).SetModalResult(v.toInt()); }));
    }
    if (TscClassVariable *form = s.AddClass(QStringLiteral("TForm"), QStringLiteral("TCustomForm")))
        registerFormProperties(*form);
    s.AddClass(QStringLiteral("TDataModule"), QStringLiteral("TComponent"));
    registerComponentFactory(QStringLiteral("TForm"), factory);
    registerComponentFactory(QStringLiteral("TCustomForm"), factory);
}

void TscFormsModule::registerApplication()
{
    TscScript &s = TargetScript;
    if (TscClassVariable *cls = s.AddClass(QStringLiteral("TApplication"), QStringLiteral("TComponent"))) {
        // The program's windows go to and come back from the task bar.
        cls->AddMethod(QStringLiteral("procedure Minimize"), member([](auto *, TscMethodHelper &) {
                           for (QWidget *w : QApplication::topLevelWidgets())
                               if (w->isVisible() && w->isWindow())
                                   w->showMinimized();
                           return Variant::null();
                       }));
        cls->AddMethod(QStringLiteral("procedure ProcessMessages"), member([](auto *, TscMethodHelper &) {
                           QApplication::processEvents();
                           return Variant::null();
                       }));
        cls->AddMethod(QStringLiteral("procedure Restore"), member([](auto *, TscMethodHelper &) {
                           for (QWidget *w : QApplication::topLevelWidgets())
                               if (w->isMinimized())
                                   w->showNormal();
                           return Variant::null();
                       }));
        cls->AddProperty(QStringLiteral("ExeName"), QStringLiteral("String"), getter([](auto *) {
                             return Variant(QApplication::instance() ? QApplication::applicationFilePath()
                                                                         : QString());
                         }));
    }
    m_application = std::make_unique<TscHostObject>(QStringLiteral("TApplication"));
    s.AddObject(QStringLiteral("Application"), m_application.get(), QStringLiteral("TApplication"));
}

} // namespace bralvo::script
