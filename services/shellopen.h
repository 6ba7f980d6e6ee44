// Handing links, files and help topics to the desktop (browser, mail
// program, file viewer). Only http, https and mailto links and existing
// local files are handed on; anything else is refused, so text from a
// file or a database can never start a program.
#pragma once

#include <QString>

namespace bralvo::services {

// Opens an http, https or mailto link, a file: URL of an existing local
// file, or the path of an existing local file. True when the desktop took
// it; false, doing nothing, for anything else.
bool OpenWithDesktop(const QString &target);

// ProgramDir + "help/" + topic + ".htm".
QString HelpTopicPath(const QString &topic);

// Opens HelpTopicPath(topic) in the browser; nothing happens (and nothing
// is reported) when the file is missing or the topic is not a plain name.
void ShowHelpTopic(const QString &topic);

} // namespace bralvo::services
