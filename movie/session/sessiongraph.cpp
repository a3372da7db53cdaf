// Microsoft Graph active in place on a chart: its menus and toolbars in the window, and its
// datasheet floating over the slide.

#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// A number as the datasheet shows it: 20.4, 35, 0.
QString cellText(double value)
{
    return QString::number(value, 'g', 15);
}

// The datasheet's boxes show the chart's data: the column titles its categories, the row titles
// its series and the cells their values ("A列标题", "2行标题", "B2"). A chart without data of its
// own shows Graph's sample sheet, the kit's values.
void fillDatasheet(FormState& sheet, const KitForm& form, const ChartData& data)
{
    if (data.categories.empty() && data.series.empty())
        return;
    static const QRegularExpression column(u"^([A-Z])列标题$"_s);
    static const QRegularExpression row(u"^([0-9]+)行标题$"_s);
    static const QRegularExpression cell(u"^([A-Z])([0-9]+)$"_s);
    for (const KitControl& c : form.controls) {
        if (c.type != KitControlType::Text)
            continue;
        QString shown;
        if (const auto m = column.match(c.id); m.hasMatch()) {
            shown = data.categories.value(m.captured(1).at(0).unicode() - u'A');
        } else if (const auto r = row.match(c.id); r.hasMatch()) {
            const qsizetype at = r.captured(1).toInt() - 1;
            shown = at < static_cast<qsizetype>(data.series.size())
                        ? data.series[static_cast<size_t>(at)].name
                        : QString();
        } else if (const auto v = cell.match(c.id); v.hasMatch()) {
            const size_t series = static_cast<size_t>(v.captured(2).toInt() - 1);
            const size_t category = static_cast<size_t>(v.captured(1).at(0).unicode() - u'A');
            if (series < data.series.size() && category < data.series[series].values.size())
                shown = cellText(data.series[series].values[category]);
        } else {
            continue;
        }
        sheet.values[c.id] = shown;
    }
}

} // namespace

int MovieSession::graphShape() const
{
    return m_graph && m_graph->slide == m_presentation.selected ? m_graph->shape : 0;
}

bool MovieSession::datasheetShown() const
{
    return m_graph && m_dialog && m_beneath.empty() && m_dialog->name == m_kit->graphDatasheet();
}

const std::vector<KitMenu>& MovieSession::menuBar() const
{
    return m_graph && !m_kit->graphMenus().empty() ? m_kit->graphMenus() : m_kit->menus();
}

const std::vector<KitButton>* MovieSession::toolbarButtons(const QString& name) const
{
    if (m_graph) {
        for (const auto& [bar, buttons] : m_kit->graphToolbars()) {
            if (bar == name)
                return &buttons;
        }
    }
    for (const auto& [bar, buttons] : m_kit->toolbars()) {
        if (bar == name)
            return &buttons;
    }
    return nullptr;
}

void MovieSession::enterGraph()
{
    const QList<int> shapes = selectedShapes();
    if (m_graph || shapes.size() != 1 || !m_presentation.view.is(ViewKind::Normal) || modalDialogOpen() ||
        selectedSlide().shapes[static_cast<size_t>(shapes.first() - 1)].type != u"chart"_s)
        return;
    stopTyping();
    m_graph = GraphEditing{m_presentation.selected, shapes.first()};
    showDatasheet(true);
}

void MovieSession::leaveGraph()
{
    if (!m_graph)
        return;
    showDatasheet(false);
    // Under a dialog opened from Graph (图表类型) the datasheet closes with it.
    const QString& sheet = m_kit->graphDatasheet();
    std::erase_if(m_beneath, [&](const FormState& f) { return f.name == sheet; });
    m_graph.reset();
    const auto depth = static_cast<size_t>((m_dialog ? 1 : 0) + m_beneath.size());
    while (m_dialogMarks.size() > depth)
        m_dialogMarks.pop_back();
}

void MovieSession::showDatasheet(bool shown)
{
    const KitForm* form = m_kit->dialog(m_kit->graphDatasheet());
    if (!m_graph || !form || shown == datasheetShown())
        return;
    if (!shown) {
        m_dialog.reset();
        return;
    }
    if (m_dialog)
        return; // a dialog of Graph's is open over the window: the datasheet waits beneath it
    m_dialog = openForm(*form);
    const Slide& slide = m_presentation.slides[static_cast<size_t>(m_graph->slide - 1)];
    fillDatasheet(*m_dialog, *form, slide.shapes[static_cast<size_t>(m_graph->shape - 1)].data);
}

void MovieSession::followGraph()
{
    if (!m_graph)
        return;
    const auto& shapes = selectedSlide().shapes;
    const bool stays =
        m_presentation.view.is(ViewKind::Normal) && m_presentation.selected == m_graph->slide &&
        selectedShapes() == QList<int>{m_graph->shape} && m_graph->shape <= static_cast<int>(shapes.size()) &&
        shapes[static_cast<size_t>(m_graph->shape - 1)].type == u"chart"_s;
    if (!stays)
        leaveGraph();
}

bool MovieSession::takeGraphRoute(const KitTarget& target)
{
    const QString opens =
        target.kind == KitTarget::DoubleClick ? doubleClickOpens(m_presentation, target) : target.opens;
    if (modalDialogOpen())
        return false;
    if (opens == u"graph:datasheet"_s && m_graph) {
        showDatasheet(!datasheetShown());
    } else if (opens == u"graph"_s && target.kind == KitTarget::DoubleClick && !m_graph) {
        // A double-click on a chart activates Graph whatever the task: a step left waiting inside
        // it (a cell of the datasheet) is within reach again.
        select(targets::shape(target.shape));
        enterGraph();
        if (!m_graph)
            return false;
    } else {
        return false;
    }
    if (m_listener)
        m_listener();
    return true;
}

} // namespace pptdrill
