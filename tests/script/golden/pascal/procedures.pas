{ Procedures and functions: var parameters, recursion, nesting,
  defaults through host declarations, lookup through parents. }
var total: Integer;
    a, b: Integer;

procedure Swap(var x, y: Integer);
var t: Integer;
begin
  t := x; x := y; y := t;
end;

function Fact(n: Integer): Integer;
begin
  if n <= 1 then Result := 1 else Result := n * Fact(n - 1);
end;

function Fib(n: Integer): Integer;
begin
  if n < 2 then Result := n else Result := Fib(n - 1) + Fib(n - 2);
end;

procedure Outer(k: Integer);
  procedure Inner;
  begin
    total := total + k;
  end;
begin
  Inner;
  Inner;
end;

procedure Countdown(n: Integer);
begin
  if n > 0 then
  begin
    Countdown(n - 1);
    Emit(n);
  end;
end;

begin
  a := 1; b := 2;
  Swap(a, b);
  Emit(a);
  Emit(b);
  Emit(Fact(10));
  Emit(Fib(15));
  total := 0;
  Outer(5);
  Emit(total);
  Countdown(3);
end.
