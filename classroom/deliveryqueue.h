#pragma once

#include "common/result.h"

#include <QString>
#include <vector>

namespace pptdrill {

class Connection;

// Who handed the paper in: the identity typed at the login, and the class.
struct LearnerIdentity
{
    QString className;
    QString seatNumber;
    QString identityNumber;
};

// Queues the hand-in of the history's attempt `attemptId` (already written on
// `connection`, in the same transaction) for the class's server: the attempt
// and its questions, each named by its set and number, as one message. The
// attempt keeps one unique id for all its hand-ins (`练习记录标识`); each
// hand-in of it is numbered, so that the server keeps every one exactly once
// and the teacher sees the last.
Status queueAttempt(Connection& connection, qint64 attemptId, const LearnerIdentity& learner);

// One message of the queue `上传队列`, oldest first.
struct QueuedAttempt
{
    qint64 sequence = 0; // 序号
    QString message;     // JSON
};
Result<std::vector<QueuedAttempt>> queuedAttempts(Connection& connection, int limit);
Result<int> queuedAttemptCount(Connection& connection);
// After the server committed it: the message leaves the queue.
Status removeQueuedAttempt(Connection& connection, qint64 sequence);

} // namespace pptdrill
