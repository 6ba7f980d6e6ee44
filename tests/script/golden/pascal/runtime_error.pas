var v: Variant;
begin
  Emit('start');
  v := 'abc';
  v := v * 2;
  Emit('not reached');
end.
