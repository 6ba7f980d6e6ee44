// The one seam for message boxes, file and folder dialogs and modal
// questions: the program installs a Qt implementation, tests a scripted
// answerer. Lower layers never show UI themselves; the services above
// call through here.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace bralvo::platform {

// Message-box style bits, combined by adding (16 = error with OK,
// 36 = question with Yes/No, 52 = warning with Yes/No, ...).
inline constexpr int kMbOk = 0;
inline constexpr int kMbOkCancel = 1;
inline constexpr int kMbYesNo = 4;
inline constexpr int kMbIconError = 16;
inline constexpr int kMbIconQuestion = 32;
inline constexpr int kMbIconWarning = 48;
inline constexpr int kMbIconInformation = 64;
inline constexpr int kMbButtonMask = 0x0F;
inline constexpr int kMbIconMask = 0xF0;

// Answer codes of a message box.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// A file dialog's set-up. filter uses Qt's form:
// "Backups (*_bralvo.txb);;All files (*)".
struct FileDialogRequest {
    QString caption;
    QString folder;        // start folder; empty: the current one
    QString fileName;      // proposed name (save) or start selection
    QString filter;
    QString defaultSuffix; // added by a save dialog when the name has none
};

class MessageBoxSeam {
public:
    virtual ~MessageBoxSeam() = default;

    // A modal box; gives the answer code (kIdYes, kIdNo, kIdOk, kIdCancel).
    virtual int messageBox(const QString &text, const QString &caption, int flags) = 0;

    // The chosen path, or std::nullopt when cancelled.
    virtual std::optional<QString> openFileName(const FileDialogRequest &request) = 0;
    virtual std::optional<QString> saveFileName(const FileDialogRequest &request) = 0;
    // A folder (without trailing "/"), or std::nullopt when cancelled.
    virtual std::optional<QString> existingFolder(const QString &caption,
                                                  const QString &startFolder) = 0;

    // A modal question for one line of text; std::nullopt when cancelled.
    virtual std::optional<QString> askText(const QString &caption, const QString &prompt,
                                           const QString &initialText) = 0;
    // A modal choice among items; the chosen index, or std::nullopt when
    // cancelled.
    virtual std::optional<int> askChoice(const QString &caption, const QString &prompt,
                                         const QStringList &items, int current) = 0;
};

// The installed seam. When none is installed (tools, early start-up), a
// fallback prints message texts to stderr, answers No to a Yes/No box, OK
// to any other box, and cancels every dialog and question.
MessageBoxSeam &messageBoxSeam();
// Installs a seam (not owned; it must outlive its use). nullptr puts the
// fallback back. Gives the seam installed before (nullptr: the fallback).
MessageBoxSeam *setMessageBoxSeam(MessageBoxSeam *seam);

} // namespace bralvo::platform
