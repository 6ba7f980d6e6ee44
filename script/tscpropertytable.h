// Host properties served by a class's persistent-property table: the
// published property helpers a registered class gets for every stored
// property, and how their values move between the table and scripts.
// The host object must be both a platform::HandleTarget (to reach the
// script) and a platform::Persistent (to have a table).
#pragma once

#include "script/tschelpers.h"

namespace bralvo::platform {
struct ClassInfo;
struct PropInfo;
class Persistent;
}

namespace bralvo::script {

// Type code and type name scripts see for a table property: characters 3,
// Boolean enumerations 1, other enumerations and sets 8 with their type
// name, floats 2, texts 4, objects 5 with the class name, variants 7,
// integers 0.
std::pair<int, QString> propertyTypeOf(const platform::PropInfo &prop);

// A published helper (FromPropertyTable) for prop of hostClass; read-only
// when the table gives no setter.
std::unique_ptr<TscPropertyHelper> makeTableProperty(const platform::PropInfo &prop, const QString &hostClass);

// The property's value: ordinals as integers, objects as their handles (0
// for none), floats, texts and variants as they are; Null when the object
// is not persistent or its class has no such property.
Variant readTableProperty(platform::HandleTarget *obj, const QString &name);
// Writes by kind (a Boolean helper writes 1 for True, else 0); a missing
// property or setter is ignored. Throws the Variant's conversion errors and
// InvalidHandleError for an object value that is no live handle.
void writeTableProperty(platform::HandleTarget *obj, const QString &name, bool booleanHelper, const Variant &value);

} // namespace bralvo::script
