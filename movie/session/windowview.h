#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace pptdrill {

// The views of the window. Outline is normal view with its 大纲 tab in front.
enum class ViewKind
{
    Normal,
    Outline,
    Sorter,
    Notes,
    SlideMaster,
    HandoutMaster,
    NotesMaster,
    PrintPreview,
    Show,
};

// The view the window shows, and the view that the passing ones (the slide show
// and the print preview) go back to when they end.
class WindowView
{
public:
    WindowView() = default;
    WindowView(ViewKind kind);

    // The names movies give the views ("normal", "slidemaster", "preview" …).
    static std::optional<ViewKind> kindNamed(const QString& name);
    static QString nameOf(ViewKind kind);
    static const QStringList& names();

    ViewKind kind() const { return m_kind; }
    QString name() const { return nameOf(m_kind); }
    bool is(ViewKind kind) const { return m_kind == kind; }
    // Normal view, with either tab of its left pane in front.
    bool isNormal() const { return m_kind == ViewKind::Normal || m_kind == ViewKind::Outline; }
    bool isMaster() const;
    // Views that show one slide to edit in the slide pane: normal and the slide master.
    bool editsASlide() const;
    // The view the show or the preview goes back to: the last one the window was in before.
    ViewKind returnView() const { return m_back; }

    // Turns the window to `kind`. The show and the preview are passing: they
    // remember the view they came from.
    void switchTo(ViewKind kind);
    // Ends the show or the preview: back to the view before it.
    void goBack();
    // What a command that opens `kind` does: turns to it, except that normal view
    // named from the print preview (its 关闭) goes back to the view it came from.
    void turnTo(ViewKind kind);

    // Two windows show the same view; where a passing view would go back to is not the document's.
    bool operator==(const WindowView& other) const { return m_kind == other.m_kind; }
    bool operator==(ViewKind kind) const { return m_kind == kind; }

private:
    static bool isPassing(ViewKind kind) { return kind == ViewKind::Show || kind == ViewKind::PrintPreview; }

    ViewKind m_kind = ViewKind::Normal;
    ViewKind m_back = ViewKind::Normal;
};

} // namespace pptdrill
