// The generated tables of built-in texts (builtintexts_data.cpp, written
// by tools/textgen/gentexts.py). Sorted by number; numbers missing from a
// table have no built-in text. Texts are UTF-8 with their percent marks.
#pragma once

namespace bralvo::services::builtin {

struct NumberedText {
    int number;
    const char *text;
};

extern const NumberedText uiTexts[];
extern const int uiTextsCount;
extern const NumberedText reportTexts[];
extern const int reportTextsCount;

} // namespace bralvo::services::builtin
