// Edit-mask formatting: the text a masked input field shows for a value.
//
// A mask has up to three fields separated by ";": the mask characters,
// "0" when the value holds only the characters typed (literals are then
// inserted from the mask) or "1" (the default) when it holds the literals
// too, and the character shown for a blank (default "_"). Mask
// characters:
//   0 digit, required        9 digit, optional       # digit or sign, optional
//   L letter, required       l letter, optional
//   A letter or digit, req.  a letter or digit, optional
//   C any character, req.    c any character, optional
//   >  following upper case  <  following lower case   <> no case change
//   \  the next character is a literal                 ! (ignored here)
//   :  the regional time separator   /  the regional date separator
//   _  a blank                every other character a literal.
// A character of the value that does not fit its place shows as the blank
// character; value characters left over are dropped. Never throws.
#pragma once

#include <QString>

namespace bralvo::script {

QString FormatMaskText(const QString &editMask, const QString &value);

} // namespace bralvo::script
