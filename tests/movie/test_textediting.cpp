// The text being typed into: the caret, the selection and what the editing keys do.
#include "movie/session/textediting.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using pptdrill::TextEditing;
using Move = TextEditing::Move;

TEST(TextEditing, TypingReplacesTheSelectionAndLeavesTheCaretAfterIt)
{
    TextEditing text(u"验收时间：待定。"_s);
    text.placeCaret(5, false);
    text.placeCaret(7, true);
    EXPECT_EQ(text.selectedText(), u"待定"_s);
    text.insert(u"已确认"_s);
    EXPECT_EQ(text.text(), u"验收时间：已确认。"_s);
    EXPECT_EQ(text.caret(), 8);
    EXPECT_FALSE(text.hasSelection());
    // Windows line ends from a paste become paragraphs.
    text.insert(u"a\r\nb"_s);
    EXPECT_EQ(text.text(), u"验收时间：已确认a\nb。"_s);
}

TEST(TextEditing, BackspaceAndDeleteTakeWholeCharactersOrTheSelection)
{
    TextEditing text(u"a😀b"_s); // the emoji is two UTF-16 units
    text.move(Move::Left, false);
    text.erasePrevious();
    EXPECT_EQ(text.text(), u"ab"_s);
    text.placeCaret(0, false);
    text.eraseNext();
    EXPECT_EQ(text.text(), u"b"_s);
    text.erasePrevious(); // nothing before the caret
    EXPECT_EQ(text.text(), u"b"_s);
    text.selectAll();
    text.eraseNext();
    EXPECT_EQ(text.text(), QString());
}

TEST(TextEditing, ArrowsCollapseASelectionAndHomeEndKeepToTheParagraph)
{
    TextEditing text(u"第一段\n第二段文字"_s);
    text.move(Move::Home, true);
    EXPECT_EQ(text.selectedText(), u"第二段文字"_s);
    text.move(Move::Left, false); // collapses to the selection's start
    EXPECT_EQ(text.caret(), 4);
    text.move(Move::Left, false); // over the paragraph break
    EXPECT_EQ(text.caret(), 3);
    text.move(Move::Home, false);
    EXPECT_EQ(text.caret(), 0);
    text.move(Move::End, false);
    EXPECT_EQ(text.caret(), 3);
    text.move(Move::Down, false);
    EXPECT_EQ(text.caret(), 4);
    text.move(Move::Down, false);
    EXPECT_EQ(text.caret(), 9);
    text.move(Move::Up, true); // to the start of the paragraph before
    EXPECT_EQ(text.selectedText(), u"第一段\n第二段文字"_s);
}

TEST(TextEditing, APlaceInAParagraphAndAPositionInTheTextAreOneAnother)
{
    const TextEditing text(u"ab\n\ncde"_s);
    for (int position = 0; position <= 7; ++position)
        EXPECT_EQ(text.positionOf(text.placeOf(position)), position) << position;
    EXPECT_EQ(text.placeOf(4).paragraph, 2);
    EXPECT_EQ(text.placeOf(4).position, 0);
    // A place past its paragraph's end stays in it.
    EXPECT_EQ(text.positionOf({0, 9}), 2);
    EXPECT_EQ(text.positionOf({5, 0}), 7);
}
