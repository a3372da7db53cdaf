#pragma once

#include <QPlainTextEdit>

class QMenu;

namespace pptdrill {

// The stem box: it can be read, selected and scrolled, but it neither changes
// nor gives its text away. Keys are discarded, any other change puts the stem
// of the current question back, and no path (copy, cut, dragging, the mouse
// selection that X offers for pasting) carries the text out of it.
class StemBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    StemBox(QWidget* parent, const QString& name);

    // Shows `stem`; the guard restores this text after any change.
    void showStem(const QString& stem);

    // The box's context menu: the usual editing commands, where copy and cut
    // do nothing and a paste is undone by the guard.
    QMenu* createStemMenu();
    // What copying, dragging or selecting hands to the clipboards: nothing.
    QMimeData* createMimeDataFromSelection() const override;

signals:
    void changedByUser();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool m_restoring = false;
};

} // namespace pptdrill
