// What is selected: objects selected by the keyboard whatever the task asks, and the
// font of the text selected as the toolbar's boxes show it.
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"

#include <QRegularExpression>
#include <map>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

QStringList MovieSession::objectsOnSlide() const
{
    const Slide& slide = selectedSlide();
    QStringList objects;
    // The placeholders the layout shows, in PowerPoint's order, then the objects as they were added.
    static const QStringList withoutTitle{u"空白"_s};
    if (!withoutTitle.contains(slide.layout))
        objects << u"title"_s;
    if (slide.layout == u"标题幻灯片"_s)
        objects << u"subtitle"_s;
    else if (!slide.body.isEmpty() || slide.layout.contains(u"文本"_s))
        objects << u"body"_s;
    for (size_t i = 0; i < slide.shapes.size(); ++i)
        objects << targets::shape(static_cast<int>(i) + 1);
    return objects;
}

bool MovieSession::selectNextObject(int by)
{
    if (!m_presentation.view.is(ViewKind::Normal) || m_dialog || m_typing)
        return false;
    const QStringList objects = objectsOnSlide();
    if (objects.isEmpty())
        return false;
    const auto at = static_cast<int>(objects.indexOf(selectedObject()));
    const auto count = static_cast<int>(objects.size());
    const int next = at < 0 ? (by > 0 ? 0 : count - 1) : ((at + by) % count + count) % count;
    select(objects[next]);
    if (m_listener)
        m_listener();
    return true;
}

bool MovieSession::selectAllObjects()
{
    if (m_dialog || m_typing)
        return false;
    if (m_presentation.view.is(ViewKind::Sorter)) {
        for (int n = 1; n <= static_cast<int>(m_presentation.slides.size()); ++n)
            m_selection.addSlide(n);
    } else if (m_presentation.view.is(ViewKind::Normal)) {
        const auto shapes = static_cast<int>(selectedSlide().shapes.size());
        if (shapes == 0)
            return false;
        select(targets::shape(1));
        for (int n = 2; n <= shapes; ++n)
            selectAlso(n);
    } else {
        return false;
    }
    if (m_listener)
        m_listener();
    return true;
}

std::optional<SlideFont> MovieSession::selectedTextFont() const
{
    const Slide& slide = selectedSlide();
    const QString object = typing() ? m_typingObject : selectedObject();
    SlideFont font;
    double size = 0;
    // Notes are set in 12-point type: the notes pane's and the notes master's.
    if (m_presentation.view.is(ViewKind::NotesMaster) || object == u"notes"_s) {
        font = m_presentation.notesMaster.bodyFont;
        if (object == u"notes"_s && slide.notesFont.size > 0)
            font.size = slide.notesFont.size;
        size = 12;
    } else if (object == u"title"_s) {
        font = slide.titleFont;
        size = 44;
    } else if (object == u"body"_s || object == u"subtitle"_s) {
        font = slide.bodyFont;
        size = 32;
    } else if (const int shape = parseAction(actions::click(object)).shape;
               shape > 0 && shape <= static_cast<int>(slide.shapes.size())) {
        const QString kind = kindOfShape(slide.shapes[static_cast<size_t>(shape - 1)].type);
        if (kind != u"textbox"_s && kind != u"autoshape"_s)
            return std::nullopt;
        font = slide.shapes[static_cast<size_t>(shape - 1)].font;
        size = 18;
    } else {
        return std::nullopt;
    }
    if (font.size <= 0)
        font.size = size;
    if (font.family.isEmpty())
        font.family = u"宋体"_s;
    return font;
}

QString MovieSession::toolbarValue(const QString& button) const
{
    if (button == u"打印内容"_s)
        return m_presentation.printPreview.what;
    if (const auto chosen = m_toolbarValues.find(button); chosen != m_toolbarValues.end())
        return chosen->second;
    // The 格式 toolbar's boxes show the font of the text selected.
    if (const std::optional<SlideFont> font = selectedTextFont();
        font && (button == u"字体"_s || button == u"字号"_s))
        return button == u"字体"_s ? font->family : QString::number(font->size);
    // Notes are set in 12-point type: the notes pane's and the notes master's.
    if (button == u"字号"_s &&
        (m_presentation.view.is(ViewKind::NotesMaster) || selectedObject() == u"notes"_s))
        return u"12"_s;
    const KitButton* b = m_kit->toolbarButton(button);
    return b ? b->value : QString();
}

bool MovieSession::toolbarButtonOn(const QString& button) const
{
    const WindowView& view = m_presentation.view;
    // 讲义母版视图's layout buttons: the one of the handout's slides per page.
    static const QRegularExpression handout(u"^显示每页 (\\d) 张幻灯片的讲义$"_s);
    if (const QRegularExpressionMatch m = handout.match(button); m.hasMatch())
        return view.is(ViewKind::HandoutMaster) &&
               m.captured(1).toInt() == handoutMasterSlidesPerPage(m_presentation);
    if (button == u"普通视图(恢复窗格)"_s)
        return view.is(ViewKind::Normal);
    if (button == u"幻灯片浏览视图"_s)
        return view.is(ViewKind::Sorter);
    // The 格式 toolbar's buttons of the font and alignment of the text selected.
    const std::optional<SlideFont> font = selectedTextFont();
    if (!font || modalDialogOpen())
        return false;
    if (button == u"加粗"_s)
        return font->bold.value_or(false);
    if (button == u"倾斜"_s)
        return font->italic.value_or(false);
    if (button == u"下划线"_s)
        return font->underline.value_or(false);
    if (button == u"阴影"_s)
        return font->shadow.value_or(false);
    static const std::map<QString, QString> aligned{
        {u"左对齐"_s, u"left"_s}, {u"居中"_s, u"center"_s}, {u"右对齐"_s, u"right"_s}};
    const auto align = aligned.find(button);
    return align != aligned.end() && font->align == align->second;
}

} // namespace pptdrill
