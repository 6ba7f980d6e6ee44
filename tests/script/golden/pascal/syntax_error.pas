begin
  a := ;
end.
