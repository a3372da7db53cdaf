#pragma once

#include <QString>
#include <QStringList>

namespace pptdrill {

// Put before the player's "stid&n", it plays the question for a look back from
// the results: nothing is recorded.
inline constexpr QLatin1StringView kReviewOption{"--review"};
// The trainer that started the player, in its environment: a player whose
// trainer has gone (killed, the session ended) closes by itself.
inline constexpr char kTrainerPidVariable[] = "PPTDRILL_TRAINER_PID";
// Set to 1 for a paper in exam mode: the player shows no completion picture.
inline constexpr char kExamModeVariable[] = "PPTDRILL_EXAM_MODE";
// A review's stem, shown by the player above the simulated window.
inline constexpr char kReviewStemVariable[] = "PPTDRILL_REVIEW_STEM";

// How the main program stops and starts the player. Tests put a recorder in
// its place so that no real player runs.
class PlayerProcesses
{
public:
    virtual ~PlayerProcesses() = default;
    virtual void stopRunningPlayer();
    // Starts `program` with `arguments` (never through a shell); false when it
    // could not be started.
    virtual bool start(const QString& program, const QStringList& arguments);

    // Starts a player command line: the program name (found in the program
    // folder) and, after the first blank, its single argument. A failure is
    // told in a message box.
    bool startCommand(const QString& commandLine);

    // The paper in progress is in exam mode: every player started from now on is told.
    void setExamMode(bool examMode) { m_examMode = examMode; }
    bool examMode() const { return m_examMode; }
    // The stem a review's player shows; empty for every other player.
    void setReviewStem(const QString& stem) { m_reviewStem = stem; }
    const QString& reviewStem() const { return m_reviewStem; }

private:
    bool m_examMode = false;
    QString m_reviewStem;
};

} // namespace pptdrill
