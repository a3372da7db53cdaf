#include "classroom/serverschema.h"

#include "classroom/classroomconfig.h"
#include "classroom/serverconnection.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

const QStringList& serverMigrations()
{
    static const QStringList migrations{
        // 1: attempts, their questions, the roster's names, the two groups.
        uR"sql(
DO $$ BEGIN
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'pptdrill_learners') THEN
        CREATE ROLE pptdrill_learners NOLOGIN;
    END IF;
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'pptdrill_teachers') THEN
        CREATE ROLE pptdrill_teachers NOLOGIN;
    END IF;
END $$;

CREATE TABLE attempts (
    attempt_id uuid NOT NULL,
    hand_in integer NOT NULL CHECK (hand_in >= 1),
    class_name text NOT NULL,
    seat_number text NOT NULL,
    identity_number text NOT NULL,
    set_name text NOT NULL,
    started_at timestamptz NOT NULL,
    handed_in_at timestamptz NOT NULL,
    score double precision NOT NULL,
    question_count integer NOT NULL,
    right_count integer NOT NULL,
    exam_mode boolean NOT NULL,
    sent_by name NOT NULL DEFAULT current_user,
    received_at timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (attempt_id, hand_in)
);
CREATE INDEX attempts_by_learner ON attempts (class_name, identity_number, handed_in_at);

CREATE TABLE attempt_questions (
    attempt_id uuid NOT NULL,
    hand_in integer NOT NULL,
    position integer NOT NULL,
    set_name text,
    question_number text,
    topic text,
    point text,
    is_right boolean NOT NULL,
    demonstration boolean NOT NULL,
    hint boolean NOT NULL,
    sent_by name NOT NULL DEFAULT current_user,
    PRIMARY KEY (attempt_id, hand_in, position),
    FOREIGN KEY (attempt_id, hand_in) REFERENCES attempts ON DELETE CASCADE
);

CREATE TABLE learner_names (
    class_name text NOT NULL,
    identity_number text NOT NULL,
    name text NOT NULL,
    PRIMARY KEY (class_name, identity_number)
);

-- The learners insert only, and only rows in their own name; no policy lets them see a row.
REVOKE ALL ON attempts, attempt_questions, learner_names, schema_version FROM PUBLIC;
GRANT INSERT ON attempts, attempt_questions TO pptdrill_learners;
ALTER TABLE attempts ENABLE ROW LEVEL SECURITY;
ALTER TABLE attempt_questions ENABLE ROW LEVEL SECURITY;
CREATE POLICY learners_insert_own ON attempts FOR INSERT TO pptdrill_learners
    WITH CHECK (sent_by = current_user);
CREATE POLICY learners_insert_own ON attempt_questions FOR INSERT TO pptdrill_learners
    WITH CHECK (sent_by = current_user);
CREATE POLICY teachers_read ON attempts FOR SELECT TO pptdrill_teachers USING (true);
CREATE POLICY teachers_read ON attempt_questions FOR SELECT TO pptdrill_teachers USING (true);

GRANT SELECT ON attempts, attempt_questions, learner_names, schema_version TO pptdrill_teachers;
GRANT INSERT, UPDATE, DELETE ON learner_names TO pptdrill_teachers;
)sql"_s,
    };
    return migrations;
}

int latestServerSchemaVersion()
{
    return static_cast<int>(serverMigrations().size());
}

Result<int> migrateServerSchema(ServerConnection& admin)
{
    using R = Result<int>;
    if (Status s =
            admin.execute(u"CREATE TABLE IF NOT EXISTS schema_version ("
                          u"version integer PRIMARY KEY, applied_at timestamptz NOT NULL DEFAULT now())"_s);
        !s)
        return R::failure(s.error(), s.code());
    int found = -1;
    for (int version = 1; version <= latestServerSchemaVersion(); ++version) {
        if (Status s = admin.execute(u"BEGIN"_s); !s)
            return R::failure(s.error(), s.code());
        // One administrator at a time; the second finds the work done.
        auto current = admin.query(u"LOCK TABLE schema_version IN EXCLUSIVE MODE; "
                                   u"SELECT coalesce(max(version), 0) FROM schema_version"_s);
        if (!current) {
            admin.execute(u"ROLLBACK"_s);
            return R::failure(current.error(), current.code());
        }
        const int applied = current->empty() ? 0 : current->front().front().toInt();
        if (found < 0)
            found = applied;
        if (applied >= version) {
            admin.execute(u"COMMIT"_s);
            continue;
        }
        Status done = admin.execute(serverMigrations().at(version - 1));
        if (done)
            done = admin.execute(u"INSERT INTO schema_version (version) VALUES ($1)"_s,
                                 {QString::number(version)});
        if (done)
            done = admin.execute(u"COMMIT"_s);
        if (!done) {
            admin.execute(u"ROLLBACK"_s);
            return R::failure(done.error(), done.code());
        }
    }
    return found < 0 ? 0 : found;
}

Status setUpClassRoles(ServerConnection& admin, const ClassroomConfig& config)
{
    struct Login
    {
        QString user;
        QString password;
        QString group;
    };
    const Login logins[] = {{config.learnerUser, config.learnerPassword, u"pptdrill_learners"_s},
                            {config.teacherUser, config.teacherPassword, u"pptdrill_teachers"_s}};
    for (const Login& login : logins) {
        if (login.user.isEmpty())
            continue;
        const auto exists = admin.query(u"SELECT 1 FROM pg_roles WHERE rolname = $1"_s, {login.user});
        if (!exists)
            return Status::failure(exists.error(), exists.code());
        const QString role = admin.quoteIdentifier(login.user);
        const QString password = login.password.isEmpty() ? u"NULL"_s : admin.quoteLiteral(login.password);
        const QString statement =
            exists->empty()
                ? u"CREATE ROLE %1 LOGIN PASSWORD %2 IN ROLE %3"_s.arg(role, password, login.group)
                : u"ALTER ROLE %1 LOGIN PASSWORD %2; GRANT %3 TO %1"_s.arg(role, password, login.group);
        if (Status s = admin.execute(statement); !s)
            return s;
    }
    return {};
}

} // namespace pptdrill
