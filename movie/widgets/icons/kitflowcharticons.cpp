// The pictures of 流程图 (flowchart symbols) and 标注 (callouts).
#include "movie/widgets/icons/kitshapepainting.h"

namespace pptdrill::kiticons {
namespace {

using namespace shapes;

// --- 流程图

Path box(const QRectF& r)
{
    Path path;
    path.addRect(r);
    return path;
}

const QRectF kFlowBox(1.5, 3.5, 13, 9);

Path process()
{
    return box(kFlowBox);
}

Path alternateProcess()
{
    Path path;
    path.addRoundedRect(kFlowBox, 2, 2);
    return path;
}

Path decision()
{
    return poly({{8, 2.5}, {14.5, 8}, {8, 13.5}, {1.5, 8}});
}

Path data()
{
    return poly({{4.5, 3.5}, {14.5, 3.5}, {11.5, 12.5}, {1.5, 12.5}});
}

void iconPredefinedProcess(QPainter& p)
{
    fillShape(p, box(kFlowBox));
    p.drawLine(QPointF(3.5, 3.5), QPointF(3.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(12.5, 12.5));
}

void iconInternalStorage(QPainter& p)
{
    fillShape(p, box(kFlowBox));
    p.drawLine(QPointF(4.5, 3.5), QPointF(4.5, 12.5));
    p.drawLine(QPointF(1.5, 6.5), QPointF(14.5, 6.5));
}

Path documentShape(double dx, double dy)
{
    Path path;
    path.moveTo(1.5 + dx, 3.5 + dy);
    path.lineTo(12.5 + dx, 3.5 + dy);
    path.lineTo(12.5 + dx, 10.5 + dy);
    path.cubicTo(9 + dx, 8 + dy, 5 + dx, 14 + dy, 1.5 + dx, 11 + dy);
    path.closeSubpath();
    return path;
}

Path document()
{
    return documentShape(1, 0);
}

void iconMultidocument(QPainter& p)
{
    fillShape(p, documentShape(2.5, -2));
    fillShape(p, documentShape(1.25, -1));
    fillShape(p, documentShape(0, 0));
}

Path terminator()
{
    Path path;
    path.addRoundedRect(QRectF(1.5, 4.5, 13, 7), 3.5, 3.5);
    return path;
}

Path preparation()
{
    return poly({{4.5, 3.5}, {11.5, 3.5}, {14.5, 8}, {11.5, 12.5}, {4.5, 12.5}, {1.5, 8}});
}

Path manualInput()
{
    return poly({{1.5, 6.5}, {14.5, 3.5}, {14.5, 12.5}, {1.5, 12.5}});
}

Path manualOperation()
{
    return poly({{1.5, 3.5}, {14.5, 3.5}, {12, 12.5}, {4, 12.5}});
}

Path connector()
{
    Path path;
    path.addEllipse(QRectF(3.5, 3.5, 9, 9));
    return path;
}

Path offPageConnector()
{
    return poly({{3.5, 2.5}, {12.5, 2.5}, {12.5, 10}, {8, 14}, {3.5, 10}});
}

Path card()
{
    return poly({{4.5, 3.5}, {14.5, 3.5}, {14.5, 12.5}, {1.5, 12.5}, {1.5, 6.5}});
}

Path punchedTape()
{
    Path path;
    path.moveTo(1.5, 4.5);
    path.cubicTo(5, 7, 10, 1, 14.5, 4.5);
    path.lineTo(14.5, 11.5);
    path.cubicTo(10, 9, 5, 15, 1.5, 11.5);
    path.closeSubpath();
    return path;
}

void iconSummingJunction(QPainter& p)
{
    fillShape(p, connector());
    p.drawLine(QPointF(4.8, 4.8), QPointF(11.2, 11.2));
    p.drawLine(QPointF(11.2, 4.8), QPointF(4.8, 11.2));
}

void iconOr(QPainter& p)
{
    fillShape(p, connector());
    p.drawLine(QPointF(8, 3.5), QPointF(8, 12.5));
    p.drawLine(QPointF(3.5, 8), QPointF(12.5, 8));
}

Path collate()
{
    return poly({{3.5, 2.5}, {12.5, 2.5}, {3.5, 13.5}, {12.5, 13.5}});
}

void iconSort(QPainter& p)
{
    fillShape(p, decision());
    p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
}

Path extract()
{
    return poly({{8, 3}, {14, 13}, {2, 13}});
}

Path merge()
{
    return poly({{2, 3}, {14, 3}, {8, 13}});
}

Path storedData()
{
    Path path;
    path.moveTo(4, 3.5);
    path.lineTo(14.5, 3.5);
    path.quadTo(11.5, 8, 14.5, 12.5);
    path.lineTo(4, 12.5);
    path.quadTo(1, 8, 4, 3.5);
    return path;
}

Path delay()
{
    Path path;
    path.moveTo(1.5, 3.5);
    path.lineTo(9, 3.5);
    path.arcTo(QRectF(4.5, 3.5, 10, 9), 90, -180);
    path.lineTo(1.5, 12.5);
    path.closeSubpath();
    return path;
}

void iconSequentialAccess(QPainter& p)
{
    Path path;
    path.addEllipse(QRectF(2, 2.5, 11, 11));
    fillShape(p, path);
    p.drawLine(QPointF(7.5, 13.5), QPointF(14.5, 13.5));
}

void iconMagneticDisk(QPainter& p)
{
    Path body;
    body.moveTo(2, 4.5);
    body.lineTo(2, 11.5);
    body.arcTo(QRectF(2, 10, 12, 3.5), 180, 180);
    body.lineTo(14, 4.5);
    fillShape(p, body);
    p.drawEllipse(QRectF(2, 2.75, 12, 3.5));
}

void iconDirectAccess(QPainter& p)
{
    Path body;
    body.moveTo(3.5, 3);
    body.lineTo(11.5, 3);
    body.arcTo(QRectF(9.75, 3, 3.5, 10), 90, -180);
    body.lineTo(3.5, 13);
    body.arcTo(QRectF(1.75, 3, 3.5, 10), 270, -180);
    fillShape(p, body);
    p.drawEllipse(QRectF(9.75, 3, 3.5, 10));
}

Path display()
{
    Path path;
    path.moveTo(1.5, 8);
    path.lineTo(4.5, 3.5);
    path.lineTo(11, 3.5);
    path.quadTo(15, 8, 11, 12.5);
    path.lineTo(4.5, 12.5);
    path.closeSubpath();
    return path;
}

// --- 标注

Path speechBox(const Path& body)
{
    return body.united(poly({{4, 9}, {7, 9}, {2.5, 15}}));
}

Path rectangleCallout()
{
    return speechBox(box(QRectF(1.5, 1.5, 13, 9)));
}

Path roundedCallout()
{
    Path body;
    body.addRoundedRect(QRectF(1.5, 1.5, 13, 9), 3, 3);
    return speechBox(body);
}

Path ovalCallout()
{
    Path body;
    body.addEllipse(QRectF(1.5, 1.5, 13, 9.5));
    return speechBox(body);
}

void iconCloudCallout(QPainter& p)
{
    Path cloud;
    for (const QRectF& puff : {QRectF(1, 3, 6, 6), QRectF(4, 1, 6, 6), QRectF(8, 1.5, 6.5, 6.5),
                               QRectF(9, 5, 6, 5.5), QRectF(3, 5.5, 8, 5.5)})
        cloud.addEllipse(puff);
    fillShape(p, cloud.simplified());
    p.drawEllipse(QPointF(4, 12.3), 1.1, 1.1);
    p.drawEllipse(QPointF(2.5, 14.5), 0.7, 0.7);
}

// 线形标注 n: a box and a leader of n segments from its lower left; `accent`
// adds the bar beside the text, `border` the box's outline.
template <int Segments, bool Accent, bool Border> void iconLineCallout(QPainter& p)
{
    const QRectF body(6.5, 1.5, 8, 7);
    p.setPen(Border ? iconPen(kShapeLine) : QPen(Qt::NoPen));
    p.setBrush(kShapeFill);
    p.drawRect(body);
    textLines(p, {{8, 13}, {8, 13}, {8, 11}}, 3.5, 2, ink::grey);
    Path leader;
    leader.moveTo(Accent ? 4.5 : 6.5, 4);
    if (Segments >= 2)
        leader.lineTo(4, 4);
    if (Segments >= 3)
        leader.lineTo(2, 10);
    leader.lineTo(Segments == 1 ? 2 : Segments == 2 ? 1.5 : 3.5, 14.5);
    strokeShape(p, leader);
    if (Accent)
        p.drawLine(QPointF(5, 1.5), QPointF(5, 8.5));
}

} // namespace

void addFlowchartAndCalloutIcons(QHash<QString, IconPainter>& painters)
{
    const std::pair<QString, IconPainter> icons[] = {
        {u"flow-process"_s, filled<process>},
        {u"flow-alternate-process"_s, filled<alternateProcess>},
        {u"flow-decision"_s, filled<decision>},
        {u"flow-data"_s, filled<data>},
        {u"flow-predefined-process"_s, iconPredefinedProcess},
        {u"flow-internal-storage"_s, iconInternalStorage},
        {u"flow-document"_s, filled<document>},
        {u"flow-multidocument"_s, iconMultidocument},
        {u"flow-terminator"_s, filled<terminator>},
        {u"flow-preparation"_s, filled<preparation>},
        {u"flow-manual-input"_s, filled<manualInput>},
        {u"flow-manual-operation"_s, filled<manualOperation>},
        {u"flow-connector"_s, filled<connector>},
        {u"flow-off-page-connector"_s, filled<offPageConnector>},
        {u"flow-card"_s, filled<card>},
        {u"flow-punched-tape"_s, filled<punchedTape>},
        {u"flow-summing-junction"_s, iconSummingJunction},
        {u"flow-or"_s, iconOr},
        {u"flow-collate"_s, filled<collate>},
        {u"flow-sort"_s, iconSort},
        {u"flow-extract"_s, filled<extract>},
        {u"flow-merge"_s, filled<merge>},
        {u"flow-stored-data"_s, filled<storedData>},
        {u"flow-delay"_s, filled<delay>},
        {u"flow-sequential-access"_s, iconSequentialAccess},
        {u"flow-magnetic-disk"_s, iconMagneticDisk},
        {u"flow-direct-access"_s, iconDirectAccess},
        {u"flow-display"_s, filled<display>},
        {u"callout-rectangle"_s, filled<rectangleCallout>},
        {u"callout-rounded"_s, filled<roundedCallout>},
        {u"callout-oval"_s, filled<ovalCallout>},
        {u"callout-cloud"_s, iconCloudCallout},
        {u"callout-line-1"_s, iconLineCallout<1, false, true>},
        {u"callout-line-2"_s, iconLineCallout<2, false, true>},
        {u"callout-line-3"_s, iconLineCallout<3, false, true>},
        {u"callout-accent-1"_s, iconLineCallout<1, true, true>},
        {u"callout-accent-2"_s, iconLineCallout<2, true, true>},
        {u"callout-accent-3"_s, iconLineCallout<3, true, true>},
        {u"callout-plain-1"_s, iconLineCallout<1, false, false>},
        {u"callout-plain-2"_s, iconLineCallout<2, false, false>},
        {u"callout-plain-3"_s, iconLineCallout<3, false, false>},
    };
    for (const auto& [key, paint] : icons)
        painters.insert(key, paint);
}

} // namespace pptdrill::kiticons
