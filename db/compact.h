#pragma once

#include <QString>

namespace pptdrill {

// Compacts the database file at `path` through a temporary file beside it
// (stdata.db → stdata.~db) that then replaces it in one atomic rename, so that
// the file is whole whenever the work stops. True when it finished or had
// nothing to do (a path the rule does not take), false when a step failed; the
// database file is then as it was.
bool compactDatabaseFile(const QString& path, const QString& password);

// The temporary file of a compaction, or empty when the path is not compacted.
QString compactionTempPath(const QString& path);

} // namespace pptdrill
