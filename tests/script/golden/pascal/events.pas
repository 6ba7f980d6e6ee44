{ Host events: procedures bound to Button1's events by name and fired by
  the host; values written back, a handler that fires its own event,
  unbinding, a name that is no procedure, a handler's error reaching the
  code that fired, and the host's own click after the main block. }
var b: TScrunButton;

procedure Clicked(Sender: Variant);
begin
  Emit('clicked ' + IntToStr(Button1.Clicks));
  Button1.Click;
end;

procedure KeyPressed(Sender: Variant; var Key: Char);
begin
  Emit('key ' + Key);
  if Key = 'a' then Key := 'b';
end;

procedure KeyDown(Sender: Variant; var Key: Integer; Shift: Integer);
begin
  Key := Key + Shift;
end;

procedure CloseQuery(Sender: Variant; var CanClose: Boolean);
begin
  CanClose := False;
end;

procedure MouseDown(Sender: Variant; Button, Shift, X, Y: Integer);
begin
  Emit(Sender);
  Emit(IntToStr(Button) + ' ' + IntToStr(Shift) + ' ' + IntToStr(X) + ',' + IntToStr(Y));
end;

procedure Fails(Sender: Variant);
begin
  RaiseException('handler failed');
end;

procedure AfterRun(Sender: Variant);
begin
  Emit('clicked by the host');
end;

begin
  Button1.OnClick := 'Clicked';
  Button1.Click;
  Emit(Button1.Clicks);
  Emit(Button1.OnClick);
  Button1.OnKeyPress := 'KeyPressed';
  Emit(Button1.PressKey('a'));
  Emit(Button1.PressKey('x'));
  Button1.OnKeyDown := 'KeyDown';
  Emit(Button1.KeyDown(40, 2));
  Emit(Button1.CloseQuery);
  Button1.OnCloseQuery := 'CloseQuery';
  Emit(Button1.CloseQuery);
  Button1.OnMouseDown := 'MouseDown';
  Button1.MouseDown(1, 4, 12, 34);
  Button1.OnClick := nil;
  Button1.Click;
  Emit(Button1.Clicks);
  try
    Button1.OnClick := 'Missing';
  except
    Emit(ExceptionMessage);
  end;
  b := TScrunButton.Create;
  b.OnClick := 'Fails';
  try
    b.Click;
  except
    Emit(ExceptionMessage);
  end;
  Button1.OnClick := 'AfterRun';
  Emit('end of script');
end.
