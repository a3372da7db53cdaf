#pragma once

// Finding an element of the simulated window by its locator and clicking it,
// for the tests that drive a KitView as a learner would.
#include "movie/widgets/window/kitview.h"

#include <QRect>
#include <QString>
#include <gtest/gtest.h>

namespace pptdrill::windowclicks {

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

} // namespace pptdrill::windowclicks
