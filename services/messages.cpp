// Message boxes over the platform seam, captioned with the program title.
#include "services/messages.h"

#include "services/globals.h"
#include "services/uitexts.h"

namespace bralvo::services {

int MessageBoxWithCaption(const QString &text, const QString &caption, int flags)
{
    return platform::messageBoxSeam().messageBox(text, caption, flags);
}

int ShowMessageBox(const QString &text, int flags)
{
    return MessageBoxWithCaption(text, ProgramTitle, flags);
}

void ErrorBoxWithCaption(const QString &text, const QString &caption)
{
    MessageBoxWithCaption(text, caption, kMbError);
}

void ShowErrorBox(const QString &text)
{
    MessageBoxWithCaption(text, ProgramTitle, kMbError);
}

QString UnexpectedErrorText(const QString &errorCode, const QString &detail)
{
    const QChar quote(u'"');
    QString text = QStringLiteral("Nastala neočakávaná chyba č. ") + errorCode + QLatin1Char('.')
                   + QLatin1Char('\r') + QStringLiteral("Chybu prosím nahláste na e-mail (") + quote
                   + ContactEmailAddress() + quote
                   + QStringLiteral(") . Skontrolujte aktuálnosť verzie vášho programu na ") + quote
                   + ProgramWebAddress + quote + QStringLiteral(". ");
    if (!detail.isEmpty())
        text += QStringLiteral("\r\r") + detail;
    return text;
}

void ShowUnexpectedError(const QString &errorCode, const QString &detail, const QString &caption)
{
    MessageBoxWithCaption(UnexpectedErrorText(errorCode, detail), caption, kMbError);
}

} // namespace bralvo::services
