// The automation class scrun registers, so scripts reach late-bound calls
// through CreateOleObject('Scrun.Server'). Members (names ignore case):
//   Visible     read/write Boolean, False at first
//   Name        read-only text "Scrun.Server"
//   Sub(A, B)   A - B, so the order the arguments arrive in shows
//   Join(...)   the arguments' texts joined with "," in the order written
//   Calls       how many calls and property accesses the object has seen
//   Quit        does nothing, wants no result
//   Fail        fails with source "Scrun.Server" and description "Failed on purpose"
// Any other name is unknown: "OLE error 80020003: NAME: Member not found."
#pragma once

namespace bralvo::scrun {

// Registers the class under "Scrun.Server" (again: replaces it).
void registerAutomationServer();

} // namespace bralvo::scrun
