// The dialogs module.
#include "script/bindings/tscdialogsmodule.h"

#include "platform/commondialogseam.h"
#include "platform/messageboxseam.h"
#include "script/bindings/tscgraphicsmodule.h"
#include "script/tscclassvariable.h"
#include "script/tscscript.h"

namespace bralvo::script {

namespace {

// TMsgDlgButtons bits.
constexpr int kMbYesBit = 1, kMbNoBit = 2, kMbOKBit = 4, kMbCancelBit = 8;

// A common dialog a script made: the file dialogs' texts, the colour
// dialog's Color, the font dialog's Font.
class TscFileDialog : public TscComponentObject {
public:
    using TscComponentObject::TscComponentObject;
    QString FileName, Filter, InitialDir, Title, DefaultExt;
    int Options = 0;
    int Color = 0;
    TscFontObject Font;
};

TscFileDialog &dialogOf(platform::HandleTarget *obj)
{
    return self<TscFileDialog>(obj);
}

// "Text files (*.txt)|*.txt|All (*.*)|*.*" as Qt's "Text files (*.txt);;All (*.*)".
QString qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        out.append(parts[i].contains(u'(') ? parts[i] : parts[i] + QStringLiteral(" (") + parts[i + 1] + u')');
    return out.join(QStringLiteral(";;"));
}

bool is(const QString &name, const char *className)
{
    return name.compare(QLatin1String(className), Qt::CaseInsensitive) == 0;
}

// The colour, font and printer dialogs through their seam.
bool executeCommonDialog(TscFileDialog &dialog)
{
    platform::CommonDialogSeam &seam = platform::commonDialogSeam();
    const QString name = dialog.scriptClassName();
    if (is(name, "TColorDialog")) {
        const std::optional<int> color = seam.chooseColor(dialog.Color);
        if (color)
            dialog.Color = *color;
        return color.has_value();
    }
    if (is(name, "TFontDialog")) {
        TscFontObject &f = dialog.Font;
        const std::optional<platform::FontChoice> font = seam.chooseFont({f.Name, f.Size, f.Style, f.Color});
        if (font) {
            f.Name = font->name;
            f.Size = font->size;
            f.Style = font->style;
            f.Color = font->color;
        }
        return font.has_value();
    }
    return seam.choosePrinter(is(name, "TPrinterSetupDialog"));
}

bool executeDialog(TscFileDialog &dialog)
{
    const QString name = dialog.scriptClassName();
    if (is(name, "TColorDialog") || is(name, "TFontDialog") || is(name, "TPrintDialog")
        || is(name, "TPrinterSetupDialog"))
        return executeCommonDialog(dialog);
    const bool open = name.compare(QLatin1String("TOpenDialog"), Qt::CaseInsensitive) == 0;
    const bool save = name.compare(QLatin1String("TSaveDialog"), Qt::CaseInsensitive) == 0;
    if (!open && !save)
        return false;
    platform::FileDialogRequest request{dialog.Title, dialog.InitialDir, dialog.FileName, qtFilter(dialog.Filter),
                                        dialog.DefaultExt};
    platform::MessageBoxSeam &seam = platform::messageBoxSeam();
    const std::optional<QString> chosen = open ? seam.openFileName(request) : seam.saveFileName(request);
    if (!chosen)
        return false;
    dialog.FileName = *chosen;
    return true;
}

void addTextProperty(TscClassVariable &cls, const char *name, QString TscFileDialog::*field)
{
    cls.AddProperty(QString::fromLatin1(name), QStringLiteral("String"),
                    getter([field](auto *obj) { return Variant(dialogOf(obj).*field); }),
                    setter([field](auto *obj, const Variant &v) { dialogOf(obj).*field = v.toString(); }));
}

} // namespace

int scriptMessageDlg(const QString &text, int dlgType, int buttons)
{
    static const int icons[] = {platform::kMbIconWarning, platform::kMbIconError, platform::kMbIconInformation,
                                platform::kMbIconQuestion, 0};
    static const char *captions[] = {"Warning", "Error", "Information", "Confirm", ""};
    const int type = dlgType >= 0 && dlgType <= 4 ? dlgType : 4;
    int flags = icons[type];
    if (buttons & (kMbYesBit | kMbNoBit))
        flags += platform::kMbYesNo;
    else if ((buttons & kMbOKBit) && (buttons & kMbCancelBit))
        flags += platform::kMbOkCancel;
    return platform::messageBoxSeam().messageBox(text, QString::fromLatin1(captions[type]), flags);
}

TscDialogsModule::TscDialogsModule(TscScript &script) : TscBindingModule(script)
{
    registerTypes();
    registerClasses();
    registerFunctions();
}

