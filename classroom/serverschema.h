#pragma once

#include "common/result.h"

#include <QString>
#include <QStringList>

namespace pptdrill {

class ServerConnection;
struct ClassroomConfig;

// The class's tables on the server, one migration per version. Each is applied
// once, in its own transaction, and recorded in `schema_version`.
const QStringList& serverMigrations();
int latestServerSchemaVersion();

// Brings the server's schema up to the latest version; returns the version it
// found before (0 for an empty database). Safe to run again, and by two
// administrators at once.
Result<int> migrateServerSchema(ServerConnection& admin);

// Makes (or updates the password of) the learners' and the teacher's login
// roles named in the class file, in the groups the tables grant to:
// `pptdrill_learners` may only insert rows stamped with its own name, never
// read, change or delete one; `pptdrill_teachers` reads everything and keeps
// only the roster's names.
Status setUpClassRoles(ServerConnection& admin, const ClassroomConfig& config);

} // namespace pptdrill
