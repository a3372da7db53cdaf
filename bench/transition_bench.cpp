// A slide show's transitions: frames painted per second at 800 × 600, for a
// transition of each family between two full slides. Prints medians, asserts nothing.
//   bench_transition [--runs N]
#include "median.h"
#include "movie/widgets/slides/slideshow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

Presentation twoSlides(const QString& transition)
{
    Presentation p;
    p.design = u"Network"_s;
    Slide first;
    first.title = u"年度工作总结"_s;
    first.body = {u"市场拓展"_s, u"产品研发"_s, u"\t新产品三项"_s, u"客户服务"_s};
    first.shapes.push_back({u"star"_s, 500, 360, 120, 120, u"重点"_s, u"#FFC000"_s, {}});
    Slide second = first;
    second.title = u"下一步计划"_s;
    second.background = u"#FFF4D0"_s;
    second.transition.effect = transition;
    second.transition.speed = u"慢速"_s;
    p.slides = {first, second};
    return p;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int runs = 5;
    for (int i = 1; i < argc; ++i)
        if (QByteArray(argv[i]) == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
    const QStringList families = {u"向右擦除"_s, u"水平百叶窗"_s,       u"溶解"_s,
                                  u"向下推出"_s, u"向下插入"_s,         u"横向棋盘式"_s,
                                  u"盒状展开"_s, u"阶梯状向右下展开"_s, u"平滑淡出"_s};
    QImage canvas(800, 600, QImage::Format_RGB32);
    std::printf("%10s %10s  %s\n", "frames/s", "ms/frame", "transition");
    for (const QString& name : families) {
        std::vector<double> rates;
        for (int run = 0; run < runs; ++run) {
            SlideShow show;
            show.setManualClock(true);
            show.start(twoSlides(name), 1);
            show.next();
            // 慢速 is 1.5 s: paint it at 60 steps, as a 40 frames/s clock would.
            int frames = 0;
            QElapsedTimer clock;
            clock.start();
            while (show.inTransition()) {
                QPainter p(&canvas);
                show.paint(p, canvas.rect());
                p.end();
                ++frames;
                show.advance(25);
            }
            rates.push_back(frames * 1e9 / std::max<qint64>(clock.nsecsElapsed(), 1));
        }
        const double rate = median(rates);
        std::printf("%10.1f %10.2f  %s\n", rate, 1000.0 / rate, name.toUtf8().constData());
    }
    return 0;
}
