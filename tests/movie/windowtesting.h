#pragma once

// Finding an element of the simulated window by its locator, clicking it and
// taking a picture of the window, for the tests that drive a KitView as a
// learner would.
#include "movie/widgets/window/kitview.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <gtest/gtest.h>

namespace pptdrill::windowtesting {

// Where the element is on view; a point off the window (and a failure) where it is not.
inline QRect at(const KitView& view, const QString& locator)
{
    auto r = view.locate(locator);
    EXPECT_TRUE(r.has_value()) << "not on view: " << locator.toStdString();
    return r.value_or(QRect(-10, -10, 1, 1));
}

inline void click(KitView& view, const QString& locator)
{
    view.clickAt(at(view, locator).center());
}

// The window as a learner sees it, at the size the tests give it.
inline QImage shot(KitView& view)
{
    QImage image(800, 600, QImage::Format_RGB32);
    view.render(&image);
    return image;
}

} // namespace pptdrill::windowtesting
