// The event host scrun gives a script: TScrunButton, a control whose
// events a script binds to its own procedures and whose methods fire them
// the way a control would. Handler errors reach the method that fired.
//
//   events   OnClick (Sender)
//            OnKeyPress (Sender; var Key: Char)
//            OnKeyDown (Sender; var Key: Integer; Shift: Integer)
//            OnCloseQuery (Sender; var CanClose: Boolean)
//            OnMouseDown (Sender; Button, Shift, X, Y: Integer)
//   constructor Create
//   procedure Click                          fires OnClick
//   function PressKey(Key: String): String    fires OnKeyPress; the key handed back
//   function KeyDown(Key, Shift: Integer): Integer   fires OnKeyDown; the key handed back
//   function CloseQuery: Boolean             fires OnCloseQuery with CanClose True
//   procedure MouseDown(Button, Shift, X, Y: Integer)   fires OnMouseDown
//   property Clicks: Integer                 how often Click was called
//
// The object Button1 exists before the script starts.
#pragma once

namespace bralvo::script {
class TscScript;
}

namespace bralvo::scrun {

void registerEventHost(bralvo::script::TscScript &script);

// The host's own click on Button1 after the main block: fires its OnClick
// when a handler is bound (handler errors pass on), else nothing.
void clickButton1AfterRun();

} // namespace bralvo::scrun
