#pragma once

#include "common/result.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace pptdrill {

// Where a class's results go: the PostgreSQL server of the training room, and
// the role the learners' PCs insert with. The teacher's program reads with its
// own role from the same kind of file.
struct ClassroomConfig
{
    QString host; // empty: the server's local socket
    int port = 5432;
    QString database;
    QString className;
    QString learnerUser;
    QString learnerPassword;
    QString teacherUser;
    QString teacherPassword;
    QString sslMode = QStringLiteral("prefer"); // as libpq names it: disable, prefer, require, verify-full …
};

// The class files, the later overriding the earlier key by key: the one the
// administrator writes for every user of the PC, then this user's own.
QStringList classroomConfigFiles();

// Reads "key = value" lines ('#' starts a comment) from those of `files` that
// exist. No file at all: no class (std::nullopt), the trainer works alone. A
// file that cannot be read, a line that is not understood or a class without
// its database or name is an error whose message says so in Chinese.
Result<std::optional<ClassroomConfig>> loadClassroomConfig(const QStringList& files);
// What a learner's PC needs beyond that (its role), and what the teacher's program needs.
Status checkLearnerConfig(const ClassroomConfig& config);
Status checkTeacherConfig(const ClassroomConfig& config);

// The sslmode values libpq accepts.
bool isKnownSslMode(const QString& mode);

} // namespace pptdrill
