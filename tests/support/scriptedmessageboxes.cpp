// The scripted message-box answerer.
#include "tests/support/scriptedmessageboxes.h"

#include <gtest/gtest.h>

namespace bralvo::test {

namespace {

const char *kindName(ScriptedMessageBoxes::Kind kind)
{
    switch (kind) {
    case ScriptedMessageBoxes::Kind::MessageBox: return "message box";
    case ScriptedMessageBoxes::Kind::OpenFile: return "open-file dialog";
    case ScriptedMessageBoxes::Kind::SaveFile: return "save-file dialog";
    case ScriptedMessageBoxes::Kind::Folder: return "folder dialog";
    case ScriptedMessageBoxes::Kind::Text: return "text question";
    case ScriptedMessageBoxes::Kind::Choice: return "choice question";
    }
    return "?";
}

ScriptedMessageBoxes::Call makeCall(ScriptedMessageBoxes::Kind kind, const QString &caption,
                                   const QString &text = QString())
{
    ScriptedMessageBoxes::Call call;
    call.kind = kind;
    call.caption = caption;
    call.text = text;
    return call;
}

} // namespace

QString describe(const ScriptedMessageBoxes::Call &call)
{
    return QStringLiteral("%1 %2 \"%3\": %4")
        .arg(QLatin1String(kindName(call.kind)))
        .arg(call.flags)
        .arg(call.caption, call.text);
}

ScriptedMessageBoxes::ScriptedMessageBoxes() : m_previous(platform::setMessageBoxSeam(this)) {}

ScriptedMessageBoxes::~ScriptedMessageBoxes()
{
    platform::setMessageBoxSeam(m_previous);
    for (const Step &step : m_script)
        ADD_FAILURE() << "A scripted " << kindName(step.kind) << " never appeared.";
}

void ScriptedMessageBoxes::answerBox(int answerCode) { m_script.push_back({Kind::MessageBox, answerCode}); }
void ScriptedMessageBoxes::answerOpenFile(std::optional<QString> path) { m_script.push_back({Kind::OpenFile, path}); }
void ScriptedMessageBoxes::answerSaveFile(std::optional<QString> path) { m_script.push_back({Kind::SaveFile, path}); }
void ScriptedMessageBoxes::answerFolder(std::optional<QString> folder) { m_script.push_back({Kind::Folder, folder}); }
void ScriptedMessageBoxes::answerText(std::optional<QString> text) { m_script.push_back({Kind::Text, text}); }
void ScriptedMessageBoxes::answerChoice(std::optional<int> index) { m_script.push_back({Kind::Choice, index}); }

std::vector<ScriptedMessageBoxes::Call> ScriptedMessageBoxes::boxes() const
{
    std::vector<Call> result;
    for (const Call &call : m_calls)
        if (call.kind == Kind::MessageBox)
            result.push_back(call);
    return result;
}

// Records the call and gives the next scripted answer, or fails the test
// when the script has none or expects another kind of call.
std::optional<ScriptedMessageBoxes::Answer> ScriptedMessageBoxes::take(const Call &call)
{
    m_calls.push_back(call);
    if (m_script.empty()) {
        ADD_FAILURE() << "Unexpected " << qPrintable(describe(call));
        return std::nullopt;
    }
    const Step step = m_script.front();
    m_script.pop_front();
    if (step.kind != call.kind) {
        ADD_FAILURE() << "Scripted " << kindName(step.kind) << " expected, got "
                      << qPrintable(describe(call));
        return std::nullopt;
    }
    return step.answer;
}

int ScriptedMessageBoxes::messageBox(const QString &text, const QString &caption, int flags)
{
    Call call = makeCall(Kind::MessageBox, caption, text);
    call.flags = flags;
    const std::optional<Answer> answer = take(call);
    if (!answer) {
        const bool yesNo = (flags & platform::kMbButtonMask) == platform::kMbYesNo;
        return yesNo ? platform::kIdNo : platform::kIdOk;
    }
    return std::get<int>(*answer);
}

std::optional<QString> ScriptedMessageBoxes::openFileName(const platform::FileDialogRequest &request)
{
    Call call = makeCall(Kind::OpenFile, request.caption);
    call.request = request;
    const auto answer = take(call);
    return answer ? std::get<std::optional<QString>>(*answer) : std::nullopt;
}

std::optional<QString> ScriptedMessageBoxes::saveFileName(const platform::FileDialogRequest &request)
{
    Call call = makeCall(Kind::SaveFile, request.caption);
    call.request = request;
    const auto answer = take(call);
    return answer ? std::get<std::optional<QString>>(*answer) : std::nullopt;
}

std::optional<QString> ScriptedMessageBoxes::existingFolder(const QString &caption,
                                                            const QString &startFolder)
{
    Call call = makeCall(Kind::Folder, caption);
    call.startFolder = startFolder;
    const auto answer = take(call);
    return answer ? std::get<std::optional<QString>>(*answer) : std::nullopt;
}

std::optional<QString> ScriptedMessageBoxes::askText(const QString &caption, const QString &prompt,
                                                     const QString &initialText)
{
    Call call = makeCall(Kind::Text, caption, prompt);
    call.initialText = initialText;
    const auto answer = take(call);
    return answer ? std::get<std::optional<QString>>(*answer) : std::nullopt;
}

std::optional<int> ScriptedMessageBoxes::askChoice(const QString &caption, const QString &prompt,
                                                   const QStringList &items, int current)
{
    Call call = makeCall(Kind::Choice, caption, prompt);
    call.items = items;
    call.current = current;
    const auto answer = take(call);
    return answer ? std::get<std::optional<int>>(*answer) : std::nullopt;
}

} // namespace bralvo::test
