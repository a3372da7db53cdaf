#pragma once

#include <QString>
#include <QStringList>

namespace pptdrill {

class MovieSession;

// Several items of a dialog's list chosen with Ctrl or Shift and a click, for a
// button that adds them to a list (定义自定义放映's 添加, 插入新图片's 插入 into
// the 相册 beneath it).
class ListChoice
{
public:
    explicit ListChoice(QString list = {}) : m_list(std::move(list)) {}

    // Whether the open dialog's `list` feeds a list (of its own or of a dialog beneath) through a button.
    static bool feedsAList(const MovieSession& session, const QString& list);

    const QString& list() const { return m_list; }
    const QStringList& items() const { return m_items; }
    bool contains(const QString& item) const { return m_items.contains(item); }

    // Ctrl and a click take an item in or out; Shift and a click choose the items from
    // the one clicked first to this one. `current` is the list's value before the first.
    void click(const QStringList& offered, const QString& current, const QString& item, bool range);

    // What adding the chosen items with `button` does, item by item in the list's
    // order: choosing each and pressing the button (opening the dialog again
    // where the button closes it). Empty where the button adds nothing from this list.
    QStringList addingRun(const MovieSession& session, const QString& button) const;

private:
    QString m_list;
    QStringList m_items;
    QString m_anchor; // where a Shift range starts
};

} // namespace pptdrill