void TscDialogsModule::registerTypes()
{
    TscScript &s = TargetScript;
    s.AddEnumSet(QStringLiteral("TOpenOptions"),
                 QStringLiteral("ofReadOnly, ofOverwritePrompt, ofHideReadOnly,ofNoChangeDir, ofShowHelp, "
                                "ofNoValidate, ofAllowMultiSelect,ofExtensionDifferent, ofPathMustExist, "
                                "ofFileMustExist, ofCreatePrompt,ofShareAware, ofNoReadOnlyReturn, "
                                "ofNoTestFileCreate, ofNoNetworkButton,ofNoLongNames, ofOldStyleDialog, "
                                "ofNoDereferenceLinks, ofEnableIncludeNotify,ofEnableSizing"));
    s.AddEnumSet(QStringLiteral("TColorDialogOptions"),
                 QStringLiteral("cdFullOpen, cdPreventFullOpen, cdShowHelp,cdSolidColor, cdAnyColor"));
    s.AddEnumSet(QStringLiteral("TFontDialogOptions"),
                 QStringLiteral("fdAnsiOnly, fdTrueTypeOnly, fdEffects,fdFixedPitchOnly, fdForceFontExist, "
                                "fdNoFaceSel, fdNoOEMFonts,fdNoSimulations, fdNoSizeSel, fdNoStyleSel, "
                                "fdNoVectorFonts,fdShowHelp, fdWysiwyg, fdLimitSize, fdScalableOnly, fdApplyButton"));
    s.AddEnumSet(QStringLiteral("TPrintDialogOptions"),
                 QStringLiteral("poPrintToFile, poPageNums, poSelection, poWarning,poHelp, poDisablePrintToFile"));
    s.AddEnumSet(QStringLiteral("TMsgDlgButtons"),
                 QStringLiteral("mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore,mbAll, mbNoToAll, "
                                "mbYesToAll, mbHelp"));
    s.AddEnum(QStringLiteral("TFileEditStyle"), QStringLiteral("fsEdit, fsComboBox"));
    s.AddEnum(QStringLiteral("TFontDialogDevice"), QStringLiteral("fdScreen, fdPrinter, fdBoth"));
    s.AddEnum(QStringLiteral("TPrintRange"), QStringLiteral("prAllPages, prSelection, prPageNums"));
    s.AddEnum(QStringLiteral("TMsgDlgType"),
              QStringLiteral("mtWarning, mtError, mtInformation, mtConfirmation, mtCustom"));
}

void TscDialogsModule::registerClasses()
{
    TscScript &s = TargetScript;
    if (TscClassVariable *cls = s.AddClass(QStringLiteral("TCommonDialog"), QStringLiteral("TComponent"))) {
        cls->AddMethod(QStringLiteral("function Execute: Boolean"), member([](auto *obj, TscMethodHelper &) {
                           return Variant(executeDialog(dialogOf(obj)));
                       }));
        addTextProperty(*cls, "FileName", &TscFileDialog::FileName);
        addTextProperty(*cls, "Filter", &TscFileDialog::Filter);
        addTextProperty(*cls, "InitialDir", &TscFileDialog::InitialDir);
        addTextProperty(*cls, "Title", &TscFileDialog::Title);
        addTextProperty(*cls, "DefaultExt", &TscFileDialog::DefaultExt);
    }
    for (const char *name : {"TOpenDialog", "TSaveDialog", "TColorDialog", "TFontDialog", "TPrintDialog",
                             "TPrinterSetupDialog"}) {
        TscClassVariable *cls = s.AddClass(QString::fromLatin1(name), QStringLiteral("TCommonDialog"));
        registerComponentFactory(QString::fromLatin1(name), [](const QString &className, platform::HandleTarget *owner) {
            auto dialog = std::make_unique<TscFileDialog>(className);
            dialog->Owner = platform::HandleRegistry::handleOf(owner);
            return dialog;
        });
        if (cls && is(QLatin1String(name), "TColorDialog"))
            cls->AddProperty(QStringLiteral("Color"), QStringLiteral("TColor"),
                             getter([](auto *obj) { return Variant(dialogOf(obj).Color); }),
                             setter([](auto *obj, const Variant &v) { dialogOf(obj).Color = v.toInt(); }));
        if (cls && is(QLatin1String(name), "TFontDialog"))
            cls->AddProperty(QStringLiteral("Font"), QStringLiteral("TFont"),
                             getter([](auto *obj) { return handleValue(&dialogOf(obj).Font); }));
    }
}

void TscDialogsModule::registerFunctions()
{
    TscScript &s = TargetScript;
    const QString category = QStringLiteral("ctOther");
    s.AddMethod(QStringLiteral("function MessageDlg(Msg: string; DlgType: TMsgDlgType; Buttons: TMsgDlgButtons; "
                               "HelpCtx: Longint): Integer"),
                member([](auto *, TscMethodHelper &h) {
                    return Variant(scriptMessageDlg(textArg(h, 0), intArg(h, 1), setArg(h, 2)));
                }),
                category);
    s.AddMethod(QStringLiteral("function InputBox(ACaption, APrompt, ADefault: string): string"),
                member([](auto *, TscMethodHelper &h) {
                    const std::optional<QString> answer =
                        platform::messageBoxSeam().askText(textArg(h, 0), textArg(h, 1), textArg(h, 2));
                    return Variant(answer ? *answer : textArg(h, 2));
                }),
                category);
    s.AddMethod(QStringLiteral("function InputQuery(ACaption, APrompt: string; var Value: string): Boolean"),
                member([](auto *, TscMethodHelper &h) {
                    const std::optional<QString> answer =
                        platform::messageBoxSeam().askText(textArg(h, 0), textArg(h, 1), textArg(h, 2));
                    if (answer)
                        h.SetParamValue(2, Variant(*answer));
                    return Variant(answer.has_value());
                }),
                category);
}

} // namespace bralvo::script
