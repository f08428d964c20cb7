#pragma once

#include <QString>

// Folders the program keeps files in. They stand in for the executable's folder, the
// per-user application-data folder and the system folder of the desktop the program came from.
QString ApplicationDir();       // folder of the running executable
QString ApplicationBaseName();  // executable file name without its extension
QString ApplicationExePath();   // full path of the running executable
QString UserAppDataDir();       // per-user configuration folder (created on demand by writers)
QString SystemConfigDir();      // "/etc"

// The file-name part of a path: what follows its last "\", "/" or ":". A path holding a
// character that cannot appear in a path raises EArgumentError "パスに無効な文字が含まれています".
QString ExtractFileName(const QString& path);
