#include "classroom/delivery.h"

#include "classroom/serverconnection.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

const QString insertAttempt = uR"sql(
INSERT INTO attempts (attempt_id, hand_in, class_name, seat_number, identity_number, set_name,
                      started_at, handed_in_at, score, question_count, right_count, exam_mode)
SELECT (m->>'attempt')::uuid, (m->>'handIn')::integer, m->>'class', m->>'seat', m->>'identity', m->>'set',
       (m->>'startedAt')::timestamptz, (m->>'handedInAt')::timestamptz, (m->>'score')::double precision,
       (m->>'questionCount')::integer, (m->>'rightCount')::integer, (m->>'examMode')::boolean
FROM (SELECT $1::jsonb AS m) AS message
ON CONFLICT DO NOTHING
)sql"_s;

const QString insertQuestions = uR"sql(
INSERT INTO attempt_questions (attempt_id, hand_in, position, set_name, question_number, topic, point,
                               is_right, demonstration, hint)
SELECT (m->>'attempt')::uuid, (m->>'handIn')::integer, (q->>'position')::integer, q->>'set', q->>'number',
       q->>'topic', q->>'point', (q->>'right')::boolean, (q->>'demonstration')::boolean, (q->>'hint')::boolean
FROM (SELECT $1::jsonb AS m) AS message, jsonb_array_elements(m->'questions') AS q
ON CONFLICT DO NOTHING
)sql"_s;

} // namespace

Status deliverAttempt(ServerConnection& server, const QString& message)
{
    if (Status s = server.execute(u"BEGIN"_s); !s)
        return s;
    Status done = server.execute(insertAttempt, {message});
    if (done)
        done = server.execute(insertQuestions, {message});
    if (done)
        done = server.execute(u"COMMIT"_s);
    if (!done && server.isUsable())
        server.execute(u"ROLLBACK"_s);
    return done;
}

} // namespace pptdrill
