#pragma once
// A folder for files no other user may replace or read: the backup keeps unsaved work
// there, and a folder others can write to would let them plant a link in its place.

#include <string>

enum : int {
    FolderPrivate = 0,
    FolderMissing = 1, // it does not exist and cannot be created
    FolderShared = 2,  // another user owns it, or its group or others may write to it
};

// Creates path and its missing parents with mode 0700, then tells whether it is private.
// A folder that exists keeps its mode: it is the user's to choose.
int MakePrivateFolder(const std::string& path);
