#pragma once
// The folder context menu's operations on a folder of a tree: a new folder
// inside it, removing it when empty, deleting the files it holds. Each says
// what went wrong in one sentence for the user (empty when all went well).
#include <QString>

// Why name cannot be a new folder inside parent ("." and "..", a "/", a name
// that exists), or empty.
QString NewFolderProblem(const QString& parent, const QString& name);
// Creates parent/name (one level). Empty, or why it could not.
QString CreateNewFolder(const QString& parent, const QString& name);

// Removes folder when it is empty (never its contents). False when it could not.
bool RemoveEmptyFolder(const QString& folder);

// The number of files (not folders) directly inside folder.
int CountFolderFiles(const QString& folder);
// Deletes every file directly inside folder (subfolders and their contents
// stay); files that cannot be deleted are left. Returns how many were deleted.
int DeleteFolderFiles(const QString& folder);
