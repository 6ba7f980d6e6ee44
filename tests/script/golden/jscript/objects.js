// Host objects: new calls the class's constructor, delete frees the
// object, and its handle is dead afterwards; default and indexed property.
o = new TScrunObject(2);
o.Add(3);
Emit(o.Value);
Emit(o[2]);
o.Items[1] = 4;
Emit(o.Value);
Emit(o is TScrunObject);
delete o;
Emit(o);
try { Emit(o.Value); } except { Emit(ExceptionClassName + ": " + ExceptionMessage); }
