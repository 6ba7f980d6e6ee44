// What making the user pick a first language needs of the settings
// window, which lives in the application layer and implements this.
#pragma once

namespace bralvo::services {

class LanguageChooser {
public:
    virtual ~LanguageChooser() = default;

    // Loads the settings into the settings window and shows it modally on
    // its language page with every other page hidden (outer page control:
    // only the first page, "Nastavenia"; inner one: only the last, "Jazyk").
    // Returns when the window is closed; a chosen language is then in the
    // settings as [Language] tag.
    virtual void chooseLanguage() = 0;
};

} // namespace bralvo::services
