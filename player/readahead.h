#pragma once

#include <QThread>
#include <future>
#include <utility>

namespace pptdrill {

// Starts `read` on a second thread before the toolkit is set up, so that reading overlaps the
// connection to the display (it runs when its result is asked for where no thread can start).
// Qt takes the first thread that touches it for its main thread; this one touches it first, or the
// window's events would be delivered to the reading thread and clicks would wait there.
template <class Read> auto readAhead(Read read)
{
    QThread::currentThread();
    return std::async(std::launch::async | std::launch::deferred, std::move(read));
}

} // namespace pptdrill
