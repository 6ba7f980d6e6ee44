// The dialogs module: option sets and enumerations of the common dialogs,
// the dialog classes, and MessageDlg, InputBox and InputQuery. Every
// question goes through the message-box seam (platform/messageboxseam.h),
// so tests answer it. Open and save dialogs ask the seam for a file name;
// the colour, font, print and printer set-up dialogs go through the
// common-dialog seam (platform/commondialogseam.h) and give the choice in
// Color and Font.
#pragma once

#include "script/bindings/tscbindingsupport.h"

namespace bralvo::script {

class TscDialogsModule : public TscBindingModule {
public:
    explicit TscDialogsModule(TscScript &script);

private:
    void registerTypes();
    void registerClasses();
    void registerFunctions();
};

// A script's MessageDlg: the seam's answer as a modal result (mrOk 1,
// mrCancel 2, mrYes 6, mrNo 7). dlgType and buttons are the script's
// TMsgDlgType ordinal and TMsgDlgButtons bits.
int scriptMessageDlg(const QString &text, int dlgType, int buttons);

} // namespace bralvo::script
