// The host that scrun gives a script: Emit(V) prints each value in a
// fixed, typed form, and a small host class exercises object handles.
#pragma once

#include <QString>
#include <QTextStream>

namespace bralvo::platform {
class Variant;
}

namespace bralvo::script {
class TscScript;
}

namespace bralvo::scrun {

// "int:7", "int64:3000000000", "float:3.5", "str:a\nb" (backslash, CR and
// LF escaped), "bool:true", "null", "empty", "array[int:1, str:x]",
// "obj:<class>" for a live object handle (a plain one or an automation
// object) never shown as a number, "deadobj" once it is gone, "nilobj" for
// an automation value holding none.
QString typedForm(const bralvo::platform::Variant &value);

// Registers Emit(V: Variant), the event host TScrunButton with its object
// Button1 (scrunevents.h), the automation class "Scrun.Server"
// (scrunautomation.h) and the class TScrunObject:
//   constructor Create(Start: Integer); property Value: Integer;
//   procedure Add(N: Integer); default property Items[Index: Integer]: Integer
//   (index i reads Value * i); function NewObject(Start: Integer): TScrunObject;
//   procedure FreeObject(var O: Variant) destroys the object.
void registerHost(bralvo::script::TscScript &script, QTextStream &out);

} // namespace bralvo::scrun
