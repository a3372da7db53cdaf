#pragma once

#include <QString>
#include <optional>

namespace pptdrill {

// The version of this build, as the project names it ("0.2.0"); the package,
// the About box and every program's --version say the same.
QString programVersion();

// What the About box and the package say of the project: the licence and who
// holds the rights.
QString licenceName();
QString copyrightHolders();

// Answers a first argument of --version/-v (the program's name and version)
// or --help/-h (`usage`, then the options) on standard output and gives the
// exit code; any other command line is left to the program.
std::optional<int> answerInformationOption(int argc, char** argv, const char* program, const QString& usage);

} // namespace pptdrill
