#pragma once

#include "common/result.h"

#include <QString>

namespace pptdrill {

class ServerConnection;

// Inserts one queued hand-in (its JSON message) into the server's tables in
// one transaction. A hand-in the server already holds is left as it is, so
// that sending it again after a lost answer changes nothing.
Status deliverAttempt(ServerConnection& server, const QString& message);

} // namespace pptdrill
