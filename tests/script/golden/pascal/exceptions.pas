{ exit through try..finally, nested handlers, re-raising from a handler,
  an empty handler consuming the error. }
procedure Leave;
begin
  try
    Emit('in try');
    exit;
    Emit('not reached');
  finally
    Emit('finally runs');
  end;
  Emit('not reached either');
end;

procedure Inner;
begin
  try
    RaiseException('inner');
  finally
    Emit('inner finally');
  end;
end;

begin
  Leave;
  try
    Inner;
  except
    Emit('caught ' + ExceptionMessage);
  end;
  try
    try
      RaiseException('first');
    except
      RaiseException('second from ' + ExceptionMessage);
    end;
  except
    Emit(ExceptionMessage);
  end;
  try
    RaiseException('quiet');
  except
  end;
  Emit(ExceptionMessage);
  RaiseException('uncaught');
  Emit('never');
end.
