#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace pptdrill {

class KitView;
enum class ContextArea;

// One move of the pointer or the keyboard through the window, as a learner makes it.
struct PointerMove
{
    enum Kind
    {
        Click,
        ShiftClick,
        CtrlClick,
        DoubleClick,
        Drag, // from the locator to after the slide numbered by the text (0: before the first)
        RightClick,
        Hover,
        Key,
        Type,
        DrawFrom, // the pointer to the text's point on the slide ("x,y" in points), the button down
        DrawTo,   // dragged to the text's point, and let go: the shape is drawn
        TypeInto, // the text typed into the locator's object until it reads `text`
    } kind;
    QString locator;
    QString text;
};

// The moves that do an action through the window's elements as they stand now: the
// menu opened and its items, the toolbar button, the dialog's controls, the object
// right-clicked, the keys, the text typed, the shape dragged.
class MovePlanner
{
public:
    explicit MovePlanner(const KitView& view) : m_view(view) {}

    std::vector<PointerMove> plan(const QString& action) const;

private:
    using Moves = std::vector<PointerMove>;
    void planToolbar(const struct KitTarget& t, Moves& moves) const;
    void planContext(const struct KitTarget& t, Moves& moves) const;
    void planControl(const struct KitTarget& t, Moves& moves) const;
    // A command of a pane list's menu (效果选项(E)...): a row chosen, its ▼, the command.
    void planListMenu(const struct KitTarget& t, const struct KitControl& list, Moves& moves) const;
    // The items of a menu chain, after the element that opens it: hovers over the submenus, then a
    // click on the command. `path` is the chain's texts as the locator of an item gives them; its
    // first `head` parts name the menu.
    static void menuItems(QString (*locate)(const QStringList&), const QStringList& path, qsizetype head,
                          Moves& moves);

    const KitView& m_view;
};

} // namespace pptdrill
