#pragma once

#include "movie/document/movie.h"

#include <QString>
#include <QWidget>
#include <memory>

namespace pptdrill {

class KitView;
class MovieSession;

// Plays one question movie at 800 × 600: the simulated PowerPoint 2003 window,
// the hint clip "/tishi" and the demonstration clip "/yanshi". Stands where the
// player's Flash control stood, with the operations the player uses.
class MovieControl : public QWidget
{
    Q_OBJECT

public:
    explicit MovieControl(QWidget* parent = nullptr);
    ~MovieControl() override;

    // Loads the movie file. The loading states (0, then 3 once the movie is
    // ready) are reported before this returns. A damaged, unknown or oversized
    // movie shows a message inside the control instead.
    void setMovie(const QString& path);
    // The same with the file at `path` already read.
    void setMovie(const QString& path, Result<Movie> read);
    QString movie() const { return m_path; }
    void play();
    // Property 7 is a clip's visibility: "1" shows it, "0" hides it.
    void TSetProperty(const QString& target, int property, const QString& value);
    // Frame 1 of "/yanshi" plays the demonstration from the start.
    void gotoFrame(const QString& target, int frame);

    bool hintVisible() const;
    bool isDemonstrating() const;
    bool isCompleted() const;
    // The text of the completion picture over the finished task; empty while none is shown.
    QString completionText() const;

    // The complete state (4) is reported the moment the last step is accepted;
    // the completion picture follows a moment later. A caller that must first
    // make sure of something (the player: that the completion has been
    // recorded) holds the picture back until confirmCompletion().
    void setCompletionNeedsConfirmation(bool needed);
    void confirmCompletion();
    // In exam mode the completed question shows no picture: the examination
    // tells a candidate nothing about an answer.
    void setCompletionPictureShown(bool shown) { m_pictureShown = shown; }
    // The message shown instead of a movie that could not be loaded; empty when loaded.
    QString loadError() const { return m_loadError; }
    KitView* kitView() const { return m_view; }
    MovieSession* session() const;

    // Tests run the demonstration without waiting: 0 plays it as fast as the
    // event loop allows, 1 at a learner's pace.
    void setDemonstrationPace(double factor);
    double demonstrationPace() const { return m_pace; }
    // A review's controls over the demonstration: hold it, let it go on, or
    // do one more step and hold again.
    void setDemonstrationPaused(bool paused);
    bool isDemonstrationPaused() const;
    void stepDemonstration();
    QString demonstrationCaption() const;

signals:
    void readyStateChanged(int state);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void taskCompleted();
    void showCompletionPicture();

    QString m_path;
    QString m_loadError;
    KitView* m_view = nullptr;
    bool m_completionReported = false;
    bool m_pictureDue = false;
    bool m_confirmationNeeded = false;
    bool m_confirmed = false;
    bool m_pictureShown = true;
    double m_pace = 1.0;
};

} // namespace pptdrill
