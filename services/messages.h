// Message boxes: every question, warning, error and confirmation the
// program shows goes through these, and they through the platform's
// message-box seam. Callers compare the answer with kIdYes only.
#pragma once

#include "platform/messageboxseam.h"

#include <QString>

namespace bralvo::services {

// The flag combinations the program uses.
inline constexpr int kMbError = 16;               // error icon, OK
inline constexpr int kMbQuestionYesNo = 36;       // question icon, Yes/No
inline constexpr int kMbWarning = 48;             // warning icon, OK
inline constexpr int kMbWarningYesNo = 52;        // warning icon, Yes/No
inline constexpr int kMbInformation = 64;         // information icon, OK
inline constexpr int kMbInformationYesNo = 68;    // information icon, Yes/No

using platform::kIdOk;
using platform::kIdYes;
using platform::kIdNo;

// The answer code (6 Yes, 7 No, 1 OK).
int MessageBoxWithCaption(const QString &text, const QString &caption, int flags);
// Caption ProgramTitle.
int ShowMessageBox(const QString &text, int flags);
// Flags 16.
void ErrorBoxWithCaption(const QString &text, const QString &caption);
// Flags 16, caption ProgramTitle.
void ShowErrorBox(const QString &text);

// The text of an unexpected error: "Nastala neočakávaná chyba č. " + code +
// "." + CR + the contact address and the version hint, and, when detail is
// not empty, CR CR + detail.
QString UnexpectedErrorText(const QString &errorCode, const QString &detail);
// Shows UnexpectedErrorText with flags 16 under the caption.
void ShowUnexpectedError(const QString &errorCode, const QString &detail, const QString &caption);

} // namespace bralvo::services
