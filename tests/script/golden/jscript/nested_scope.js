// Nested functions see the enclosing function's parameters; a name first
// assigned inside a function becomes a variable of the main program.
function outer(k) {
  function inner(m) { return k * 10 + m; }
  var r = inner(1) + inner(2);
  return r;
}
Emit(outer(3));
function setHidden() { hidden = "set inside"; }
setHidden();
Emit(hidden);
