#pragma once

#include <QString>
#include <QStringList>

namespace pptdrill {

// The folder of the running executable, where the three programs, "stdata.db"
// and "completed.swf" stand side by side. Ends without a separator.
QString programFolder();

// Tests point the programs at a private copy of the program folder.
void setProgramFolderForTesting(const QString& folder);

// The learner's own data folder, $XDG_DATA_HOME/pptdrill (~/.local/share/pptdrill),
// the same for every program of the trainer.
QString userDataFolder();

// Where the working "stdata.db" of the programs in `programFolder` lies: the program
// folder itself where this user owns it and may write in it (a build folder, a copy
// the learner unpacked in their home), else the user's data folder, which holds a
// copy of the installed bank.
QString databaseFolder(const QString& programFolder);
bool usesUserDataFolder(const QString& programFolder);

// A program folder is installed when `user` does not own it or it lies under one
// of `prefixes` (the system's folders: systemPrefixes()).
bool isInstalledProgramFolder(const QString& programFolder, uint user, const QStringList& prefixes);
const QStringList& systemPrefixes();

} // namespace pptdrill
