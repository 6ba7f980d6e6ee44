// A message-box seam for tests: answers message boxes, dialogs and
// questions from a script queued in advance and records every call. A box
// nobody scripted fails the running test (naming its text), and so does a
// scripted answer left unused when the object goes away.
//
//   ScriptedMessageBoxes boxes;          // installs itself
//   boxes.answerBox(bralvo::platform::kIdYes);
//   runTheCode();
//   EXPECT_EQ(boxes.calls().at(0).flags, 36);
#pragma once

#include "platform/messageboxseam.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <variant>
#include <vector>

namespace bralvo::test {

class ScriptedMessageBoxes : public platform::MessageBoxSeam {
public:
    enum class Kind { MessageBox, OpenFile, SaveFile, Folder, Text, Choice };

    struct Call {
        Kind kind = Kind::MessageBox;
        QString text;                         // message text or prompt
        QString caption;
        int flags = 0;                        // message boxes only
        platform::FileDialogRequest request;  // file dialogs only
        QString startFolder;                  // folder dialog only
        QStringList items;                    // choice only
        QString initialText;                  // text question only
        int current = -1;                     // choice only
    };

    ScriptedMessageBoxes();   // installs itself as the seam
    ~ScriptedMessageBoxes() override;  // puts the previous seam back

    ScriptedMessageBoxes(const ScriptedMessageBoxes &) = delete;
    ScriptedMessageBoxes &operator=(const ScriptedMessageBoxes &) = delete;

    // Queue the next answers, in the order the calls will come.
    void answerBox(int answerCode);
    void answerOpenFile(std::optional<QString> path);
    void answerSaveFile(std::optional<QString> path);
    void answerFolder(std::optional<QString> folder);
    void answerText(std::optional<QString> text);
    void answerChoice(std::optional<int> index);

    const std::vector<Call> &calls() const { return m_calls; }
    // The message-box calls only.
    std::vector<Call> boxes() const;
    // Answers still queued.
    std::size_t pending() const { return m_script.size(); }

    int messageBox(const QString &text, const QString &caption, int flags) override;
    std::optional<QString> openFileName(const platform::FileDialogRequest &request) override;
    std::optional<QString> saveFileName(const platform::FileDialogRequest &request) override;
    std::optional<QString> existingFolder(const QString &caption, const QString &startFolder) override;
    std::optional<QString> askText(const QString &caption, const QString &prompt,
                                   const QString &initialText) override;
    std::optional<int> askChoice(const QString &caption, const QString &prompt,
                                 const QStringList &items, int current) override;

private:
    using Answer = std::variant<int, std::optional<QString>, std::optional<int>>;
    struct Step {
        Kind kind;
        Answer answer;
    };

    std::optional<Answer> take(const Call &call);

    std::deque<Step> m_script;
    std::vector<Call> m_calls;
    platform::MessageBoxSeam *m_previous = nullptr;
};

// "box 36 \"Bralvo\": text" etc., for failure messages.
QString describe(const ScriptedMessageBoxes::Call &call);

} // namespace bralvo::test
