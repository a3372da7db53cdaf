#include "movie/session/windowview.h"

#include <array>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

const std::array<std::pair<ViewKind, QString>, 9>& viewNames()
{
    static const std::array<std::pair<ViewKind, QString>, 9> names{{
        {ViewKind::Normal, u"normal"_s},
        {ViewKind::Outline, u"outline"_s},
        {ViewKind::Sorter, u"sorter"_s},
        {ViewKind::Notes, u"notes"_s},
        {ViewKind::Show, u"show"_s},
        {ViewKind::SlideMaster, u"slidemaster"_s},
        {ViewKind::HandoutMaster, u"handoutmaster"_s},
        {ViewKind::NotesMaster, u"notesmaster"_s},
        {ViewKind::PrintPreview, u"preview"_s},
    }};
    return names;
}

} // namespace

WindowView::WindowView(ViewKind kind) : m_kind(kind), m_back(isPassing(kind) ? ViewKind::Normal : kind) {}

std::optional<ViewKind> WindowView::kindNamed(const QString& name)
{
    for (const auto& [kind, text] : viewNames()) {
        if (text == name)
            return kind;
    }
    return std::nullopt;
}

QString WindowView::nameOf(ViewKind kind)
{
    for (const auto& [k, text] : viewNames()) {
        if (k == kind)
            return text;
    }
    return {};
}

const QStringList& WindowView::names()
{
    static const QStringList list = [] {
        QStringList all;
        for (const auto& entry : viewNames())
            all << entry.second;
        return all;
    }();
    return list;
}

bool WindowView::isMaster() const
{
    return m_kind == ViewKind::SlideMaster || m_kind == ViewKind::HandoutMaster ||
           m_kind == ViewKind::NotesMaster;
}

bool WindowView::editsASlide() const
{
    return isNormal() || m_kind == ViewKind::SlideMaster;
}

void WindowView::switchTo(ViewKind kind)
{
    if (!isPassing(m_kind))
        m_back = m_kind;
    m_kind = kind;
}

void WindowView::goBack()
{
    m_kind = m_back;
}

void WindowView::turnTo(ViewKind kind)
{
    if (m_kind == ViewKind::PrintPreview && kind == ViewKind::Normal)
        goBack();
    else
        switchTo(kind);
}

} // namespace pptdrill
