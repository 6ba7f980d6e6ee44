// Copying and deleting whole folder trees, and replacing one file in a
// single step. The tree routines never follow a symbolic link: a link is
// copied or deleted as the link itself.
#pragma once

#include <QString>

namespace bralvo::services {

// The path exists and is a folder (a link to a folder counts).
bool IsDirectory(const QString &path);

// Copies every entry of source into target (created with its missing
// parents), overwriting files of the same name; hidden files included,
// links recreated as links. Gives true only when everything was copied;
// a file that cannot be copied is skipped and the copy goes on. False at
// once when source is not a folder, and, touching nothing, when target is
// source itself (also reached through another path or a link). A target
// inside source is not copied into itself.
bool CopyDirectoryTree(const QString &source, const QString &target);

// Deletes the folder's contents; with removeRoot also every sub-folder
// and the folder itself, without it the sub-folders stay, emptied. Gives
// true when everything asked for was deleted; with removeRoot the result
// is that of removing the folder itself. Refuses (false, nothing deleted)
// an empty path, "/", a path that is not a folder, and a folder that is
// itself a symbolic link.
bool DeleteDirectoryTree(const QString &folder, bool removeRoot);

// Replaces target with a copy of source in one step: source is copied to
// target + ".copying", which is then renamed over target, so target is
// never half written. True when done, and when source is no file (there
// is nothing to copy); false when copying or renaming failed, with target
// left as it was and the temporary copy removed.
bool ReplaceFile(const QString &source, const QString &target);

} // namespace bralvo::services
