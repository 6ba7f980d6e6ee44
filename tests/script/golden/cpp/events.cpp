// Host events: functions bound to Button1's events by name and fired by
// the host; values written back, a handler that fires its own event,
// unbinding with nil, a name that is no function, a handler's error reaching
// the code that fired, and the host's own click after the main block.
TScrunButton b;
void Clicked(Variant Sender) { Emit("clicked " + IntToStr(Button1.Clicks)); Button1.Click; }
void KeyPressed(Variant Sender, String &Key) { Emit("key " + Key); if (Key == "a") Key = "b"; }
void KeyDown(Variant Sender, int &Key, int Shift) { Key = Key + Shift; }
void CloseQuery(Variant Sender, bool &CanClose) { CanClose = false; }
void MouseDown(Variant Sender, int Button, int Shift, int X, int Y)
{
  Emit(Sender);
  Emit(IntToStr(Button) + " " + IntToStr(Shift) + " " + IntToStr(X) + "," + IntToStr(Y));
}
void Fails(Variant Sender) { RaiseException("handler failed"); }
void AfterRun(Variant Sender) { Emit("clicked by the host"); }
{
  Button1.OnClick = "Clicked";
  Button1.Click;
  Emit(Button1.Clicks);
  Emit(Button1.OnClick);
  Button1.OnKeyPress = "KeyPressed";
  Emit(Button1.PressKey("a"));
  Emit(Button1.PressKey("x"));
  Button1.OnKeyDown = "KeyDown";
  Emit(Button1.KeyDown(40, 2));
  Emit(Button1.CloseQuery);
  Button1.OnCloseQuery = "CloseQuery";
  Emit(Button1.CloseQuery);
  Button1.OnMouseDown = "MouseDown";
  Button1.MouseDown(1, 4, 12, 34);
  Button1.OnClick = nil;
  Button1.Click;
  Emit(Button1.Clicks);
  try { Button1.OnClick = "Missing"; } except { Emit(ExceptionMessage); }
  b = new TScrunButton;
  b.OnClick = "Fails";
  try { b.Click; } except { Emit(ExceptionMessage); }
  Button1.OnClick = "AfterRun";
  Emit("end of script");
}
